// Oruvel: a floating gadget that shows the live read and write rates of the disks.
#include "app/termination_signals.h"
#include "app/tray_adapter.h"
#include "core/program.h"
#include "monitor/fonts.h"
#include "monitor/theme_support.h"
#include "platform/platform_services.h"
#include "settings_ui/frm_main.h"
#include "settings_ui/vb_controls.h"
#include "startup/start_with_login_switch.h"

#include <QApplication>
#include <QSessionManager>

using namespace oruvel;

int main(int argc, char** argv) {
    // The settings window lets pending messages run between the steps of its handlers, about a dozen times a second
    // when idle; Qt's plain event dispatcher does that for a third less CPU than the GLib one.
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB")) {
        qputenv("QT_NO_GLIB", "1");
    }
    // The windows are small: on X11 a shared-memory image makes every repaint of a bar wait for a round trip to the
    // server before drawing, which costs more than sending the few pixels over the connection.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) {
        qputenv("QT_XCB_NO_MITSHM", "1");
    }
    QApplication app(argc, argv); // the command line ("/startup" among others) changes nothing
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationName(QStringLiteral("Oruvel"));
    monitor::installFontSubstitutes();

    core::Program program(QCoreApplication::applicationDirPath().toStdString(), platform::openUserRegistry(),
                          [] { return platform::openDiskCounterQuery(); });
    program.setMessagePump([] { QCoreApplication::processEvents(); });

    program.letMessagesRun();
    monitor::InitThemeSupport();

    settings_ui::FrmMain frmMain(program);
    app::TrayAdapter tray(frmMain, program);
    startup::StartWithLoginSwitch startWithLogin(program, startup::launchDetached);
    frmMain.startWithLogin = &startWithLogin;
    app::onTerminationRequest([&frmMain] { frmMain.Unload(settings_ui::UnloadMode::SessionEnd); });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &frmMain,
                     [&frmMain](QSessionManager&) { frmMain.Unload(settings_ui::UnloadMode::SessionEnd); });

    frmMain.Form_Load();

    // Without a notification area and with the monitor hidden nothing would be left to reach the program by.
    if (!program.bExiting && !tray.available() && frmMain.Check4->value() == 0) {
        frmMain.MenuSettings_Click();
    }
    return program.bExiting ? 0 : QApplication::exec();
}
