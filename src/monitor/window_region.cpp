#include "monitor/window_region.h"

#include <algorithm>
#include <cmath>

namespace oruvel::monitor {

std::vector<RegionSpan> roundRectSpans(int width, int height, int ellipseWidth, int ellipseHeight) {
    std::vector<RegionSpan> spans;
    if (width <= 0 || height <= 0) {
        return spans;
    }
    const double rx = std::min(ellipseWidth, width) / 2.0;
    const double ry = std::min(ellipseHeight, height) / 2.0;
    spans.reserve(static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        int inset = 0;
        if (rx > 0 && ry > 0) {
            // Distance of the row's centre from the nearer horizontal edge, measured inside the corner ellipse.
            const double centreY = y + 0.5;
            const double fromEdge = std::min(centreY, height - centreY);
            if (fromEdge < ry) {
                const double dy = (ry - fromEdge) / ry;
                const double dx = rx * std::sqrt(std::max(0.0, 1.0 - dy * dy));
                inset = static_cast<int>(std::lround(rx - dx));
            }
        }
        spans.push_back({y, inset, width - inset});
    }
    return spans;
}

} // namespace oruvel::monitor
