#include "monitor/rate_bar.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace oruvel::monitor;

namespace {

const QColor kBack(0, 0, 255);
const QColor kFill(0, 255, 0);
constexpr QRgb kBackRgb = qRgb(0, 0, 255) & 0xFFFFFF;
constexpr QRgb kFillRgb = qRgb(0, 255, 0) & 0xFFFFFF;

struct BarFixture : ::testing::Test {
    RateBar bar;
    BarFixture() {
        bar.resize(154, 12);
        bar.setBorderStyle(BorderStyle::None);
        bar.setBackgroundColour(kBack);
        bar.setFillColour(kFill);
    }
    QRgb pixel(int x, int y) { return bar.image().pixel(x, y) & 0xFFFFFF; }
};

QImage stripes(int width, int height) {
    // Each column a different colour, so positions can be told apart.
    QImage image(width, height, QImage::Format_RGB32);
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            image.setPixel(x, y, qRgb(x * 10 % 256, 100 + y, 50));
        }
    }
    return image;
}

} // namespace

TEST_F(BarFixture, AFillPictureIsCopiedOpaqueAndAnImpossibleOneIsNotKept) {
    QImage picture(10, 12, QImage::Format_ARGB32);
    picture.fill(QColor(255, 0, 0, 128)); // half see-through red
    bar.setBorderStyle(BorderStyle::None);
    bar.setFillPicture(picture);
    picture.fill(Qt::blue); // the bar keeps its own copy
    bar.setValue(100);
    EXPECT_EQ(pixel(3, 6), qRgb(128, 0, 0) & 0xFFFFFF) << "its colour times its alpha";
    EXPECT_EQ(pixel(13, 6), pixel(3, 6)) << "tiled";

    bar.setFillPicture(QImage(8192, 4096, QImage::Format_RGB32));
    EXPECT_FALSE(bar.hasFillPicture()) << "more pixels than a bar picture may have";
    EXPECT_EQ(pixel(3, 6), kFillRgb) << "the fill colour is drawn again";
}

TEST_F(BarFixture, ColourFillEndsWhereTheValueSays) {
    bar.setBorderStyle(BorderStyle::Sunken);
    bar.setValue(50);
    // Inside the border, R is (1, 1, 153, 11) and the fill ends at 77.
    EXPECT_EQ(pixel(76, 6), kFillRgb);
    EXPECT_EQ(pixel(77, 6), kBackRgb);
    EXPECT_EQ(pixel(1, 1), kFillRgb);
    EXPECT_NE(pixel(0, 6), kFillRgb) << "the border is drawn over the outer pixels";
    bar.setValue(150);
    EXPECT_EQ(pixel(152, 6), kFillRgb);
    bar.setValue(-3);
    EXPECT_EQ(pixel(1, 6), kBackRgb);
}

TEST_F(BarFixture, TextTakesTheFillsOwnColourOverTheFill) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    font.setBold(true);
    bar.setFont(font);
    bar.setTextColour(Qt::red);       // red text over the background
    bar.setFillTextColour(Qt::white); // white text over the fill
    bar.setText(QStringLiteral("MMMMMMMMMMMMMMMMMMMMMMMMM"));
    bar.setValue(50);
    bool whiteInFill = false;
    bool redInBack = false;
    bool redInFill = false;
    for (int x = 0; x < 154; ++x) {
        for (int y = 0; y < 12; ++y) {
            const QRgb p = pixel(x, y);
            if (x < 77) {
                whiteInFill = whiteInFill || p == (qRgb(255, 255, 255) & 0xFFFFFF);
                redInFill = redInFill || p == (qRgb(255, 0, 0) & 0xFFFFFF);
            } else {
                redInBack = redInBack || p == (qRgb(255, 0, 0) & 0xFFFFFF);
            }
        }
    }
    EXPECT_TRUE(whiteInFill);
    EXPECT_TRUE(redInBack);
    EXPECT_FALSE(redInFill);

    bar.setValue(0); // nothing filled: the whole text is red, none of it white
    bool red = false;
    bool white = false;
    for (int x = 0; x < 154; ++x) {
        for (int y = 0; y < 12; ++y) {
            red = red || pixel(x, y) == (qRgb(255, 0, 0) & 0xFFFFFF);
            white = white || pixel(x, y) == (qRgb(255, 255, 255) & 0xFFFFFF);
        }
    }
    EXPECT_TRUE(red);
    EXPECT_FALSE(white);
    EXPECT_EQ(pixel(1, 6), kBackRgb);

    bar.setText(QString());
    for (int x = 80; x < 154; ++x) {
        EXPECT_EQ(pixel(x, 6), kBackRgb);
    }
}

