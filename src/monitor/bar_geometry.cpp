#include "monitor/bar_geometry.h"

#include <algorithm>
#include <cmath>

namespace oruvel::monitor {

double barFraction(std::int32_t percent) {
    return std::clamp(percent / 100.0, 0.0, 1.0);
}

int roundHalfEven(double x) {
    const double lower = std::floor(x);
    const double diff = x - lower;
    double r = lower;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(lower, 2.0) != 0.0)) {
        r = lower + 1.0;
    }
    return static_cast<int>(r);
}

Rect innerRect(Rect outer, bool border) {
    if (!border) {
        return outer;
    }
    return {outer.left + 1, outer.top + 1, outer.right - 1, outer.bottom - 1};
}

Rect fillRect(Rect r, double f) {
    Rect fill = r;
    fill.right = roundHalfEven(f * (r.right - r.left) + r.left);
    return fill;
}

std::vector<Tile> tileBitmap(int width, int height, int sw, int sh) {
    std::vector<Tile> tiles;
    if (sw <= 0 || sh <= 0 || width <= 0 || height <= 0) {
        return tiles;
    }
    for (int y = 0; y < height; y += sh) {
        for (int x = 0; x < width; x += sw) {
            tiles.push_back({x, y, 0, 0, std::min(sw, width - x), std::min(sh, height - y)});
        }
    }
    return tiles;
}

} // namespace oruvel::monitor
