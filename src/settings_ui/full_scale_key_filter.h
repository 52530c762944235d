#pragma once

#include <string_view>

namespace oruvel::settings_ui {

// The number of fields of `text` split at `separator` (an empty separator counts as one blank): the number of
// separators plus one.
int fieldCount(std::string_view text, std::string_view separator);

// The key filter of the full-scale boxes: returns the character code to keep, or 0 to discard it. Only digits,
// backspace, Ctrl+C, Ctrl+X and Ctrl+W pass; a text of more than four "."-fields blocks every character.
int filterRateKey(std::string_view text, int code);

} // namespace oruvel::settings_ui
