#pragma once

#include "platform/disk_list.h"

#include <map>
#include <string>
#include <vector>

namespace oruvel::platform {

// Where each file system of the system's block devices lives, by whole disk: the mounts of `mountInfoPath` (the
// format of /proc/self/mountinfo) and the labels of `byLabelFolder` (/dev/disk/by-label). A partition belongs to its
// disk; a device-mapper or md device to every disk below it (its "slaves" in sysfs, followed down). A mount is
// matched to its device by device number, else by its source's name (/dev/NAME, /dev/mapper/NAME). Labelled file
// systems that are not mounted are given with an empty place. Each disk's volumes are in mount-table order, then the
// unmounted ones by label.
std::map<std::string, std::vector<Volume>>
readDiskVolumes(const std::string& sysBlockRoot, const std::string& mountInfoPath, const std::string& byLabelFolder);

// A mount table's field with its octal escapes ("\\040" for a space) undone.
std::string unescapeMountField(std::string_view field);
// A udev link name with its hexadecimal escapes ("\\x2f" for "/") undone.
std::string unescapeUdevName(std::string_view name);

} // namespace oruvel::platform
