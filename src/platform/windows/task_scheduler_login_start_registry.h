#pragma once

#include "platform/login_start_registry.h"

#include <string>

namespace oruvel::platform {

// What the program's logon task carries beside the start itself.
struct TaskProperties {
    const char* author = "Oruvel - Quorlane";
    const char* description = "Oruvel";
    const char* actionId = "Oruvel Monitor";
    // The program needs no more than the user's own rights: the task starts it with them (never elevated, since the
    // program file lies in a folder the user can write), at the logon of the user who created it.
    bool highestRunLevel = false;
    bool creatorOnly = true;
    const char* executionTimeLimit = "PT0S"; // none
    bool runOnBatteries = true;              // neither kept from starting nor stopped on batteries
    bool allowHardTerminate = true;
    bool allowDemandStart = true;
    int multipleInstances = 0; // parallel
    bool runOnlyIfIdle = false;
    bool runOnlyIfNetworkAvailable = false;
};
inline constexpr TaskProperties kTaskProperties{};

// The user the task is for: "DOMAIN\\name" of the user running this program; empty when it cannot be told.
std::string currentUserAccount();

// Logon tasks in the root folder of the Task Scheduler 2.0 (through COM). Every call fails quietly: without the
// service, or where the user may not register tasks, nothing is registered.
class TaskSchedulerLoginStartRegistry final : public LoginStartRegistry {
public:
    bool add(const LoginStart& task) override;
    bool remove(const std::string& name) override;
};

} // namespace oruvel::platform
