#include "platform/ini_write_queue.h"
#include "platform/file_ops.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

using namespace oruvel::platform::ini;
using oruvel::test::TempDir;

namespace {

// A writer that records its calls and holds each one until the test lets it go, as a slow disk would.
class HeldWriter {
public:
    std::atomic<bool> full{false};
    WriteQueue::Writer writer() {
        return [this](const std::string& path, std::string_view section, std::span<const KeyValue> entries) {
            std::unique_lock lock(mutex_);
            std::string call;
            for (const KeyValue& e : entries) {
                call += (call.empty() ? "" : " ") + e.key + "=" + e.value;
            }
            calls_.push_back(call);
            changed_.notify_all();
            changed_.wait_for(lock, std::chrono::seconds(20), [this] { return released_; });
            if (full) {
                oruvel::platform::setFileFailure("No space left on device");
                return false;
            }
            return writeValues(path, section, entries);
        };
    }
    void waitForCalls(std::size_t n) {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, std::chrono::seconds(20), [&] { return calls_.size() >= n; });
    }
    void release() {
        const std::lock_guard lock(mutex_);
        released_ = true;
        changed_.notify_all();
    }
    std::vector<std::string> calls() {
        const std::lock_guard lock(mutex_);
        return calls_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> calls_;
    bool released_ = false;
};

} // namespace

TEST(IniWriteQueue, ABurstOfOneKeyOnASlowDiskNeverWaitsAndItsLastValueLands) {
    TempDir dir;
    const std::string path = dir.file("s.ini");
    HeldWriter disk;
    {
        WriteQueue queue(path, "main", disk.writer());
        ASSERT_TRUE(queue.write("opacity", "255"));
        disk.waitForCalls(1); // the first write is on the disk and held there
        for (int v = 254; v >= 0; --v) {
            ASSERT_TRUE(queue.write("Opacity", std::to_string(v))); // returns while the disk is held
        }
        ASSERT_TRUE(queue.write("show", "1"));
        EXPECT_EQ(queue.pendingValue("OPACITY"), "0") << "a read sees the newest value before it lands";
        EXPECT_EQ(queue.pendingValue("show"), "1");
        EXPECT_EQ(queue.pendingValue("compact"), std::nullopt);
        disk.release();
        queue.flush();
        EXPECT_EQ(queue.pendingValue("opacity"), std::nullopt);
        EXPECT_EQ(readValue(path, "main", "opacity"), "0");
        EXPECT_EQ(readValue(path, "main", "show"), "1");
    }
    EXPECT_EQ(disk.calls(), (std::vector<std::string>{"opacity=255", "Opacity=0 show=1"}))
        << "the 254 values that waited were folded into one value, in their first place in line, and what waited "
           "landed in one write";
}

TEST(IniWriteQueue, EndingLandsEverythingQueuedAndRefusedValuesAreNotQueued) {
    TempDir dir;
    const std::string path = dir.file("s.ini");
    {
        WriteQueue queue(path, "main");
        for (int i = 0; i < 50; ++i) {
            ASSERT_TRUE(queue.write("key" + std::to_string(i), "\"value " + std::to_string(i) + "\""));
        }
        EXPECT_FALSE(queue.write("readmax", "25\n[main]\nshow=0"));
        EXPECT_FALSE(queue.write("a=b", "1"));
        EXPECT_EQ(queue.pendingValue("readmax"), std::nullopt);
    }
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(readValue(path, "main", "key" + std::to_string(i)), "value " + std::to_string(i));
    }
    EXPECT_EQ(readValue(path, "main", "readmax"), "");
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        left.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(left, std::vector<std::string>{"s.ini"}) << "no lock or temporary file beside the settings file";
}

TEST(IniWriteQueue, AQueueThatNeverWroteEndsAtOnceAndWritesNothing) {
    TempDir dir;
    { WriteQueue queue(dir.file("s.ini"), "main"); }
    EXPECT_FALSE(std::filesystem::exists(dir.file("s.ini")));
}

namespace {

// A disk that is full until the test frees it; each write is counted.
class FullDisk {
public:
    std::atomic<bool> full{true};
    std::atomic<int> writes{0};
    WriteQueue::Writer writer() {
        return [this](const std::string& path, std::string_view section, std::span<const KeyValue> entries) {
            ++writes;
            if (full) {
                oruvel::platform::setFileFailure("No space left on device");
                return false;
            }
            return writeValues(path, section, entries);
        };
    }
};

// Records the save states the queue tells, from its worker thread.
struct StateLog {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<SaveState> states;
    WriteQueue::StateListener listener() {
        return [this](const SaveState& state) {
            const std::lock_guard lock(mutex);
            states.push_back(state);
            changed.notify_all();
        };
    }
    bool waitFor(const SaveState& state) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(20),
                                [&] { return !states.empty() && states.back() == state; });
    }
};

const SaveState kFull{true, "No space left on device"};

} // namespace

