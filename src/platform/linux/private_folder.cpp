#include "platform/private_folder.h"

#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace oruvel::platform {
namespace {

// True when `path` is a folder (not a link) of this user's that nobody else may enter or change.
bool isPrivate(const std::string& path, std::string& why) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) {
        why = path + ": " + std::strerror(errno);
        return false;
    }
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()) {
        why = path + ": not a folder of this user's";
        return false;
    }
    if ((st.st_mode & 077) != 0) {
        why = path + ": other users may use it";
        return false;
    }
    return true;
}

bool fits(const std::string& folder, std::size_t room, std::string& why) {
    if (folder.size() + room < sizeof(sockaddr_un::sun_path)) {
        return true;
    }
    why = folder + ": too long a path for a socket";
    return false;
}

} // namespace

std::string privateRuntimeFolderFrom(const char* xdgRuntimeDir, const char* tmpDir, std::size_t room,
                                     std::string& why) {
    if (xdgRuntimeDir != nullptr && xdgRuntimeDir[0] == '/' && isPrivate(xdgRuntimeDir, why) &&
        fits(xdgRuntimeDir, room, why)) {
        return xdgRuntimeDir;
    }
    const std::string own = "/oruvel-" + std::to_string(::geteuid());
    for (const char* base : {tmpDir, "/tmp"}) {
        if (base == nullptr || base[0] != '/') {
            continue;
        }
        std::string folder = base + own;
        if (!fits(folder, room, why)) {
            continue;
        }
        if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
            why = folder + ": " + std::strerror(errno);
            continue;
        }
        if (isPrivate(folder, why)) {
            return folder;
        }
    }
    return {};
}

std::string privateRuntimeFolder(std::size_t room, std::string& why) {
    return privateRuntimeFolderFrom(std::getenv("XDG_RUNTIME_DIR"), std::getenv("TMPDIR"), room, why);
}

} // namespace oruvel::platform
