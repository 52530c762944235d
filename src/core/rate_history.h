#pragma once

#include <array>
#include <cstddef>

namespace oruvel::core {

// The read and write rates of the last minute, one a second, and the bytes read and written since the history began.
// Its storage is fixed: keeping it costs nothing but the rates already read.
class RateHistory {
public:
    static constexpr std::size_t kSeconds = 60;

    struct Point {
        double read = 0;
        double write = 0;
    };

    // Adds the rates (bytes per second) of an interval `seconds` long; the oldest point goes once there are 60.
    void push(double readRate, double writeRate, double seconds);
    void clear() { *this = RateHistory(); }

    std::size_t size() const { return size_; }
    // The i-th point, oldest first.
    const Point& at(std::size_t i) const { return points_[(first_ + i) % kSeconds]; }
    // The highest rate of either kind in the history (0 when empty).
    double peak() const;
    double bytesRead() const { return bytesRead_; }
    double bytesWritten() const { return bytesWritten_; }

private:
    std::array<Point, kSeconds> points_{};
    std::size_t first_ = 0;
    std::size_t size_ = 0;
    double bytesRead_ = 0;
    double bytesWritten_ = 0;
};

} // namespace oruvel::core
