// A disk's statistics line: any text parses or is refused, and the rates and activity between any two readings are
// never negative or non-finite, the busy share never past 100.
#include "platform/disk_stat.h"

#include <cmath>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, unsigned long size) {
    using namespace oruvel::platform;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    static DiskCounters last;
    const auto counts = parseDiskStat(text);
    if (!counts) {
        return 0;
    }
    const double seconds = size % 3 == 0 ? 0.0 : static_cast<double>(size % 7) / 3.0; // sometimes no time passes
    const DiskActivity a = activityBetween(last, *counts, seconds);
    for (const double value :
         {sectorRate(last.sectorsRead, counts->sectorsRead, seconds),
          sectorRate(last.sectorsWritten, counts->sectorsWritten, seconds), a.readRate, a.writeRate, a.busyPercent,
          a.readAwaitMilliseconds, a.writeAwaitMilliseconds, a.readsPerSecond, a.writesPerSecond, a.inFlight}) {
        if (!std::isfinite(value) || value < 0) {
            __builtin_trap();
        }
    }
    if (a.busyPercent > 100) {
        __builtin_trap();
    }
    last = *counts;
    return 0;
}
