#pragma once

#include "platform/startup_registrar.h"

namespace oruvel::platform {

// Logon tasks in the root folder of the Task Scheduler 2.0 (through COM). Every call fails quietly: without
// administrator rights (highest run level) or without the service nothing is registered.
class TaskSchedulerRegistrar final : public StartupRegistrar {
public:
    bool registerTask(const LogonTask& task) override;
    bool deleteTask(const std::string& name) override;
};

} // namespace oruvel::platform
