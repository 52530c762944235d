#pragma once

#include "platform/disk_list.h"

#include <string>
#include <vector>

namespace oruvel::platform {

// Whether the kernel block device `name` is a whole physical disk: its sysfs entry under `sysBlockRoot` has a
// "device" link (the rule iostat uses). Partitions, loop, ram, zram, device-mapper and md devices have none.
bool isWholeDisk(const std::string& sysBlockRoot, const std::string& name);

// The whole physical disks under a sysfs block root ("/sys/block"), sorted by name, with the model from
// device/model and the size from "size" (512-byte sectors). A tree that cannot be read gives no disks.
std::vector<DiskInfo> readSysfsDisks(const std::string& sysBlockRoot);

} // namespace oruvel::platform
