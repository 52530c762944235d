// The Windows choices behind the platform's factories and queries.
#include "platform/disk_activity_source.h"
#include "platform/disk_list.h"
#include "platform/disk_rate_source.h"
#include "platform/display.h"
#include "platform/login_start_registry.h"
#include "platform/process_io.h"
#include "platform/system_paths.h"

#include "platform/windows/pdh_disk_activity_source.h"
#include "platform/windows/pdh_disk_rate_source.h"
#include "platform/windows/task_scheduler_login_start_registry.h"
#include "platform/windows/win_process_io.h"
#include "platform/windows/win_text.h"

#include <windows.h>

#include <shlobj.h>

namespace oruvel::platform {

std::unique_ptr<DiskRateSource> openDiskRateSource() {
    return std::make_unique<PdhDiskRateSource>();
}

std::vector<DiskInfo> listPhysicalDisks() {
    return listPdhDisks();
}

std::unique_ptr<DiskActivitySource> openDiskActivitySource() {
    return std::make_unique<PdhDiskActivitySource>();
}

std::unique_ptr<ProcessIoSource> openProcessIoSource() {
    return std::make_unique<WinProcessIo>();
}

std::vector<DiskInfo> listDisksWithVolumes() {
    return listPdhDisksWithVolumes();
}

std::string userConfigFolder() {
    PWSTR folder = nullptr;
    std::string out;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &folder))) {
        out = toUtf8(folder);
    }
    CoTaskMemFree(folder);
    return out;
}

std::unique_ptr<LoginStartRegistry> openLoginStartRegistry() {
    return std::make_unique<TaskSchedulerLoginStartRegistry>();
}

std::string executableFileName(std::string_view baseName) {
    return std::string(baseName) + ".exe";
}
const char kPathSeparator = '\\';

LoginStartPlace loginStartPlace() {
    return LoginStartPlace::ScheduledTask;
}

bool displayReachable() {
    return true;
}

std::string runningProgramPath() {
    std::wstring path(32768, L'\0');
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0 || n >= path.size()) {
        return {};
    }
    path.resize(n);
    return toUtf8(path);
}

} // namespace oruvel::platform
