#include "startup_task/set_startup_logic.h"

#include "platform/platform_services.h"
#include "platform/text_util.h"

#include "oruvel_version.h"

namespace oruvel::startup_task {

Command parseCommand(std::string_view argumentText) {
    const std::string text = platform::toLowerAscii(argumentText);
    if (text == "/create") {
        return Command::Create;
    }
    if (text == "/remove") {
        return Command::Remove;
    }
    return Command::ShowWindow;
}

std::string monitorProgramPath(const std::string& folder) {
    return folder + platform::kPathSeparator + platform::executableFileName(kProgramFileName);
}

platform::LogonTask oruvelLogonTask(const std::string& folder) {
    platform::LogonTask task;
    task.name = kTaskName;
    task.author = "Oruvel - Quorlane";
    task.description = "Oruvel";
    task.actionId = "Oruvel Monitor";
    task.programPath = monitorProgramPath(folder);
    task.workingDirectory = folder;
    task.arguments = "/startup";
    return task;
}

bool createLogonTask(platform::StartupRegistrar& registrar, const std::string& folder) {
    return registrar.registerTask(oruvelLogonTask(folder));
}

bool removeLogonTask(platform::StartupRegistrar& registrar) {
    return registrar.deleteTask(kTaskName);
}

} // namespace oruvel::startup_task
