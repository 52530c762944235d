#include "core/perf_mon.h"

#include "core/program.h"

namespace oruvel::core {

std::string readCounterPath(std::string_view instance) {
    return "\\PhysicalDisk(" + std::string(instance) + ")\\Disk Read Bytes/sec";
}

std::string writeCounterPath(std::string_view instance) {
    return "\\PhysicalDisk(" + std::string(instance) + ")\\Disk Write Bytes/sec";
}

void OpenCounterQuery(Program& program) {
    program.hQuery = program.queryOpener() ? program.queryOpener()() : nullptr;
}

void AddDiskCounter(int slot, const std::string& path, platform::DiskCounterSource* query, CounterTable& counters) {
    platform::CounterHandle handle = 0;
    if (query != nullptr) {
        handle = query->addCounter(path);
    }
    if (slot == kReadSlot || slot == kWriteSlot) {
        counters[static_cast<std::size_t>(slot)] = CounterEntry{handle, path};
    }
}

void CollectCounters(Program& program) {
    if (program.hQuery) {
        program.hQuery->collect();
    }
}

double CounterValue(const Program& program, int slot) {
    if (!program.hQuery || (slot != kReadSlot && slot != kWriteSlot)) {
        return 0.0;
    }
    return program.hQuery->counterValue(program.Counters[static_cast<std::size_t>(slot)].handle);
}

void CloseCounterQuery(Program& program) { program.hQuery.reset(); }

} // namespace oruvel::core
