#include "core/rate_history.h"

#include <algorithm>
#include <cmath>

namespace oruvel::core {

void RateHistory::push(double readRate, double writeRate, double seconds) {
    const auto sound = [](double v) { return std::isfinite(v) && v > 0 ? v : 0.0; };
    const Point point{sound(readRate), sound(writeRate)};
    if (size_ < kSeconds) {
        points_[(first_ + size_) % kSeconds] = point;
        ++size_;
    } else {
        points_[first_] = point;
        first_ = (first_ + 1) % kSeconds;
    }
    bytesRead_ += point.read * sound(seconds);
    bytesWritten_ += point.write * sound(seconds);
}

double RateHistory::peak() const {
    double highest = 0;
    for (std::size_t i = 0; i < size_; ++i) {
        highest = std::max({highest, at(i).read, at(i).write});
    }
    return highest;
}

} // namespace oruvel::core
