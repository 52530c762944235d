#pragma once

#include "platform/disk_list.h"

#include <string>
#include <string_view>
#include <vector>

namespace oruvel::platform {

// A kernel device name as sysfs shows it ("/" becomes "!").
std::string sysfsName(std::string_view kernelName);

// Whether the kernel block device `name` is a whole physical disk: its sysfs entry under `sysBlockRoot` has a
// "device" link (the rule iostat uses). Partitions, loop, ram, zram, device-mapper and md devices have none.
bool isWholeDisk(const std::string& sysBlockRoot, const std::string& name);

// The kernel names of the whole physical disks under a sysfs block root, into `names` (its storage is reused). Names
// that sysfs shows with "!" are given with "/", as the kernel has them.
void listWholeDisks(const std::string& sysBlockRoot, std::vector<std::string>& names);

// The whole physical disks under a sysfs block root ("/sys/block"), sorted by name, with the model from
// device/model and the size from "size" (512-byte sectors). A tree that cannot be read gives no disks.
std::vector<DiskInfo> readSysfsDisks(const std::string& sysBlockRoot);

} // namespace oruvel::platform
