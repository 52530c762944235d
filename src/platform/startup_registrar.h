#pragma once

#include <string>

namespace oruvel::platform {

// A start of a program at the user's logon, with the properties the start-up program asks for.
struct LogonTask {
    std::string name;             // "Oruvel"
    std::string author;           // "Oruvel - Quorlane"
    std::string description;      // "Oruvel"
    std::string actionId;         // the action's id
    std::string programPath;      // the program to start, full path
    std::string workingDirectory; // its folder
    std::string arguments;        // "/startup"
    bool highestRunLevel = true;
    bool noTimeLimit = true;      // execution time limit "PT0S"
    bool runOnBatteries = true;   // neither kept from starting nor stopped on batteries
    bool allowHardTerminate = true;
    bool allowDemandStart = true;
    int multipleInstances = 0;    // parallel
    bool runOnlyIfIdle = false;
    bool runOnlyIfNetworkAvailable = false;
    bool operator==(const LogonTask&) const = default;
};

// Registers or removes a logon start. Both fail quietly (false) and never replace an existing registration.
class StartupRegistrar {
public:
    virtual ~StartupRegistrar() = default;
    // Registers a new task; an existing one of the same name stays unchanged and the call fails.
    virtual bool registerTask(const LogonTask& task) = 0;
    virtual bool deleteTask(const std::string& name) = 0;
};

} // namespace oruvel::platform
