#include "platform/file_ops.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace oruvel::platform {
namespace {

class FdSink final : public OutputSink {
public:
    explicit FdSink(int fd) : fd_(fd) {}
    bool write(std::string_view bytes) override {
        while (!bytes.empty()) {
            const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
            if (n < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return false;
            }
            bytes.remove_prefix(static_cast<size_t>(n));
        }
        return true;
    }

private:
    int fd_;
};

thread_local std::string lastFailure;

// What a temporary file's name adds to the file's, before mkstemp's six letters or digits: a mark of this program's
// own, so that only its leftovers are ever removed (never a user's "Oruvel_Settings.ini.backup").
constexpr std::string_view kTemporaryInfix = ".partial-";

// Records the system's reason for `error` and fails.
bool failWith(int error) {
    lastFailure = std::strerror(error);
    return false;
}

// Writes a new file beside `path` through `produce`, with the permission bits `mode`, flushed to stable storage;
// false (and nothing left behind) on failure.
bool writeTemporary(const std::string& path, mode_t mode, const std::function<bool(OutputSink&)>& produce,
                    std::string& tmp) {
    tmp = path + std::string(kTemporaryInfix) + "XXXXXX";
    const int fd = ::mkstemp(tmp.data());
    if (fd < 0) {
        return failWith(errno);
    }
    int error = 0;
    const auto step = [&error](bool ok) {
        if (!ok && error == 0) {
            error = errno != 0 ? errno : EIO;
        }
        return ok;
    };
    // Best effort: a file system without permission bits (a FAT memory stick) refuses it, and the file is still good.
    static_cast<void>(::fchmod(fd, mode));
    errno = 0;
    FdSink sink(fd);
    bool ok = step(produce(sink)) && step(::fsync(fd) == 0);
    ok = step(::close(fd) == 0) && ok;
    if (!ok) {
        ::unlink(tmp.c_str());
        return failWith(error);
    }
    return true;
}

// A name mkstemp gives for `prefix` + "XXXXXX": six letters or digits after the prefix.
bool isTemporaryName(std::string_view name, std::string_view prefix) {
    if (name.size() != prefix.size() + 6 || name.substr(0, prefix.size()) != prefix) {
        return false;
    }
    const std::string_view tail = name.substr(prefix.size());
    return std::all_of(tail.begin(), tail.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    });
}

void syncFolder(const std::string& folder) {
    const int dfd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
}

} // namespace

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string lastFileFailure() {
    return lastFailure;
}

void setFileFailure(std::string reason) {
    lastFailure = std::move(reason);
}

std::string resolveLinks(const std::string& path) {
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            return current;
        }
        std::string target(4096, '\0');
        const ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= target.size()) {
            return current;
        }
        target.resize(static_cast<std::size_t>(n));
        if (target.front() != '/') {
            target.insert(0, folderOf(current) + "/");
        }
        current = std::move(target);
    }
    return current;
}

bool replaceFile(const std::string& path, const std::function<bool(OutputSink&)>& produce) {
    if (path.empty() || path.back() == '/') {
        return failWith(EISDIR);
    }
    const std::string target = resolveLinks(path);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) {
        return failWith(S_ISDIR(old.st_mode) ? EISDIR : EINVAL);
    }
    if (exists && (old.st_mode & 0222) == 0) {
        lastFailure = "the file is read-only";
        return false; // the user made it so; renaming over it would undo that
    }
    if (exists && old.st_uid != ::geteuid()) {
        // A new file would be this user's: the owner's file would change hands (or be taken by one not allowed to).
        lastFailure = "the file belongs to another user";
        return false;
    }
    if (exists && ::access(target.c_str(), W_OK) != 0) {
        return failWith(errno); // its owner took away their own right to write it
    }
    std::string tmp;
    if (!writeTemporary(target, exists ? (old.st_mode & 07777) : 0644, produce, tmp)) {
        return false;
    }
    if (::rename(tmp.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(tmp.c_str());
        return failWith(error);
    }
    syncFolder(folderOf(target));
    return true;
}

bool createFileExclusively(const std::string& path, const std::function<bool(OutputSink&)>& produce) {
    if (path.empty() || path.back() == '/') {
        return failWith(EISDIR);
    }
    std::string tmp;
    if (!writeTemporary(path, 0644, produce, tmp)) {
        return false;
    }
    const bool linked = ::link(tmp.c_str(), path.c_str()) == 0; // fails when the path exists
    const int error = errno;
    ::unlink(tmp.c_str());
    if (!linked) {
        return failWith(error);
    }
    syncFolder(folderOf(path));
    return true;
}

FolderLock::FolderLock(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    while (::flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            ::close(fd);
            return;
        }
    }
    handle_ = fd;
}

FolderLock::~FolderLock() {
    if (handle_ != kNone) {
        ::close(static_cast<int>(handle_)); // releases the lock
    }
}

bool isFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool isWritableFolder(const std::string& path) {
    return isFolder(path) && ::access(path.c_str(), W_OK | X_OK) == 0;
}

bool isRegularFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool makeFolders(const std::string& path) {
    if (path.empty()) {
        return false;
    }
    for (std::size_t pos = 1; pos <= path.size(); ++pos) {
        if (pos == path.size() || path[pos] == '/') {
            const std::string part = path.substr(0, pos);
            if (::mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) {
                return failWith(errno);
            }
        }
    }
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool removeFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0 || errno == ENOENT;
}

bool pathExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

std::FILE* openForReading(const std::string& path) {
    // Without waiting: opening a named pipe would block until someone writes into it.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        failWith(errno);
        return nullptr;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        if (S_ISDIR(st.st_mode)) {
            failWith(EISDIR);
        } else {
            lastFailure = "not a regular file";
        }
        return nullptr;
    }
    std::FILE* file = ::fdopen(fd, "rb");
    if (file == nullptr) {
        failWith(errno);
        ::close(fd);
    }
    return file;
}

int removeLeftoverTemporaries(const std::string& path) {
    const std::string target = resolveLinks(path);
    const std::string folder = folderOf(target);
    const std::string prefix = target.substr(target.find_last_of('/') + 1) + std::string(kTemporaryInfix);
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return 0;
    }
    int removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name(entry->d_name);
        if (!isTemporaryName(name, prefix)) {
            continue;
        }
        const std::string leftover = folder + "/" + std::string(name);
        struct stat st {};
        if (::lstat(leftover.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() &&
            ::unlink(leftover.c_str()) == 0) {
            ++removed;
        }
    }
    ::closedir(dir);
    return removed;
}

} // namespace oruvel::platform
