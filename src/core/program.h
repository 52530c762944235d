#pragma once

#include "core/perf_mon.h"
#include "core/settings_keys.h"
#include "platform/disk_counter_source.h"
#include "platform/monotonic_clock.h"
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
    // The clock that spaces coalesced passes (see CoalescedMessagePasses); the steady clock unless a test sets one.
    void setClock(const platform::MonotonicClock& clock) { clock_ = &clock; }

private:
    friend class CoalescedMessagePasses;

    std::string programFolder_;
    std::unique_ptr<platform::RegistryStore> registry_;
    QueryOpener openQuery_;
    std::function<void()> pump_;
    platform::SteadyClock steadyClock_;
    const platform::MonotonicClock* clock_ = &steadyClock_;
    bool coalescing_ = false;
    mutable double lastPass_ = 0;
};

// While one is alive, Program::letMessagesRun() lets messages run only when kInterval has gone by since the last pass,
// counting the event loop's own pass that delivered the timer as the first. The sampling cycle's steps take
// microseconds, and every pass of the event loop costs a poll of the display connection; input still gets through
// between cycles and during a slow step.
class CoalescedMessagePasses {
public:
    static constexpr double kInterval = 0.010;

    explicit CoalescedMessagePasses(Program& program);
    ~CoalescedMessagePasses();
    CoalescedMessagePasses(const CoalescedMessagePasses&) = delete;
    CoalescedMessagePasses& operator=(const CoalescedMessagePasses&) = delete;

private:
    Program& program_;
    bool outer_;
};

} // namespace oruvel::core
