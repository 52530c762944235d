#pragma once

#include "core/disk_rate_sampler.h"
#include "core/settings_keys.h"
#include "platform/ini_write_queue.h"
#include "platform/registry_store.h"

#include <memory>
#include <string>

namespace oruvel::core {

// Everything program-wide: the exit flag, the disk rate sampler, the paths and the stores. main creates one and
// passes it by reference; tests create their own on temporary folders.
class Program {
public:
    // The settings file is `settingsPath`, or the one beside the program when that is empty.
    Program(std::string programFolder, std::unique_ptr<platform::RegistryStore> registry,
            DiskRateSampler::QueryOpener openQuery, std::string settingsPath = {});

    // True once shutdown has begun; never reset.
    bool isExiting() const { return exiting_; }
    void beginExit() { exiting_ = true; }

    DiskRateSampler& diskRates() { return diskRates_; }

    const std::string& programFolder() const { return programFolder_; }
    const std::string& settingsPath() const { return settingsPath_; }
    // The folder of the shipped fill pictures.
    std::string picturesFolder() const;
    platform::RegistryStore& registry() { return *registry_; }

    // Reads and writes one key of section "main" of the settings file. A write returns at once and lands on a worker
    // thread (a read sees it already); one that cannot be stored (an unwritable folder, a full disk) leaves the file
    // as it was. A value with a line break is refused (false).
    std::string readSetting(const SettingKey& key) const;
    bool writeSetting(const SettingKey& key, const std::string& value);
    // Waits until every setting written so far has landed.
    void flushSettings() { settingsWrites_.flush(); }

private:
    std::string programFolder_;
    std::string settingsPath_;
    platform::ini::WriteQueue settingsWrites_;
    std::unique_ptr<platform::RegistryStore> registry_;
    DiskRateSampler diskRates_;
    bool exiting_ = false;
};

} // namespace oruvel::core
