#include "platform/disk_rates.h"

#include "platform/text_util.h"

#include <array>
#include <charconv>

namespace oruvel::platform {
namespace {

constexpr std::string_view kPrefix = "\\PhysicalDisk(";
constexpr std::string_view kReadSuffix = ")\\Disk Read Bytes/sec";
constexpr std::string_view kWriteSuffix = ")\\Disk Write Bytes/sec";
constexpr double kSectorBytes = 512.0;

bool startsWithIgnoreCase(std::string_view s, std::string_view p) {
    return s.size() >= p.size() && equalsIgnoreCase(s.substr(0, p.size()), p);
}

bool endsWithIgnoreCase(std::string_view s, std::string_view p) {
    return s.size() >= p.size() && equalsIgnoreCase(s.substr(s.size() - p.size()), p);
}

std::string_view nextToken(std::string_view& line) {
    std::size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) {
        ++i;
    }
    std::size_t j = i;
    while (j < line.size() && line[j] != ' ' && line[j] != '\t') {
        ++j;
    }
    const std::string_view token = line.substr(i, j - i);
    line.remove_prefix(j);
    return token;
}

bool toU64(std::string_view s, std::uint64_t& out) {
    const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && ptr == s.data() + s.size() && !s.empty();
}

} // namespace

std::optional<DiskCounterPath> parseDiskCounterPath(std::string_view path) {
    if (!startsWithIgnoreCase(path, kPrefix)) {
        return std::nullopt;
    }
    DiskCounterPath out;
    std::string_view suffix;
    if (endsWithIgnoreCase(path, kReadSuffix)) {
        suffix = kReadSuffix;
    } else if (endsWithIgnoreCase(path, kWriteSuffix)) {
        suffix = kWriteSuffix;
        out.direction = DiskDirection::Write;
    } else {
        return std::nullopt;
    }
    if (path.size() < kPrefix.size() + suffix.size()) {
        return std::nullopt;
    }
    const std::string_view instance = path.substr(kPrefix.size(), path.size() - kPrefix.size() - suffix.size());
    if (instance.empty() || instance.size() > kMaxInstanceLength) {
        return std::nullopt;
    }
    out.instance = std::string(instance);
    return out;
}

void parseDiskstats(std::string_view text, std::vector<DiskSample>& out) {
    std::size_t used = 0;
    while (!text.empty()) {
        const auto br = text.find('\n');
        std::string_view line = text.substr(0, br);
        text = br == std::string_view::npos ? std::string_view{} : text.substr(br + 1);

        // major minor name reads merged sectors-read ms writes merged sectors-written ...
        std::array<std::string_view, 10> fields;
        std::size_t n = 0;
        while (n < 10) {
            fields[n] = nextToken(line);
            if (fields[n].empty()) {
                break;
            }
            ++n;
        }
        DiskSample sample;
        if (n < 10 || !toU64(fields[5], sample.sectorsRead) || !toU64(fields[9], sample.sectorsWritten)) {
            continue;
        }
        if (used == out.size()) {
            out.emplace_back();
        }
        DiskSample& slot = out[used++];
        slot.name.assign(fields[2]);
        slot.sectorsRead = sample.sectorsRead;
        slot.sectorsWritten = sample.sectorsWritten;
    }
    out.resize(used);
}

void DiskRateTracker::update(const std::vector<DiskSample>& disks, double seconds) {
    const double dt = seconds - previousSeconds_;
    const bool valid = havePrevious_ && dt > 0;
    rates_.clear();
    total_ = {};
    std::unordered_map<std::string, Counts> current;
    current.reserve(disks.size());
    for (const DiskSample& disk : disks) {
        const Counts now{disk.sectorsRead, disk.sectorsWritten};
        auto [slot, inserted] = current.try_emplace(toLowerAscii(disk.name), now);
        if (!inserted || !valid) {
            continue; // a repeated name counts once
        }
        const auto before = previous_.find(slot->first);
        if (before == previous_.end()) {
            continue; // appeared during this interval
        }
        const auto delta = [dt](std::uint64_t a, std::uint64_t b) {
            return b >= a ? static_cast<double>(b - a) * kSectorBytes / dt : 0.0;
        };
        const Rates r{delta(before->second.read, now.read), delta(before->second.written, now.written)};
        rates_[slot->first] = r;
        total_.read += r.read;
        total_.write += r.write;
    }
    previous_ = std::move(current);
    previousSeconds_ = seconds;
    havePrevious_ = true;
}

void DiskRateTracker::unchanged(double seconds) {
    for (auto& entry : rates_) {
        entry.second = {};
    }
    total_ = {};
    previousSeconds_ = seconds;
}

double DiskRateTracker::rate(std::string_view instance, DiskDirection direction) const {
    const Rates* r = nullptr;
    if (equalsIgnoreCase(instance, kTotalInstance)) {
        r = &total_;
    } else {
        const auto it = rates_.find(toLowerAscii(instance));
        r = it == rates_.end() ? nullptr : &it->second;
    }
    if (r == nullptr) {
        return 0.0;
    }
    return direction == DiskDirection::Read ? r->read : r->write;
}

} // namespace oruvel::platform
