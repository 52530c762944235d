#pragma once

#include <cstdint>
#include <string_view>

namespace oruvel::platform {

using CounterHandle = std::uint32_t;

// One open query of disk rate counters, named by counter paths such as
// "\PhysicalDisk(_Total)\Disk Read Bytes/sec". Destroying it closes the query.
class DiskCounterSource {
public:
    virtual ~DiskCounterSource() = default;

    // Adds a counter to the query; 0 when the path names no disk rate counter.
    virtual CounterHandle addCounter(std::string_view path) = 0;
    // Takes one collection of all counters of the query.
    virtual void collect() = 0;
    // The counter's rate in bytes per second over the last two collections; 0 when there is no valid value (first
    // collection, handle 0 or unknown, an instance that does not exist or has gone).
    virtual double counterValue(CounterHandle counter) const = 0;
};

} // namespace oruvel::platform
