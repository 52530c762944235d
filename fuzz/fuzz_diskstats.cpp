// Disk statistics: any text parses, and successive collections never give a negative or non-finite rate.
#include "platform/disk_rates.h"

#include <cmath>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, unsigned long size) {
    using namespace oruvel::platform;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    static std::vector<DiskSample> samples;
    static DiskRateTracker tracker;
    static double seconds = 0;
    parseDiskstats(text, samples);
    seconds += size % 3 == 0 ? 0.0 : 1.0; // sometimes no time passes
    tracker.update(samples, seconds);
    for (const auto& s : samples) {
        for (const auto dir : {DiskDirection::Read, DiskDirection::Write}) {
            const double r = tracker.rate(s.name, dir);
            if (!std::isfinite(r) || r < 0) {
                __builtin_trap();
            }
        }
    }
    const double total = tracker.rate("_Total", DiskDirection::Write);
    if (!std::isfinite(total) || total < 0) {
        __builtin_trap();
    }
    return 0;
}
