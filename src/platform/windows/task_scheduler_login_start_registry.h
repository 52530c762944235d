#pragma once

#include "platform/login_start_registry.h"

namespace oruvel::platform {

// What the program's logon task carries beside the start itself.
struct TaskProperties {
    const char* author = "Oruvel - Quorlane";
    const char* description = "Oruvel";
    const char* actionId = "Oruvel Monitor";
    bool highestRunLevel = true;
    const char* executionTimeLimit = "PT0S"; // none
    bool runOnBatteries = true;              // neither kept from starting nor stopped on batteries
    bool allowHardTerminate = true;
    bool allowDemandStart = true;
    int multipleInstances = 0; // parallel
    bool runOnlyIfIdle = false;
    bool runOnlyIfNetworkAvailable = false;
};
inline constexpr TaskProperties kTaskProperties{};

// Logon tasks in the root folder of the Task Scheduler 2.0 (through COM). Every call fails quietly: without
// administrator rights (highest run level) or without the service nothing is registered.
class TaskSchedulerLoginStartRegistry final : public LoginStartRegistry {
public:
    bool add(const LoginStart& task) override;
    bool remove(const std::string& name) override;
};

} // namespace oruvel::platform
