#include "platform/linux/proc_disk_counter_source.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace oruvel::platform {
namespace {

// The diskstats file is read whole; anything larger than this is not a real one.
constexpr std::size_t kMaxDiskstatsBytes = 8U * 1024U * 1024U;

} // namespace

ProcDiskCounterSource::ProcDiskCounterSource(std::string diskstatsPath, std::string sysBlockRoot,
                                             const MonotonicClock& clock)
    : diskstatsPath_(std::move(diskstatsPath)), sysBlockRoot_(std::move(sysBlockRoot)), clock_(clock) {}

CounterHandle ProcDiskCounterSource::addCounter(std::string_view path) {
    auto parsed = parseDiskCounterPath(path);
    if (!parsed) {
        return 0;
    }
    counters_.push_back(std::move(*parsed));
    return static_cast<CounterHandle>(counters_.size());
}

bool ProcDiskCounterSource::readDiskstats() {
    const int fd = ::open(diskstatsPath_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    text_.resize(text_.capacity() < 65536 ? 65536 : text_.capacity());
    std::size_t used = 0;
    bool ok = true;
    for (;;) {
        if (used == text_.size()) {
            if (text_.size() >= kMaxDiskstatsBytes) {
                ok = false;
                break;
            }
            text_.resize(text_.size() * 2);
        }
        const ssize_t n = ::read(fd, text_.data() + used, text_.size() - used);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        used += static_cast<std::size_t>(n);
    }
    ::close(fd);
    text_.resize(ok ? used : 0);
    return ok;
}

bool ProcDiskCounterSource::isWholeDisk(const std::string& name) {
    const auto cached = wholeDiskCache_.find(name);
    if (cached != wholeDiskCache_.end()) {
        return cached->second;
    }
    // Kernel names with "/" appear in sysfs with "!" instead.
    std::string sysName = name;
    for (char& c : sysName) {
        if (c == '/') {
            c = '!';
        }
    }
    bool whole = false;
    if (!sysName.empty() && sysName != "." && sysName != "..") {
        struct stat st {};
        whole = ::stat((sysBlockRoot_ + "/" + sysName + "/device").c_str(), &st) == 0;
    }
    wholeDiskCache_.emplace(name, whole);
    return whole;
}

void ProcDiskCounterSource::collect() {
    if (!readDiskstats()) {
        text_.clear();
    }
    parseDiskstats(text_, all_);
    if (wholeDiskCache_.size() > 4 * all_.size() + 64) {
        wholeDiskCache_.clear(); // forget devices that have gone
    }
    disks_.clear();
    for (const DiskSample& d : all_) {
        if (isWholeDisk(d.name)) {
            disks_.push_back(d);
        }
    }
    tracker_.update(disks_, clock_.seconds());
}

double ProcDiskCounterSource::counterValue(CounterHandle counter) const {
    if (counter == 0 || counter > counters_.size()) {
        return 0.0;
    }
    const DiskCounterPath& c = counters_[counter - 1];
    return tracker_.rate(c.instance, c.direction);
}

} // namespace oruvel::platform
