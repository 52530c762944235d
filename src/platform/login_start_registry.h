#pragma once

#include <memory>
#include <string>

namespace oruvel::platform {

// A program started at the user's login.
struct LoginStart {
    std::string name;             // "Oruvel"
    std::string programPath;      // the program to start, full path
    std::string workingDirectory; // its folder
    std::string arguments;        // "/startup"
    bool operator==(const LoginStart&) const = default;
};

// Where starts at login are registered. Both calls fail quietly (false) and never replace an existing registration.
class LoginStartRegistry {
public:
    virtual ~LoginStartRegistry() = default;
    // Registers a new start; an existing one of the same name stays unchanged and the call fails.
    virtual bool add(const LoginStart& start) = 0;
    virtual bool remove(const std::string& name) = 0;
};

// Where logon starts are registered: the XDG autostart folder on Linux, the Task Scheduler on Windows.
std::unique_ptr<LoginStartRegistry> openLoginStartRegistry();
// What that place is, for the words the settings window uses for it.
enum class LoginStartPlace { ScheduledTask, AutostartFolder };
LoginStartPlace loginStartPlace();

} // namespace oruvel::platform
