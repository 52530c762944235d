#include "monitor/monitor_layout.h"
#include "monitor/window_region.h"

#include <gtest/gtest.h>

using namespace oruvel::monitor;

TEST(MonitorLayout, LoadAndOptionLayouts) {
    const MonitorLayout load = loadLayout(false);
    EXPECT_EQ(load.width, 2320);
    EXPECT_EQ(load.height, 370);
    const MonitorLayout normal = optionLayout(false);
    EXPECT_EQ(normal.width, 2310);
    EXPECT_EQ(normal.height, 360);
    EXPECT_EQ(normal.bar[1], (TwipRect{0, 180, 2310, 180}));
    const MonitorLayout compact = optionLayout(true);
    EXPECT_EQ(compact.width, 2310);
    EXPECT_EQ(compact.height, 180);
    EXPECT_EQ(compact.bar[0], (TwipRect{0, 0, 1155, 180}));
    EXPECT_EQ(compact.bar[1], (TwipRect{1155, 0, 1155, 180}));
    EXPECT_EQ(loadLayout(true), compact);
}

TEST(MonitorLayout, DefaultPlaceIsOneWidthInFromTheBottomRight) {
    const TwipPoint small = defaultPlace(1024, 738, 2320, 370);
    EXPECT_EQ(small.left, 10720);
    EXPECT_EQ(small.top, 10700);
    const TwipPoint wide = defaultPlace(1920, 1040, 2310, 360);
    EXPECT_EQ(wide.left, 24180);
    EXPECT_EQ(wide.top, 15240);
}

TEST(WindowRegion, RoundedCornersCutOnlyTheCorners) {
    const auto square = roundRectSpans(154, 12, 0, 0);
    ASSERT_EQ(square.size(), 12U);
    for (const auto& s : square) {
        EXPECT_EQ(s.left, 0);
        EXPECT_EQ(s.right, 154);
    }
    const auto round = roundRectSpans(154, 12, 7, 7);
    ASSERT_EQ(round.size(), 12U);
    EXPECT_GT(round.front().left, 0);
    EXPECT_LT(round.front().right, 154);
    EXPECT_EQ(round.front().left, 154 - round.front().right) << "symmetric";
    EXPECT_EQ(round[0].left, round[11].left) << "top and bottom alike";
    EXPECT_EQ(round[6].left, 0);
    EXPECT_EQ(round[6].right, 154);
    EXPECT_TRUE(roundRectSpans(0, 12, 7, 7).empty());
}
