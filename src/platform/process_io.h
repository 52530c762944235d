#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace oruvel::platform {

// One process's I/O since it started, as read now.
struct ProcessIoReading {
    std::int64_t pid = 0;
    std::uint64_t started = 0; // when it started, in the system's units: with the pid, tells it from a later process
    std::string name;
    std::uint64_t readBytes = 0;
    std::uint64_t writeBytes = 0;
};

// One look at the processes: those whose counters could be read, and whether those are all of them (or, without
// the right to read other users' processes, the user's own).
struct ProcessScan {
    std::vector<ProcessIoReading> processes;
    bool allProcesses = false;
    bool countsAllIo = false; // the counts hold all of a process's I/O (files, pipes, network), not only the disks'
};

// Reads every process's I/O counters; opened by the disk-activity window while its process list shows.
class ProcessIoSource {
public:
    virtual ~ProcessIoSource() = default;
    // Fills `scan` anew (its storage is reused).
    virtual void scan(ProcessScan& scan) = 0;
};

// Each process's I/O on this system, as far as this user may read it.
std::unique_ptr<ProcessIoSource> openProcessIoSource();

} // namespace oruvel::platform
