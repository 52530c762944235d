#include "settings_ui/file_filter.h"

namespace oruvel::settings_ui {

std::vector<std::pair<std::string, std::vector<std::string>>> filterEntries(std::string_view filter) {
    // "|" and ":" separate the parts; two empty parts end the list.
    std::string converted(filter);
    for (char& c : converted) {
        if (c == '|' || c == ':') {
            c = '\0';
        }
    }
    converted.append(2, '\0');
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

} // namespace oruvel::settings_ui
