#include "platform/ini_write_queue.h"

#include <algorithm>

namespace oruvel::platform::ini {
namespace {

// The waiting write of `key` in `queue`, or its end.
template <typename Queue> auto findQueued(Queue& queue, std::string_view key) {
    return std::find_if(queue.begin(), queue.end(), [&](const auto& e) { return namesEqual(e.key, key); });
}

} // namespace

WriteQueue::WriteQueue(std::string path, std::string section, Writer writer)
    : path_(std::move(path)), section_(std::move(section)), writer_(std::move(writer)) {}

WriteQueue::~WriteQueue() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (worker_.joinable()) {
        worker_.join();
    }
}

bool WriteQueue::write(std::string key, std::string value) {
    if (!isWritableEntry(section_, key, value)) {
        return false;
    }
    {
        const std::lock_guard lock(mutex_);
        const auto waiting = findQueued(queued_, key);
        if (waiting != queued_.end()) {
            waiting->value = std::move(value);
        } else {
            queued_.push_back({std::move(key), std::move(value)});
        }
        if (!worker_.joinable()) {
            worker_ = std::thread([this] { run(); });
        }
    }
    changed_.notify_all();
    return true;
}

std::optional<std::string> WriteQueue::pendingValue(std::string_view key) const {
    const std::lock_guard lock(mutex_);
    const auto waiting = findQueued(queued_, key);
    if (waiting != queued_.end()) {
        return waiting->value;
    }
    if (inFlight_ && namesEqual(inFlight_->key, key)) {
        return inFlight_->value;
    }
    return std::nullopt;
}

void WriteQueue::flush() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return queued_.empty() && !inFlight_; });
}

void WriteQueue::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || !queued_.empty(); });
        if (queued_.empty()) {
            return; // stopping, and everything has landed
        }
        inFlight_ = std::move(queued_.front());
        queued_.pop_front();
        lock.unlock();
        writer_(path_, section_, inFlight_->key, inFlight_->value);
        lock.lock();
        inFlight_.reset();
        changed_.notify_all();
    }
}

} // namespace oruvel::platform::ini
