#include "core/modini.h"

#include "platform/ini_file.h"

namespace oruvel::core {

std::string ReadIni(const std::string& section, const std::string& key, const std::string& path) {
    return platform::ini::readValue(path, section, key);
}

bool WriteIni(const std::string& section, const std::string& key, const std::string& value, const std::string& path) {
    return platform::ini::writeValue(path, section, key, value);
}

} // namespace oruvel::core
