#pragma once

#include "platform/ini_file.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace oruvel::platform::ini {

// Whether every change has landed, and if not, why the last write failed.
struct SaveState {
    bool unsaved = false;
    std::string reason;
    bool operator==(const SaveState&) const = default;
};

// Writes the keys of one section of one INI file on a worker thread, so that a slow disk never holds up the caller.
// Every write starts at once and lands durably, in the order given; what waits while the disk is busy lands together,
// in one replace of the file. A write of a key that is still waiting takes the waiting one's place, so a burst of
// changes to one key costs a few writes, and its last value always lands. Writes made while a batch is open wait for
// its end and land together. A write that fails (a full disk, a read-only file or folder) is kept: it is tried again
// with the next change, every retry interval while any is kept, and once more when the queue ends; what still fails
// then is what finish() returns.
class WriteQueue {
public:
    // Writes values in one replace of the file; false when it failed, with platform::lastFileFailure() saying why.
    using Writer =
        std::function<bool(const std::string& path, std::string_view section, std::span<const KeyValue> entries)>;
    // Told on the worker thread whenever the save state changes.
    using StateListener = std::function<void(const SaveState& state)>;

    WriteQueue(std::string path, std::string section, Writer writer = writeValues,
               std::chrono::milliseconds retryInterval = std::chrono::seconds(5));
    ~WriteQueue();
    WriteQueue(const WriteQueue&) = delete;
    WriteQueue& operator=(const WriteQueue&) = delete;

    // Queues `key` = `value`. False, with nothing queued, for what the file format refuses (see writeValue).
    bool write(std::string key, std::string value);
    // The newest value of `key` that is queued, being written or kept after a failure; nullopt when none is.
    std::optional<std::string> pendingValue(std::string_view key) const;
    // Returns once every write queued so far has been tried (it landed or is kept for another try).
    void flush();
    // Batches nest; the writes of the outermost one start when it ends.
    void beginBatch();
    void endBatch();
    // Ends the worker after its last try: what could not be written then, in the order it was given.
    std::vector<KeyValue> finish();

    SaveState state() const;
    void setStateListener(StateListener listener);

private:
    void run();
    // Puts the failed writes back in the queue, behind what is queued; keys queued anew keep their newer value.
    void requeueFailed();
    void queue(std::string key, std::string value);
    bool mayTake() const { return !queued_.empty() && (batches_ == 0 || stopping_); }

    const std::string path_;
    const std::string section_;
    const Writer writer_;
    const std::chrono::milliseconds retryInterval_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<KeyValue> queued_;
    std::vector<KeyValue> inFlight_;
    std::vector<KeyValue> failed_; // the values that failed last
    // The keys changed since they last landed, in the order of their first change: the order a value keeps
    // while it is tried again, whichever thread wins the race between a failure and a newer value.
    std::vector<std::string> unlanded_;
    std::string lastReason_;
    SaveState told_;
    StateListener listener_;
    int batches_ = 0;
    bool stopping_ = false;
    std::thread worker_; // started with the first write
};

} // namespace oruvel::platform::ini
