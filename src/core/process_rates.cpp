#include "core/process_rates.h"

#include <algorithm>

namespace oruvel::core {

void ProcessRates::update(const std::vector<platform::ProcessIoReading>& scan, double seconds) {
    const double interval = seconds - lastSeconds_;
    rates_.clear();
    if (scanned_ && interval > 0) {
        for (const platform::ProcessIoReading& p : scan) {
            const auto it = last_.find(p.pid);
            if (it == last_.end() || it->second.started != p.started) {
                continue;
            }
            const auto grew = [](std::uint64_t before, std::uint64_t after) {
                return after >= before ? static_cast<double>(after - before) : 0.0;
            };
            const double read = grew(it->second.readBytes, p.readBytes) / interval;
            const double write = grew(it->second.writeBytes, p.writeBytes) / interval;
            if (read > 0 || write > 0) {
                rates_.push_back({p.pid, p.name, read, write});
            }
        }
    }
    last_.clear();
    for (const platform::ProcessIoReading& p : scan) {
        last_[p.pid] = {p.started, p.readBytes, p.writeBytes};
    }
    lastSeconds_ = seconds;
    scanned_ = true;
}

std::vector<ProcessRate> ProcessRates::busiest(std::size_t count) const {
    std::vector<ProcessRate> out = rates_;
    const auto busier = [](const ProcessRate& a, const ProcessRate& b) {
        const double ta = a.readRate + a.writeRate;
        const double tb = b.readRate + b.writeRate;
        return ta != tb ? ta > tb : a.pid < b.pid;
    };
    const std::size_t n = std::min(count, out.size());
    std::partial_sort(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(n), out.end(), busier);
    out.resize(n);
    return out;
}

} // namespace oruvel::core
