#include "monitor/window_snapper.h"

#include <algorithm>
#include <cstdlib>

namespace oruvel::monitor {

WindowSnapper::WindowSnapper(SnapWindowSystem& system) : system_(system) {}

const WindowSnapper::TrackedWindow* WindowSnapper::find(WindowId window) const {
    const auto at =
        std::find_if(windows_.begin(), windows_.end(), [window](const TrackedWindow& t) { return t.window == window; });
    return at == windows_.end() ? nullptr : &*at;
}

bool WindowSnapper::isGlued(WindowId window) const {
    const TrackedWindow* t = find(window);
    return t != nullptr && t->glued;
}

WindowId WindowSnapper::parentOf(WindowId window) const {
    const TrackedWindow* t = find(window);
    return t != nullptr ? t->parent : 0;
}

std::vector<WindowId> WindowSnapper::followersOf(WindowId parent) const {
    std::vector<WindowId> out;
    for (const TrackedWindow& t : windows_) {
        if (followsMover(t, parent)) {
            out.push_back(t.window);
        }
    }
    return out;
}

bool WindowSnapper::addWindow(WindowId window, WindowId gluedTo) {
    if (isRegistered(window) || !system_.exists(window) || (gluedTo != 0 && !system_.exists(gluedTo))) {
        return false;
    }
    windows_.push_back({window, gluedTo, false, {}});
    updateGlue();
    return true;
}

bool WindowSnapper::removeWindow(WindowId window) {
    if (std::erase_if(windows_, [window](const TrackedWindow& t) { return t.window == window; }) == 0) {
        return false;
    }
    for (TrackedWindow& t : windows_) {
        if (t.parent == window) {
            t.parent = 0;
        }
    }
    updateGlue();
    return true;
}

bool WindowSnapper::touching(const Rect& a, const Rect& b) {
    const Rect u{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                 std::max(a.bottom, b.bottom)};
    const bool near = a.width() + b.width() >= u.width() && a.height() + b.height() >= u.height();
    const bool sharedEdge = b.left == a.left || b.right == a.left || b.left == a.right || b.right == a.right ||
                            a.top == b.top || a.top == b.bottom || b.top == a.bottom || b.bottom == a.bottom;
    return near && sharedEdge;
}

void WindowSnapper::updateGlue() {
    for (TrackedWindow& t : windows_) {
        t.frame = system_.frame(t.window);
        t.glued = false;
    }
    for (TrackedWindow& t : windows_) {
        if (const TrackedWindow* parent = t.parent != 0 ? find(t.parent) : nullptr) {
            t.glued = touching(parent->frame, t.frame);
        }
    }
    // A window touching a glued sibling is glued too, however long the chain.
    for (std::size_t round = 0; round < windows_.size(); ++round) {
        for (const TrackedWindow& j : windows_) {
            if (!j.glued) {
                continue;
            }
            for (TrackedWindow& k : windows_) {
                if (&k != &j && !k.glued && k.parent == j.parent) {
                    k.glued = touching(j.frame, k.frame);
                }
            }
        }
    }
}

void WindowSnapper::startMove(WindowId window) {
    workArea_ = system_.workArea();
    for (TrackedWindow& t : windows_) {
        t.frame = system_.isMaximised(t.window) ? workArea_ : system_.frame(t.window);
        if (t.window == window) {
            const Point cursor = system_.pointer();
            startPoint_ = cursor;
            grabOffset_ = {t.frame.left - cursor.x, t.frame.top - cursor.y};
        }
    }
}

void WindowSnapper::snapEdges(const Rect& m, const Rect& t, int& dx, int& dy) const {
    const int s = snapDistance_;
    if (m.top < t.bottom + s && t.top - s < m.bottom) {
        if (std::abs(m.left - t.left) < s) {
            dx = t.left - m.left;
        } else if (std::abs(m.left - t.right) < s) {
            dx = t.right - m.left;
        } else if (std::abs(m.right - t.left) < s) {
            dx = t.left - m.right;
        } else if (std::abs(m.right - t.right) < s) {
            dx = t.right - m.right;
        }
    }
    if (m.left < t.right + s && t.left - s < m.right) {
        if (std::abs(m.top - t.top) < s) {
            dy = t.top - m.top;
        } else if (std::abs(m.top - t.bottom) < s) {
            dy = t.bottom - m.top;
        } else if (std::abs(m.bottom - t.top) < s) {
            dy = t.top - m.bottom;
        } else if (std::abs(m.bottom - t.bottom) < s) {
            dy = t.bottom - m.bottom;
        }
    }
}

void WindowSnapper::moveRule(WindowId window, Rect& m) {
    const Point p = system_.pointer();
    const int width = m.width();
    const int height = m.height();
    m.left = p.x + grabOffset_.x;
    m.top = p.y + grabOffset_.y;
    m.right = m.left + width;
    m.bottom = m.top + height;

    // The moved window snaps to the work area and to every window that does not move with it; so does each window
    // glued to it, at the place the move takes it, to the windows that are neither glued nor the moved one.
    int dx = 0;
    int dy = 0;
    snapEdges(m, workArea_, dx, dy);
    for (const TrackedWindow& k : windows_) {
        if (k.window != window && !followsMover(k, window)) {
            snapEdges(m, k.frame, dx, dy);
        }
    }
    const int sx = p.x - startPoint_.x;
    const int sy = p.y - startPoint_.y;
    for (const TrackedWindow& j : windows_) {
        if (!followsMover(j, window)) {
            continue;
        }
        const Rect g{j.frame.left + sx, j.frame.top + sy, j.frame.right + sx, j.frame.bottom + sy};
        snapEdges(g, workArea_, dx, dy);
        for (const TrackedWindow& h : windows_) {
            if (&h != &j && !h.glued && h.window != window) {
                snapEdges(g, h.frame, dx, dy);
            }
        }
    }
    m = {m.left + dx, m.top + dy, m.right + dx, m.bottom + dy};

    std::vector<std::pair<WindowId, Point>> moves;
    const Rect& start = find(window)->frame;
    for (const TrackedWindow& j : windows_) {
        if (followsMover(j, window)) {
            moves.push_back({j.window, {j.frame.left - (start.left - m.left), j.frame.top - (start.top - m.top)}});
        }
    }
    if (!moves.empty()) {
        system_.moveTogether(moves);
    }
}

Rect WindowSnapper::settle(WindowId window, Rect r) const {
    int dx = 0;
    int dy = 0;
    snapEdges(r, system_.workArea(), dx, dy);
    for (const TrackedWindow& other : windows_) {
        if (other.window != window && !followsMover(other, window)) {
            snapEdges(r, system_.frame(other.window), dx, dy);
        }
    }
    return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

void WindowSnapper::beginMove(WindowId window) {
    if (isRegistered(window)) {
        startMove(window);
    }
}

void WindowSnapper::constrainMove(WindowId window, Rect& proposed) {
    if (isRegistered(window)) {
        moveRule(window, proposed);
    }
}

void WindowSnapper::endMove(WindowId window) {
    if (isRegistered(window)) {
        updateGlue();
    }
}

} // namespace oruvel::monitor
