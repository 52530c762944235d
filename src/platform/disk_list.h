#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace oruvel::platform {

// One whole physical disk as the system names it: the instance name the counters take, the model the device reports
// (empty when it reports none) and its size in bytes (0 when unknown).
struct DiskInfo {
    std::string name;
    std::string model;
    std::uint64_t sizeBytes = 0;
    bool operator==(const DiskInfo&) const = default;
};

// Lists the disks that can be chosen as the counter instance (fixture trees in tests, the system's in the program).
using DiskLister = std::function<std::vector<DiskInfo>()>;

} // namespace oruvel::platform
