#include "platform/file_ops.h"

#include "platform/windows/win_text.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cwctype>
#include <filesystem>

namespace oruvel::platform {
namespace {

thread_local std::string lastFailure;

// Records the system's words for `error` and fails.
bool failWith(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring words = n > 0 && text != nullptr ? std::wstring(text, n) : L"error " + std::to_wstring(error);
    LocalFree(text);
    while (!words.empty() && (words.back() == L'\n' || words.back() == L'\r' || words.back() == L'.')) {
        words.pop_back();
    }
    lastFailure = toUtf8(words);
    return false;
}

class HandleSink final : public OutputSink {
public:
    explicit HandleSink(HANDLE h) : h_(h) {}
    bool write(std::string_view bytes) override {
        while (!bytes.empty()) {
            const DWORD chunk = bytes.size() > 0x10000000 ? 0x10000000 : static_cast<DWORD>(bytes.size());
            DWORD written = 0;
            if (!WriteFile(h_, bytes.data(), chunk, &written, nullptr) || written == 0) {
                return false;
            }
            bytes.remove_prefix(written);
        }
        return true;
    }

private:
    HANDLE h_;
};

// Writes a new temporary file beside `path` through `produce`; empty on failure.
std::wstring writeTemporary(const std::wstring& path, const std::function<bool(OutputSink&)>& produce) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::wstring tmp = path + L"." + std::to_wstring(GetCurrentProcessId()) + L"." +
                                 std::to_wstring(counter.fetch_add(1)) + L".tmp";
        const HANDLE h =
            CreateFileW(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            if (GetLastError() == ERROR_FILE_EXISTS) {
                continue;
            }
            failWith(GetLastError());
            return {};
        }
        HandleSink sink(h);
        SetLastError(ERROR_SUCCESS);
        bool ok = produce(sink) && FlushFileBuffers(h);
        const DWORD error = ok ? ERROR_SUCCESS : (GetLastError() != ERROR_SUCCESS ? GetLastError() : ERROR_WRITE_FAULT);
        ok = CloseHandle(h) && ok;
        if (!ok) {
            DeleteFileW(tmp.c_str());
            failWith(error != ERROR_SUCCESS ? error : GetLastError());
            return {};
        }
        return tmp;
    }
    return {};
}

bool isFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

} // namespace

std::string lastFileFailure() {
    return lastFailure;
}

void setFileFailure(std::string reason) {
    lastFailure = std::move(reason);
}

// Windows programs meet links through the system itself; the path is used as it is.
std::string resolveLinks(const std::string& path) {
    return path;
}

bool replaceFile(const std::string& path, const std::function<bool(OutputSink&)>& produce) {
    const std::wstring target = toWide(path);
    if (target.empty() || isFolder(target)) {
        return failWith(ERROR_DIRECTORY);
    }
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        lastFailure = "the file is read-only";
        return false;
    }
    const std::wstring tmp = writeTemporary(target, produce);
    if (tmp.empty()) {
        return false;
    }
    if (!MoveFileExW(tmp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        DeleteFileW(tmp.c_str());
        return failWith(error);
    }
    return true;
}

