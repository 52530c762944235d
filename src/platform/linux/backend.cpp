// The Linux choices behind the platform's factories and queries.
#include "platform/disk_activity_source.h"
#include "platform/disk_list.h"
#include "platform/disk_rate_source.h"
#include "platform/display.h"
#include "platform/login_start_registry.h"
#include "platform/process_io.h"
#include "platform/system_paths.h"

#include "platform/linux/disk_volumes.h"
#include "platform/linux/procfs_process_io.h"
#include "platform/linux/sysfs_disk_activity_source.h"
#include "platform/linux/sysfs_disk_rate_source.h"
#include "platform/linux/sysfs_disks.h"
#include "platform/linux/user_config_folder.h"
#include "platform/xdg_login_start_registry.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace oruvel::platform {

namespace {
const SteadyClock kClock;
} // namespace

std::unique_ptr<DiskRateSource> openDiskRateSource() {
    return std::make_unique<SysfsDiskRateSource>("/sys/block", kClock);
}

std::vector<DiskInfo> listPhysicalDisks() {
    return readSysfsDisks("/sys/block");
}

std::unique_ptr<DiskActivitySource> openDiskActivitySource() {
    return std::make_unique<SysfsDiskActivitySource>("/sys/block", kClock);
}

std::unique_ptr<ProcessIoSource> openProcessIoSource() {
    return std::make_unique<ProcfsProcessIo>("/proc");
}

std::vector<DiskInfo> listDisksWithVolumes() {
    std::vector<DiskInfo> disks = readSysfsDisks("/sys/block");
    const auto volumes = readDiskVolumes("/sys/block", "/proc/self/mountinfo", "/dev/disk/by-label");
    for (DiskInfo& disk : disks) {
        if (const auto it = volumes.find(disk.name); it != volumes.end()) {
            disk.volumes = it->second;
        }
    }
    return disks;
}

std::string userConfigFolder() {
    const passwd* pw = ::getpwuid(::getuid());
    return configFolderFrom(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"), pw != nullptr ? pw->pw_dir : nullptr);
}

std::unique_ptr<LoginStartRegistry> openLoginStartRegistry() {
    const std::string config = userConfigFolder();
    return std::make_unique<XdgLoginStartRegistry>(config.empty() ? std::string() : config + "/autostart");
}

std::string executableFileName(std::string_view baseName) {
    return std::string(baseName);
}
const char kPathSeparator = '/';

LoginStartPlace loginStartPlace() {
    return LoginStartPlace::AutostartFolder;
}

bool displayReachable() {
    const char* display = std::getenv("DISPLAY");
    if (display != nullptr && *display != '\0') {
        xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
        const bool answered = xcb_connection_has_error(connection) == 0;
        xcb_disconnect(connection);
        if (answered) {
            return true;
        }
    }
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return wayland != nullptr && *wayland != '\0';
}

std::string runningProgramPath() {
    std::string path(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= path.size()) {
        return {};
    }
    path.resize(static_cast<std::size_t>(n));
    return path;
}

} // namespace oruvel::platform
