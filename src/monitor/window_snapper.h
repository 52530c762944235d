#pragma once

#include "monitor/bar_geometry.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace oruvel::monitor {

using WindowId = std::uintptr_t;

struct Point {
    int x = 0;
    int y = 0;
};

// What window snapping needs of the window system.
class SnapWindowSystem {
public:
    virtual ~SnapWindowSystem() = default;
    virtual bool exists(WindowId window) const = 0;
    // The window's frame on the screen.
    virtual Rect frame(WindowId window) const = 0;
    virtual bool isMaximised(WindowId window) const = 0;
    virtual Rect workArea() const = 0;
    // Where the pointer is.
    virtual Point pointer() const = 0;
    // Moves windows to new top-left corners in one batch, keeping size, z-order and activation.
    virtual void moveTogether(const std::vector<std::pair<WindowId, Point>>& moves) = 0;
};

// Makes a set of top-level windows magnetic: while one is moved, its edges jump to the work area's edges and
// to the other registered windows within the snap distance; a window registered with a parent is glued to it while they
// touch, so moving the parent drags it along.
class WindowSnapper {
public:
    explicit WindowSnapper(SnapWindowSystem& system);

    // A move of a registered window: begin, then each proposed rectangle is changed in place by the snapping rules
    // (glued windows are moved along), and the glue is worked out again at the end. Windows that are not registered
    // are left alone.
    void beginMove(WindowId window);
    void constrainMove(WindowId window, Rect& proposed);
    void endMove(WindowId window);

    // Where a window that has come to rest at `r` belongs: moved onto a work-area edge or an edge of another
    // registered window within the snap distance (windows glued to it move along, so they do not count).
    Rect settle(WindowId window, Rect r) const;

    // Registers a window, glued to `gluedTo` while they touch (0: to none). False when it is registered already or
    // either window does not exist.
    bool addWindow(WindowId window, WindowId gluedTo = 0);
    bool removeWindow(WindowId window);
    void updateGlue();
    void setSnapDistance(int pixels) { snapDistance_ = pixels; }

    bool isRegistered(WindowId window) const { return find(window) != nullptr; }
    bool isGlued(WindowId window) const;
    WindowId parentOf(WindowId window) const;
    // The windows glued to `parent` (its followers).
    std::vector<WindowId> followersOf(WindowId parent) const;

    // touching(A, B): they overlap or share a border line, and at least one edge coordinate is shared.
    static bool touching(const Rect& a, const Rect& b);

private:
    struct TrackedWindow {
        WindowId window = 0;
        WindowId parent = 0;
        bool glued = false;
        Rect frame; // where it was when the glue was worked out or the move began
    };

    const TrackedWindow* find(WindowId window) const;
    bool followsMover(const TrackedWindow& t, WindowId mover) const { return t.glued && t.parent == mover; }
    void startMove(WindowId window);
    void moveRule(WindowId window, Rect& m);
    void snapEdges(const Rect& m, const Rect& t, int& dx, int& dy) const;

    SnapWindowSystem& system_;
    int snapDistance_ = 10;
    std::vector<TrackedWindow> windows_;
    Rect workArea_; // when the move began
    Point startPoint_;
    Point grabOffset_;
};

} // namespace oruvel::monitor
