// A writer killed at any moment leaves the settings file and the registry hive whole (POSIX: fork and SIGKILL).
#include "platform/file_registry_store.h"
#include "platform/ini_file.h"
#include "platform/registry_routines.h"
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

} // namespace

TEST(CrashSafety, SettingsFileSurvivesAWriterKilledAtRandomMoments) {
    test::TempDir dir;
    const std::string path = dir.file("Oruvel_Settings.ini");
    for (int k = 0; k < kOtherKeys; ++k) {
        ASSERT_TRUE(platform::ini::writeValue(path, "main", "key" + std::to_string(k), "value" + std::to_string(k)));
    }
    ASSERT_TRUE(platform::ini::writeValue(path, "main", "readmax", "0"));
    std::mt19937 random(12345);
    int written = 0;
    for (int round = 0; round < 40; ++round) {
        const int start = written;
        killMidway(
            [&] {
                for (int i = start + 1; i < start + 1000; ++i) {
                    platform::ini::writeValue(path, "main", "readmax", std::to_string(i));
                }
            },
            static_cast<int>(random() % 20000));
        const std::string value = platform::ini::readValue(path, "main", "readmax");
        ASSERT_FALSE(value.empty()) << "round " << round;
        written = std::stoi(value);
        EXPECT_GE(written, start) << "the value is the old or a newer one";
        for (int k = 0; k < kOtherKeys; ++k) {
            ASSERT_EQ(platform::ini::readValue(path, "main", "key" + std::to_string(k)), "value" + std::to_string(k));
        }
    }
}

TEST(CrashSafety, RegistryHiveSurvivesAWriterKilledAtRandomMoments) {
    test::TempDir dir;
    platform::FileRegistryStore store(dir.path());
    platform::RegistryRoutines r(store);
    r.KeyRoot = "Software\\Quorlane";
    r.Subkey = "Oruvel";
    ASSERT_EQ(r.CreateKey(), "0");
    ASSERT_TRUE(r.SetRegistryValue("FrmMain_x", std::string("2250"), platform::reg::kSz));
    std::mt19937 random(777);
    for (int round = 0; round < 30; ++round) {
        killMidway(
            [&] {
                for (int i = 0; i < 1000; ++i) {
                    r.SetRegistryValue("FrmMonitor_x", std::to_string(i), platform::reg::kSz);
                }
            },
            static_cast<int>(random() % 20000));
        platform::FileRegistryStore fresh(dir.path());
        platform::RegistryRoutines check(fresh);
        check.KeyRoot = "Software\\Quorlane";
        check.Subkey = "Oruvel";
        ASSERT_EQ(platform::regVariantText(check.GetRegistryValue("FrmMain_x")), "2250") << "round " << round;
    }
}
