#include "platform/platform_services.h"

#include "platform/file_registry_store.h"
#include "platform/windows/pdh_disk_counter_source.h"
#include "platform/windows/task_scheduler_registrar.h"
#include "platform/windows/win32_registry_store.h"
#include "platform/windows/win_text.h"

#include <windows.h>

#include <shlobj.h>

namespace oruvel::platform {

std::unique_ptr<DiskCounterSource> openDiskCounterQuery() { return std::make_unique<PdhDiskCounterSource>(); }

std::vector<DiskInfo> listPhysicalDisks() { return listPdhDisks(); }

std::string userConfigFolder() {
    PWSTR folder = nullptr;
    std::string out;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &folder))) {
        out = toUtf8(folder);
    }
    CoTaskMemFree(folder);
    return out;
}

std::unique_ptr<RegistryStore> openUserRegistry() { return std::make_unique<Win32RegistryStore>(); }

std::unique_ptr<StartupRegistrar> openStartupRegistrar() { return std::make_unique<TaskSchedulerRegistrar>(); }

std::string executableFileName(std::string_view baseName) { return std::string(baseName) + ".exe"; }
const char kPathSeparator = '\\';

std::optional<OsVersion> readOsVersion() {
    // RtlGetVersion reports the real version; GetVersionEx is subject to compatibility shims.
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const FARPROC address = ntdll != nullptr ? GetProcAddress(ntdll, "RtlGetVersion") : nullptr;
    // Through a void pointer: the procedure address carries no signature of its own.
    const auto rtlGetVersion = reinterpret_cast<RtlGetVersionFn>(reinterpret_cast<void*>(address));
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (rtlGetVersion == nullptr || rtlGetVersion(&info) != 0) {
        return std::nullopt;
    }
    return OsVersion{static_cast<int>(info.dwPlatformId), static_cast<int>(info.dwMajorVersion),
                     static_cast<int>(info.dwMinorVersion), static_cast<int>(info.dwBuildNumber)};
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
