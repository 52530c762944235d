#pragma once

#include <cstdint>
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

// The filled share of a bar showing `percent`, held to [0, 1].
double barFraction(std::int32_t percent);

// To the nearest integer, a value exactly halfway going to the even neighbour.
int roundHalfEven(double x);

// The rectangle inside the border: 1 pixel in on each side with a border, unchanged without one.
Rect innerRect(Rect outer, bool border);

// The filled part of `r` for fraction `f`, from the left.
Rect fillRect(Rect r, double f);

// One block copy of a tiled picture: destination (dstX, dstY), source (srcX, srcY), size.
struct Tile {
    int dstX, dstY, srcX, srcY, width, height;
};

// Tiles a sw x sh picture over (0, 0, width, height) from its top-left corner: destination pixel (x, y) shows source
// pixel (x mod sw, y mod sh).
std::vector<Tile> tileBitmap(int width, int height, int sw, int sh);

} // namespace oruvel::monitor
