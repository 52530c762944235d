#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace oruvel::platform {

// A file system on a disk as the user knows it: where it is mounted (a mount point, or a drive letter such as "C:";
// empty when it is not) and its label (empty when it has none).
struct Volume {
    std::string place;
    std::string label;
    bool operator==(const Volume&) const = default;
};

// One whole physical disk as the system names it: the instance name the counters take, the model the device reports
// (empty when it reports none), its size in bytes (0 when unknown) and, where they were asked for, its file systems.
struct DiskInfo {
    std::string name;
    std::string model;
    std::uint64_t sizeBytes = 0;
    std::vector<Volume> volumes;
    bool operator==(const DiskInfo&) const = default;
};

// Lists the disks that can be chosen as the counter instance (fixture trees in tests, the system's in the program).
using DiskLister = std::function<std::vector<DiskInfo>()>;

// The whole physical disks whose counters can be chosen: sysfs on Linux, the performance counters' PhysicalDisk
// instances on Windows.
std::vector<DiskInfo> listPhysicalDisks();
// The same disks with their file systems: mount points and labels on Linux, drive letters and volume labels on
// Windows.
std::vector<DiskInfo> listDisksWithVolumes();

} // namespace oruvel::platform
