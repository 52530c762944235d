#include "platform/disk_stat.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>

namespace oruvel::platform {

std::optional<DiskCounters> parseDiskStat(std::string_view text) {
    constexpr std::size_t kRequired = 7;
    std::array<std::uint64_t, 10> fields{};
    std::size_t n = 0;
    std::size_t i = 0;
    while (n < fields.size()) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
            ++i;
        }
        const std::size_t start = i;
        while (i < text.size() && text[i] != ' ' && text[i] != '\t' && text[i] != '\n') {
            ++i;
        }
        if (i == start) {
            break;
        }
        const auto [end, ec] = std::from_chars(text.data() + start, text.data() + i, fields[n]);
        if (ec != std::errc() || end != text.data() + i) {
            return std::nullopt;
        }
        ++n;
    }
    if (n < kRequired) {
        return std::nullopt;
    }
    return DiskCounters{fields[0], fields[2], fields[3], fields[4], fields[6], fields[7], fields[8], fields[9]};
}

std::uint64_t countGrowth(std::uint64_t before, std::uint64_t after) {
    return after >= before ? after - before : 0;
}

std::uint64_t millisecondGrowth(std::uint64_t before, std::uint64_t after) {
    if (after >= before) {
        return after - before;
    }
    constexpr std::uint64_t kHalf32 = std::uint64_t{1} << 31U;
    constexpr std::uint64_t kWrap32 = std::uint64_t{1} << 32U;
    if (before < kWrap32 && before >= kHalf32 && after < kHalf32) {
        return kWrap32 - before + after;
    }
    return 0;
}

double sectorRate(std::uint64_t before, std::uint64_t after, double seconds) {
    return seconds > 0 ? static_cast<double>(countGrowth(before, after)) * kSectorBytes / seconds : 0.0;
}

DiskActivity activityBetween(const DiskCounters& before, const DiskCounters& after, double seconds) {
    DiskActivity a;
    a.inFlight = static_cast<double>(after.inFlight);
    if (!(seconds > 0) || !(seconds < std::numeric_limits<double>::infinity())) {
        return a;
    }
    const auto count = [](std::uint64_t b, std::uint64_t n) { return static_cast<double>(countGrowth(b, n)); };
    const auto time = [](std::uint64_t b, std::uint64_t n) { return static_cast<double>(millisecondGrowth(b, n)); };
    a.readRate = count(before.sectorsRead, after.sectorsRead) * kSectorBytes / seconds;
    a.writeRate = count(before.sectorsWritten, after.sectorsWritten) * kSectorBytes / seconds;
    const double reads = count(before.readsCompleted, after.readsCompleted);
    const double writes = count(before.writesCompleted, after.writesCompleted);
    a.readsPerSecond = reads / seconds;
    a.writesPerSecond = writes / seconds;
    a.readAwaitMilliseconds = reads > 0 ? time(before.readMilliseconds, after.readMilliseconds) / reads : 0.0;
    a.writeAwaitMilliseconds = writes > 0 ? time(before.writeMilliseconds, after.writeMilliseconds) / writes : 0.0;
    // The busy time is counted in whole ticks, so it can run a little past the interval measured here.
    a.busyPercent = std::clamp(time(before.busyMilliseconds, after.busyMilliseconds) / (seconds * 10.0), 0.0, 100.0);
    return a;
}

} // namespace oruvel::platform
