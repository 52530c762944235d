#include "monitor/bar_geometry.h"

#include <gtest/gtest.h>

#include <limits>

using namespace oruvel::monitor;

TEST(BarGeometry, FractionIsHeldToTheRangeAndRefusesAnEmptyScale) {
    EXPECT_DOUBLE_EQ(*barFraction(50, 0, 100), 0.5);
    EXPECT_DOUBLE_EQ(*barFraction(150, 0, 100), 1.0);
    EXPECT_DOUBLE_EQ(*barFraction(-5, 0, 100), 0.0);
    EXPECT_DOUBLE_EQ(*barFraction(5, 10, 0), 0.5) << "a reversed scale still divides";
    EXPECT_FALSE(barFraction(5, 7, 7));
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    EXPECT_FALSE(barFraction(kMax, kMin, 0)) << "Value - Min overflows";
    EXPECT_FALSE(barFraction(0, kMin, kMax)) << "Max - Min overflows";
}

TEST(BarGeometry, FillEdgeRoundsHalvesToEven) {
    EXPECT_EQ(roundHalfEven(76.5), 76);
    EXPECT_EQ(roundHalfEven(77.5), 78);
    EXPECT_EQ(roundHalfEven(77.4999), 77);
    EXPECT_EQ(roundHalfEven(-0.5), 0);

    // 154 x 12 with a border of look 1: R is (1, 1, 153, 11), half full ends at 77.
    const Rect r = innerRect({0, 0, 154, 12}, 1, 1, false);
    EXPECT_EQ(r, (Rect{1, 1, 153, 11}));
    EXPECT_EQ(fillRect(r, 0.5, true, 0), (Rect{1, 1, 77, 11}));
    EXPECT_EQ(innerRect({0, 0, 154, 12}, 1, 2, false), (Rect{2, 2, 152, 10})) << "the edge look takes 2 pixels";
    EXPECT_EQ(innerRect({0, 0, 154, 12}, 0, 2, false), (Rect{0, 0, 154, 12})) << "no border, no shrink";
    EXPECT_EQ(fillRect({0, 0, 154, 12}, 0.0, true, 0).right, 0);
    EXPECT_EQ(fillRect({0, 0, 154, 12}, 1.0, true, 0).right, 154);

    // Vertical bars fill from the bottom up.
    EXPECT_EQ(fillRect({0, 0, 12, 100}, 0.25, false, 0), (Rect{0, 75, 12, 100}));
    EXPECT_FALSE(isHorizontalBar(12, 12)) << "a square bar is vertical";
}

TEST(BarGeometry, SegmentsSnapTheEdgeAndPaintGapsFromTheStart) {
    const Rect r{1, 1, 153, 11};
    // f chosen so the unsnapped edge is 58: (58 - 1) / 152.
    const Rect f = fillRect(r, 57.0 / 152.0, true, kSegmentChunk + kSegmentSpace);
    EXPECT_EQ(f.right, 51);
    std::vector<int> xs;
    for (const Rect& gap : segmentGaps(f, r, true)) {
        xs.push_back(gap.left);
        EXPECT_EQ(gap.width(), 2);
        EXPECT_EQ(gap.top, 1);
        EXPECT_EQ(gap.bottom, 11);
    }
    EXPECT_EQ(xs, (std::vector<int>{9, 19, 29, 39, 49}));

    const Rect v = fillRect({0, 0, 12, 100}, 0.33, false, 10);
    EXPECT_EQ(v.top, 70) << "the top moves down to a whole period from the bottom";
    EXPECT_EQ(segmentGaps(v, {0, 0, 12, 100}, false).front(), (Rect{0, 100, 12, 102}));
}

TEST(BarGeometry, TilesRepeatFromTheOffsetAndCutAtTheEdges) {
    const auto tiles = tileBitmap(0, 0, 25, 7, 10, 4, 0, 0);
    ASSERT_EQ(tiles.size(), 6U);
    EXPECT_EQ(tiles[0].width, 10);
    EXPECT_EQ(tiles[2].dstX, 20);
    EXPECT_EQ(tiles[2].width, 5);
    EXPECT_EQ(tiles[3].dstY, 4);
    EXPECT_EQ(tiles[3].height, 3);

    // Destination pixel (x + i, y + j) shows ((x + ox + i) mod sw, (y + oy + j) mod sh).
    const auto shifted = tileBitmap(2, 1, 12, 5, 10, 4, 3, 1);
    for (int i = 0; i < 12; ++i) {
        for (int j = 0; j < 5; ++j) {
            const int dx = 2 + i;
            const int dy = 1 + j;
            int hits = 0;
            for (const Tile& t : shifted) {
                if (dx >= t.dstX && dx < t.dstX + t.width && dy >= t.dstY && dy < t.dstY + t.height) {
                    ++hits;
                    EXPECT_EQ(t.srcX + (dx - t.dstX), (2 + 3 + i) % 10);
                    EXPECT_EQ(t.srcY + (dy - t.dstY), (1 + 1 + j) % 4);
                }
            }
            EXPECT_EQ(hits, 1);
        }
    }
    EXPECT_TRUE(tileBitmap(0, 0, 10, 10, 0, 4, 0, 0).empty());
}
