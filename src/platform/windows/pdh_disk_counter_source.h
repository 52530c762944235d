#pragma once

#include "platform/disk_counter_source.h"
#include "platform/disk_list.h"

#include <vector>

namespace oruvel::platform {

// Disk counters through the performance-data library. Counters are added by their English names, so a localized
// Windows finds them too; a counter that cannot be added, or has no valid value, reads 0.
class PdhDiskCounterSource final : public DiskCounterSource {
public:
    PdhDiskCounterSource();
    ~PdhDiskCounterSource() override;
    PdhDiskCounterSource(const PdhDiskCounterSource&) = delete;
    PdhDiskCounterSource& operator=(const PdhDiskCounterSource&) = delete;

    CounterHandle addCounter(std::string_view path) override;
    void collect() override;
    double counterValue(CounterHandle counter) const override;

    bool queryOpen() const { return query_ != nullptr; }

private:
    void* query_ = nullptr;
    std::vector<void*> counters_;
};

// The PhysicalDisk instances of the performance counters, without "_Total" (names such as "0 C:"; no model or size).
std::vector<DiskInfo> listPdhDisks();

} // namespace oruvel::platform
