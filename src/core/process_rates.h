#pragma once

#include "platform/process_io.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace oruvel::core {

// One process's disk rates over the last interval.
struct ProcessRate {
    std::int64_t pid = 0;
    std::string name;
    double readRate = 0; // bytes per second
    double writeRate = 0;
    bool operator==(const ProcessRate&) const = default;
};

// The processes' disk rates between two scans. A process is measured from its second scan on, so one that has just
// started (or a pid taken over by a new process) never shows the I/O of its whole life as one second's; a process
// that ended is gone from the next scan.
class ProcessRates {
public:
    // Takes a scan made at `seconds` on a monotonic clock.
    void update(const std::vector<platform::ProcessIoReading>& scan, double seconds);
    // The `count` processes with the most I/O in the last interval, busiest first (equal ones by pid); processes that
    // did none are left out.
    std::vector<ProcessRate> busiest(std::size_t count) const;

private:
    struct Last {
        std::uint64_t started = 0;
        std::uint64_t readBytes = 0;
        std::uint64_t writeBytes = 0;
    };
    std::unordered_map<std::int64_t, Last> last_;
    std::vector<ProcessRate> rates_;
    double lastSeconds_ = 0;
    bool scanned_ = false;
};

} // namespace oruvel::core
