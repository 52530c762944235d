// A disk's statistics line: any text parses or is refused, and the rates between any two readings are never negative
// or non-finite.
#include "platform/disk_stat.h"

#include <cmath>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, unsigned long size) {
    using namespace oruvel::platform;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    static SectorCounts last;
    const auto counts = parseDiskStat(text);
    if (!counts) {
        return 0;
    }
    const double seconds = size % 3 == 0 ? 0.0 : static_cast<double>(size % 7) / 3.0; // sometimes no time passes
    for (const double rate :
         {sectorRate(last.read, counts->read, seconds), sectorRate(last.written, counts->written, seconds)}) {
        if (!std::isfinite(rate) || rate < 0) {
            __builtin_trap();
        }
    }
    last = *counts;
    return 0;
}
