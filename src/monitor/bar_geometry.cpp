#include "monitor/bar_geometry.h"

#include <cmath>
#include <algorithm>
#include <limits>

namespace oruvel::monitor {

std::optional<double> barFraction(std::int32_t value, std::int32_t min, std::int32_t max) {
    const std::int64_t span = std::int64_t{max} - min;
    const std::int64_t offset = std::int64_t{value} - min;
    constexpr std::int64_t kLo = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t kHi = std::numeric_limits<std::int32_t>::max();
    if (span == 0 || span < kLo || span > kHi || offset < kLo || offset > kHi) {
        return std::nullopt;
    }
    const double f = static_cast<double>(offset) / static_cast<double>(span);
    return f > 1.0 ? 1.0 : (f < 0.0 ? 0.0 : f);
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

Rect innerRect(Rect outer, int borderStyle, int appearance, bool themed) {
    if (borderStyle <= 0) {
        return outer;
    }
    const int inset = (!themed && appearance == 2) ? 2 : 1;
    return {outer.left + inset, outer.top + inset, outer.right - inset, outer.bottom - inset};
}

Rect fillRect(Rect r, double f, bool horizontal, int snapPeriod) {
    Rect fill = r;
    if (horizontal) {
        fill.right = roundHalfEven(f * (r.right - r.left) + r.left);
        if (snapPeriod > 0) {
            fill.right -= (fill.right - fill.left) % snapPeriod;
            fill.right = fill.right < r.left ? r.left : fill.right;
        }
    } else {
        fill.top = roundHalfEven((1.0 - f) * (r.bottom - r.top) + r.top);
        if (snapPeriod > 0) {
            fill.top -= (fill.top - fill.bottom) % snapPeriod; // the remainder is zero or negative
            fill.top = fill.top > r.bottom ? r.bottom : fill.top;
        }
    }
    return fill;
}

std::vector<Rect> segmentGaps(Rect fill, Rect r, bool horizontal) {
    constexpr int kStep = kSegmentChunk + kSegmentSpace;
    std::vector<Rect> gaps;
    if (horizontal) {
        for (int x = fill.left + kSegmentChunk; x <= fill.right; x += kStep) {
            gaps.push_back({x, r.top, x + kSegmentSpace, r.bottom});
        }
    } else {
        for (int y = fill.bottom; y >= fill.top + kSegmentChunk; y -= kStep) {
            gaps.push_back({r.left, y, r.right, y + kSegmentSpace});
        }
    }
    return gaps;
}

std::vector<Tile> tileBitmap(int x, int y, int width, int height, int sw, int sh, int ox, int oy) {
    std::vector<Tile> tiles;
    if (sw <= 0 || sh <= 0 || width <= 0 || height <= 0) {
        return tiles;
    }
    const auto positiveMod = [](int a, int m) { return ((a % m) + m) % m; };
    const int startX = positiveMod(x + ox, sw);
    const int startY = positiveMod(y + oy, sh);
    for (int dy = 0, srcY = startY; dy < height; srcY = 0) {
        const int h = std::min(sh - srcY, height - dy);
        for (int dx = 0, srcX = startX; dx < width; srcX = 0) {
            const int w = std::min(sw - srcX, width - dx);
            tiles.push_back({x + dx, y + dy, srcX, srcY, w, h});
            dx += w;
        }
        dy += h;
    }
    return tiles;
}

} // namespace oruvel::monitor
