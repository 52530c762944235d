#include "monitor/bar_geometry.h"

#include <gtest/gtest.h>

using namespace oruvel::monitor;

TEST(BarGeometry, FractionIsHeldToTheBar) {
    EXPECT_DOUBLE_EQ(barFraction(50), 0.5);
    EXPECT_DOUBLE_EQ(barFraction(150), 1.0);
    EXPECT_DOUBLE_EQ(barFraction(-5), 0.0);
}

TEST(BarGeometry, FillEdgeRoundsHalvesToEven) {
    EXPECT_EQ(roundHalfEven(76.5), 76);
    EXPECT_EQ(roundHalfEven(77.5), 78);
    EXPECT_EQ(roundHalfEven(77.4999), 77);
    EXPECT_EQ(roundHalfEven(-0.5), 0);

    // 154 x 12 with a border: R is (1, 1, 153, 11), half full ends at 77.
    const Rect r = innerRect({0, 0, 154, 12}, true);
    EXPECT_EQ(r, (Rect{1, 1, 153, 11}));
    EXPECT_EQ(fillRect(r, 0.5), (Rect{1, 1, 77, 11}));
    EXPECT_EQ(innerRect({0, 0, 154, 12}, false), (Rect{0, 0, 154, 12})) << "no border, no shrink";
    EXPECT_EQ(fillRect({0, 0, 154, 12}, 0.0).right, 0);
    EXPECT_EQ(fillRect({0, 0, 154, 12}, 1.0).right, 154);
}

TEST(BarGeometry, TilesRepeatFromTheCornerAndCutAtTheEdges) {
    const auto tiles = tileBitmap(25, 7, 10, 4);
    ASSERT_EQ(tiles.size(), 6U);
    EXPECT_EQ(tiles[0].width, 10);
    EXPECT_EQ(tiles[2].dstX, 20);
    EXPECT_EQ(tiles[2].width, 5);
    EXPECT_EQ(tiles[3].dstY, 4);
    EXPECT_EQ(tiles[3].height, 3);
    // Every destination pixel is covered once and shows (x mod sw, y mod sh).
    for (int x = 0; x < 25; ++x) {
        for (int y = 0; y < 7; ++y) {
            int hits = 0;
            for (const Tile& t : tiles) {
                if (x >= t.dstX && x < t.dstX + t.width && y >= t.dstY && y < t.dstY + t.height) {
                    ++hits;
                    EXPECT_EQ(t.srcX + (x - t.dstX), x % 10);
                    EXPECT_EQ(t.srcY + (y - t.dstY), y % 4);
                }
            }
            EXPECT_EQ(hits, 1);
        }
    }
    EXPECT_TRUE(tileBitmap(10, 10, 0, 4).empty());
}
