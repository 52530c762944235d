#pragma once

#include "platform/ini_file.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

namespace oruvel::platform::ini {

// Writes the keys of one section of one INI file on a worker thread, so that a slow disk never holds up the caller.
// Every write starts at once and lands durably, in the order given. A write of a key that is still waiting behind
// another write takes the waiting one's place, so a burst of changes to one key costs a few writes, and its last
// value always lands. The destructor lands everything still queued.
class WriteQueue {
public:
    using Writer = std::function<bool(const std::string& path, std::string_view section, std::string_view key,
                                      std::string_view value)>;

    WriteQueue(std::string path, std::string section, Writer writer = writeValue);
    ~WriteQueue();
    WriteQueue(const WriteQueue&) = delete;
    WriteQueue& operator=(const WriteQueue&) = delete;

    // Queues `key` = `value`. False, with nothing queued, for what the file format refuses (see writeValue).
    bool write(std::string key, std::string value);
    // The newest value of `key` that is queued or being written, as written; nullopt when none is.
    std::optional<std::string> pendingValue(std::string_view key) const;
    // Returns once every write queued so far has landed (or failed).
    void flush();

private:
    struct Entry {
        std::string key;
        std::string value;
    };
    void run();

    const std::string path_;
    const std::string section_;
    const Writer writer_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Entry> queued_;
    std::optional<Entry> inFlight_;
    bool stopping_ = false;
    std::thread worker_; // started with the first write
};

} // namespace oruvel::platform::ini
