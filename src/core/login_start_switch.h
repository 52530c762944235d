#pragma once

#include <functional>
#include <string>

namespace oruvel::core {

// Registers or removes the program's start at the user's logon.
class LoginStartSwitch {
public:
    // Told once the switch has done its work: empty when it did, else why not (the system's words where it gave
    // them).
    using Done = std::function<void(const std::string& failure)>;
    virtual ~LoginStartSwitch() = default;
    virtual void apply(bool on, Done done) = 0;
};

} // namespace oruvel::core
