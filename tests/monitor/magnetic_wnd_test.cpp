#include "monitor/magnetic_wnd.h"

#include <gtest/gtest.h>

#include <map>

using namespace oruvel::monitor;

namespace {

class FakeWindows final : public SnapWindowSystem {
public:
    std::map<WindowId, Rect> rects;
    Rect area{0, 0, 1920, 1040};
    Point cursor;

    bool isWindow(WindowId w) const override { return rects.count(w) != 0; }
    Rect windowRect(WindowId w) const override { return rects.at(w); }
    bool isMaximised(WindowId) const override { return false; }
    Rect workArea() const override { return area; }
    Point cursorPos() const override { return cursor; }
    void moveWindows(const std::vector<std::pair<WindowId, Point>>& moves) override {
        for (const auto& [w, p] : moves) {
            Rect& r = rects.at(w);
            r = {p.x, p.y, p.x + r.width(), p.y + r.height()};
        }
    }
};

constexpr WindowId kMain = 1;
constexpr WindowId kMonitor = 2;

struct Snapping : ::testing::Test {
    FakeWindows windows;
    cMagneticWnd magnetic{windows};

    void send(WindowId w, unsigned msg, Rect* r = nullptr, std::uintptr_t wParam = 0) {
        bool handled = false;
        long result = 0;
        magnetic.zSubclass_Proc(true, handled, result, w, msg, wParam, r);
    }
    // Starts a drag of `w` grabbed at `grab` and moves the pointer to `to`; returns the rectangle the system uses.
    Rect drag(WindowId w, Point grab, Point to) {
        windows.cursor = grab;
        send(w, wm::kEnterSizeMove);
        windows.cursor = to;
        Rect m = windows.rects[w];
        send(w, wm::kMoving, &m);
        return m;
    }
};

} // namespace

TEST_F(Snapping, EdgesSnapWithinTheSnapWidthOnly) {
    windows.rects[kMonitor] = {500, 500, 654, 524};
    ASSERT_TRUE(magnetic.AddWindow(kMonitor, 0));
    magnetic.SnapWidth(5);
    // Grab at (510, 510): the window's left edge is 10 left of the pointer.
    EXPECT_EQ(drag(kMonitor, {510, 510}, {14, 510}).left, 0) << "4 pixels from the edge snaps";
    EXPECT_EQ(drag(kMonitor, {510, 510}, {15, 510}).left, 5) << "5 pixels does not";
    EXPECT_EQ(drag(kMonitor, {510, 510}, {6, 510}).left, 0) << "-4 snaps too";
    const Rect bottom = drag(kMonitor, {510, 510}, {510, 1040 - 24 + 10 + 3});
    EXPECT_EQ(bottom.bottom, 1040);

    // Still snapped while the pointer stays close, loose again once it has gone far enough.
    windows.cursor = {12, 510};
    Rect m = windows.rects[kMonitor];
    send(kMonitor, wm::kMoving, &m);
    EXPECT_EQ(m.left, 0);
    windows.cursor = {40, 510};
    send(kMonitor, wm::kMoving, &m);
    EXPECT_EQ(m.left, 30);
}

TEST_F(Snapping, GlueNeedsASharedEdgeAndFollowsTheParent) {
    windows.rects[kMain] = {100, 100, 592, 543};
    windows.rects[kMonitor] = {200, 543, 354, 567}; // top on the main window's bottom
    ASSERT_TRUE(magnetic.AddWindow(kMain, 0));
    ASSERT_TRUE(magnetic.AddWindow(kMonitor, kMain));
    EXPECT_TRUE(magnetic.isGlued(kMonitor));
    EXPECT_FALSE(magnetic.AddWindow(kMonitor, kMain)) << "already registered";
    EXPECT_FALSE(magnetic.AddWindow(99, 0)) << "not a window";
    EXPECT_FALSE(magnetic.AddWindow(3, 99)) << "parent not a window";

    magnetic.SnapWidth(5);
    const Rect moved = drag(kMain, {300, 110}, {400, 210});
    EXPECT_EQ(moved.left, 200);
    EXPECT_EQ(windows.rects[kMonitor], (Rect{300, 643, 454, 667})) << "the follower keeps its offset";

    // Dragged away and dropped: no longer glued.
    windows.rects[kMain] = moved;
    windows.rects[kMonitor] = {900, 900, 1054, 924};
    send(kMonitor, wm::kExitSizeMove);
    EXPECT_FALSE(magnetic.isGlued(kMonitor));

    // Overlapping without a shared edge coordinate is not glue.
    windows.rects[kMonitor] = {250, 250, 404, 274};
    magnetic.CheckGlueing();
    EXPECT_FALSE(magnetic.isGlued(kMonitor));
    EXPECT_TRUE(cMagneticWnd::touching({0, 0, 10, 10}, {10, 0, 20, 10}));
    EXPECT_FALSE(cMagneticWnd::touching({0, 0, 10, 10}, {11, 0, 20, 10}));
}

TEST_F(Snapping, AFollowerAtTheScreenEdgeStopsTheGroup) {
    windows.rects[kMain] = {100, 100, 592, 543};
    windows.rects[kMonitor] = {592, 200, 746, 224}; // glued on the right
    ASSERT_TRUE(magnetic.AddWindow(kMain, 0));
    ASSERT_TRUE(magnetic.AddWindow(kMonitor, kMain));
    magnetic.SnapWidth(5);
    // Moving right by 1171 would put the follower's right edge at 1917, 3 from the work area's edge.
    const Rect m = drag(kMain, {300, 110}, {300 + 1171, 110});
    EXPECT_EQ(m.left, 100 + 1174);
    EXPECT_EQ(windows.rects[kMonitor].right, 1920);
}

TEST_F(Snapping, RemovingAParentDetachesItsChildren) {
    windows.rects[kMain] = {100, 100, 592, 543};
    windows.rects[kMonitor] = {200, 543, 354, 567};
    magnetic.AddWindow(kMain, 0);
    magnetic.AddWindow(kMonitor, kMain);
    EXPECT_TRUE(magnetic.RemoveWindow(kMain));
    EXPECT_EQ(magnetic.parentOf(kMonitor), 0U);
    EXPECT_FALSE(magnetic.RemoveWindow(kMain));
}

TEST_F(Snapping, SizingSnapsTheDraggedEdge) {
    windows.rects[kMain] = {100, 100, 592, 543};
    magnetic.AddWindow(kMain, 0);
    magnetic.SnapWidth(5);
    send(kMain, wm::kEnterSizeMove);
    Rect m{100, 100, 1917, 543};
    send(kMain, wm::kSizing, &m, 2); // right edge
    EXPECT_EQ(m.right, 1920);
    Rect l{3, 100, 592, 543};
    send(kMain, wm::kSizing, &l, 1); // left edge
    EXPECT_EQ(l.left, 0);
}
