// Oruvel: a floating gadget that shows the live read and write rates of the disks.
#include "app/own_environment.h"
#include "app/platform_choice.h"
#include "app/session_follower.h"
#include "app/termination_signals.h"
#include "core/program.h"
#include "core/settings_location.h"
#include "monitor/fonts.h"
#include "platform/file_ops.h"
#include "platform/platform_services.h"
#include "settings_ui/setting_widgets.h"
#include "settings_ui/settings_window.h"
#include "startup/start_with_login_switch.h"
#include "tray/tray_icon.h"

#include <QApplication>
#include <QSessionManager>

#include <cstdio>

using namespace oruvel;

int main(int argc, char** argv) {
    app::OwnEnvironment ownEnvironment;
    // The program wakes once a second; Qt's plain event dispatcher does that for less CPU than the GLib one.
    ownEnvironment.setIfUnset("QT_NO_GLIB", "1");
    // The windows are small: on X11 a shared-memory image makes every repaint of a bar wait for a round trip to the
    // server before drawing, which costs more than sending the few pixels over the connection.
    ownEnvironment.setIfUnset("QT_XCB_NO_MITSHM", "1");
    const app::PlatformChoice platform = app::choosePlatform([](const char* name) -> std::optional<std::string> {
        if (!qEnvironmentVariableIsSet(name)) {
            return std::nullopt;
        }
        return qEnvironmentVariable(name).toStdString();
    });
    if (platform.platform) {
        ownEnvironment.setIfUnset("QT_QPA_PLATFORM", *platform.platform);
    }
    if (!platform.note.empty()) {
        std::fprintf(stderr, "%s\n", platform.note.c_str());
    }
    QApplication app(argc, argv); // the command line ("/startup" among others) changes nothing
    ownEnvironment.release();
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationName(QStringLiteral("Oruvel"));
    monitor::installFontSubstitutes();

    const std::string programFolder = QCoreApplication::applicationDirPath().toStdString();
    core::Program program(
        programFolder, platform::openUserRegistry(), [] { return platform::openDiskCounterQuery(); },
        core::prepareSettingsFile(programFolder, platform::userConfigFolder(), platform::isWritableFolder));

    settings_ui::SettingsWindow settings(program);
    tray::TrayIcon tray;
    QObject::connect(&settings, &settings_ui::SettingsWindow::trayIconVisibilityRequested, &tray,
                     [&tray](bool visible) { visible ? tray.show() : tray.hide(); });
    QObject::connect(&settings, &settings_ui::SettingsWindow::trayIconChanged, &tray, &tray::TrayIcon::setIcon);
    QObject::connect(&settings, &settings_ui::SettingsWindow::trayToolTipChanged, &tray, &tray::TrayIcon::setToolTip);
    // Queued: a menu or the end of the program must not run inside the tray icon's own event handling.
    QObject::connect(&tray, &tray::TrayIcon::contextMenuRequested, &settings,
                     &settings_ui::SettingsWindow::onTrayContextMenuRequested, Qt::QueuedConnection);
    QObject::connect(&tray, &tray::TrayIcon::doubleClicked, &settings,
                     &settings_ui::SettingsWindow::onTrayDoubleClicked, Qt::QueuedConnection);

    startup::StartWithLoginSwitch startWithLogin(program, startup::launchDetached);
    settings.setStartWithLogin(&startWithLogin);
    app::onTerminationRequest([&settings] { settings.requestShutdown(settings_ui::ShutdownReason::SessionEnd); });
    app::SessionFollower session(program, settings);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &session, &app::SessionFollower::onSessionSave);

    settings.start();

    // Without a notification area and with the monitor hidden nothing would be left to reach the program by.
    if (!program.isExiting() && !tray.isAvailable() && settings.showMonitorCheckBox->value() == 0) {
        settings.showSettings();
    }
    return program.isExiting() ? 0 : QApplication::exec();
}
