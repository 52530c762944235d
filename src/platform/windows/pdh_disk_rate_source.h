#pragma once

#include "platform/disk_list.h"
#include "platform/disk_rate_source.h"

#include <string>
#include <string_view>
#include <vector>

namespace oruvel::platform {

// The performance counter of one direction of an instance: "\PhysicalDisk(INSTANCE)\Disk Read Bytes/sec" or its
// "Disk Write Bytes/sec" twin.
std::string diskCounterPath(std::string_view instance, bool write);

// Disk rates through the performance-data library's PhysicalDisk counters, added by their English names so that a
// localized Windows finds them too. A counter that cannot be added, or has no valid value, reads 0.
class PdhDiskRateSource final : public DiskRateSource {
public:
    PdhDiskRateSource();
    ~PdhDiskRateSource() override;
    PdhDiskRateSource(const PdhDiskRateSource&) = delete;
    PdhDiskRateSource& operator=(const PdhDiskRateSource&) = delete;

    void select(std::string_view instance) override;
    void collect() override;
    double readRate() const override { return value(readCounter_); }
    double writeRate() const override { return value(writeCounter_); }

private:
    void* addCounter(std::string_view instance, bool write);
    void removeCounters();
    double value(void* counter) const;

    void* query_ = nullptr;
    void* readCounter_ = nullptr;
    void* writeCounter_ = nullptr;
};

// The PhysicalDisk instances of the performance counters, without "_Total" (names such as "0 C:"; no model or size).
std::vector<DiskInfo> listPdhDisks();

} // namespace oruvel::platform
