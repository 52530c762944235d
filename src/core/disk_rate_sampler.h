#pragma once

#include "platform/disk_counter_source.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace oruvel::core {

// "\PhysicalDisk(" + instance + ")\Disk Read Bytes/sec" and the write twin, by plain concatenation.
std::string readCounterPath(std::string_view instance);
std::string writeCounterPath(std::string_view instance);

// The program's disk counter query: the read and write rate counters of one disk instance ("_Total" for all). A
// query that could not be opened, or a counter that could not be added, reads 0.
class DiskRateSampler {
public:
    using QueryOpener = std::function<std::unique_ptr<platform::DiskCounterSource>()>;

    explicit DiskRateSampler(QueryOpener openQuery) : openQuery_(std::move(openQuery)) {}

    // Opens a query for `instance` with both counters (replacing any open query).
    void open(std::string_view instance);
    // Reads another instance from the next sample on. The open query is kept and the counters are added to it, so
    // where the system keeps every disk's counters (Linux) the next sample already gives the new disk's rates.
    void switchInstance(std::string_view instance);
    // One collection of the open query; nothing when it is closed.
    void sample();
    // Rates in bytes per second over the last two samples; 0 while closed or without a valid value.
    double readRate() const { return rate(readCounter_); }
    double writeRate() const { return rate(writeCounter_); }
    void close();

    bool isOpen() const { return query_ != nullptr; }
    // The counter paths asked for at the last open (empty before the first).
    const std::string& readPath() const { return readPath_; }
    const std::string& writePath() const { return writePath_; }

private:
    double rate(platform::CounterHandle counter) const;
    // Adds both counters of `instance` to the open query (handles 0 without one) and reads them from now on.
    void addCounters(std::string_view instance);

    QueryOpener openQuery_;
    std::unique_ptr<platform::DiskCounterSource> query_;
    platform::CounterHandle readCounter_ = 0;
    platform::CounterHandle writeCounter_ = 0;
    std::string readPath_;
    std::string writePath_;
};

} // namespace oruvel::core
