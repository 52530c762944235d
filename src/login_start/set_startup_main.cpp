// oruvel_set_startup: registers or removes the start of Oruvel at logon.
//   oruvel_set_startup /create | /remove     (no window; the program ends)
//   oruvel_set_startup                       (a window with Create and Remove)
// A switch that fails says why on stderr and ends with status 1; without a display the window cannot open, and the
// usage goes to stderr with status 2.
#include "login_start/set_startup_logic.h"
#include "login_start/set_startup_window.h"
#include "look/fonts.h"
#include "look/program_icon.h"
#include "platform/display.h"
#include "platform/file_ops.h"
#include "platform/login_start_registry.h"
#include "platform/system_paths.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdio>
#include <string>

using namespace oruvel;

namespace {

std::string argumentText(int argc, char** argv) {
    std::string text;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) {
            text += ' ';
        }
        text += argv[i];
    }
    return text;
}

std::string programFolder() {
    const std::string self = platform::runningProgramPath();
    const auto slash = self.find_last_of("/\\");
    return slash == std::string::npos ? std::string(".") : self.substr(0, slash);
}

// Whether Qt can open its platform here: a display answers, or a platform without one was chosen.
bool canShowWindow() {
    const QByteArray chosen = qgetenv("QT_QPA_PLATFORM");
    if (!chosen.isEmpty() && !chosen.startsWith("xcb") && !chosen.startsWith("wayland")) {
        return true;
    }
    return platform::displayReachable();
}

} // namespace

int main(int argc, char** argv) {
    const login_start::Command which = login_start::parseCommand(argumentText(argc, argv));
    const auto registrar = platform::openLoginStartRegistry();
    if (which != login_start::Command::ShowWindow) {
        const bool create = which == login_start::Command::Create;
        if (create ? login_start::createLoginStart(*registrar, programFolder())
                   : login_start::removeLoginStart(*registrar)) {
            return 0;
        }
        std::fprintf(stderr, "oruvel_set_startup: the start at login was not %s: %s\n",
                     create ? "registered" : "removed", platform::lastFileFailure().c_str());
        return 1;
    }
    if (!canShowWindow()) {
        std::fprintf(stderr, "usage: oruvel_set_startup /create | /remove\n"
                             "  /create  starts Oruvel at login\n  /remove  stops that\n"
                             "(without either, a window offers both; no display can be opened here)\n");
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setWindowIcon(look::programIcon()); // title bars and task lists show it
    look::installFontSubstitutes();
    login_start::SetStartupWindow window(*registrar, QCoreApplication::applicationDirPath().toStdString());
    window.show();
    QApplication::exec();
    return 0;
}
