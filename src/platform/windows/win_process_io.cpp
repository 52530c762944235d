#include "platform/windows/win_process_io.h"

#include "platform/windows/win_text.h"

#include <windows.h>

#include <psapi.h>

#include <array>

namespace oruvel::platform {

void WinProcessIo::scan(ProcessScan& scan) {
    scan.processes.clear();
    scan.allProcesses = true;
    scan.countsAllIo = true;
    // The list of process ids, grown until it holds them all.
    pids_.resize(std::max<std::size_t>(pids_.size(), 1024));
    DWORD bytes = 0;
    while (true) {
        const auto size = static_cast<DWORD>(pids_.size() * sizeof(DWORD));
        if (EnumProcesses(pids_.data(), size, &bytes) == 0) {
            scan.allProcesses = false;
            return;
        }
        if (bytes < size) {
            break;
        }
        pids_.resize(pids_.size() * 2);
    }
    const std::size_t count = bytes / sizeof(DWORD);
    for (std::size_t i = 0; i < count; ++i) {
        const DWORD pid = pids_[i];
        if (pid == 0) {
            continue;
        }
        const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
        if (process == nullptr) {
            if (GetLastError() == ERROR_ACCESS_DENIED) {
                scan.allProcesses = false;
            }
            continue;
        }
        IO_COUNTERS io{};
        FILETIME created{};
        FILETIME exited{};
        FILETIME kernel{};
        FILETIME user{};
        std::array<wchar_t, MAX_PATH + 1> path{};
        auto length = static_cast<DWORD>(path.size());
        if (GetProcessIoCounters(process, &io) != 0 &&
            GetProcessTimes(process, &created, &exited, &kernel, &user) != 0) {
            ProcessIoReading reading;
            reading.pid = pid;
            reading.started = (static_cast<std::uint64_t>(created.dwHighDateTime) << 32U) | created.dwLowDateTime;
            reading.readBytes = io.ReadTransferCount;
            reading.writeBytes = io.WriteTransferCount;
            if (QueryFullProcessImageNameW(process, 0, path.data(), &length) != 0) {
                const std::wstring_view full(path.data(), length);
                reading.name = toUtf8(full.substr(full.find_last_of(L"\\/") + 1));
            } else {
                reading.name = std::to_string(pid);
            }
            scan.processes.push_back(std::move(reading));
        }
        CloseHandle(process);
    }
}

} // namespace oruvel::platform
