#include "core/format_bytes.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace oruvel::core {
namespace {

constexpr double kKilo = 1024.0;
constexpr double kMega = kKilo * 1024.0;
constexpr double kGiga = kMega * 1024.0;
constexpr double kTera = kGiga * 1024.0;

double sane(double v) {
    return std::isfinite(v) && v > 0 ? v : 0.0;
}

// Decimal digits of v rounded to `decimals` places, halves away from zero, as one digit string (no point).
std::string roundedDigits(double v, int decimals) {
    const double scaled = std::floor(v * (decimals == 2 ? 100.0 : std::pow(10.0, decimals)) + 0.5);
    std::array<char, 400> buf{};
    std::string digits;
    if (scaled < 1e18) { // every rate a disk reaches: whole numbers, written without the printf machinery
        const auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), static_cast<std::uint64_t>(scaled));
        digits.assign(buf.data(), ec == std::errc() ? end : buf.data());
    } else {
        std::snprintf(buf.data(), buf.size(), "%.0f", scaled);
        digits = buf.data();
    }
    // At least one integer digit before the decimals.
    while (static_cast<int>(digits.size()) < decimals + 1) {
        digits.insert(digits.begin(), '0');
    }
    return digits;
}

std::string grouped(const std::string& integerDigits, const std::string& separator) {
    std::string out;
    const std::size_t n = integerDigits.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) {
            out += separator;
        }
        out += integerDigits[i];
    }
    return out;
}

// v with `decimals` places, grouped integer part.
std::string number(double v, int decimals, const NumberSeparators& sep, bool group, std::size_t minIntegerDigits) {
    std::string digits = roundedDigits(v, decimals);
    std::string integer = digits.substr(0, digits.size() - static_cast<std::size_t>(decimals));
    while (integer.size() < minIntegerDigits) {
        integer.insert(integer.begin(), '0');
    }
    std::string out = group ? grouped(integer, sep.grouping) : integer;
    if (decimals > 0) {
        out += sep.decimal;
        out += digits.substr(digits.size() - static_cast<std::size_t>(decimals));
    }
    return out;
}

} // namespace

std::string formatBytes(double value, bool useUnits, const NumberSeparators& separators) {
    const double v = sane(value);
    if (!useUnits) {
        return number(v, 2, separators, true, 1);
    }
    if (v < kKilo) {
        return number(v, 0, separators, true, 1) + " Bytes";
    }
    if (v < kMega) {
        return number(v / kKilo, 2, separators, true, 1) + " KB";
    }
    if (v < kGiga) {
        return number(v / kMega, 2, separators, true, 1) + " MB";
    }
    if (v < kTera) {
        return number(v / kGiga, 2, separators, true, 1) + " GB";
    }
    return number(v / kTera, 2, separators, true, 1) + " TB";
}

std::string formatFixedMegabytes(double value, const NumberSeparators& separators) {
    return number(sane(value) / kMega, 2, separators, false, 2) + " MB";
}

} // namespace oruvel::core
