#include "core/activity_texts.h"

#include "core/disk_caption.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace oruvel::core {

platform::DiskActivity totalActivity(const std::vector<platform::DiskActivityReading>& disks) {
    platform::DiskActivity total;
    double readTime = 0;
    double writeTime = 0;
    for (const platform::DiskActivityReading& disk : disks) {
        const platform::DiskActivity& a = disk.activity;
        total.readRate += a.readRate;
        total.writeRate += a.writeRate;
        total.readsPerSecond += a.readsPerSecond;
        total.writesPerSecond += a.writesPerSecond;
        total.inFlight += a.inFlight;
        total.busyPercent = std::max(total.busyPercent, a.busyPercent);
        readTime += a.readAwaitMilliseconds * a.readsPerSecond;
        writeTime += a.writeAwaitMilliseconds * a.writesPerSecond;
    }
    total.readAwaitMilliseconds = total.readsPerSecond > 0 ? readTime / total.readsPerSecond : 0.0;
    total.writeAwaitMilliseconds = total.writesPerSecond > 0 ? writeTime / total.writesPerSecond : 0.0;
    return total;
}

std::string volumesText(const std::vector<platform::Volume>& volumes) {
    std::string text;
    for (const platform::Volume& v : volumes) {
        if (!text.empty()) {
            text += ", ";
        }
        text += v.place.empty() ? v.label : v.label.empty() ? v.place : v.place + " (" + v.label + ")";
    }
    return text;
}

std::string diskDescription(const platform::DiskInfo& disk, std::string_view decimalPoint) {
    std::string text = diskCaption(disk, decimalPoint);
    if (const std::string volumes = volumesText(disk.volumes); !volumes.empty()) {
        text += " \u2014 " + volumes;
    }
    return text;
}

std::string rateText(double bytesPerSecond, const NumberSeparators& separators) {
    return formatBytes(bytesPerSecond, true, separators) + "/s";
}

namespace {
double sane(double v) {
    return std::isfinite(v) && v > 0 ? v : 0.0;
}
} // namespace

std::string percentText(double percent) {
    return std::to_string(static_cast<int>(std::lround(std::min(sane(percent), 100.0)))) + " %";
}

std::string millisecondsText(double milliseconds, const NumberSeparators& separators) {
    std::array<char, 64> text{};
    const double ms = std::min(sane(milliseconds), 1e12);
    std::snprintf(text.data(), text.size(), ms < 10 ? "%.2f" : ms < 100 ? "%.1f" : "%.0f", ms);
    std::string out = text.data();
    if (const std::size_t point = out.find('.'); point != std::string::npos) {
        out.replace(point, 1, separators.decimal);
    }
    return out + " ms";
}

std::string countText(double perSecond) {
    return std::to_string(static_cast<long long>(std::llround(std::min(sane(perSecond), 1e15))));
}

} // namespace oruvel::core
