#pragma once

#include "platform/disk_list.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace oruvel::core {

// A disk size in decimal units, as disks are sold: one decimal place and the largest unit that keeps the number at
// least 1 ("1.0 TB", "500.1 GB", "512 bytes").
std::string decimalSize(std::uint64_t bytes, std::string_view decimalPoint = ".");

// The menu caption of a disk: "nvme0n1 — MODEL (1.0 TB)"; without a model "sdb (500.1 GB)", without a size the
// rest alone.
std::string diskCaption(const platform::DiskInfo& disk, std::string_view decimalPoint = ".");

} // namespace oruvel::core
