#include "platform/linux/sysfs_disk_activity_source.h"

#include <algorithm>

namespace oruvel::platform {

SysfsDiskActivitySource::SysfsDiskActivitySource(std::string sysBlockRoot, const MonotonicClock& clock)
    : files_(std::move(sysBlockRoot)), clock_(clock) {}

void SysfsDiskActivitySource::collect() {
    const double now = clock_.seconds();
    files_.refresh(now);
    readings_.clear();
    for (SysfsStatFiles::Disk& disk : files_.disks()) {
        DiskCounters counts;
        if (!files_.read(disk, counts)) {
            continue;
        }
        DiskActivityReading reading{disk.name, {}, disk.counted};
        reading.activity = disk.counted ? activityBetween(disk.last, counts, now - disk.lastSeconds)
                                        : activityBetween(counts, counts, 0.0);
        readings_.push_back(std::move(reading));
        disk.last = counts;
        disk.lastSeconds = now;
        disk.counted = true;
    }
    std::sort(readings_.begin(), readings_.end(),
              [](const DiskActivityReading& a, const DiskActivityReading& b) { return a.name < b.name; });
}

} // namespace oruvel::platform
