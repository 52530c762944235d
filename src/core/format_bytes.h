#pragma once

#include <string>

namespace oruvel::core {

// The user's number separators (from the locale), passed in so formatting stays a pure function.
struct NumberSeparators {
    std::string grouping = ",";
    std::string decimal = ".";
    bool operator==(const NumberSeparators&) const = default;
};

// A byte count or rate in the largest fitting unit of powers of 1,024: "513 Bytes", "1.50 KB", "117.74 MB",
// "1.40 GB", "1.00 TB". With useUnits false: grouped, two decimals, no unit. Negative and non-finite values count as 0.
std::string formatBytes(double value, bool useUnits, const NumberSeparators& separators);

// The fixed megabyte form of the compact layout: at least two integer digits, no grouping, two decimals, " MB".
std::string formatFixedMegabytes(double value, const NumberSeparators& separators);

} // namespace oruvel::core
