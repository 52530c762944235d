#pragma once

namespace oruvel::app {

// What the window system can tell that Qt does not. On X11 the X server is asked; elsewhere (Windows, where the
// desktop is always composited, and native Wayland) the answers change nothing.

// Whether a pointer button is held down: a window manager's move of a window goes on.
bool pointerButtonHeld();

// Whether a compositing manager runs, so that see-through windows show as such.
bool compositorRunning();

} // namespace oruvel::app
