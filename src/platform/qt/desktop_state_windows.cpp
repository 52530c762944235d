#include "platform/qt/desktop_state.h"

#include <QWidget>

#include <windows.h>

#include <initializer_list>

namespace oruvel::platform {

// The system's own button state: the window manager's move loop holds the button on a title bar, which Qt does not
// see as a press of its own.
bool pointerButtonHeld() {
    for (const int button : {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON}) {
        if ((GetAsyncKeyState(button) & 0x8000) != 0) {
            return true;
        }
    }
    return false;
}

// The desktop is always composited (Windows 8 and later).
bool compositorRunning() {
    return true;
}

bool seeThroughPixelsShow() {
    return false;
}

std::optional<QPoint> windowSystemPlace(const QWidget& window) {
    return window.frameGeometry().topLeft();
}

} // namespace oruvel::platform
