#include "platform/linux/proc_disk_counter_source.h"

#include "platform/linux/sysfs_disks.h"

#include <cerrno>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/statfs.h>
#include <sys/stat.h>
#include <unistd.h>

namespace oruvel::platform {
namespace {

// The diskstats file is read whole; anything larger than this is not a real one.
constexpr std::size_t kMaxDiskstatsBytes = std::size_t{8} * 1024 * 1024;

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

ProcDiskCounterSource::~ProcDiskCounterSource() {
    if (kept_ >= 0) {
        ::close(kept_);
    }
}

// The kernel's statistics file is produced anew by every read from its start, so it is opened once and read again
// from offset 0 at each collection; any other file (a fixture) is opened each time, since it may have been replaced.
int ProcDiskCounterSource::openDiskstats() {
    if (kept_ >= 0) {
        if (::lseek(kept_, 0, SEEK_SET) == 0) {
            return kept_;
        }
        ::close(kept_);
        kept_ = -1;
    }
    const int fd = ::open(diskstatsPath_.c_str(), O_RDONLY | O_CLOEXEC);
    struct statfs fs {};
    if (fd >= 0 && ::fstatfs(fd, &fs) == 0 && fs.f_type == PROC_SUPER_MAGIC) {
        kept_ = fd;
    }
    return fd;
}

void ProcDiskCounterSource::readDiskstats() {
    textLength_ = 0; // an unreadable file leaves no text: every device then reads as gone
    const int fd = openDiskstats();
    if (fd < 0) {
        return;
    }
    // The buffer keeps its size from one collection to the next, so it is filled by read() and never cleared.
    if (buffer_.empty()) {
        buffer_.resize(65536);
    }
    bool ok = true;
    for (;;) {
        if (textLength_ == buffer_.size()) {
            if (buffer_.size() >= kMaxDiskstatsBytes) {
                ok = false;
                break;
            }
            buffer_.resize(buffer_.size() * 2);
        }
        const ssize_t n = ::read(fd, buffer_.data() + textLength_, buffer_.size() - textLength_);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        textLength_ += static_cast<std::size_t>(n);
    }
    if (fd != kept_) {
        ::close(fd);
    }
    if (!ok) {
        textLength_ = 0;
    }
}

bool ProcDiskCounterSource::isWholeDisk(const std::string& name) {
    const auto cached = wholeDiskCache_.find(name);
    if (cached != wholeDiskCache_.end()) {
        return cached->second;
    }
    const bool whole = platform::isWholeDisk(sysBlockRoot_, name);
    wholeDiskCache_.emplace(name, whole);
    return whole;
}

void ProcDiskCounterSource::collect() {
    readDiskstats();
    const std::string_view text(buffer_.data(), textLength_);
    // While no device does any I/O the file reads exactly as last time, and then every rate is simply 0.
    if (tracker_.primed() && text == lastText_) {
        tracker_.unchanged(clock_.seconds());
        return;
    }
    lastText_.assign(text);
    parseDiskstats(text, all_);
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
