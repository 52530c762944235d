#include "platform/linux/sysfs_stat_files.h"

#include "platform/linux/sysfs_disks.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace oruvel::platform {
namespace {

unsigned long long fileIdentity(const struct stat& st) {
    return (static_cast<unsigned long long>(st.st_dev) << 40U) ^ static_cast<unsigned long long>(st.st_ino);
}

} // namespace

SysfsStatFiles::SysfsStatFiles(std::string sysBlockRoot) : root_(std::move(sysBlockRoot)) {}

SysfsStatFiles::~SysfsStatFiles() {
    for (const Disk& disk : disks_) {
        if (disk.fd >= 0) {
            ::close(disk.fd);
        }
    }
}

bool SysfsStatFiles::read(Disk& disk, DiskCounters& counts) {
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
        ::close(disk.fd);
        disk.fd = -1;
        disk.counted = false;
        return false;
    }
    counts = *parsed;
    return true;
}

bool SysfsStatFiles::open(Disk& disk) {
    disk.fd = ::open((root_ + "/" + sysfsName(disk.name) + "/stat").c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (disk.fd < 0 || ::fstat(disk.fd, &st) != 0) {
        return false;
    }
    disk.file = fileIdentity(st);
    return true;
}

bool SysfsStatFiles::current(const Disk& disk) const {
    struct stat st {};
    return disk.fd >= 0 && ::stat((root_ + "/" + sysfsName(disk.name) + "/stat").c_str(), &st) == 0 &&
           fileIdentity(st) == disk.file;
}

bool SysfsStatFiles::refresh(double now) {
    if (listed_ && now - listedAt_ < kListSeconds && now >= listedAt_) {
        return false;
    }
    listedAt_ = now;
    listed_ = true;
    listWholeDisks(root_, names_);
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
    return true;
}

} // namespace oruvel::platform
