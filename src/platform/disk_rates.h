#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace oruvel::platform {

enum class DiskDirection { Read, Write };

// A parsed disk counter path: the instance ("_Total" or a disk name) and the direction.
struct DiskCounterPath {
    std::string instance;
    DiskDirection direction = DiskDirection::Read;
};

inline constexpr std::string_view kTotalInstance = "_Total";
inline constexpr std::size_t kMaxInstanceLength = 255;

// Reads "\PhysicalDisk(INSTANCE)\Disk Read Bytes/sec" or "...\Disk Write Bytes/sec" (case-insensitive); nullopt for
// anything else, or for an instance that is empty or longer than kMaxInstanceLength.
std::optional<DiskCounterPath> parseDiskCounterPath(std::string_view path);

// Cumulative sector counts of one block device, as the kernel reports them.
struct DiskSample {
    std::string name;
    std::uint64_t sectorsRead = 0;
    std::uint64_t sectorsWritten = 0;
};

// Parses the text of /proc/diskstats into `out` (cleared first; its storage is reused). Malformed lines are skipped.
void parseDiskstats(std::string_view text, std::vector<DiskSample>& out);

// Turns successive collections of cumulative counters into byte rates. Deltas are taken per device, so a device that
// appears or vanishes between two collections adds nothing for that interval, and a counter that goes backwards (a
// reset or a wrap) counts 0 for it. Sectors are 512 bytes.
class DiskRateTracker {
public:
    // One collection at `seconds` on a monotonic clock; `disks` holds the devices that count (whole physical disks).
    void update(const std::vector<DiskSample>& disks, double seconds);
    // A collection at `seconds` whose counters are exactly those of the last update: every rate is 0. Gives the
    // same rates as update() with the same disks again, without going through them.
    void unchanged(double seconds);
    bool primed() const { return havePrevious_; }
    // Bytes per second of an instance (a device name, or "_Total" for the sum over all devices, both matched
    // case-insensitively) over the last interval; 0 before the second collection and for unknown instances.
    double rate(std::string_view instance, DiskDirection direction) const;

private:
    struct Counts {
        std::uint64_t read = 0;
        std::uint64_t written = 0;
    };
    struct Rates {
        double read = 0;
        double write = 0;
    };
    std::unordered_map<std::string, Counts> previous_;
    std::unordered_map<std::string, Rates> rates_;
    Rates total_;
    double previousSeconds_ = 0;
    bool havePrevious_ = false;
};

} // namespace oruvel::platform
