#include "startup/start_with_login_switch.h"

#include "core/program.h"
#include "platform/platform_services.h"
#include "startup/start_with_login.h"

#include <QProcess>
#include <QStringList>

namespace oruvel::startup {

StartWithLoginSwitch::StartWithLoginSwitch(core::Program& program, Launcher launcher)
    : program_(program), launcher_(std::move(launcher)) {}

std::string StartWithLoginSwitch::startupProgramPath() const {
    return program_.programFolder() + platform::kPathSeparator + platform::executableFileName("oruvel_set_startup");
}

void StartWithLoginSwitch::apply(bool on) {
    const bool knownByName = !windowsVersionName().empty();
    if (knownByName) {
        if (on) {
            addRunKeyValue("/startup", platform::RegRoot::LocalMachine, program_.registry(), program_.programFolder());
        } else {
            removeRunKeyValue(platform::RegRoot::LocalMachine, program_.registry());
        }
        return;
    }
    if (launcher_) {
        launcher_(startupProgramPath(), on ? "/create" : "/remove", program_.programFolder());
    }
}

bool launchDetached(const std::string& program, const std::string& argument, const std::string& workingDirectory) {
    return QProcess::startDetached(QString::fromStdString(program), QStringList{QString::fromStdString(argument)},
                                   QString::fromStdString(workingDirectory));
}

} // namespace oruvel::startup
