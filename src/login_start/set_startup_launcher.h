#pragma once

#include "core/login_start_switch.h"

#include <functional>
#include <string>

namespace oruvel::login_start {

// Makes the program start at logon, or stops that, by starting the start-up program from the program's folder with
// "/create" or "/remove" (not waited for; a missing program fails quietly).
class SetStartupLauncher final : public core::LoginStartSwitch {
public:
    using Launcher = std::function<bool(const std::string& program, const std::string& argument,
                                        const std::string& workingDirectory)>;
    SetStartupLauncher(std::string programFolder, Launcher launcher);

    void apply(bool on) override;

    // The start-up program's file in the program's folder.
    std::string startupProgramPath() const;

private:
    std::string programFolder_;
    Launcher launcher_;
};

// Starts a program detached, without waiting; false when it could not be started.
bool launchDetached(const std::string& program, const std::string& argument, const std::string& workingDirectory);

} // namespace oruvel::login_start
