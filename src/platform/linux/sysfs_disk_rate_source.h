#pragma once

#include "platform/disk_rate_source.h"
#include "platform/linux/sysfs_stat_files.h"
#include "platform/monotonic_clock.h"

#include <string>

namespace oruvel::platform {

// Disk rates from the kernel's per-device statistics: each whole physical disk's "stat" file below the sysfs block
// root (injected, so tests run on fixture trees). Only the disks of the chosen instance are read. Rates are taken
// per disk, so a disk that appears, vanishes or resets its counters never gives a negative or spiked rate.
class SysfsDiskRateSource final : public DiskRateSource {
public:
    SysfsDiskRateSource(std::string sysBlockRoot, const MonotonicClock& clock);

    void select(std::string_view instance) override;
    void collect() override;
    double readRate() const override { return readRate_; }
    double writeRate() const override { return writeRate_; }

    static constexpr double kListSeconds = SysfsStatFiles::kListSeconds;

private:
    bool wanted(const SysfsStatFiles::Disk& disk) const;

    SysfsStatFiles files_;
    const MonotonicClock& clock_;
    std::string instance_{kTotalInstance};
    double readRate_ = 0;
    double writeRate_ = 0;
};

} // namespace oruvel::platform
