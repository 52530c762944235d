#include "platform/ini_write_queue.h"

#include "platform/file_ops.h"

#include <algorithm>

namespace oruvel::platform::ini {
namespace {

// The waiting write of `key` in `queue`, or its end.
template <typename Queue> auto findQueued(Queue& queue, std::string_view key) {
    return std::find_if(queue.begin(), queue.end(), [&](const auto& e) { return namesEqual(e.key, key); });
}

template <typename Map> auto findFailed(Map& failed, std::string_view key) {
    return std::find_if(failed.begin(), failed.end(), [&](const auto& e) { return namesEqual(e.first, key); });
}

} // namespace

WriteQueue::WriteQueue(std::string path, std::string section, Writer writer, std::chrono::milliseconds retryInterval)
    : path_(std::move(path)), section_(std::move(section)), writer_(std::move(writer)), retryInterval_(retryInterval) {}

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

void WriteQueue::queue(std::string key, std::string value) {
    const auto waiting = findQueued(queued_, key);
    if (waiting != queued_.end()) {
        waiting->value = std::move(value);
    } else {
        queued_.push_back({std::move(key), std::move(value)});
    }
}

bool WriteQueue::write(std::string key, std::string value) {
    if (!isWritableEntry(section_, key, value)) {
        return false;
    }
    {
        const std::lock_guard lock(mutex_);
        queue(std::move(key), std::move(value));
        requeueFailed(); // a change is a good moment to try what failed again
        if (!worker_.joinable()) {
            worker_ = std::thread([this] { run(); });
        }
    }
    changed_.notify_all();
    return true;
}

void WriteQueue::requeueFailed() {
    for (auto& [key, value] : failed_) {
        if (findQueued(queued_, key) == queued_.end()) {
            queued_.push_back({key, value});
        }
    }
    failed_.clear();
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
    const auto failed = findFailed(failed_, key);
    return failed != failed_.end() ? std::optional(failed->second) : std::nullopt;
}

void WriteQueue::flush() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return queued_.empty() && !inFlight_; });
}

SaveState WriteQueue::state() const {
    const std::lock_guard lock(mutex_);
    return told_;
}

void WriteQueue::setStateListener(StateListener listener) {
    const std::lock_guard lock(mutex_);
    listener_ = std::move(listener);
}

void WriteQueue::run() {
    std::unique_lock lock(mutex_);
    bool triedAtEnd = false;
    for (;;) {
        if (queued_.empty()) {
            // Everything tried: tell a change of the save state, then wait for work or the next retry.
            const SaveState now{!failed_.empty(), failed_.empty() ? std::string() : lastReason_};
            if (now != told_) {
                told_ = now;
                const StateListener listener = listener_;
                lock.unlock();
                if (listener) {
                    listener(now);
                }
                lock.lock();
                continue; // new work may have come meanwhile
            }
            if (stopping_ && (failed_.empty() || triedAtEnd)) {
                return;
            }
            if (stopping_) {
                triedAtEnd = true; // once more at the end
                requeueFailed();
            } else if (failed_.empty()) {
                changed_.wait(lock, [this] { return stopping_ || !queued_.empty(); });
            } else if (!changed_.wait_for(lock, retryInterval_, [this] { return stopping_ || !queued_.empty(); })) {
                requeueFailed();
            }
            continue;
        }
        inFlight_ = std::move(queued_.front());
        queued_.pop_front();
        lock.unlock();
        const bool landed = writer_(path_, section_, inFlight_->key, inFlight_->value);
        const std::string reason = landed ? std::string() : lastFileFailure();
        lock.lock();
        const auto failed = findFailed(failed_, inFlight_->key);
        if (failed != failed_.end()) {
            failed_.erase(failed);
        }
        // A failed value stays unless a newer one of its key is already waiting.
        if (!landed && findQueued(queued_, inFlight_->key) == queued_.end()) {
            failed_.emplace(inFlight_->key, inFlight_->value);
            lastReason_ = reason.empty() ? std::string("the file could not be written") : reason;
        }
        inFlight_.reset();
        changed_.notify_all();
    }
}

} // namespace oruvel::platform::ini
