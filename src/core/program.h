#pragma once

#include "core/perf_mon.h"
#include "core/settings_keys.h"
#include "platform/disk_counter_source.h"
#include "platform/registry_store.h"

#include <functional>
#include <memory>
#include <string>

namespace oruvel::core {

// Everything program-wide: the exit flag, the counter query, the paths and the stores. main creates one and passes it
// by reference; tests create their own on temporary folders.
class Program {
public:
    using QueryOpener = std::function<std::unique_ptr<platform::DiskCounterSource>()>;

    Program(std::string programFolder, std::unique_ptr<platform::RegistryStore> registry, QueryOpener openQuery);

    // Set once shutdown has begun; never reset.
    bool bExiting = false;

    // The open counter query (null while closed) and its two entries, slot 1 read and slot 2 write.
    std::unique_ptr<platform::DiskCounterSource> hQuery;
    CounterTable Counters;

    const std::string& programFolder() const { return programFolder_; }
    // The settings file, built anew from the program folder at every access.
    std::string settingsPath() const;
    platform::RegistryStore& registry() { return *registry_; }
    const QueryOpener& queryOpener() const { return openQuery_; }

    // Reads and writes one key of section "main" of the settings file.
    std::string readSetting(const SettingKey& key) const;
    bool writeSetting(const SettingKey& key, const std::string& value) const;

    // Dispatches pending window messages, so other handlers can run between a handler's steps.
    void letMessagesRun() const;
    void setMessagePump(std::function<void()> pump) { pump_ = std::move(pump); }

private:
    std::string programFolder_;
    std::unique_ptr<platform::RegistryStore> registry_;
    QueryOpener openQuery_;
    std::function<void()> pump_;
};

} // namespace oruvel::core
