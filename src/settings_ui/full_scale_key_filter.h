#pragma once

#include <string_view>

namespace oruvel::settings_ui {

// The number of fields of `text` split at `separator` (an empty separator counts as one blank): the number of
// separators plus one.
int fieldCount(std::string_view text, std::string_view separator);

// The key filter of the full-scale boxes: whether a typed character reaches a box holding `text`, of which it replaces
// `replaced` (the selection). Digits and backspace do, and one decimal point: "1.5" is typed as it reads rather than
// becoming 15. A text of more than four "."-fields blocks every character. (Shortcuts such as Ctrl+C never count as
// typed.)
bool acceptsTypedCharacter(std::string_view text, char16_t typed, std::string_view replaced = {});

inline constexpr char16_t kBackspace = 0x08;

} // namespace oruvel::settings_ui
