#pragma once

#include <QPoint>

#include <optional>

class QWidget;

namespace oruvel::platform {

// What the window system can tell that Qt does not: on X11 the X server is asked, on Windows the system itself.
// Where neither answers (native Wayland) no button counts as held and the desktop counts as composited.

// Whether a pointer button is held down: a window manager's move of a window goes on.
bool pointerButtonHeld();

// Whether a compositing manager runs, so that see-through windows show as such.
bool compositorRunning();

// Whether a window's see-through pixels show as such, so they can cut a window's outline: where a compositing manager
// runs on X11, and on Wayland. Windows cuts outlines with a window's region, as does X11 without a compositor.
bool seeThroughPixelsShow();

// Where the window system has a top-level window, in the window system's own pixels: on X11 the X server's answer,
// which stays put where a window manager or compositor ignores a program's moves (sway, weston); on Windows Qt's
// geometry, as moves there are the system's at once. Nothing on native Wayland, where a program cannot know where its
// windows are.
std::optional<QPoint> windowSystemPlace(const QWidget& window);

} // namespace oruvel::platform
