#include "platform/linux/sysfs_disk_rate_source.h"

#include "platform/text_util.h"

namespace oruvel::platform {

SysfsDiskRateSource::SysfsDiskRateSource(std::string sysBlockRoot, const MonotonicClock& clock)
    : files_(std::move(sysBlockRoot)), clock_(clock) {}

bool SysfsDiskRateSource::wanted(const SysfsStatFiles::Disk& disk) const {
    return equalsIgnoreCase(instance_, kTotalInstance) || equalsIgnoreCase(instance_, disk.name);
}

void SysfsDiskRateSource::select(std::string_view instance) {
    instance_.assign(instance);
    // Disks newly chosen are read now, so the next collection already gives their rates.
    const double now = clock_.seconds();
    for (SysfsStatFiles::Disk& disk : files_.disks()) {
        DiskCounters counts;
        if (wanted(disk) && !disk.counted && files_.read(disk, counts)) {
            disk.last = counts;
            disk.lastSeconds = now;
            disk.counted = true;
        }
    }
}

void SysfsDiskRateSource::collect() {
    const double now = clock_.seconds();
    files_.refresh(now);
    readRate_ = 0;
    writeRate_ = 0;
    for (SysfsStatFiles::Disk& disk : files_.disks()) {
        DiskCounters counts;
        if (!wanted(disk)) {
            disk.counted = false; // its last reading grows old; it is read afresh when chosen again
            continue;
        }
        if (!files_.read(disk, counts)) {
            continue;
        }
        if (disk.counted) {
            readRate_ += sectorRate(disk.last.sectorsRead, counts.sectorsRead, now - disk.lastSeconds);
            writeRate_ += sectorRate(disk.last.sectorsWritten, counts.sectorsWritten, now - disk.lastSeconds);
        }
        disk.last = counts;
        disk.lastSeconds = now;
        disk.counted = true;
    }
}

} // namespace oruvel::platform
