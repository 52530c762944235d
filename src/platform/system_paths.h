#pragma once

#include <string>
#include <string_view>

namespace oruvel::platform {

// The per-user configuration folder (XDG_CONFIG_HOME, else ~/.config; the roaming application data folder on
// Windows), without a trailing separator. Empty when none can be found.
std::string userConfigFolder();

// A program's file name on this system ("NAME.exe" on Windows), and the separator between folder and file.
std::string executableFileName(std::string_view baseName);
extern const char kPathSeparator;

// The full path of the running program.
std::string runningProgramPath();

} // namespace oruvel::platform
