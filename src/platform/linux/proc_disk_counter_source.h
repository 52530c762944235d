#pragma once

#include "platform/disk_counter_source.h"
#include "platform/disk_rates.h"
#include "platform/monotonic_clock.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace oruvel::platform {

// Disk counters from the kernel's block statistics. A device counts as a physical disk when its sysfs entry has a
// "device" link (the rule iostat uses), which leaves out partitions, loop, ram, zram, device-mapper, md and hidden
// multipath paths. Both file-system roots are injected so tests run on fixture files.
class ProcDiskCounterSource final : public DiskCounterSource {
public:
    ProcDiskCounterSource(std::string diskstatsPath, std::string sysBlockRoot, const MonotonicClock& clock);
    ~ProcDiskCounterSource() override;
    ProcDiskCounterSource(const ProcDiskCounterSource&) = delete;
    ProcDiskCounterSource& operator=(const ProcDiskCounterSource&) = delete;

    CounterHandle addCounter(std::string_view path) override;
    void collect() override;
    double counterValue(CounterHandle counter) const override;

private:
    bool isWholeDisk(const std::string& name);
    int openDiskstats();
    void readDiskstats();

    std::string diskstatsPath_;
    std::string sysBlockRoot_;
    const MonotonicClock& clock_;
    std::vector<DiskCounterPath> counters_; // handle = index + 1
    int kept_ = -1; // the kernel's file, open between collections
    std::vector<char> buffer_;
    std::size_t textLength_ = 0;
    std::string lastText_; // the text of the last collection that went through the devices
    std::vector<DiskSample> all_;
    std::vector<DiskSample> disks_;
    std::unordered_map<std::string, bool> wholeDiskCache_;
    DiskRateTracker tracker_;
};

} // namespace oruvel::platform
