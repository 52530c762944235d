#include "monitor/window_snapper.h"

#include <algorithm>
#include <cstdlib>

namespace oruvel::monitor {

WindowSnapper::WindowSnapper(SnapWindowSystem& system) : system_(system) {}

int WindowSnapper::indexOf(WindowId window) const {
    for (std::size_t i = 1; i < windows_.size(); ++i) {
        if (windows_[i].window == window) {
            return static_cast<int>(i);
        }
    }
    return 0;
}

bool WindowSnapper::isGlued(WindowId window) const {
    const int i = indexOf(window);
    return i > 0 && windows_[static_cast<std::size_t>(i)].glued;
}

WindowId WindowSnapper::parentOf(WindowId window) const {
    const int i = indexOf(window);
    return i > 0 ? windows_[static_cast<std::size_t>(i)].parent : 0;
}

std::vector<WindowId> WindowSnapper::followersOf(WindowId parent) const {
    std::vector<WindowId> out;
    for (std::size_t j = 1; j < windows_.size(); ++j) {
        if (windows_[j].glued && windows_[j].parent == parent) {
            out.push_back(windows_[j].window);
        }
    }
    return out;
}

bool WindowSnapper::addWindow(WindowId window, WindowId gluedTo) {
    if (indexOf(window) > 0) {
        return false;
    }
    if (!system_.isWindow(window) || (gluedTo != 0 && !system_.isWindow(gluedTo))) {
        return false;
    }
    windows_.push_back({window, gluedTo, false});
    rects_.emplace_back();
    updateGlue();
    return true;
}

bool WindowSnapper::removeWindow(WindowId window) {
    const int i = indexOf(window);
    if (i == 0) {
        return false;
    }
    windows_.erase(windows_.begin() + i);
    rects_.erase(rects_.begin() + i);
    for (TrackedWindow& e : windows_) {
        if (e.parent == window) {
            e.parent = 0;
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
    const std::size_t n = windows_.size() - 1;
    for (std::size_t i = 1; i <= n; ++i) {
        rects_[i] = system_.windowRect(windows_[i].window);
        windows_[i].glued = false;
    }
    for (std::size_t i = 1; i <= n; ++i) {
        if (windows_[i].parent != 0) {
            const auto p = static_cast<std::size_t>(indexOf(windows_[i].parent));
            windows_[i].glued = touching(rects_[p], rects_[i]);
        }
    }
    for (std::size_t round = 0; round < n; ++round) {
        for (std::size_t j = 1; j <= n; ++j) {
            if (!windows_[j].glued) {
                continue;
            }
            for (std::size_t k = 1; k <= n; ++k) {
                if (k != j && !windows_[k].glued && windows_[k].parent == windows_[j].parent) {
                    windows_[k].glued = touching(rects_[j], rects_[k]);
                }
            }
        }
    }
}

void WindowSnapper::startMove(WindowId window) {
    rects_[0] = system_.workArea();
    for (std::size_t i = 1; i < windows_.size(); ++i) {
        rects_[i] = system_.isMaximised(windows_[i].window) ? rects_[0] : system_.windowRect(windows_[i].window);
        if (windows_[i].window == window) {
            const Point cursor = system_.cursorPos();
            startPoint_ = cursor;
            grabOffset_ = {rects_[i].left - cursor.x, rects_[i].top - cursor.y};
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
    const auto w = static_cast<std::size_t>(indexOf(window));
    const Point p = system_.cursorPos();
    const int width = m.width();
    const int height = m.height();
    m.left = p.x + grabOffset_.x;
    m.top = p.y + grabOffset_.y;
    m.right = m.left + width;
    m.bottom = m.top + height;

    const auto gluedTo = [&](std::size_t k) { return windows_[k].glued && windows_[k].parent == window; };
    int dx = 0;
    int dy = 0;
    for (std::size_t k = 0; k < windows_.size(); ++k) {
        if (k != w && !(k > 0 && gluedTo(k))) {
            snapEdges(m, rects_[k], dx, dy);
        }
    }
    for (std::size_t j = 1; j < windows_.size(); ++j) {
        if (!gluedTo(j)) {
            continue;
        }
        Rect g = rects_[j];
        const int sx = p.x - startPoint_.x;
        const int sy = p.y - startPoint_.y;
        g = {g.left + sx, g.top + sy, g.right + sx, g.bottom + sy};
        for (std::size_t h = 0; h < windows_.size(); ++h) {
            if (h != j && !(h > 0 && windows_[h].glued) && h != w) {
                snapEdges(g, rects_[h], dx, dy);
            }
        }
    }
    m = {m.left + dx, m.top + dy, m.right + dx, m.bottom + dy};

    std::vector<std::pair<WindowId, Point>> moves;
    const Rect& start = rects_[w];
    for (std::size_t j = 1; j < windows_.size(); ++j) {
        if (gluedTo(j)) {
            moves.push_back(
                {windows_[j].window, {rects_[j].left - (start.left - m.left), rects_[j].top - (start.top - m.top)}});
        }
    }
    if (!moves.empty()) {
        system_.moveWindows(moves);
    }
}

Rect WindowSnapper::settle(WindowId window, Rect r) const {
    int dx = 0;
    int dy = 0;
    snapEdges(r, system_.workArea(), dx, dy);
    for (std::size_t k = 1; k < windows_.size(); ++k) {
        const TrackedWindow& other = windows_[k];
        if (other.window != window && !(other.glued && other.parent == window)) {
            snapEdges(r, system_.windowRect(other.window), dx, dy);
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
