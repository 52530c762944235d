#pragma once

#include "core/format_bytes.h"
#include "core/sampling.h"

#include <QString>

#include <optional>
#include <string>

namespace oruvel::app {

// What one sampling tick shows for a pair of rates: the bar texts, the bar percentages and the tray picture.
// While the disks are idle every tick brings the same rates and options again, and then the last results are
// given back instead of being worked out anew.
class TickReadout {
public:
    struct Shown {
        QString readText;
        QString writeText;
        int readPercent = 0;
        int writePercent = 0;
        core::LoadBands loadBands;
    };

    // The full scales are the texts of the two full-scale settings, in megabytes per second.
    const Shown& compute(double readRate, double writeRate, bool compact, const std::string& readFullScale,
                         const std::string& writeFullScale, const core::NumberSeparators& separators);

    // What the last call gave (before the first: empty texts, empty bars, the tray picture of two idle disks, low and
    // low).
    const Shown& last() const { return shown_; }

    // How many times the results were worked out (not given back).
    int computations() const { return computations_; }

private:
    struct Inputs {
        double readRate = 0;
        double writeRate = 0;
        bool compact = false;
        std::string readFullScale;
        std::string writeFullScale;
        core::NumberSeparators separators;
        bool operator==(const Inputs&) const = default;
    };
    std::optional<Inputs> last_;
    Shown shown_;
    int computations_ = 0;
};

} // namespace oruvel::app
