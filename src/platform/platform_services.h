#pragma once

#include "platform/disk_activity_source.h"
#include "platform/disk_list.h"
#include "platform/disk_rate_source.h"
#include "platform/login_start_registry.h"
#include "platform/process_io.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace oruvel::platform {

// Opens the disk rates of this system, on "_Total" until another instance is selected.
std::unique_ptr<DiskRateSource> openDiskRateSource();

// The whole physical disks whose counters can be chosen: sysfs on Linux, the performance counters' PhysicalDisk
// instances on Windows.
std::vector<DiskInfo> listPhysicalDisks();

// What every disk does (busy share, mean times, operations), and each process's I/O: for the disk-activity window.
std::unique_ptr<DiskActivitySource> openDiskActivitySource();
std::unique_ptr<ProcessIoSource> openProcessIoSource();
// The whole physical disks with their file systems: mount points and labels on Linux, drive letters and volume labels
// on Windows.
std::vector<DiskInfo> listDisksWithVolumes();

// The per-user configuration folder (XDG_CONFIG_HOME, else ~/.config; the roaming application data folder on
// Windows), without a trailing separator. Empty when none can be found.
std::string userConfigFolder();

// Where logon starts are registered: the XDG autostart folder on Linux, the Task Scheduler on Windows.
std::unique_ptr<LoginStartRegistry> openLoginStartRegistry();

// A program's file name on this system ("NAME.exe" on Windows), and the separator between folder and file.
std::string executableFileName(std::string_view baseName);
extern const char kPathSeparator;

// The caption of the start-at-login box in this system's words (UTF-8); empty where the form's own caption fits.
std::string loginStartCaption();

// Whether a window can be shown: on Linux an X server at DISPLAY answers, or a Wayland compositor is named; always
// on Windows.
bool displayReachable();

// The full path of the running program.
std::string runningProgramPath();

} // namespace oruvel::platform
