#include "app/window_glue.h"

#include <QEvent>
#include <QWidget>

namespace oruvel::app {

WindowGlue::WindowGlue(QWidget& settingsWindow) : settingsWindow_(settingsWindow) {
    system_.track(&settingsWindow_);
    snapper_.addWindow(monitor::windowIdOf(&settingsWindow_));
    snapper_.setSnapDistance(5);
    settingsWindow_.installEventFilter(this);
}

void WindowGlue::addMonitor(QWidget& monitorWindow) {
    system_.track(&monitorWindow);
    snapper_.addWindow(monitor::windowIdOf(&monitorWindow), monitor::windowIdOf(&settingsWindow_));
}

void WindowGlue::moveFromCode(QWidget& window, const QPoint& topLeft) {
    movingFromCode_ = true;
    window.move(topLeft);
    movingFromCode_ = false;
    if (&window == &settingsWindow_) {
        lastPosition_ = settingsWindow_.frameGeometry().topLeft();
    }
}

// The window manager moves the settings window; a monitor glued to it follows, keeping its offset, and the glue is
// worked out again where the move leaves them.
bool WindowGlue::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &settingsWindow_ && event->type() == QEvent::Move) {
        const QPoint now = settingsWindow_.frameGeometry().topLeft();
        if (positionKnown_ && now != lastPosition_ && settingsWindow_.isVisible() && !movingFromCode_) {
            followSettingsWindow(lastPosition_, now);
        }
        lastPosition_ = now;
        positionKnown_ = true;
    }
    return false;
}

void WindowGlue::followSettingsWindow(const QPoint& from, const QPoint& to) {
    const QPoint delta = to - from;
    std::vector<std::pair<monitor::WindowId, monitor::Point>> moves;
    for (const monitor::WindowId follower : snapper_.followersOf(monitor::windowIdOf(&settingsWindow_))) {
        const monitor::Rect r = system_.windowRect(follower);
        moves.push_back({follower, {r.left + delta.x(), r.top + delta.y()}});
    }
    if (!moves.empty()) {
        system_.moveWindows(moves);
    }
    snapper_.updateGlue();
}

} // namespace oruvel::app
