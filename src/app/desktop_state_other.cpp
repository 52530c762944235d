#include "app/desktop_state.h"

#include <QGuiApplication>

namespace oruvel::app {

bool pointerButtonHeld() {
    return QGuiApplication::mouseButtons() != Qt::NoButton;
}

bool compositorRunning() {
    return true;
}

} // namespace oruvel::app
