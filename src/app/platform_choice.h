#pragma once

#include <functional>
#include <optional>
#include <string>

namespace oruvel::app {

// Looks up an environment variable; nullopt when it is unset.
using EnvironmentLookup = std::function<std::optional<std::string>(const char* name)>;

// Which Qt platform the program starts on, and what to tell the user once about it.
struct PlatformChoice {
    std::optional<std::string> platform; // set for QT_QPA_PLATFORM when the program chooses; nullopt leaves Qt's pick
    std::string note;                    // one line for stderr; empty when there is nothing to say
    bool operator==(const PlatformChoice&) const = default;
};

// The monitor places itself, snaps, follows a stored place and stays on top: on a native Wayland platform a window
// can do none of that. So in a Wayland session with an X server at hand (DISPLAY) the program starts on XWayland,
// unless the user chose a platform (QT_QPA_PLATFORM). Where it runs on native Wayland, the note says what is lost.
PlatformChoice choosePlatform(const EnvironmentLookup& environment);

} // namespace oruvel::app
