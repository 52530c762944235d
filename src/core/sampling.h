#pragma once

#include "core/format_bytes.h"

#include <optional>
#include <string>
#include <string_view>

namespace oruvel::core {

// Bar percentage of a rate (bytes per second) against a full-scale text in megabytes per second: rounded to the
// nearest whole number with halves away from zero and capped at 100. An empty, non-numeric or zero full scale gives
// 100. The decimal point may be "." or the locale's own.
int ratePercent(double bytesPerSecond, std::string_view fullScaleText, std::string_view localeDecimalPoint);

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

// Bar texts for the options of one tick: hidden texts give empty ones, compact gives "读: 05.00 MB", normal gives
// "Drive Read: 117.74 MB/s".
BarTexts barTexts(double readRate, double writeRate, bool compact, bool hideText, const NumberSeparators& separators);

} // namespace oruvel::core
