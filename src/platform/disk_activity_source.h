#pragma once

#include "platform/disk_stat.h"

#include <memory>
#include <string>
#include <vector>

namespace oruvel::platform {

// One disk at one collection: its name as the counters give it and what it did over the interval before.
struct DiskActivityReading {
    std::string name;
    DiskActivity activity;
    bool measured = false; // false at a disk's first collection: nothing to compare with yet
};

// What every whole physical disk does: more than the monitor's rates, and read only while someone looks (the
// disk-activity window opens one and closes it with itself). Destroying the source closes it.
class DiskActivitySource {
public:
    virtual ~DiskActivitySource() = default;
    // Takes one collection of every disk; a disk that has gone is left out from then on.
    virtual void collect() = 0;
    // The disks of the last collection, sorted by name.
    virtual const std::vector<DiskActivityReading>& disks() const = 0;
};

// What every disk of this system does (busy share, mean times, operations): for the disk-activity window.
std::unique_ptr<DiskActivitySource> openDiskActivitySource();

} // namespace oruvel::platform
