#pragma once

#include "core/login_start_switch.h"

#include <functional>
#include <string>

namespace oruvel::login_start {

// Makes the program start at logon, or stops that, by starting the start-up program from the program's folder with
// "/create" or "/remove". The program is not waited for: its end (its exit status and what it said on stderr) is
// told later, through the event loop.
class SetStartupLauncher final : public core::LoginStartSwitch {
public:
    using Launcher = std::function<void(const std::string& program, const std::string& argument,
                                        const std::string& workingDirectory, Done done)>;
    SetStartupLauncher(std::string programFolder, Launcher launcher);

    void apply(bool on, Done done) override;

    // The start-up program's file in the program's folder.
    std::string startupProgramPath() const;

private:
    std::string programFolder_;
    Launcher launcher_;
};

// Starts a program and, when it has ended, tells `done` how: nothing when it ended with status 0, else the last line
// it wrote on stderr, or why it could not start or ended otherwise.
void launchWatched(const std::string& program, const std::string& argument, const std::string& workingDirectory,
                   const core::LoginStartSwitch::Done& done);

} // namespace oruvel::login_start
