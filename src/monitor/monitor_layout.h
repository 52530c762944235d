#pragma once

#include <array>

namespace oruvel::monitor {

// Sizes of the monitor and its bars, in twips.
inline constexpr int kBarWidthTwips = 2310;
inline constexpr int kCompactBarWidthTwips = 1155;
inline constexpr int kBarHeightTwips = 180;
inline constexpr int kWriteBarTopTwips = 180;
inline constexpr int kNormalHeightTwips = 360;
inline constexpr int kLoadMarginTwips = 10;

struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const TwipRect&) const = default;
};

// The window and its two bars (0 read, 1 write).
struct MonitorLayout {
    int width = 0;
    int height = 0;
    std::array<TwipRect, 2> bar;
    bool operator==(const MonitorLayout&) const = default;
};

// The layout the monitor gives itself when it loads: normal is 10 twips larger than the bars each way.
MonitorLayout loadLayout(bool compact);
// The layout the compact-mode option sets while running.
MonitorLayout optionLayout(bool compact);

// Where a fresh monitor goes: on the bottom of the work area, one window width in from its right edge. The work area's
// right and bottom edges are in pixels; the result and the window size in twips.
struct TwipPoint {
    int left = 0;
    int top = 0;
};
TwipPoint defaultPlace(int workAreaRightPixels, int workAreaBottomPixels, int windowWidthTwips, int windowHeightTwips);

} // namespace oruvel::monitor
