#pragma once

namespace oruvel::core {

// Registers or removes the program's start at the user's logon.
class LoginStartSwitch {
public:
    virtual ~LoginStartSwitch() = default;
    virtual void apply(bool on) = 0;
};

} // namespace oruvel::core
