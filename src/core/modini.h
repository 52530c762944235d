#pragma once

#include <string>

namespace oruvel::core {

// Reads one value of a profile file; empty text when the file, the section or the key is missing.
std::string ReadIni(const std::string& section, const std::string& key, const std::string& path);

// Writes one value of a profile file, creating file and section when needed. False when the value was not stored
// (an unwritable folder, a full disk, or a name or value holding a line break); the file is then unchanged.
bool WriteIni(const std::string& section, const std::string& key, const std::string& value, const std::string& path);

} // namespace oruvel::core
