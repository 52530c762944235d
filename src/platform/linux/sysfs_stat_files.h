#pragma once

#include "platform/disk_stat.h"

#include <array>
#include <string>
#include <vector>

namespace oruvel::platform {

// The "stat" files of the whole physical disks below a sysfs block root, kept open and read again from their start.
// The list of disks is looked up again every few seconds, so a disk plugged in later joins; a disk that goes away,
// or is another device under the same name, is closed. Each disk keeps its last reading for its owner's use.
class SysfsStatFiles {
public:
    struct Disk {
        std::string name;            // the kernel's name ("/" where sysfs shows "!")
        int fd = -1;                 // its open stat file; -1 once a read failed
        unsigned long long file = 0; // which file that is (device and inode), to see it replaced
        DiskCounters last;
        double lastSeconds = 0;
        bool counted = false; // `last` is a reading of the interval just past
    };

    explicit SysfsStatFiles(std::string sysBlockRoot);
    ~SysfsStatFiles();
    SysfsStatFiles(const SysfsStatFiles&) = delete;
    SysfsStatFiles& operator=(const SysfsStatFiles&) = delete;

    // Looks the list up again when it is due at `now` (or the clock went back); true when it did.
    bool refresh(double now);
    std::vector<Disk>& disks() { return disks_; }
    // Reads a disk's counts now; false when it cannot be read (gone: it is closed and opened anew at the next look-up).
    bool read(Disk& disk, DiskCounters& counts);

    // How often the list of disks is looked up again.
    static constexpr double kListSeconds = 5.0;

private:
    bool open(Disk& disk);
    bool current(const Disk& disk) const;

    std::string root_;
    std::vector<Disk> disks_;
    std::vector<std::string> names_; // reused by each look-up of the list
    std::array<char, 512> text_{};
    double listedAt_ = 0;
    bool listed_ = false;
};

} // namespace oruvel::platform
