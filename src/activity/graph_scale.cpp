#include "activity/graph_scale.h"

#include <array>
#include <cmath>

namespace oruvel::activity {
namespace {

constexpr double kMega = 1024.0 * 1024.0;

double roundTop(double peak) {
    static constexpr std::array<double, 9> kSteps{1, 2, 5, 10, 20, 50, 100, 200, 500};
    static constexpr int kUnits = 6; // bytes, KB, MB, GB, TB, PB per second
    double unit = 1.0;
    for (int i = 0; i < kUnits; ++i, unit *= 1024.0) {
        for (const double step : kSteps) {
            if (step * unit >= peak) {
                return step * unit;
            }
        }
    }
    return peak;
}

} // namespace

GraphScale graphScale(bool automatic, double readFullScale, double writeFullScale, double peak) {
    if (automatic) {
        const double top = roundTop(std::isfinite(peak) && peak > kMega ? peak : kMega);
        return {top, top, 0, 0};
    }
    return {readFullScale * 1.25, writeFullScale * 1.25, readFullScale, writeFullScale};
}

} // namespace oruvel::activity
