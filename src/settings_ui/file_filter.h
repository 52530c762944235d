#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace oruvel::settings_ui {

// The (description, patterns) pairs of a filter text; patterns are split at ";". A description without patterns
// is dropped.
std::vector<std::pair<std::string, std::vector<std::string>>> filterEntries(std::string_view filter);

} // namespace oruvel::settings_ui
