#include "platform/ini_write_queue.h"

#include "platform/file_ops.h"

#include <algorithm>

namespace oruvel::platform::ini {
namespace {

std::string_view keyOf(const KeyValue& e) {
    return e.key;
}
std::string_view keyOf(const std::string& key) {
    return key;
}

// The entry of `key` in `entries`, or their end.
template <typename Entries> auto findKey(Entries& entries, std::string_view key) {
    return std::find_if(entries.begin(), entries.end(), [&](const auto& e) { return namesEqual(keyOf(e), key); });
}

} // namespace

WriteQueue::WriteQueue(std::string path, std::string section, Writer writer, std::chrono::milliseconds retryInterval)
    : path_(std::move(path)), section_(std::move(section)), writer_(std::move(writer)), retryInterval_(retryInterval) {}

WriteQueue::~WriteQueue() {
    finish();
}

std::vector<KeyValue> WriteQueue::finish() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (worker_.joinable()) {
        worker_.join();
    }
    const std::lock_guard lock(mutex_);
    std::vector<KeyValue> left = std::move(failed_);
    failed_.clear();
    const auto place = [this](const KeyValue& e) { return findKey(unlanded_, e.key) - unlanded_.begin(); };
    std::stable_sort(left.begin(), left.end(),
                     [&](const KeyValue& a, const KeyValue& b) { return place(a) < place(b); });
    return left;
}

void WriteQueue::queue(std::string key, std::string value) {
    if (findKey(unlanded_, key) == unlanded_.end()) {
        unlanded_.push_back(key);
    }
    const auto waiting = findKey(queued_, key);
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
        if (stopping_) {
            return false;
        }
        requeueFailed(); // a change is a good moment to try what failed again, in its old place in line
        queue(std::move(key), std::move(value));
        if (!worker_.joinable()) {
            worker_ = std::thread([this] { run(); });
        }
    }
    changed_.notify_all();
    return true;
}

void WriteQueue::beginBatch() {
    const std::lock_guard lock(mutex_);
    ++batches_;
}

void WriteQueue::endBatch() {
    {
        const std::lock_guard lock(mutex_);
        batches_ = std::max(batches_ - 1, 0);
    }
    changed_.notify_all();
}

void WriteQueue::requeueFailed() {
    for (KeyValue& e : failed_) {
        if (findKey(queued_, e.key) == queued_.end()) {
            queued_.push_back(std::move(e));
        }
    }
    failed_.clear();
}

std::optional<std::string> WriteQueue::pendingValue(std::string_view key) const {
    const std::lock_guard lock(mutex_);
    if (const auto waiting = findKey(queued_, key); waiting != queued_.end()) {
        return waiting->value;
    }
    if (const auto writing = findKey(inFlight_, key); writing != inFlight_.end()) {
        return writing->value;
    }
    const auto failed = findKey(failed_, key);
    return failed != failed_.end() ? std::optional(failed->value) : std::nullopt;
}

void WriteQueue::flush() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return (queued_.empty() || batches_ > 0) && inFlight_.empty(); });
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
    const auto workOrEnd = [this] { return stopping_ || mayTake(); };
    for (;;) {
        if (!mayTake()) {
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
                changed_.wait(lock, workOrEnd);
            } else if (!changed_.wait_for(lock, retryInterval_, workOrEnd)) {
                requeueFailed();
            }
            continue;
        }
        inFlight_.assign(std::make_move_iterator(queued_.begin()), std::make_move_iterator(queued_.end()));
        queued_.clear();
        lock.unlock();
        const bool landed = writer_(path_, section_, inFlight_);
        const std::string reason = landed ? std::string() : lastFileFailure();
        lock.lock();
        for (KeyValue& e : inFlight_) {
            if (const auto failed = findKey(failed_, e.key); failed != failed_.end()) {
                failed_.erase(failed);
            }
            // A newer value of the key already waiting takes over its place in line; else a failed value stays, and a
            // landed one leaves the line.
            if (findKey(queued_, e.key) != queued_.end()) {
                continue;
            }
            if (!landed) {
                failed_.push_back(std::move(e));
            } else if (const auto since = findKey(unlanded_, e.key); since != unlanded_.end()) {
                unlanded_.erase(since);
            }
        }
        if (!landed) {
            lastReason_ = reason.empty() ? std::string("the file could not be written") : reason;
        }
        inFlight_.clear();
        changed_.notify_all();
    }
}

} // namespace oruvel::platform::ini
