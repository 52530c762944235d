#include "core/program.h"

#include "platform/ini_file.h"

namespace oruvel::core {

Program::Program(std::string programFolder, std::unique_ptr<platform::RegistryStore> registry,
                 DiskRateSampler::QueryOpener openQuery)
    : programFolder_(std::move(programFolder)), settingsWrites_(settingsPath(), std::string(kSettingsSection)),
      registry_(std::move(registry)), diskRates_(std::move(openQuery)) {}

std::string Program::settingsPath() const {
    std::string path = programFolder_;
    if (!path.empty() && path.back() != '/') {
        path += '/';
    }
    path += kSettingsFileName;
    return path;
}

std::string Program::readSetting(const SettingKey& key) const {
    if (const auto pending = settingsWrites_.pendingValue(key.name)) {
        return platform::ini::valueAsRead(*pending);
    }
    return platform::ini::readValue(settingsPath(), kSettingsSection, key.name);
}

bool Program::writeSetting(const SettingKey& key, const std::string& value) {
    return settingsWrites_.write(std::string(key.name), value);
}

} // namespace oruvel::core
