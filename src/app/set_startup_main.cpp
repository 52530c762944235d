// oruvel_set_startup: registers or removes the start of Oruvel at logon.
//   oruvel_set_startup /create | /remove     (no window; the program ends)
//   oruvel_set_startup                       (a window with Create and Remove)
// The exit code carries no result.
#include "monitor/fonts.h"
#include "platform/platform_services.h"
#include "startup_task/set_startup_logic.h"
#include "startup_task/startup_task_window.h"

#include <QApplication>
#include <QCoreApplication>

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

} // namespace

int main(int argc, char** argv) {
    const startup_task::Command which = startup_task::parseCommand(argumentText(argc, argv));
    const auto registrar = platform::openStartupRegistrar();
    if (which == startup_task::Command::Create) {
        startup_task::createLogonTask(*registrar, programFolder());
        return 0;
    }
    if (which == startup_task::Command::Remove) {
        startup_task::removeLogonTask(*registrar);
        return 0;
    }
    QApplication app(argc, argv);
    monitor::installFontSubstitutes();
    startup_task::StartupTaskWindow window(*registrar, QCoreApplication::applicationDirPath().toStdString());
    window.show();
    QApplication::exec();
    return 0;
}
