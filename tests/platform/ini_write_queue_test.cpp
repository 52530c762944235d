#include "platform/ini_write_queue.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <vector>

using namespace oruvel::platform::ini;
using oruvel::test::TempDir;

namespace {

// A writer that records its calls and holds each one until the test lets it go, as a slow disk would.
class HeldWriter {
public:
    WriteQueue::Writer writer() {
        return [this](const std::string& path, std::string_view section, std::string_view key, std::string_view value) {
            std::unique_lock lock(mutex_);
            calls_.emplace_back(std::string(key) + "=" + std::string(value));
            changed_.notify_all();
            changed_.wait_for(lock, std::chrono::seconds(20), [this] { return released_; });
            return writeValue(path, section, key, value);
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
    EXPECT_EQ(disk.calls(), (std::vector<std::string>{"opacity=255", "Opacity=0", "show=1"}))
        << "the 254 values that waited were folded into one write, in their first place in line";
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

TEST(IniValueAsRead, PendingValuesReadAsTheFileWouldGiveThem) {
    EXPECT_EQ(valueAsRead("  25 "), "25");
    EXPECT_EQ(valueAsRead("\"quoted\""), "quoted");
    EXPECT_EQ(valueAsRead(std::string(300, 'x')), std::string(kMaxValueLength, 'x'));
}
