#pragma once

#include "platform/process_io.h"

#include <vector>

namespace oruvel::platform {

// Every process's I/O through the system's process counters (read and write transfers), opened with the limited
// query right that a normal user holds for most processes. The counts are all of a process's I/O: files, pipes and
// the network as well as the disks.
class WinProcessIo final : public ProcessIoSource {
public:
    void scan(ProcessScan& scan) override;

private:
    std::vector<unsigned long> pids_;
};

} // namespace oruvel::platform
