#pragma once

#include "platform/process_io.h"

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace oruvel::platform {

// Processes' storage I/O from procfs (the root injected, so tests run on fixtures): each process's "stat" gives its
// name and start time, its "io" the bytes it made the disks read ("read_bytes") and write ("write_bytes"). Another
// user's "io" can be read only with the right to trace that process: without it the scan holds the user's own.
// A process whose counters have not moved since the last scan keeps the name and start time read then, so an idle
// system costs one file per process; a pid taken over by a new process that has done no I/O yet keeps the old name
// until its counters move (its rates are 0 meanwhile), and is then read afresh.
// Each process's "io" stays open from one scan to the next (up to kKeptFiles of them), so a scan reads each again
// without looking it up; the file of a process that has ended reads nothing, and is closed.
class ProcfsProcessIo final : public ProcessIoSource {
public:
    static constexpr std::size_t kKeptFiles = 256;

    explicit ProcfsProcessIo(std::string procRoot);
    ~ProcfsProcessIo() override;
    ProcfsProcessIo(const ProcfsProcessIo&) = delete;
    ProcfsProcessIo& operator=(const ProcfsProcessIo&) = delete;

    void scan(ProcessScan& scan) override;

private:
    struct KeptFile {
        int fd = -1;
        std::uint64_t scan = 0; // the scan that last read it
    };

    // Reads the small file `name` (relative to the folder `dirFd`) into text_; the bytes read, or -1 with errno set.
    long readSmall(int dirFd, const char* name);
    // Reads the "io" file of `pid` (`name` relative to `dirFd`) into text_, through the file kept open for it.
    long readIo(int dirFd, std::int64_t pid, const char* name);
    // Gives `p` the name and start time of the last scan when its pid was there with the same counters.
    bool knownStill(ProcessIoReading& p) const;

    std::string root_;
    std::array<char, 1024> text_{};
    std::string path_;                   // "<pid>/<file>", kept to spare an allocation per file
    std::vector<ProcessIoReading> last_; // the last scan, by ascending pid
    std::unordered_map<std::int64_t, KeptFile> kept_;
    std::uint64_t scans_ = 0;
};

// The name and start time of a process's "stat" line ("PID (NAME) STATE ... STARTTIME ..."); false when the line is
// not of that form.
bool parseProcessStat(std::string_view text, std::string& name, std::uint64_t& started);
// The "read_bytes" and "write_bytes" of a process's "io" text; false when either is missing.
bool parseProcessIo(std::string_view text, std::uint64_t& readBytes, std::uint64_t& writeBytes);

} // namespace oruvel::platform
