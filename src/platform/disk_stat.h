#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace oruvel::platform {

// The cumulative counts of one block device's statistics line (its "stat" file), as far as the program uses them.
// Sectors are 512 bytes whatever the device's own sector size; times are milliseconds.
struct DiskCounters {
    std::uint64_t readsCompleted = 0;    // field 1
    std::uint64_t sectorsRead = 0;       // field 3
    std::uint64_t readMilliseconds = 0;  // field 4: time spent by completed reads
    std::uint64_t writesCompleted = 0;   // field 5
    std::uint64_t sectorsWritten = 0;    // field 7
    std::uint64_t writeMilliseconds = 0; // field 8
    std::uint64_t inFlight = 0;          // field 9: requests in flight now (a level, not a count)
    std::uint64_t busyMilliseconds = 0;  // field 10: time with at least one request in flight
    bool operator==(const DiskCounters&) const = default;
};

inline constexpr double kSectorBytes = 512.0;

// The counts of a statistics line. The first seven fields must be numbers (the sector counts are the third and
// seventh); the times and the requests in flight, which very old kernels do not give, count as 0 when missing.
// nullopt for fewer than seven fields or a field that is not a number.
std::optional<DiskCounters> parseDiskStat(std::string_view text);

// How much a count grew between two readings; a fall is a reset (another device of the same name): nothing grew.
std::uint64_t countGrowth(std::uint64_t before, std::uint64_t after);
// How much a time in milliseconds grew. The kernel prints the times in 32 bits, so they wrap after 2^32 - 1 ms (49.7
// days): a reading in the upper half of that range followed by one in its lower half is such a wrap; any other fall
// is a reset.
std::uint64_t millisecondGrowth(std::uint64_t before, std::uint64_t after);

// Bytes per second between two sector counts `seconds` apart; 0 for a reset or a non-positive interval.
double sectorRate(std::uint64_t before, std::uint64_t after, double seconds);

// What a disk did between two readings of its counters.
struct DiskActivity {
    double readRate = 0;              // bytes per second
    double writeRate = 0;             //
    double busyPercent = 0;           // share of the interval with a request in flight, 0 to 100
    double readAwaitMilliseconds = 0; // mean time of a completed read, request queue included; 0 without reads
    double writeAwaitMilliseconds = 0;
    double readsPerSecond = 0;
    double writesPerSecond = 0;
    double inFlight = 0; // requests in flight at the later reading
    bool operator==(const DiskActivity&) const = default;
};

// The activity between two readings `seconds` apart, as iostat works it out (%util, r_await, w_await, r/s, w/s); an
// interval that is not positive gives nothing but the requests in flight.
DiskActivity activityBetween(const DiskCounters& before, const DiskCounters& after, double seconds);

} // namespace oruvel::platform
