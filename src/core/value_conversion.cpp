#include "core/value_conversion.h"

#include "platform/text_util.h"

#include <limits>

namespace oruvel::core {
namespace {

struct DecimalNumber {
    bool negative = false;
    std::string_view whole; // digits before the point
    std::string_view fraction;
};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::optional<DecimalNumber> parseDecimal(std::string_view s) {
    s = platform::trimmed(s);
    DecimalNumber n;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        n.negative = s.front() == '-';
        s.remove_prefix(1);
    }
    std::size_t i = 0;
    while (i < s.size() && isDigit(s[i])) {
        ++i;
    }
    n.whole = s.substr(0, i);
    if (i < s.size() && s[i] == '.') {
        std::size_t j = i + 1;
        while (j < s.size() && isDigit(s[j])) {
            ++j;
        }
        n.fraction = s.substr(i + 1, j - i - 1);
        i = j;
    }
    if (i != s.size() || (n.whole.empty() && n.fraction.empty())) {
        return std::nullopt;
    }
    return n;
}

// Rounds to an integer, halves to even, and checks the range [lo, hi].
std::optional<std::int64_t> roundToRange(const DecimalNumber& n, std::int64_t lo, std::int64_t hi) {
    std::int64_t magnitude = 0;
    for (const char c : n.whole) {
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > hi + 1) {
            return std::nullopt;
        }
    }
    if (!n.fraction.empty()) {
        const char first = n.fraction.front();
        bool restNonZero = false;
        for (std::size_t k = 1; k < n.fraction.size(); ++k) {
            restNonZero = restNonZero || n.fraction[k] != '0';
        }
        const bool up = first > '5' || (first == '5' && (restNonZero || magnitude % 2 == 1));
        magnitude += up ? 1 : 0;
    }
    const std::int64_t value = n.negative ? -magnitude : magnitude;
    if (value < lo || value > hi) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<std::int32_t> toInt32(std::string_view text) {
    const auto n = parseDecimal(text);
    if (!n) {
        return std::nullopt;
    }
    const auto v =
        roundToRange(*n, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
    return v ? std::optional<std::int32_t>(static_cast<std::int32_t>(*v)) : std::nullopt;
}

std::optional<std::int16_t> toInt16(std::string_view text) {
    const auto n = parseDecimal(text);
    if (!n) {
        return std::nullopt;
    }
    const auto v =
        roundToRange(*n, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max());
    return v ? std::optional<std::int16_t>(static_cast<std::int16_t>(*v)) : std::nullopt;
}

std::optional<bool> toBoolean(std::string_view text) {
    const std::string_view t = platform::trimmed(text);
    if (platform::equalsIgnoreCase(t, "true")) {
        return true;
    }
    if (platform::equalsIgnoreCase(t, "false")) {
        return false;
    }
    const auto n = parseDecimal(t);
    if (!n) {
        return std::nullopt;
    }
    const auto nonZero = [](std::string_view digits) { return digits.find_first_not_of('0') != std::string_view::npos; };
    return nonZero(n->whole) || nonZero(n->fraction);
}

std::optional<int> toBoxValue(std::string_view text) {
    const auto v = toInt16(text);
    if (!v || *v < 0 || *v > 2) {
        return std::nullopt;
    }
    return *v;
}

std::optional<int> toLevel(std::string_view text) {
    const auto v = toInt16(text);
    if (!v || *v < 0 || *v > 255) {
        return std::nullopt;
    }
    return *v;
}

} // namespace oruvel::core
