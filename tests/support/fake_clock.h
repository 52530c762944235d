#pragma once

#include "platform/monotonic_clock.h"

namespace oruvel::test {

class FakeClock final : public platform::MonotonicClock {
public:
    double now = 100.0;
    double seconds() const override { return now; }
};

} // namespace oruvel::test
