#pragma once

#include <memory>
#include <string_view>

namespace oruvel::platform {

// The name of the instance that sums every whole physical disk.
inline constexpr std::string_view kTotalInstance = "_Total";

// The read and write rates of one disk instance: "_Total" or a disk's name as the system gives it. Destroying the
// source closes it.
class DiskRateSource {
public:
    virtual ~DiskRateSource() = default;

    // The instance the rates are of, from the next collection on (matched without regard to letter case).
    virtual void select(std::string_view instance) = 0;
    // Takes one collection of the counters.
    virtual void collect() = 0;
    // Bytes per second over the interval before the last collection; 0 without a valid value (the first collection,
    // an instance that does not exist or has gone).
    virtual double readRate() const = 0;
    virtual double writeRate() const = 0;
};

// Opens the disk rates of this system, on "_Total" until another instance is selected.
std::unique_ptr<DiskRateSource> openDiskRateSource();

} // namespace oruvel::platform
