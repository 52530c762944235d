#pragma once

#include "monitor/window_snapper.h"

#include <QPoint>
#include <QPointer>
#include <QWidget>

#include <optional>

namespace oruvel::monitor {

inline WindowId windowIdOf(const QWidget* w) {
    return reinterpret_cast<WindowId>(w);
}

// Window snapping's view of Qt top-level windows. Rectangles are frame geometries in pixels; the cursor is the last
// position a drag reported (or the real pointer).
class QtSnapWindowSystem final : public SnapWindowSystem {
public:
    void track(QWidget* window);
    void forget(QWidget* window);
    void setCursor(std::optional<QPoint> global) { cursor_ = global; }

    bool exists(WindowId window) const override;
    Rect frame(WindowId window) const override;
    bool isMaximised(WindowId window) const override;
    Rect workArea() const override;
    Point pointer() const override;
    void moveTogether(const std::vector<std::pair<WindowId, Point>>& moves) override;

private:
    QWidget* widget(WindowId window) const;

    std::vector<QPointer<QWidget>> windows_;
    std::optional<QPoint> cursor_;
};

} // namespace oruvel::monitor
