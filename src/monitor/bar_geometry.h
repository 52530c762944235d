#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace oruvel::monitor {

// Left, top, right, bottom in pixels; right and bottom exclusive.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

// (value - min) / (max - min) held to [0, 1]; nullopt when max equals min or a difference leaves the 32-bit range,
// in which case the bar is not drawn.
std::optional<double> barFraction(std::int32_t value, std::int32_t min, std::int32_t max);

// To the nearest integer, a value exactly halfway going to the even neighbour.
int roundHalfEven(double x);

// A bar is horizontal when wider than high; a square bar is vertical.
inline bool isHorizontalBar(int width, int height) { return width > height; }

// The rectangle inside the border: 1 pixel in on each side for a border, 2 for the edge look (appearance 2) when not
// themed; unchanged without a border (borderStyle 0).
Rect innerRect(Rect outer, int borderStyle, int appearance, bool themed);

// The filled part of `r` for fraction `f`: horizontal bars fill from the left, vertical ones from the bottom. With a
// snap period (segments), the moving edge is moved back to a whole number of periods.
Rect fillRect(Rect r, double f, bool horizontal, int snapPeriod);

// Plain segments: chunk 8 pixels, gap 2.
inline constexpr int kSegmentChunk = 8;
inline constexpr int kSegmentSpace = 2;

// The 2-pixel gaps painted over a segmented fill, counted from the left end or from the bottom.
std::vector<Rect> segmentGaps(Rect fill, Rect r, bool horizontal);

// One block copy of a tiled picture: destination (dstX, dstY), source (srcX, srcY), size.
struct Tile {
    int dstX, dstY, srcX, srcY, width, height;
};

// Tiles a sw x sh picture over (x, y, width, height) so that destination pixel (x + i, y + j) shows source pixel
// ((x + ox + i) mod sw, (y + oy + j) mod sh).
std::vector<Tile> tileBitmap(int x, int y, int width, int height, int sw, int sh, int ox, int oy);

} // namespace oruvel::monitor
