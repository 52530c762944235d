#pragma once

#include "platform/disk_counter_source.h"
#include "platform/disk_list.h"
#include "platform/registry_store.h"
#include "platform/startup_registrar.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace oruvel::platform {

// Opens a disk counter query on this system's counters (PdhOpenQuery's place).
std::unique_ptr<DiskCounterSource> openDiskCounterQuery();

// The whole physical disks whose counters can be chosen: sysfs on Linux, the performance counters' PhysicalDisk
// instances on Windows.
std::vector<DiskInfo> listPhysicalDisks();

// The per-user configuration folder (XDG_CONFIG_HOME, else ~/.config; the roaming application data folder on
// Windows), without a trailing separator. Empty when none can be found.
std::string userConfigFolder();

// The current user's registry: a hive folder below userConfigFolder() on Linux, the real registry on Windows.
std::unique_ptr<RegistryStore> openUserRegistry();

// Where logon starts are registered: the XDG autostart folder on Linux, the Task Scheduler on Windows.
std::unique_ptr<StartupRegistrar> openStartupRegistrar();

// The operating system's version, as the version test reads it; nullopt where the system is not Windows.
struct OsVersion {
    int platformId = 0;
    int major = 0;
    int minor = 0;
    int build = 0;
};
std::optional<OsVersion> readOsVersion();

// A program's file name on this system ("NAME.exe" on Windows), and the separator between folder and file.
std::string executableFileName(std::string_view baseName);
extern const char kPathSeparator;

// The full path of the running program.
std::string runningProgramPath();

} // namespace oruvel::platform
