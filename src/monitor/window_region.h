#pragma once

#include <vector>

namespace oruvel::monitor {

// One row of a window region: pixels [left, right) of row y.
struct RegionSpan {
    int y = 0;
    int left = 0;
    int right = 0;
    bool operator==(const RegionSpan&) const = default;
};

// The rows of a rectangle (0, 0, width, height) whose corners are cut by ellipses of ellipseWidth x ellipseHeight
// (0 gives a plain rectangle), as the rounded outline of the monitor.
std::vector<RegionSpan> roundRectSpans(int width, int height, int ellipseWidth, int ellipseHeight);

} // namespace oruvel::monitor
