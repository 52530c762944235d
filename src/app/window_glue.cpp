#include "app/window_glue.h"
#include "platform/qt/desktop_state.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>

namespace oruvel::app {

WindowGlue::WindowGlue() {
    snapper_.setSnapDistance(5);
    rest_.setSingleShot(true);
    rest_.setInterval(kRestMilliseconds);
    connect(&rest_, &QTimer::timeout, this, &WindowGlue::settle);
}

void WindowGlue::addMonitor(QWidget& monitorWindow) {
    monitor_ = &monitorWindow;
    system_.track(&monitorWindow);
    snapper_.addWindow(monitor::windowIdOf(&monitorWindow),
                       settingsWindow_ != nullptr ? monitor::windowIdOf(settingsWindow_) : 0);
}

void WindowGlue::addSettingsWindow(QWidget& settingsWindow) {
    settingsWindow_ = &settingsWindow;
    system_.track(settingsWindow_);
    // The settings window comes first, as the monitor follows it.
    if (monitor_ != nullptr) {
        snapper_.removeWindow(monitor::windowIdOf(monitor_));
    }
    snapper_.addWindow(monitor::windowIdOf(settingsWindow_));
    if (monitor_ != nullptr) {
        addMonitor(*monitor_);
    }
    settingsWindow_->installEventFilter(this);
}

void WindowGlue::moveFromCode(QWidget& window, const QPoint& topLeft) {
    movingFromCode_ = true;
    window.move(topLeft);
    movingFromCode_ = false;
    if (&window == settingsWindow_) {
        lastPosition_ = settingsWindow_->frameGeometry().topLeft();
        if (settingsWindow_->isVisible()) {
            rest_.start();
        }
    }
}

// The window manager moves the settings window; a monitor glued to it follows, keeping its offset, and the glue is
// worked out again where the move leaves them.
bool WindowGlue::eventFilter(QObject* watched, QEvent* event) {
    if (watched == settingsWindow_ && event->type() == QEvent::Move) {
        const QPoint now = settingsWindow_->frameGeometry().topLeft();
        if (positionKnown_ && now != lastPosition_ && settingsWindow_->isVisible() && !movingFromCode_) {
            followSettingsWindow(lastPosition_, now);
            rest_.start();
        }
        lastPosition_ = now;
        positionKnown_ = true;
    }
    return false;
}

void WindowGlue::settle() {
    if (settingsWindow_ == nullptr || !settingsWindow_->isVisible() ||
        QGuiApplication::platformName().startsWith(QStringLiteral("wayland"))) {
        return; // nothing to settle, or a platform where the program cannot place windows
    }
    if (platform::pointerButtonHeld()) {
        rest_.start(); // the window manager is still moving it
        return;
    }
    const QRect frame = settingsWindow_->frameGeometry();
    const monitor::Rect now{frame.left(), frame.top(), frame.left() + frame.width(), frame.top() + frame.height()};
    const monitor::Rect settled = snapper_.settle(monitor::windowIdOf(settingsWindow_), now);
    if (settled != now) {
        settingsWindow_->move(settled.left, settled.top); // as a move of the user's: the glued monitor follows
    }
}

void WindowGlue::followSettingsWindow(const QPoint& from, const QPoint& to) {
    const QPoint delta = to - from;
    std::vector<std::pair<monitor::WindowId, monitor::Point>> moves;
    for (const monitor::WindowId follower : snapper_.followersOf(monitor::windowIdOf(settingsWindow_))) {
        const monitor::Rect r = system_.frame(follower);
        moves.push_back({follower, {r.left + delta.x(), r.top + delta.y()}});
    }
    if (!moves.empty()) {
        system_.moveTogether(moves);
    }
    snapper_.updateGlue();
}

} // namespace oruvel::app
