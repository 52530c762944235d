#include "settings_ui/common_dialog_logic.h"

namespace oruvel::settings_ui {

std::string convertFilter(std::string_view filter) {
    std::string out;
    out.reserve(filter.size() + 2);
    for (const char c : filter) {
        out += (c == '|' || c == ':') ? '\0' : c;
    }
    out += '\0';
    out += '\0';
    return out;
}

std::vector<std::pair<std::string, std::vector<std::string>>> filterEntries(std::string_view filter) {
    const std::string converted = convertFilter(filter);
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i < converted.size(); ++i) {
        if (converted[i] == '\0') {
            parts.push_back(converted.substr(start, i - start));
            start = i + 1;
        }
    }
    std::vector<std::pair<std::string, std::vector<std::string>>> entries;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty() && parts[i + 1].empty()) {
            break;
        }
        std::vector<std::string> patterns;
        std::string_view rest = parts[i + 1];
        while (!rest.empty()) {
            const auto semi = rest.find(';');
            const std::string_view one = rest.substr(0, semi);
            if (!one.empty()) {
                patterns.emplace_back(one);
            }
            rest = semi == std::string_view::npos ? std::string_view{} : rest.substr(semi + 1);
        }
        if (!patterns.empty()) {
            entries.emplace_back(parts[i], std::move(patterns));
        }
    }
    return entries;
}

std::uint32_t openDialogFlags(std::uint32_t flags, bool haveInstance) {
    std::uint32_t out = flags & (dlg::kReadOnly | dlg::kHideReadOnly | dlg::kAllowMultiSelect | dlg::kFileMustExist);
    if ((flags & dlg::kAllowMultiSelect) != 0) {
        out |= dlg::kExplorer;
    }
    if ((flags & dlg::kEnableTemplate) != 0 && haveInstance) {
        out |= dlg::kEnableTemplate;
    }
    return out;
}

std::uint32_t colourDialogFlags(std::uint32_t flags) {
    std::uint32_t out = dlg::kRgbInit;
    out |= (flags & dlg::kAnyColour) != 0 ? dlg::kAnyColour : dlg::kSolidColour;
    out |= flags & (dlg::kFullOpen | dlg::kPreventFullOpen);
    return out;
}

} // namespace oruvel::settings_ui
