#include "login_start/set_startup_launcher.h"

#include "platform/platform_services.h"

#include <QProcess>
#include <QStringList>

namespace oruvel::login_start {

SetStartupLauncher::SetStartupLauncher(std::string programFolder, Launcher launcher)
    : programFolder_(std::move(programFolder)), launcher_(std::move(launcher)) {}

std::string SetStartupLauncher::startupProgramPath() const {
    return programFolder_ + platform::kPathSeparator + platform::executableFileName("oruvel_set_startup");
}

void SetStartupLauncher::apply(bool on) {
    if (launcher_) {
        launcher_(startupProgramPath(), on ? "/create" : "/remove", programFolder_);
    }
}

bool launchDetached(const std::string& program, const std::string& argument, const std::string& workingDirectory) {
    return QProcess::startDetached(QString::fromStdString(program), QStringList{QString::fromStdString(argument)},
                                   QString::fromStdString(workingDirectory));
}

} // namespace oruvel::login_start
