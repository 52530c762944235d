#pragma once

#include "platform/disk_rate_source.h"
#include "platform/disk_stat.h"
#include "platform/monotonic_clock.h"

#include <array>
#include <string>
#include <vector>

namespace oruvel::platform {

// Disk rates from the kernel's per-device statistics: each whole physical disk's "stat" file below the sysfs block
// root (injected, so tests run on fixture trees), kept open and read again from its start at each collection. Only
// the disks of the chosen instance are read. The list of disks is looked up again every few seconds, so a disk
// plugged in while running joins "_Total"; a disk that goes away counts nothing from then on. Rates are taken per
// disk, so a disk that appears, vanishes or resets its counters never gives a negative or spiked rate.
class SysfsDiskRateSource final : public DiskRateSource {
public:
    SysfsDiskRateSource(std::string sysBlockRoot, const MonotonicClock& clock);
    ~SysfsDiskRateSource() override;
    SysfsDiskRateSource(const SysfsDiskRateSource&) = delete;
    SysfsDiskRateSource& operator=(const SysfsDiskRateSource&) = delete;

    void select(std::string_view instance) override;
    void collect() override;
    double readRate() const override { return readRate_; }
    double writeRate() const override { return writeRate_; }

    // How often the list of disks is looked up again.
    static constexpr double kListSeconds = 5.0;

private:
    struct Disk {
        std::string name;            // the kernel's name ("/" where sysfs shows "!")
        int fd = -1;                 // its open stat file; -1 once a read failed
        unsigned long long file = 0; // which file that is (device and inode), to see it replaced
        SectorCounts last;
        double lastSeconds = 0;
        bool counted = false; // `last` is a reading of the interval just past
    };
    bool wanted(const Disk& disk) const;
    // Reads a disk's counts now; false when the disk cannot be read (gone).
    bool read(Disk& disk, SectorCounts& counts);
    void refreshList(double now);
    // Opens a disk's stat file; false when it cannot be opened.
    bool open(Disk& disk);
    // Whether the disk's open file is still the one its name leads to.
    bool current(const Disk& disk) const;

    std::string root_;
    const MonotonicClock& clock_;
    std::string instance_{kTotalInstance};
    std::vector<Disk> disks_;
    std::vector<std::string> names_; // reused by each look-up of the list
    std::array<char, 512> text_{};
    double listedAt_ = 0;
    bool listed_ = false;
    double readRate_ = 0;
    double writeRate_ = 0;
};

} // namespace oruvel::platform
