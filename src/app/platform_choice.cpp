#include "app/platform_choice.h"

namespace oruvel::app {
namespace {

bool isSet(const std::optional<std::string>& value) {
    return value && !value->empty();
}

const char* const kNativeWaylandNote =
    "Oruvel: running on native Wayland, where a window cannot place itself: the monitor does not go to its default "
    "or stored place, does not snap to the screen edges and cannot stay on top. Start it with DISPLAY set (XWayland) "
    "to keep these.";

} // namespace

PlatformChoice choosePlatform(const EnvironmentLookup& environment) {
    const std::optional<std::string> chosen = environment("QT_QPA_PLATFORM");
    if (isSet(chosen)) {
        const bool wayland = chosen->rfind("wayland", 0) == 0;
        return {std::nullopt, wayland ? kNativeWaylandNote : ""};
    }
    const std::optional<std::string> sessionType = environment("XDG_SESSION_TYPE");
    const bool waylandSession = (sessionType && *sessionType == "wayland") || isSet(environment("WAYLAND_DISPLAY"));
    if (!waylandSession) {
        return {};
    }
    if (isSet(environment("DISPLAY"))) {
        return {"xcb", ""};
    }
    return {std::nullopt, kNativeWaylandNote};
}

} // namespace oruvel::app
