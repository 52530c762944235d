#include "core/program.h"

#include "core/settings_location.h"
#include "platform/file_ops.h"
#include "platform/ini_file.h"

namespace oruvel::core {

Program::Program(std::string programFolder, std::unique_ptr<platform::RegistryStore> registry,
                 DiskRateSampler::QueryOpener openQuery, std::string settingsPath)
    : programFolder_(std::move(programFolder)),
      settingsPath_(settingsPath.empty() ? settingsFileBeside(programFolder_) : std::move(settingsPath)),
      settingsWrites_(settingsPath_, std::string(kSettingsSection)), registry_(std::move(registry)),
      diskRates_(std::move(openQuery)) {}

std::string Program::picturesFolder() const {
    return core::picturesFolder(programFolder_, platform::isFolder);
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
