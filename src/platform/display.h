#pragma once

namespace oruvel::platform {

// Whether a window can be shown: on Linux an X server at DISPLAY answers, or a Wayland compositor is named; always
// on Windows.
bool displayReachable();

} // namespace oruvel::platform
