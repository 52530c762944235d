#pragma once

#include "core/format_bytes.h"

#include <optional>
#include <string>
#include <string_view>

namespace oruvel::core {

// Bar percentage of a rate (bytes per second) against a full-scale text in megabytes per second: rounded to the
// nearest whole number with halves away from zero and capped at 100. A full scale that is no rate (empty, not a
// number, zero or less, or too large to be one) counts as the default 25 MB/s while it stands, as the box shows 25 at
// the next start: an idle disk never shows a full bar. The decimal point may be "." or the locale's own.
inline constexpr double kDefaultFullScaleMegabytes = 25;
int ratePercent(double bytesPerSecond, std::string_view fullScaleText, std::string_view localeDecimalPoint);

// The full scale in bytes per second that a full-scale text stands for, by the rule above.
double fullScaleRate(std::string_view fullScaleText, std::string_view localeDecimalPoint);

// The full scale as a number of megabytes per second, kept to four decimals; nullopt when it is not a number.
std::optional<double> fullScaleMegabytes(std::string_view text, std::string_view localeDecimalPoint);

enum class LoadBand { Low, Middle, High };

// 0-49 low, 50-74 middle, 75-100 high.
LoadBand loadBand(int percent);

// The bands of both bars: what the tray picture shows.
struct LoadBands {
    LoadBand read = LoadBand::Low;
    LoadBand write = LoadBand::Low;
    bool operator==(const LoadBands&) const = default;
};

// The texts of one tick for both bars.
struct BarTexts {
    std::string read;
    std::string write;
};

// Bar texts for the layout of one tick: compact gives "读: 05.00 MB", normal gives "Drive Read: 117.74 MB/s".
BarTexts barTexts(double readRate, double writeRate, bool compact, const NumberSeparators& separators);

// What one sampling tick shows for a pair of rates: the bar texts, the bar percentages and the tray picture.
// While the disks are idle every tick brings the same rates and options again, and then the last results are
// given back instead of being worked out anew.
class Readout {
public:
    struct Shown {
        BarTexts texts;
        int readPercent = 0;
        int writePercent = 0;
        LoadBands loadBands;
    };

    // The full scales are the texts of the two full-scale settings, in megabytes per second.
    const Shown& compute(double readRate, double writeRate, bool compact, const std::string& readFullScale,
                         const std::string& writeFullScale, const NumberSeparators& separators);

    // What the last call gave (before the first: empty texts, empty bars, the tray picture of two idle disks).
    const Shown& last() const { return shown_; }

private:
    struct Inputs {
        double readRate = 0;
        double writeRate = 0;
        bool compact = false;
        std::string readFullScale;
        std::string writeFullScale;
        NumberSeparators separators;
        bool operator==(const Inputs&) const = default;
    };
    std::optional<Inputs> last_;
    Shown shown_;
};

} // namespace oruvel::core
