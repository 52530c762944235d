#pragma once

#include "platform/registry_store.h"

#include <optional>
#include <string>

namespace oruvel::startup {

// Windows versions known by name, from the version numbers; every later version (and any other system) gives "".
std::string windowsVersionName(int platformId, int major, int minor, int build);
// The name for the running system.
std::string windowsVersionName();

// The Run-key value that starts the program at logon: the program's path in quotation marks, then the arguments.
std::string runKeyValue(const std::string& folder, const std::string& fileName, const std::string& arguments);

inline constexpr const char* kRunKeyRoot = R"(Software\Microsoft\Windows\CurrentVersion)";
inline constexpr const char* kRunKey = "Run";
inline constexpr const char* kProgramTitle = "Oruvel";

// Writes or deletes the Run-key value "Oruvel" under `root` (older Windows versions only).
void addRunKeyValue(const std::string& arguments, platform::RegRoot root, platform::RegistryStore& store,
                    const std::string& folder);
void removeRunKeyValue(platform::RegRoot root, platform::RegistryStore& store);

} // namespace oruvel::startup
