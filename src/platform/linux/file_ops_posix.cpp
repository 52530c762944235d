#include "platform/file_ops.h"

#include <cerrno>
#include <cstdlib>
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

bool replaceFile(const std::string& path, const std::function<bool(OutputSink&)>& produce) {
    if (path.empty() || path.back() == '/') {
        return false;
    }
    struct stat old {};
    const bool exists = ::stat(path.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) {
        return false;
    }

    std::string tmp = path + ".XXXXXX";
    const int fd = ::mkstemp(tmp.data());
    if (fd < 0) {
        return false;
    }
    const mode_t mode = exists ? (old.st_mode & 07777) : 0644;
    bool ok = ::fchmod(fd, mode) == 0 || !exists;

    FdSink sink(fd);
    ok = ok && produce(sink);
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(tmp.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(tmp.c_str());
        return false;
    }
    syncFolder(folderOf(path));
    return true;
}

bool createFileExclusively(const std::string& path, const std::function<bool(OutputSink&)>& produce) {
    if (path.empty() || path.back() == '/') {
        return false;
    }
    std::string tmp = path + ".XXXXXX";
    const int fd = ::mkstemp(tmp.data());
    if (fd < 0) {
        return false;
    }
    bool ok = ::fchmod(fd, 0644) == 0;
    FdSink sink(fd);
    ok = ok && produce(sink);
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::link(tmp.c_str(), path.c_str()) == 0; // fails when the path exists
    ::unlink(tmp.c_str());
    if (ok) {
        syncFolder(folderOf(path));
    }
    return ok;
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
                return false;
            }
        }
    }
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::FILE* openForReading(const std::string& path) {
    if (!isRegularFile(path)) {
        return nullptr;
    }
    return std::fopen(path.c_str(), "rbe");
}

} // namespace oruvel::platform
