// How long the settings window stops answering while an opacity scroll bar is dragged from 255 to 0, one value per
// step, as a mouse drag delivers them. Each step changes and stores the setting; a heartbeat timer measures the
// longest gap in the event loop. Run through bench/settings_write_stall.sh to add a delay to every fsync.
#include "core/program.h"
#include "platform/file_registry_store.h"
#include "platform/ini_file.h"
#include "settings_ui/setting_widgets.h"
#include "settings_ui/settings_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
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
        const std::string path = folder.path().toStdString();
        core::Program program(path, std::make_unique<platform::FileRegistryStore>(path + "/reg"), nullptr);
        settings_ui::SettingsWindow settings(program);
        settings.start();
        settings.sampleTimer().stop();
        settings.windowModeRadioButton(core::WindowMode::Translucent)->click();
        QScrollBar* bar = settings.translucentOpacityScrollBar;
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
