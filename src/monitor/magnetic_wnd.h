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
    virtual bool isWindow(WindowId window) const = 0;
    virtual Rect windowRect(WindowId window) const = 0;
    virtual bool isMaximised(WindowId window) const = 0;
    virtual Rect workArea() const = 0;
    virtual Point cursorPos() const = 0;
    // Moves windows to new top-left corners in one batch, keeping size, z-order and activation.
    virtual void moveWindows(const std::vector<std::pair<WindowId, Point>>& moves) = 0;
};

// Window messages the snapping handler takes.
namespace wm {
inline constexpr unsigned kCommand = 273;
inline constexpr unsigned kSysCommand = 274;
inline constexpr unsigned kSizing = 532;
inline constexpr unsigned kMoving = 534;
inline constexpr unsigned kEnterSizeMove = 561;
inline constexpr unsigned kExitSizeMove = 562;
inline constexpr unsigned kScRestore = 61728;
inline constexpr unsigned kScMinimize = 61472;
} // namespace wm

// Makes a set of top-level windows magnetic: while one is moved or sized, its edges jump to the work area's edges and
// to the other registered windows within the snap width; a window registered with a parent is glued to it while they
// touch, so moving the parent drags it along.
class cMagneticWnd {
public:
    explicit cMagneticWnd(SnapWindowSystem& system);

    // The message handler: `rect` is the message's rectangle for kMoving and kSizing (changed in place), `wParam`
    // the sizing edge or the system command.
    void zSubclass_Proc(bool bBefore, bool& bHandled, long& lReturn, WindowId lng_hWnd, unsigned uMsg,
                        std::uintptr_t wParam, Rect* rect);

    bool AddWindow(WindowId hWnd, WindowId hWndParent);
    bool RemoveWindow(WindowId hWnd);
    void CheckGlueing();
    int SnapWidth() const { return snapWidth_; }
    void SnapWidth(int New_SnapWidth) { snapWidth_ = New_SnapWidth; }

    bool isRegistered(WindowId hWnd) const { return indexOf(hWnd) > 0; }
    bool isGlued(WindowId hWnd) const;
    WindowId parentOf(WindowId hWnd) const;
    // The windows glued to `parent` (its followers).
    std::vector<WindowId> followersOf(WindowId parent) const;

    // touching(A, B): they overlap or share a border line, and at least one edge coordinate is shared.
    static bool touching(const Rect& a, const Rect& b);

private:
    struct Entry {
        WindowId window = 0;
        WindowId parent = 0;
        bool glued = false;
    };

    int indexOf(WindowId hWnd) const;
    void startMoveOrSize(WindowId window);
    void moveRule(WindowId window, Rect& m);
    void sizeRule(WindowId window, int edge, Rect& m);
    void snapEdges(const Rect& m, const Rect& t, int& dx, int& dy) const;

    SnapWindowSystem& system_;
    int snapWidth_ = 10;
    std::vector<Entry> windows_{Entry{}};  // entry 0 is never a real window
    std::vector<Rect> rects_{Rect{}};       // entry 0 is the work area
    Point startPoint_;
    Point grabOffset_;
};

} // namespace oruvel::monitor
