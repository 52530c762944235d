#include "monitor/window_snapper.h"

#include <gtest/gtest.h>

#include <map>

using namespace oruvel::monitor;

namespace {

class FakeWindows final : public SnapWindowSystem {
public:
    std::map<WindowId, Rect> rects;
    Rect area{0, 0, 1920, 1040};
    Point cursor;

    bool exists(WindowId w) const override { return rects.count(w) != 0; }
    Rect frame(WindowId w) const override { return rects.at(w); }
    bool isMaximised(WindowId) const override { return false; }
    Rect workArea() const override { return area; }
    Point pointer() const override { return cursor; }
    void moveTogether(const std::vector<std::pair<WindowId, Point>>& moves) override {
        for (const auto& [w, p] : moves) {
            Rect& r = rects.at(w);
            r = {p.x, p.y, p.x + r.width(), p.y + r.height()};
        }
    }
};

constexpr WindowId kMain = 1;
constexpr WindowId kMonitor = 2;

struct WindowSnapping : ::testing::Test {
    FakeWindows windows;
    WindowSnapper snapper{windows};

    // Starts a drag of `w` grabbed at `grab` and moves the pointer to `to`; returns the rectangle the system uses.
    Rect drag(WindowId w, Point grab, Point to) {
        windows.cursor = grab;
        snapper.beginMove(w);
        windows.cursor = to;
        Rect m = windows.rects[w];
        snapper.constrainMove(w, m);
        return m;
    }
};

} // namespace

TEST_F(WindowSnapping, EdgesSnapWithinTheSnapDistanceOnly) {
    windows.rects[kMonitor] = {500, 500, 654, 524};
    ASSERT_TRUE(snapper.addWindow(kMonitor, 0));
    snapper.setSnapDistance(5);
    // Grab at (510, 510): the window's left edge is 10 left of the pointer.
    EXPECT_EQ(drag(kMonitor, {510, 510}, {14, 510}).left, 0) << "4 pixels from the edge snaps";
    EXPECT_EQ(drag(kMonitor, {510, 510}, {15, 510}).left, 5) << "5 pixels does not";
    EXPECT_EQ(drag(kMonitor, {510, 510}, {6, 510}).left, 0) << "-4 snaps too";
    const Rect bottom = drag(kMonitor, {510, 510}, {510, 1040 - 24 + 10 + 3});
    EXPECT_EQ(bottom.bottom, 1040);

    // Still snapped while the pointer stays close, loose again once it has gone far enough.
    windows.cursor = {12, 510};
    Rect m = windows.rects[kMonitor];
    snapper.constrainMove(kMonitor, m);
    EXPECT_EQ(m.left, 0);
    windows.cursor = {40, 510};
    snapper.constrainMove(kMonitor, m);
    EXPECT_EQ(m.left, 30);
}

TEST_F(WindowSnapping, GlueNeedsASharedEdgeAndFollowsTheParent) {
    windows.rects[kMain] = {100, 100, 592, 543};
    windows.rects[kMonitor] = {200, 543, 354, 567}; // top on the main window's bottom
    ASSERT_TRUE(snapper.addWindow(kMain, 0));
    ASSERT_TRUE(snapper.addWindow(kMonitor, kMain));
    EXPECT_TRUE(snapper.isGlued(kMonitor));
    EXPECT_FALSE(snapper.addWindow(kMonitor, kMain)) << "already registered";
    EXPECT_FALSE(snapper.addWindow(99, 0)) << "not a window";
    EXPECT_FALSE(snapper.addWindow(3, 99)) << "parent not a window";

    snapper.setSnapDistance(5);
    const Rect moved = drag(kMain, {300, 110}, {400, 210});
    EXPECT_EQ(moved.left, 200);
    EXPECT_EQ(windows.rects[kMonitor], (Rect{300, 643, 454, 667})) << "the follower keeps its offset";

    // Dragged away and dropped: no longer glued.
    windows.rects[kMain] = moved;
    windows.rects[kMonitor] = {900, 900, 1054, 924};
    snapper.endMove(kMonitor);
    EXPECT_FALSE(snapper.isGlued(kMonitor));

    // Overlapping without a shared edge coordinate is not glue.
    windows.rects[kMonitor] = {250, 250, 404, 274};
    snapper.updateGlue();
    EXPECT_FALSE(snapper.isGlued(kMonitor));
    EXPECT_TRUE(WindowSnapper::touching({0, 0, 10, 10}, {10, 0, 20, 10}));
    EXPECT_FALSE(WindowSnapper::touching({0, 0, 10, 10}, {11, 0, 20, 10}));
}

TEST_F(WindowSnapping, AFollowerAtTheScreenEdgeStopsTheGroup) {
    windows.rects[kMain] = {100, 100, 592, 543};
    windows.rects[kMonitor] = {592, 200, 746, 224}; // glued on the right
    ASSERT_TRUE(snapper.addWindow(kMain, 0));
    ASSERT_TRUE(snapper.addWindow(kMonitor, kMain));
    snapper.setSnapDistance(5);
    // Moving right by 1171 would put the follower's right edge at 1917, 3 from the work area's edge.
    const Rect m = drag(kMain, {300, 110}, {300 + 1171, 110});
    EXPECT_EQ(m.left, 100 + 1174);
    EXPECT_EQ(windows.rects[kMonitor].right, 1920);
}

TEST_F(WindowSnapping, RemovingAParentDetachesItsChildren) {
    windows.rects[kMain] = {100, 100, 592, 543};
    windows.rects[kMonitor] = {200, 543, 354, 567};
    snapper.addWindow(kMain, 0);
    snapper.addWindow(kMonitor, kMain);
    EXPECT_TRUE(snapper.removeWindow(kMain));
    EXPECT_EQ(snapper.parentOf(kMonitor), 0U);
    EXPECT_FALSE(snapper.removeWindow(kMain));
}

TEST_F(WindowSnapping, AWindowAtRestSettlesOnTheNearestEdgesButNotOnItsFollowers) {
    windows.rects[kMain] = {4, 300, 496, 743};
    windows.rects[kMonitor] = {300, 100, 454, 124};
    snapper.addWindow(kMain, 0);
    snapper.addWindow(kMonitor, kMain);
    snapper.setSnapDistance(5);
    EXPECT_EQ(snapper.settle(kMain, windows.rects[kMain]), (Rect{0, 300, 492, 743})) << "4 px from the left edge";
    EXPECT_EQ(snapper.settle(kMain, {100, 300, 592, 743}), (Rect{100, 300, 592, 743})) << "nothing near";
    EXPECT_EQ(snapper.settle(kMain, {100, 127, 592, 570}), (Rect{100, 124, 592, 567}))
        << "3 px below the monitor: onto its bottom edge";

    // Glued, the monitor moves with the window: its edges do not pull.
    windows.rects[kMonitor] = {100, 100, 254, 124};
    windows.rects[kMain] = {100, 124, 592, 567};
    snapper.updateGlue();
    ASSERT_TRUE(snapper.isGlued(kMonitor));
    EXPECT_EQ(snapper.settle(kMain, {300, 127, 792, 570}), (Rect{300, 127, 792, 570}));
}
