#pragma once

#include "platform/disk_activity_source.h"
#include "platform/disk_list.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace oruvel::platform {

// The PhysicalDisk counters the disk-activity window reads, for every instance ("*").
enum class ActivityCounter : std::size_t {
    ReadBytes,   // Disk Read Bytes/sec
    WriteBytes,  // Disk Write Bytes/sec
    IdleTime,    // % Idle Time
    ReadTime,    // Avg. Disk sec/Read
    WriteTime,   // Avg. Disk sec/Write
    Reads,       // Disk Reads/sec
    Writes,      // Disk Writes/sec
    QueueLength, // Current Disk Queue Length
    Count
};
inline constexpr std::size_t kActivityCounterCount = static_cast<std::size_t>(ActivityCounter::Count);
// The English path of a counter for every instance: "\PhysicalDisk(*)\% Idle Time".
std::string activityCounterPath(ActivityCounter counter);

// One counter's values by instance, as one collection gives them (only the valid ones).
using InstanceValues = std::vector<std::pair<std::string, double>>;

// The disks' activity from each counter's values by instance: "_Total" left out, sorted by name; busy is 100 less
// the idle share, clamped; the mean times in milliseconds. A disk is measured when its byte counters have values.
std::vector<DiskActivityReading> activityFromCounters(const std::array<InstanceValues, kActivityCounterCount>& values);

// The drive letters of an instance name: "0 C: D:" gives "C:" and "D:".
std::vector<std::string> driveLettersOf(const std::string& instance);

// Every disk's activity through the performance-data library: one query of wildcard counters, collected each second.
class PdhDiskActivitySource final : public DiskActivitySource {
public:
    PdhDiskActivitySource();
    ~PdhDiskActivitySource() override;
    PdhDiskActivitySource(const PdhDiskActivitySource&) = delete;
    PdhDiskActivitySource& operator=(const PdhDiskActivitySource&) = delete;

    void collect() override;
    const std::vector<DiskActivityReading>& disks() const override { return readings_; }

private:
    void* query_ = nullptr;
    std::array<void*, kActivityCounterCount> counters_{};
    std::vector<unsigned char> buffer_;
    std::vector<DiskActivityReading> readings_;
};

// The PhysicalDisk instances with their drive letters and those volumes' labels.
std::vector<DiskInfo> listPdhDisksWithVolumes();

} // namespace oruvel::platform
