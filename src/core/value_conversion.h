#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace oruvel::core {

// A decimal number with optional surrounding blanks and sign, its fraction taken to the nearest integer with halves
// to the even one ("2.5" gives 2, "3.5" gives 4). nullopt for anything else or outside the 32-bit range.
std::optional<std::int32_t> toInt32(std::string_view text);
// The same into the 16-bit range.
std::optional<std::int16_t> toInt16(std::string_view text);
// "True"/"False" in any letter case, or a number (0 is False, any other number True).
std::optional<bool> toBoolean(std::string_view text);

// Values a control accepts: a check box takes 0, 1 or 2 (greyed); a level 0..255.
std::optional<int> toBoxValue(std::string_view text);
std::optional<int> toLevel(std::string_view text);

// How option buttons are stored.
inline std::string booleanText(bool value) { return value ? "True" : "False"; }

} // namespace oruvel::core