bool createFileExclusively(const std::string& path, const std::function<bool(OutputSink&)>& produce) {
    const std::wstring target = toWide(path);
    if (target.empty()) {
        return false;
    }
    const std::wstring tmp = writeTemporary(target, produce);
    if (tmp.empty()) {
        return false;
    }
    // Without MOVEFILE_REPLACE_EXISTING the move fails when the target exists.
    if (!MoveFileExW(tmp.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        DeleteFileW(tmp.c_str());
        return failWith(error);
    }
    return true;
}

// A folder cannot be locked on Windows; a named mutex of the session, named after the folder's full lower-case path,
// serialises the writers of that folder instead.
FolderLock::FolderLock(const std::string& folder) {
    std::wstring full(MAX_PATH, L'\0');
    const DWORD n = GetFullPathNameW(toWide(folder).c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (n == 0 || n >= full.size()) {
        return;
    }
    full.resize(n);
    std::uint64_t hash = 14695981039346656037ULL; // FNV-1a
    for (const wchar_t c : full) {
        hash = (hash ^ static_cast<std::uint64_t>(towlower(c))) * 1099511628211ULL;
    }
    const std::wstring name = L"Local\\Oruvel.FolderLock." + std::to_wstring(hash);
    const HANDLE mutex = CreateMutexW(nullptr, FALSE, name.c_str());
    if (mutex == nullptr) {
        return;
    }
    const DWORD waited = WaitForSingleObject(mutex, INFINITE);
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
        CloseHandle(mutex);
        return;
    }
    handle_ = static_cast<long long>(reinterpret_cast<std::intptr_t>(mutex));
}

FolderLock::~FolderLock() {
    if (handle_ != kNone) {
        const HANDLE mutex = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(handle_));
        ReleaseMutex(mutex);
        CloseHandle(mutex);
    }
}

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    if (slash == std::string::npos) {
        return ".";
    }
    return path.substr(0, slash == 0 || (slash == 2 && path[1] == ':') ? slash + 1 : slash);
}

bool isFolder(const std::string& path) {
    return isFolder(toWide(path));
}

bool isWritableFolder(const std::string& path) {
    const std::wstring folder = toWide(path);
    if (!isFolder(folder)) {
        return false;
    }
    // Folder permissions on Windows are access lists: the one sure answer is to try.
    const std::wstring probe = folder + L"\\.oruvel-write-test-" + std::to_wstring(GetCurrentProcessId());
    const HANDLE h = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(h);
    return true;
}

bool isRegularFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(toWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool makeFolders(const std::string& path) {
    std::error_code ec;
    const auto folder = std::filesystem::path(toWide(path));
    std::filesystem::create_directories(folder, ec);
    return std::filesystem::is_directory(folder, ec);
}

bool removeFile(const std::string& path) {
    return DeleteFileW(toWide(path).c_str()) != 0 || GetLastError() == ERROR_FILE_NOT_FOUND;
}

bool pathExists(const std::string& path) {
    return GetFileAttributesW(toWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

int removeLeftoverTemporaries(const std::string& path) {
    // Named "<file>.<process id>.<counter>.tmp" by writeTemporary.
    const std::filesystem::path target(toWide(path));
    const std::wstring prefix = target.filename().wstring() + L".";
    std::error_code ec;
    int removed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(target.parent_path(), ec)) {
        const std::wstring name = entry.path().filename().wstring();
        if (name.size() <= prefix.size() + 4 || name.compare(0, prefix.size(), prefix) != 0 ||
            name.compare(name.size() - 4, 4, L".tmp") != 0) {
            continue;
        }
        const std::wstring middle = name.substr(prefix.size(), name.size() - prefix.size() - 4);
        const auto dot = middle.find(L'.');
        const bool digits =
            dot != std::wstring::npos && dot > 0 && dot + 1 < middle.size() &&
            std::all_of(middle.begin(), middle.end(), [](wchar_t c) { return c == L'.' || iswdigit(c); }) &&
            middle.find(L'.', dot + 1) == std::wstring::npos;
        std::error_code removeError;
        if (digits && entry.is_regular_file(removeError) && std::filesystem::remove(entry.path(), removeError)) {
            ++removed;
        }
    }
    return removed;
}

std::FILE* openForReading(const std::string& path) {
    if (!isRegularFile(path)) {
        failWith(pathExists(path) ? ERROR_DIRECTORY : ERROR_FILE_NOT_FOUND);
        return nullptr;
    }
    // Shared for deletion too, so a writer can replace the file while it is being read (the reader keeps the old).
    const HANDLE h =
        CreateFileW(toWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        failWith(GetLastError());
        return nullptr;
    }
    const int fd = _open_osfhandle(reinterpret_cast<std::intptr_t>(h), _O_RDONLY | _O_BINARY);
    if (fd < 0) {
        CloseHandle(h);
        return nullptr;
    }
    std::FILE* file = _fdopen(fd, "rb");
    if (file == nullptr) {
        _close(fd);
    }
    return file;
}

} // namespace oruvel::platform
