#pragma once

#include <chrono>

namespace oruvel::platform {

// Seconds on a clock that never goes backwards; injected so tests control time.
class MonotonicClock {
public:
    virtual ~MonotonicClock() = default;
    virtual double seconds() const = 0;
};

class SteadyClock final : public MonotonicClock {
public:
    double seconds() const override {
        return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
    }
};

} // namespace oruvel::platform