TEST_F(BarFixture, PictureFillIsAnchoredToTheWholeBar) {
    const QImage picture = stripes(154, 12);
    bar.setFillPicture(picture);
    bar.setValue(30);
    const int edge = 46; // 0.3 * 154 = 46.2
    for (int x = 0; x < edge; ++x) {
        EXPECT_EQ(pixel(x, 3), picture.pixel(x, 3) & 0xFFFFFF) << x;
    }
    EXPECT_EQ(pixel(edge + 1, 3), kBackRgb);

    // A smaller picture in tile mode repeats from the top-left corner of the bar.
    const QImage small = stripes(10, 4);
    bar.setFillPicture(small);
    bar.setValue(100);
    EXPECT_EQ(pixel(23, 5), small.pixel(3, 1) & 0xFFFFFF);
    EXPECT_EQ(pixel(153, 11), small.pixel(3, 3) & 0xFFFFFF);
    bar.setFillPicture(QImage());
    EXPECT_FALSE(bar.hasFillPicture());
    EXPECT_EQ(pixel(5, 5), kFillRgb);
}

TEST_F(BarFixture, ANarrowerBarShowsTheWideBarsPictureSqueezedSoAFullBarEndsAsOne) {
    QImage greenToRed(154, 12, QImage::Format_RGB32);
    for (int x = 0; x < 154; ++x) {
        for (int y = 0; y < 12; ++y) {
            greenToRed.setPixel(x, y, qRgb(x * 255 / 153, 255 - x * 255 / 153, 0));
        }
    }
    bar.resize(77, 12); // a bar of the compact layout
    bar.setPictureSpan(154);
    bar.setFillPicture(greenToRed);
    bar.setValue(100);
    EXPECT_GT(qRed(pixel(76, 6)), 240) << "a full bar ends in the picture's red end";
    EXPECT_GT(qGreen(pixel(0, 6)), 240) << "and starts in its green one";
    bar.setValue(50);
    EXPECT_NEAR(qRed(pixel(37, 6)), 126, 6) << "the fill uncovers the picture anchored to the bar, halfway at half";
    EXPECT_EQ(pixel(39, 6), kBackRgb);

    bar.setPictureSpan(0);
    bar.setValue(100);
    EXPECT_NEAR(qRed(pixel(76, 6)), 127, 2) << "without a span, the picture lies over the bar as it is";

    // A small tile repeats as it would over the wide bar, at half its width.
    bar.setPictureSpan(154);
    QImage tile(10, 12, QImage::Format_RGB32);
    tile.fill(Qt::red);
    for (int y = 0; y < 12; ++y) {
        for (int x = 5; x < 10; ++x) {
            tile.setPixel(x, y, qRgb(0, 0, 0));
        }
    }
    bar.setFillPicture(tile);
    EXPECT_GT(qRed(pixel(1, 6)), 200);
    EXPECT_LT(qRed(pixel(3, 6)), 60);
    EXPECT_GT(qRed(pixel(6, 6)), 200) << "the tile is 5 pixels wide on the narrow bar";
}

