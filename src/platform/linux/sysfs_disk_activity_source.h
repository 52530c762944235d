#pragma once

#include "platform/disk_activity_source.h"
#include "platform/linux/sysfs_stat_files.h"
#include "platform/monotonic_clock.h"

namespace oruvel::platform {

// Every whole disk's activity from its sysfs "stat" file (the sysfs block root injected, so tests run on fixtures).
class SysfsDiskActivitySource final : public DiskActivitySource {
public:
    SysfsDiskActivitySource(std::string sysBlockRoot, const MonotonicClock& clock);

    void collect() override;
    const std::vector<DiskActivityReading>& disks() const override { return readings_; }

private:
    SysfsStatFiles files_;
    const MonotonicClock& clock_;
    std::vector<DiskActivityReading> readings_;
};

} // namespace oruvel::platform
