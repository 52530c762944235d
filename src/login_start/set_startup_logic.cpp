#include "login_start/set_startup_logic.h"

#include "platform/login_start_registry.h"
#include "platform/system_paths.h"
#include "platform/text_util.h"

#include "oruvel_version.h"

namespace oruvel::login_start {

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

platform::LoginStart oruvelLoginStart(const std::string& folder) {
    platform::LoginStart task;
    task.name = kTaskName;
    task.programPath = monitorProgramPath(folder);
    task.workingDirectory = folder;
    task.arguments = "/startup";
    return task;
}

bool createLoginStart(platform::LoginStartRegistry& registrar, const std::string& folder) {
    return registrar.add(oruvelLoginStart(folder));
}

bool removeLoginStart(platform::LoginStartRegistry& registrar) {
    return registrar.remove(kTaskName);
}

} // namespace oruvel::login_start
