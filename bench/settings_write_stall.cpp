// How long the settings window stops answering while an opacity scroll bar is dragged from 255 to 0, one value per
// step, as a mouse drag delivers them. Each step changes and stores the setting; a heartbeat timer measures the
// longest gap in the event loop. Run through bench/settings_write_stall.sh to add a delay to every fsync.
#include "app/gadget.h"
#include "app/window_places.h"
#include "core/settings.h"
#include "platform/ini_file.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>

using namespace oruvel;

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform warns at every opacity change; that is noise here.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QApplication app(argc, argv);
    QTemporaryDir folder;
    qint64 longestStepNs = 0;
    qint64 longestGapNs = 0;
    qint64 dragNs = 0;
    {
        QElapsedTimer clock;
        core::Settings settings(folder.filePath(QStringLiteral("Oruvel_Settings.ini")).toStdString());
        app::WindowPlaces places(
            std::make_unique<QSettings>(folder.filePath(QStringLiteral("places.conf")), QSettings::IniFormat));
        app::GadgetServices services;
        services.programFolder = folder.path().toStdString();
        app::Gadget gadget(settings, places, services);
        gadget.start();
        gadget.sampleTimer().stop();
        settings.setWindowMode(core::WindowMode::Translucent);
        auto* bar = gadget.settingsWindow().findChild<QScrollBar*>(QStringLiteral("translucentOpacityScrollBar"));
        bar->setValue(255);

        QTimer heartbeat;
        heartbeat.setInterval(1);
        qint64 lastBeat = -1;
        QObject::connect(&heartbeat, &QTimer::timeout, [&] {
            const qint64 now = clock.nsecsElapsed();
            if (lastBeat >= 0) {
                longestGapNs = std::max(longestGapNs, now - lastBeat);
            }
            lastBeat = now;
        });
        QTimer drag;
        drag.setInterval(4); // a mouse reports about 250 moves a second
        int value = 255;
        QObject::connect(&drag, &QTimer::timeout, [&] {
            --value;
            const qint64 start = clock.nsecsElapsed();
            bar->setValue(value);
            longestStepNs = std::max(longestStepNs, clock.nsecsElapsed() - start);
            if (value == 0) {
                drag.stop();
                dragNs = clock.nsecsElapsed();
                QTimer::singleShot(50, &app, [] { QCoreApplication::exit(0); });
            }
        });
        clock.start();
        heartbeat.start();
        drag.start();
        QApplication::exec();
    } // the program's end lands every setting still on its way
    const std::string stored = platform::ini::readValue(
        folder.filePath(QStringLiteral("Oruvel_Settings.ini")).toStdString(), "main", "transparencylevel");
    std::printf("255 steps in %.0f ms; longest step %.1f ms; longest event-loop stall %.1f ms; stored level %s\n",
                dragNs / 1e6, longestStepNs / 1e6, longestGapNs / 1e6, stored.c_str());
    return stored == "0" ? 0 : 1;
}