TEST(IniWriteQueue, AFailedWriteIsKeptToldAndTriedAgainWithTheNextChange) {
    TempDir dir;
    const std::string path = dir.file("s.ini");
    FullDisk disk;
    StateLog log;
    WriteQueue queue(path, "main", disk.writer(), std::chrono::hours(1));
    queue.setStateListener(log.listener());
    ASSERT_TRUE(queue.write("compact", "1"));
    ASSERT_TRUE(queue.write("ontop", "1"));
    queue.flush();
    ASSERT_TRUE(log.waitFor(kFull));
    EXPECT_EQ(queue.state(), kFull);
    EXPECT_EQ(queue.pendingValue("compact"), "1") << "kept";
    EXPECT_FALSE(std::filesystem::exists(path));

    ASSERT_TRUE(queue.write("compact", "0")); // a newer value takes the failed one's place
    queue.flush();
    disk.full = false;
    ASSERT_TRUE(queue.write("roundcorners", "0"));
    queue.flush();
    ASSERT_TRUE(log.waitFor(SaveState{}));
    EXPECT_EQ(readValue(path, "main", "compact"), "0");
    EXPECT_EQ(readValue(path, "main", "ontop"), "1");
    EXPECT_EQ(readValue(path, "main", "roundcorners"), "0");
    EXPECT_EQ(queue.pendingValue("ontop"), std::nullopt);
    const std::lock_guard lock(log.mutex);
    EXPECT_EQ(log.states, (std::vector<SaveState>{kFull, SaveState{}})) << "told once each way";
}

TEST(IniWriteQueue, KeptWritesAreTriedAgainEveryIntervalAndOnceMoreAtTheEnd) {
    TempDir dir;
    FullDisk disk;
    StateLog log;
    {
        WriteQueue queue(dir.file("a.ini"), "main", disk.writer(), std::chrono::milliseconds(20));
        queue.setStateListener(log.listener());
        ASSERT_TRUE(queue.write("show", "0"));
        ASSERT_TRUE(log.waitFor(kFull));
        disk.full = false; // space freed: the next try lands without another change
        ASSERT_TRUE(log.waitFor(SaveState{}));
    }
    EXPECT_EQ(readValue(dir.file("a.ini"), "main", "show"), "0");

    disk.full = true;
    {
        WriteQueue queue(dir.file("b.ini"), "main", disk.writer(), std::chrono::hours(1));
        ASSERT_TRUE(queue.write("show", "0"));
        queue.flush();
        const int tries = disk.writes;
        disk.full = false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_EQ(disk.writes, tries) << "not before the interval";
    } // the end of the queue tries once more
    EXPECT_EQ(readValue(dir.file("b.ini"), "main", "show"), "0");

    disk.full = true;
    const int before = disk.writes;
    { // a disk that stays full: one more try at the end, and the end does not wait for space
        WriteQueue queue(dir.file("c.ini"), "main", disk.writer(), std::chrono::hours(1));
        ASSERT_TRUE(queue.write("show", "0"));
    }
    EXPECT_EQ(disk.writes - before, 2);
    EXPECT_FALSE(std::filesystem::exists(dir.file("c.ini")));
}

TEST(IniValueAsRead, PendingValuesReadAsTheFileWouldGiveThem) {
    EXPECT_EQ(valueAsRead("  25 "), "25");
    EXPECT_EQ(valueAsRead("\"quoted\""), "quoted");
    EXPECT_EQ(valueAsRead(std::string(300, 'x')), std::string(kMaxValueLength, 'x'));
}

TEST(IniWriteQueue, ABatchLandsInOneWriteAndWhatNeverLandsIsHandedBackInOrder) {
    TempDir dir;
    const std::string path = dir.file("s.ini");
    HeldWriter disk;
    disk.release();
    {
        WriteQueue queue(path, "main", disk.writer());
        queue.beginBatch();
        for (const char* key : {"translucentopacity", "translucent", "ghost", "blend", "normal"}) {
            ASSERT_TRUE(queue.write(key, "1"));
        }
        queue.beginBatch(); // nested: the outer end starts the write
        ASSERT_TRUE(queue.write("ghost", "0"));
        queue.endBatch();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_TRUE(disk.calls().empty()) << "nothing written while the batch is open";
        queue.endBatch();
        queue.flush();
    }
    EXPECT_EQ(disk.calls(), std::vector<std::string>{"translucentopacity=1 translucent=1 ghost=0 blend=1 normal=1"});
    EXPECT_EQ(readValue(path, "main", "ghost"), "0");

    // On a full disk: whether a newer value comes while the old one is being written or while it waits, the key
    // keeps the place of its first change.
    for (const bool whileWritten : {false, true}) {
        HeldWriter full;
        full.full = true;
        WriteQueue queue(dir.file("full.ini"), "main", full.writer(), std::chrono::hours(1));
        ASSERT_TRUE(queue.write("readmax", "100"));
        if (whileWritten) {
            full.waitForCalls(1);
        } else {
            full.release();
            queue.flush();
        }
        ASSERT_TRUE(queue.write("show", "0"));
        ASSERT_TRUE(queue.write("readmax", "200"));
        full.release();
        queue.flush();
        EXPECT_EQ(queue.finish(), (std::vector<KeyValue>{{"readmax", "200"}, {"show", "0"}}))
            << "tried once more at the end, then handed back: the newest value of each key, the first changed first"
            << (whileWritten ? " (changed while written)" : "");
        EXPECT_FALSE(queue.write("show", "1")) << "a finished queue takes nothing";
    }
}
