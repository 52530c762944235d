#pragma once

namespace oruvel::platform {

// What the window system can tell that Qt does not: on X11 the X server is asked, on Windows the system itself.
// Where neither answers (native Wayland) no button counts as held and the desktop counts as composited.

// Whether a pointer button is held down: a window manager's move of a window goes on.
bool pointerButtonHeld();

// Whether a compositing manager runs, so that see-through windows show as such.
bool compositorRunning();

} // namespace oruvel::platform
