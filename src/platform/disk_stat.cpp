#include "platform/disk_stat.h"

#include <array>
#include <charconv>

namespace oruvel::platform {

std::optional<SectorCounts> parseDiskStat(std::string_view text) {
    std::array<std::string_view, 7> fields;
    std::size_t n = 0;
    std::size_t i = 0;
    while (n < fields.size()) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
            ++i;
        }
        const std::size_t start = i;
        while (i < text.size() && text[i] != ' ' && text[i] != '\t' && text[i] != '\n') {
            ++i;
        }
        if (i == start) {
            return std::nullopt;
        }
        fields[n++] = text.substr(start, i - start);
    }
    const auto number = [](std::string_view s, std::uint64_t& out) {
        const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
        return ec == std::errc() && end == s.data() + s.size();
    };
    SectorCounts counts;
    if (!number(fields[2], counts.read) || !number(fields[6], counts.written)) {
        return std::nullopt;
    }
    return counts;
}

double sectorRate(std::uint64_t before, std::uint64_t after, double seconds) {
    if (after < before || !(seconds > 0)) {
        return 0.0;
    }
    return static_cast<double>(after - before) * kSectorBytes / seconds;
}

} // namespace oruvel::platform
