#include "monitor/qt_snap_window_system.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace oruvel::monitor {

void QtSnapWindowSystem::track(QWidget* window) {
    if (window != nullptr && this->widget(windowIdOf(window)) == nullptr) {
        windows_.emplace_back(window);
    }
}

void QtSnapWindowSystem::forget(QWidget* window) {
    std::erase_if(windows_, [&](const QPointer<QWidget>& w) { return w.isNull() || w.data() == window; });
}

QWidget* QtSnapWindowSystem::widget(WindowId window) const {
    for (const auto& w : windows_) {
        if (!w.isNull() && windowIdOf(w.data()) == window) {
            return w.data();
        }
    }
    return nullptr;
}

bool QtSnapWindowSystem::exists(WindowId window) const {
    return widget(window) != nullptr;
}

Rect QtSnapWindowSystem::frame(WindowId window) const {
    const QWidget* w = widget(window);
    if (w == nullptr) {
        return {};
    }
    const QRect g = w->frameGeometry();
    return {g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

bool QtSnapWindowSystem::isMaximised(WindowId window) const {
    const QWidget* w = widget(window);
    return w != nullptr && w->isMaximized();
}

Rect QtSnapWindowSystem::workArea() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return {};
    }
    const QRect a = screen->availableGeometry();
    return {a.left(), a.top(), a.left() + a.width(), a.top() + a.height()};
}

Point QtSnapWindowSystem::pointer() const {
    const QPoint p = cursor_.value_or(QCursor::pos());
    return {p.x(), p.y()};
}

void QtSnapWindowSystem::moveTogether(const std::vector<std::pair<WindowId, Point>>& moves) {
    for (const auto& [id, topLeft] : moves) {
        if (QWidget* w = widget(id)) {
            w->move(topLeft.x, topLeft.y);
        }
    }
}

} // namespace oruvel::monitor
