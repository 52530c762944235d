#pragma once

#include "platform/disk_counter_source.h"

#include <array>
#include <string>
#include <string_view>

namespace oruvel::core {

class Program;

// One counter of the query: its handle (0 when adding failed) and the path that was asked for.
struct CounterEntry {
    platform::CounterHandle handle = 0;
    std::string path;
};

// Entries 1 (read) and 2 (write); entry 0 is unused.
using CounterTable = std::array<CounterEntry, 3>;

inline constexpr int kReadSlot = 1;
inline constexpr int kWriteSlot = 2;

// "\PhysicalDisk(" + instance + ")\Disk Read Bytes/sec" and the write twin, by plain concatenation.
std::string readCounterPath(std::string_view instance);
std::string writeCounterPath(std::string_view instance);

// Opens the program's counter query (replacing any open one).
void OpenCounterQuery(Program& program);
// Adds a counter to `query` (handle 0 when there is none or adding fails) and records handle and path in entry
// `slot` when it is 1 or 2; any other slot adds the counter but records nothing.
void AddDiskCounter(int slot, const std::string& path, platform::DiskCounterSource* query, CounterTable& counters);
// One collection of the open query; nothing when it is closed.
void CollectCounters(Program& program);
// The rate of entry `slot` in bytes per second; 0 when there is no valid value.
double CounterValue(const Program& program, int slot);
void CloseCounterQuery(Program& program);

} // namespace oruvel::core
