#include "startup/start_with_login_switch.h"

#include "platform/platform_services.h"

#include <QProcess>
#include <QStringList>

namespace oruvel::startup {

StartWithLoginSwitch::StartWithLoginSwitch(std::string programFolder, Launcher launcher)
    : programFolder_(std::move(programFolder)), launcher_(std::move(launcher)) {}

std::string StartWithLoginSwitch::startupProgramPath() const {
    return programFolder_ + platform::kPathSeparator + platform::executableFileName("oruvel_set_startup");
}

void StartWithLoginSwitch::apply(bool on) {
    if (launcher_) {
        launcher_(startupProgramPath(), on ? "/create" : "/remove", programFolder_);
    }
}

bool launchDetached(const std::string& program, const std::string& argument, const std::string& workingDirectory) {
    return QProcess::startDetached(QString::fromStdString(program), QStringList{QString::fromStdString(argument)},
                                   QString::fromStdString(workingDirectory));
}

} // namespace oruvel::startup
