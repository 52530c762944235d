#include "platform/private_folder.h"

#include <sys/stat.h>
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

// Makes `folder` (mode 0700) unless it is there; true when it then is a folder of this user's alone.
bool madePrivate(const std::string& folder, std::string& why) {
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        why = folder + ": " + std::strerror(errno);
        return false;
    }
    return isPrivate(folder, why);
}

} // namespace

std::string privateRuntimeFolderFrom(const char* xdgRuntimeDir, const char* tmpDir, std::string& why) {
    if (xdgRuntimeDir != nullptr && xdgRuntimeDir[0] == '/' && isPrivate(xdgRuntimeDir, why)) {
        std::string folder = std::string(xdgRuntimeDir) + "/oruvel";
        if (madePrivate(folder, why)) {
            return folder;
        }
    }
    const std::string own = "/oruvel-" + std::to_string(::geteuid());
    for (const char* base : {tmpDir, "/tmp"}) {
        if (base == nullptr || base[0] != '/') {
            continue;
        }
        std::string folder = base + own;
        if (madePrivate(folder, why)) {
            return folder;
        }
    }
    return {};
}

std::string privateRuntimeFolder(std::string& why) {
    return privateRuntimeFolderFrom(std::getenv("XDG_RUNTIME_DIR"), std::getenv("TMPDIR"), why);
}

} // namespace oruvel::platform
