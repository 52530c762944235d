// A writer killed at any moment leaves the settings file whole (POSIX: fork and SIGKILL).
#include "platform/ini_file.h"
#include "platform/ini_write_queue.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace oruvel;

namespace {

constexpr int kOtherKeys = 20;
constexpr int kCalls = 10'000;

// Starts `writer` in a child process and kills it after `delayUs` microseconds.
template <typename Writer> void killMidway(Writer writer, int delayUs) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        writer();
        _exit(0);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(delayUs));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
}

// Writes the numbers 1, 2, 3 ... to one value in writer processes killed at random moments, a new writer carrying on
// from the value found after each kill, until 10,000 writes have been made; `writeRange(first, last)` writes first to
// last in order. After every kill `read` must give the old value or one the killed writer wrote, and `othersIntact`
// must hold.
template <typename WriteRange, typename Read, typename Check>
void writeThroughKills(unsigned seed, WriteRange writeRange, Read read, Check othersIntact) {
    std::mt19937 random(seed);
    int written = 0;
    int kills = 0;
    while (written < kCalls && kills < 5000) {
        const int start = written;
        killMidway([&] { writeRange(start + 1, start + 2000); }, static_cast<int>(random() % 60000));
        ++kills;
        const std::string value = read();
        ASSERT_FALSE(value.empty()) << "after kill " << kills;
        written = std::stoi(value);
        ASSERT_GE(written, start) << "after kill " << kills << ": the old value or one the writer wrote";
        ASSERT_LE(written, start + 2000) << "after kill " << kills;
        ASSERT_TRUE(othersIntact()) << "after kill " << kills;
    }
    EXPECT_GE(written, kCalls) << kills << " kills";
    ::testing::Test::RecordProperty("kills", kills);
}

} // namespace

// The program writes through a queue on a worker thread; a kill can come while values wait in it.
TEST(CrashSafety, SettingsFileSurvivesAWriterKilledAtRandomMoments) {
    test::TempDir dir;
    const std::string path = dir.file("Oruvel_Settings.ini");
    for (int k = 0; k < kOtherKeys; ++k) {
        ASSERT_TRUE(platform::ini::writeValue(path, "main", "key" + std::to_string(k), "value" + std::to_string(k)));
    }
    ASSERT_TRUE(platform::ini::writeValue(path, "main", "readmax", "0"));
    writeThroughKills(
        12345,
        [&](int first, int last) {
            platform::ini::WriteQueue queue(path, "main");
            for (int i = first; i <= last; ++i) {
                queue.write("readmax", std::to_string(i));
                if (i % 100 == 0) {
                    queue.flush(); // the queue folds waiting values; this keeps the count moving
                }
            }
        },
        [&] { return platform::ini::readValue(path, "main", "readmax"); },
        [&] {
            for (int k = 0; k < kOtherKeys; ++k) {
                if (platform::ini::readValue(path, "main", "key" + std::to_string(k)) != "value" + std::to_string(k)) {
                    return false;
                }
            }
            return true;
        });
}
