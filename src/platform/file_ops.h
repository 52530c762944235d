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
// failure (produce returns false, the disk is full, the folder is read-only, the path is a folder, the file is
// read-only or this user may not write it, the file belongs to another user) the temporary file is removed, `path` is
// left exactly as it was, the result is false and lastFileFailure() says why. An existing file's permission bits are
// kept. A symbolic link is followed: the file it leads to is replaced, beside itself, and the link stays.
bool replaceFile(const std::string& path, const std::function<bool(OutputSink&)>& produce);

// Why the last failed file operation of this thread failed, in the system's words ("No space left on device").
std::string lastFileFailure();
// Records why an operation of this thread failed (for callers that fail before reaching the system).
void setFileFailure(std::string reason);

// The file `path` leads to: the end of its chain of symbolic links (`path` itself when it is none). A link to a
// missing file leads to where that file would be.
std::string resolveLinks(const std::string& path);

// Like replaceFile, but only when `path` does not exist yet: an existing file is never replaced (false), and no
// reader ever sees a partly written one.
bool createFileExclusively(const std::string& path, const std::function<bool(OutputSink&)>& produce);

// Holds an exclusive advisory lock on a folder, shared by every process that locks the same folder. Used around
// read-modify-write cycles of the files in it, so two writers never lose each other's changes, without leaving a lock
// file beside them. When the lock cannot be taken (a missing folder) held() is false and the caller goes on without it.
class FolderLock {
public:
    explicit FolderLock(const std::string& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    bool held() const { return handle_ != kNone; }

private:
    static constexpr long long kNone = -1;
    long long handle_ = kNone;
};

// The folder part of `path` ("." when it has none).
std::string folderOf(const std::string& path);

// True when `path` names an existing regular file (not a folder).
bool isRegularFile(const std::string& path);

// Removes the file `path`; true when it is gone.
bool removeFile(const std::string& path);

// True when something (a file, a folder, a device...) exists at `path`.
bool pathExists(const std::string& path);

// True when `path` names an existing folder.
bool isFolder(const std::string& path);

// True when the current user may create files in the folder `path`.
bool isWritableFolder(const std::string& path);

// Creates `path` and its missing parent folders; true when the folder exists afterwards.
bool makeFolders(const std::string& path);

// Opens an existing regular file for binary reading; null, with lastFileFailure() saying why, when it is missing, not
// a regular file (a folder, a named pipe, a device: never waited on) or unreadable.
std::FILE* openForReading(const std::string& path);

// Removes the temporary files that replaceFile left beside `path` when the program was stopped in the middle of a
// write (only files named as replaceFile names them, owned by this user). Call it holding a FolderLock on their
// folder, so that no write under way loses its file. Returns how many were removed.
int removeLeftoverTemporaries(const std::string& path);

} // namespace oruvel::platform
