#pragma once

#include "core/format_bytes.h"
#include "platform/disk_activity_source.h"
#include "platform/disk_list.h"

#include <string>
#include <string_view>
#include <vector>

namespace oruvel::core {

// The activity of all disks together, for the "_Total" row: rates, operations and requests in flight add up; the
// busy share is the busiest disk's (the total is held up by it); the mean times are weighted by each disk's
// operations.
platform::DiskActivity totalActivity(const std::vector<platform::DiskActivityReading>& disks);

// A disk's file systems as the user knows them: "/, /home (DATA), BACKUP", a mount point or drive letter with its
// label in brackets, a label alone where nothing is mounted.
std::string volumesText(const std::vector<platform::Volume>& volumes);

// A disk as the user knows it: its menu caption and its file systems, "nvme0n1 — Samsung 980 (1.0 TB) — /, /home".
std::string diskDescription(const platform::DiskInfo& disk, std::string_view decimalPoint = ".");

// The texts of the activity table.
std::string rateText(double bytesPerSecond, const NumberSeparators& separators);       // "117.74 MB/s"
std::string percentText(double percent);                                               // "37 %"
std::string millisecondsText(double milliseconds, const NumberSeparators& separators); // "1.25 ms"
std::string countText(double perSecond);                                               // "120"

} // namespace oruvel::core
