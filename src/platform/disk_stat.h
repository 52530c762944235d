#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace oruvel::platform {

// Cumulative sector counts of one block device (512-byte sectors, whatever the device's own sector size).
struct SectorCounts {
    std::uint64_t read = 0;
    std::uint64_t written = 0;
    bool operator==(const SectorCounts&) const = default;
};

inline constexpr double kSectorBytes = 512.0;

// The counts of a block device's statistics line (its "stat" file): sectors read are the third field, sectors
// written the seventh. nullopt when there are fewer than seven fields or one of those is not a number.
std::optional<SectorCounts> parseDiskStat(std::string_view text);

// Bytes per second between two readings `seconds` apart; 0 for a counter that went backwards (a reset) or a
// non-positive interval.
double sectorRate(std::uint64_t before, std::uint64_t after, double seconds);

} // namespace oruvel::platform
