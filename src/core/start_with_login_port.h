#pragma once

namespace oruvel::core {

// Registers or removes the program's start at the user's logon.
class StartWithLoginPort {
public:
    virtual ~StartWithLoginPort() = default;
    virtual void apply(bool on) = 0;
};

} // namespace oruvel::core
