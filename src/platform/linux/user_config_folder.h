#pragma once

#include <string>

namespace oruvel::platform {

// The per-user configuration folder from XDG_CONFIG_HOME, else from HOME, else from the password database's home
// folder (each null when unset): "<home>/.config". Only absolute paths count; empty when none is.
std::string configFolderFrom(const char* xdgConfigHome, const char* home, const char* passwdHome);

} // namespace oruvel::platform
