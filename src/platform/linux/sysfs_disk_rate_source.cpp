#include "platform/linux/sysfs_disk_rate_source.h"

#include "platform/linux/sysfs_disks.h"
#include "platform/text_util.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace oruvel::platform {

SysfsDiskRateSource::SysfsDiskRateSource(std::string sysBlockRoot, const MonotonicClock& clock)
    : root_(std::move(sysBlockRoot)), clock_(clock) {}

SysfsDiskRateSource::~SysfsDiskRateSource() {
    for (const Disk& disk : disks_) {
        if (disk.fd >= 0) {
            ::close(disk.fd);
        }
    }
}

bool SysfsDiskRateSource::wanted(const Disk& disk) const {
    return equalsIgnoreCase(instance_, kTotalInstance) || equalsIgnoreCase(instance_, disk.name);
}

bool SysfsDiskRateSource::read(Disk& disk, SectorCounts& counts) {
    if (disk.fd < 0) {
        return false;
    }
    ssize_t n = 0;
    do {
        n = ::pread(disk.fd, text_.data(), text_.size() - 1, 0);
    } while (n < 0 && errno == EINTR);
    const auto parsed =
        n > 0 ? parseDiskStat(std::string_view(text_.data(), static_cast<std::size_t>(n))) : std::nullopt;
    if (!parsed) {
        ::close(disk.fd); // the device has gone; a disk of that name is opened anew at the next look-up
        disk.fd = -1;
        disk.counted = false;
        return false;
    }
    counts = *parsed;
    return true;
}

namespace {

unsigned long long fileIdentity(const struct stat& st) {
    return (static_cast<unsigned long long>(st.st_dev) << 40U) ^ static_cast<unsigned long long>(st.st_ino);
}

} // namespace

bool SysfsDiskRateSource::open(Disk& disk) {
    disk.fd = ::open((root_ + "/" + sysfsName(disk.name) + "/stat").c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (disk.fd < 0 || ::fstat(disk.fd, &st) != 0) {
        return false;
    }
    disk.file = fileIdentity(st);
    return true;
}

bool SysfsDiskRateSource::current(const Disk& disk) const {
    struct stat st {};
    return disk.fd >= 0 && ::stat((root_ + "/" + sysfsName(disk.name) + "/stat").c_str(), &st) == 0 &&
           fileIdentity(st) == disk.file;
}

void SysfsDiskRateSource::refreshList(double now) {
    listedAt_ = now;
    listed_ = true;
    listWholeDisks(root_, names_);
    // Disks that are gone, could no longer be read, or are now another device of the same name are closed.
    std::erase_if(disks_, [this](const Disk& disk) {
        const bool present = std::find(names_.begin(), names_.end(), disk.name) != names_.end();
        if (present && current(disk)) {
            return false;
        }
        if (disk.fd >= 0) {
            ::close(disk.fd);
        }
        return true;
    });
    for (const std::string& name : names_) {
        if (std::any_of(disks_.begin(), disks_.end(), [&](const Disk& d) { return d.name == name; })) {
            continue;
        }
        Disk disk;
        disk.name = name;
        if (open(disk)) {
            disks_.push_back(std::move(disk));
        } else if (disk.fd >= 0) {
            ::close(disk.fd);
        }
    }
}

void SysfsDiskRateSource::select(std::string_view instance) {
    instance_.assign(instance);
    // Disks newly chosen are read now, so the next collection already gives their rates.
    const double now = clock_.seconds();
    for (Disk& disk : disks_) {
        SectorCounts counts;
        if (wanted(disk) && !disk.counted && read(disk, counts)) {
            disk.last = counts;
            disk.lastSeconds = now;
            disk.counted = true;
        }
    }
}

void SysfsDiskRateSource::collect() {
    const double now = clock_.seconds();
    if (!listed_ || now - listedAt_ >= kListSeconds || now < listedAt_) {
        refreshList(now);
    }
    readRate_ = 0;
    writeRate_ = 0;
    for (Disk& disk : disks_) {
        SectorCounts counts;
        if (!wanted(disk)) {
            disk.counted = false; // its last reading grows old; it is read afresh when chosen again
            continue;
        }
        if (!read(disk, counts)) {
            continue;
        }
        if (disk.counted) {
            readRate_ += sectorRate(disk.last.read, counts.read, now - disk.lastSeconds);
            writeRate_ += sectorRate(disk.last.written, counts.written, now - disk.lastSeconds);
        }
        disk.last = counts;
        disk.lastSeconds = now;
        disk.counted = true;
    }
}

} // namespace oruvel::platform
