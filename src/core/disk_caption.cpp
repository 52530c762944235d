#include "core/disk_caption.h"

#include <array>
#include <cstdio>

namespace oruvel::core {

std::string decimalSize(std::uint64_t bytes, std::string_view decimalPoint) {
    static constexpr std::array<const char*, 6> kUnits{"kB", "MB", "GB", "TB", "PB", "EB"};
    if (bytes < 1000) {
        return std::to_string(bytes) + " bytes";
    }
    // Tenths of the unit, rounded half up, in whole numbers so no rounding shows "1000.0 GB".
    std::size_t unit = 0;
    std::uint64_t divisor = 1000;
    while (unit + 1 < kUnits.size() && bytes / divisor >= 1000) {
        divisor *= 1000;
        ++unit;
    }
    std::uint64_t tenths = (bytes / (divisor / 10)) + ((bytes % (divisor / 10)) * 2 >= divisor / 10 ? 1 : 0);
    if (tenths >= 10000 && unit + 1 < kUnits.size()) {
        divisor *= 1000;
        ++unit;
        tenths = (bytes / (divisor / 10)) + ((bytes % (divisor / 10)) * 2 >= divisor / 10 ? 1 : 0);
    }
    return std::to_string(tenths / 10) + std::string(decimalPoint) + std::to_string(tenths % 10) + " " + kUnits[unit];
}

std::string diskCaption(const platform::DiskInfo& disk, std::string_view decimalPoint) {
    std::string caption = disk.name;
    if (!disk.model.empty()) {
        caption += " \u2014 " + disk.model;
    }
    if (disk.sizeBytes > 0) {
        caption += " (" + decimalSize(disk.sizeBytes, decimalPoint) + ")";
    }
    return caption;
}

} // namespace oruvel::core
