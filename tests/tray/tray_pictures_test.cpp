#include "look/tray_pictures.h"

#include <gtest/gtest.h>

using namespace oruvel;
using core::LoadBand;

namespace {

// The colours a row of the picture takes, left to right, where they are fully opaque.
bool blended(QRgb pixel) {
    return qAlpha(pixel) == 255 && qGreen(pixel) > 150 && qRed(pixel) > 100 && qRed(pixel) < 230;
}

} // namespace

// At the sizes desktops give a tray (16, and 28 and 33 at 1.25 and 1.5), and at the program icon's, the bars lie on
// whole pixels: no column is half bar, half frame, and the write bar mirrors the read bar.
TEST(TrayPicture, BarsLieOnWholePixelsAtAnySize) {
    for (const int size : {16, 22, 28, 33, 48}) {
        SCOPED_TRACE(size);
        const QImage picture = look::trayPicture({LoadBand::Low, LoadBand::Low}, size);
        ASSERT_EQ(picture.size(), QSize(size, size));
        const int row = size * 12 / 16; // through the lowest step of both bars
        int green = 0;
        for (int x = 0; x < size; ++x) {
            const QRgb pixel = picture.pixel(x, row);
            const QRgb mirrored = picture.pixel(size - 1 - x, row);
            EXPECT_EQ(pixel, mirrored) << "column " << x;
            EXPECT_FALSE(blended(pixel)) << "a half-covered column at " << x;
            green += pixel == qRgb(60, 200, 80) ? 1 : 0;
        }
        EXPECT_GE(green, 2 * (size / 4)) << "both bars show their band";
    }
}

// A desktop asking for 33 pixels gets the picture drawn at 33, not the 16-pixel one scaled.
TEST(TrayPicture, TheIconIsDrawnAtTheSizeAsked) {
    const core::LoadBands bands{LoadBand::High, LoadBand::Middle};
    const QIcon icon = look::trayIcon(bands);
    for (const int size : {16, 28, 33}) {
        const QImage shown = icon.pixmap(QSize(size, size)).toImage().convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(shown, look::trayPicture(bands, size).convertToFormat(QImage::Format_ARGB32)) << size;
    }
    EXPECT_FALSE(icon.availableSizes().isEmpty()) << "a desktop that lists sizes finds some";
}
