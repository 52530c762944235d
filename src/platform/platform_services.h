#pragma once

#include "platform/disk_counter_source.h"
#include "platform/registry_store.h"

#include <memory>
#include <string>

namespace oruvel::platform {

// Opens a disk counter query on this system's counters (PdhOpenQuery's place).
std::unique_ptr<DiskCounterSource> openDiskCounterQuery();

// The per-user configuration folder (XDG_CONFIG_HOME, else ~/.config; the roaming application data folder on
// Windows), without a trailing separator. Empty when none can be found.
std::string userConfigFolder();

// The current user's registry: a hive folder below userConfigFolder() on Linux, the real registry on Windows.
std::unique_ptr<RegistryStore> openUserRegistry();

} // namespace oruvel::platform
