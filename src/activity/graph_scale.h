#pragma once

namespace oruvel::activity {

// How far each half of the history graph reaches (bytes per second at its edge), and where the full-scale line is
// drawn (0: none).
struct GraphScale {
    double readTop = 0;
    double writeTop = 0;
    double readLine = 0;
    double writeLine = 0;
    bool operator==(const GraphScale&) const = default;
};

// From the full-scale rates (bytes per second), each half reaches a quarter past its full scale, the line showing
// where the bar fills. Automatic: both halves share the smallest of 1, 2 or 5 times a power of ten of a unit (bytes,
// KB, MB, GB, TB per second) that holds the highest rate of the minute, at least 1 MB/s, so an idle disk's noise
// stays flat.
GraphScale graphScale(bool automatic, double readFullScale, double writeFullScale, double peak);

} // namespace oruvel::activity
