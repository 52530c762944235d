#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

namespace oruvel::platform {

// Receives the bytes of a file being written; false means the write failed.
class OutputSink {
public:
    virtual ~OutputSink() = default;
    virtual bool write(std::string_view bytes) = 0;
};

// Writes a new version of `path` through `produce` into a temporary file in the same folder, flushes it to stable
// storage and renames it over `path`. A reader therefore sees either the whole old file or the whole new one. On any
// failure (produce returns false, the disk is full, the folder is read-only) the temporary file is removed, `path` is
// left exactly as it was and the result is false. An existing file's permission bits are kept.
bool replaceFile(const std::string& path, const std::function<bool(OutputSink&)>& produce);

// Like replaceFile, but only when `path` does not exist yet: an existing file is never replaced (false), and no
// reader ever sees a partly written one.
bool createFileExclusively(const std::string& path, const std::function<bool(OutputSink&)>& produce);

// Holds an exclusive advisory lock shared by every process that locks the same `path` (a lock file that is created
// when missing). Used around read-modify-write cycles so two writers never lose each other's changes. When the lock
// cannot be taken (read-only folder) held() is false and the caller goes on without it.
class ExclusiveFileLock {
public:
    explicit ExclusiveFileLock(const std::string& path);
    ~ExclusiveFileLock();
    ExclusiveFileLock(const ExclusiveFileLock&) = delete;
    ExclusiveFileLock& operator=(const ExclusiveFileLock&) = delete;

    bool held() const { return handle_ >= 0; }

private:
    long long handle_ = -1;
};

// True when `path` names an existing regular file (not a folder).
bool isRegularFile(const std::string& path);

// Creates `path` and its missing parent folders; true when the folder exists afterwards.
bool makeFolders(const std::string& path);

// Opens an existing regular file for binary reading; null when it is missing, a folder or unreadable.
std::FILE* openForReading(const std::string& path);

} // namespace oruvel::platform