// A change is told (for the blend mode's shape) only when it changes what the bar shows.
TEST_F(BarFixture, OnlyAChangeIsTold) {
    int told = 0;
    QObject::connect(&bar, &RateBar::pictureChanged, [&told] { ++told; });
    bar.setValue(bar.value());
    bar.setText(bar.text());
    bar.setBackgroundColour(kBack);
    EXPECT_EQ(told, 0) << "setting what is there changes nothing";
    bar.setValue(77);
    bar.setText(QStringLiteral("Drive Read: 1.00 MB/s"));
    EXPECT_EQ(told, 2);
    bar.setFillPicture(QImage(154, 12, QImage::Format_RGB32));
    bar.setFillPicture(QImage(154, 12, QImage::Format_RGB32));
    EXPECT_EQ(told, 4) << "a picture set anew, even an equal one, is drawn anew";
    bar.resize(100, 12);
    EXPECT_EQ(bar.image().width(), 100) << "a resized bar is drawn at its new size";
}

TEST_F(BarFixture, TheSunkenBorderShadesTheEdges) {
    bar.setValue(0);
    bar.setBorderStyle(BorderStyle::Sunken);
    EXPECT_NE(pixel(0, 0), kBackRgb);
    EXPECT_NE(pixel(153, 11), kBackRgb);
    EXPECT_NE(pixel(0, 0), pixel(153, 11)) << "shadow top-left, light bottom-right";
    EXPECT_EQ(pixel(1, 1), kBackRgb) << "one pixel deep";
    bar.setBorderStyle(BorderStyle::None);
    EXPECT_EQ(pixel(0, 0), kBackRgb);
}

TEST_F(BarFixture, ATextWiderThanTheBarIsDrawnWholeNotCutInItsUnit) {
    bar.resize(77, 12); // a bar of the compact layout
    bar.setTextColour(Qt::white);
    bar.setValue(0);
    const auto inkColumns = [this] {
        std::vector<int> columns;
        for (int x = 0; x < bar.width(); ++x) {
            for (int y = 0; y < bar.height(); ++y) {
                const QColor c = bar.image().pixelColor(x, y);
                if (c.red() > 128 && c.green() > 128) { // white over the blue background
                    columns.push_back(x);
                    break;
                }
            }
        }
        return columns;
    };
    bar.setText(QStringLiteral("12.00 MB"));
    const std::vector<int> narrow = inkColumns();
    ASSERT_FALSE(narrow.empty());
    EXPECT_LT(narrow.back(), 60) << "a text that fits is drawn as it is";

    bar.setText(QStringLiteral("10240.00 MB 10240.00 MB"));
    const std::vector<int> wide = inkColumns();
    ASSERT_FALSE(wide.empty());
    EXPECT_GE(wide.back(), 65) << "the text reaches across the bar";
    EXPECT_LT(wide.back(), 76) << "and ends before its edge, with the space after it: nothing is cut";
}

// For a window that shows its pixels' alpha: the key colour and what lies outside the outline are see-through.
TEST_F(BarFixture, KeyedAndOutlinedPixelsAreLeftSeeThrough) {
    bar.setText(QStringLiteral("Drive Read: 1 KB/s"));
    bar.setValue(50);
    EXPECT_EQ(qAlpha(bar.image().pixel(120, 6)), 255) << "opaque until asked";

    bar.setKeyedOutColour(kBack);
    EXPECT_EQ(bar.image().pixel(120, 6), 0u) << "the background, of the key colour";
    EXPECT_EQ(bar.image().pixel(70, 11), qRgb(0, 255, 0)) << "the fill shows";
    bar.setKeyedOutColour(QColor());
    EXPECT_EQ(bar.image().pixel(120, 6), qRgb(0, 0, 255)) << "given back";

    QPainterPath outline;
    outline.addRoundedRect(QRectF(0, 0, 154, 12), 3.5, 3.5);
    bar.setOutline(outline);
    EXPECT_EQ(qAlpha(bar.image().pixel(0, 0)), 0) << "the corner";
    const int edge = qAlpha(bar.image().pixel(1, 0));
    EXPECT_GT(edge, 0) << "the corner's edge is smoothed, not cut";
    EXPECT_LT(edge, 255);
    EXPECT_EQ(bar.image().pixel(3, 6), qRgb(0, 255, 0)) << "inside";
    bar.setOutline(QPainterPath());
    EXPECT_EQ(bar.image().pixel(0, 0), qRgb(0, 255, 0));
}
