#pragma once

#include "core/disk_rate_sampler.h"
#include "core/settings_keys.h"
#include "platform/registry_store.h"

#include <memory>
#include <string>

namespace oruvel::core {

// Everything program-wide: the exit flag, the disk rate sampler, the paths and the stores. main creates one and
// passes it by reference; tests create their own on temporary folders.
class Program {
public:
    Program(std::string programFolder, std::unique_ptr<platform::RegistryStore> registry,
            DiskRateSampler::QueryOpener openQuery);

    // True once shutdown has begun; never reset.
    bool isExiting() const { return exiting_; }
    void beginExit() { exiting_ = true; }

    DiskRateSampler& diskRates() { return diskRates_; }

    const std::string& programFolder() const { return programFolder_; }
    // The settings file, built anew from the program folder at every access.
    std::string settingsPath() const;
    platform::RegistryStore& registry() { return *registry_; }

    // Reads and writes one key of section "main" of the settings file. A write that could not be stored (an
    // unwritable folder, a full disk, a value with a line break) returns false and leaves the file as it was.
    std::string readSetting(const SettingKey& key) const;
    bool writeSetting(const SettingKey& key, const std::string& value) const;

private:
    std::string programFolder_;
    std::unique_ptr<platform::RegistryStore> registry_;
    DiskRateSampler diskRates_;
    bool exiting_ = false;
};

} // namespace oruvel::core
