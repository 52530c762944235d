#include "platform/linux/user_config_folder.h"

namespace oruvel::platform {
namespace {

bool isAbsolute(const char* path) {
    return path != nullptr && path[0] == '/';
}

} // namespace

std::string configFolderFrom(const char* xdgConfigHome, const char* home, const char* passwdHome) {
    if (isAbsolute(xdgConfigHome)) {
        return xdgConfigHome;
    }
    const char* folder = isAbsolute(home) ? home : passwdHome;
    if (!isAbsolute(folder)) {
        return {};
    }
    return std::string(folder) + "/.config";
}

} // namespace oruvel::platform
