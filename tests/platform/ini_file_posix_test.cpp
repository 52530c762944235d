// Robustness of the settings file against other processes, a full disk and huge files (POSIX only: uses fork and
// resource limits).
#include "platform/ini_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using oruvel::platform::ini::readValue;
using oruvel::platform::ini::writeValue;
using oruvel::test::readFile;
using oruvel::test::TempDir;
using oruvel::test::writeFile;

namespace {

long maxRssKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

TEST(IniConcurrency, TwoProcessesWritingDifferentKeysLoseNothing) {
    TempDir dir;
    const auto path = dir.file("s.ini");
    constexpr int kWrites = 150;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        bool ok = true;
        for (int i = 0; i < kWrites; ++i) {
            ok = writeValue(path, "main", "child" + std::to_string(i), std::to_string(i)) && ok;
        }
        _exit(ok ? 0 : 1);
    }
    bool ok = true;
    for (int i = 0; i < kWrites; ++i) {
        ok = writeValue(path, "main", "parent" + std::to_string(i), std::to_string(i)) && ok;
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_TRUE(ok);
    for (int i = 0; i < kWrites; ++i) {
        EXPECT_EQ(readValue(path, "main", "child" + std::to_string(i)), std::to_string(i));
        EXPECT_EQ(readValue(path, "main", "parent" + std::to_string(i)), std::to_string(i));
    }
}

TEST(IniFullDisk, FailedWriteReportsFalseAndKeepsTheOldFile) {
    TempDir dir;
    const auto path = dir.file("s.ini");
    const std::string original = "[main]\nreadmax=25\n" + std::string(4000, ';') + "\n";
    writeFile(path, original);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Writes beyond 1 KB fail as they would on a full disk.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{1024, 1024};
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(writeValue(path, "main", "readmax", "100") ? 1 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the write must report failure";
    EXPECT_EQ(readFile(path), original);
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        const auto name = entry.path().filename().string();
        EXPECT_TRUE(name == "s.ini" || name == "s.ini.lock") << "left behind: " << name;
    }
}

TEST(IniHugeFile, ReadsAndWritesA100MegabyteFileInBoundedMemory) {
    TempDir dir;
    const auto path = dir.file("s.ini");
    {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        const std::string line = "junkkey=" + std::string(1000, 'j') + "\n";
        std::fputs("[main]\n", f);
        for (int i = 0; i < 100 * 1024; ++i) {
            std::fputs(line.c_str(), f);
        }
        std::fputs("show=0\n", f);
        std::fclose(f);
    }
    const long before = maxRssKb();
    EXPECT_EQ(readValue(path, "main", "show"), "0");
    EXPECT_TRUE(writeValue(path, "main", "compact", "1"));
    EXPECT_EQ(readValue(path, "main", "compact"), "1");
    EXPECT_EQ(readValue(path, "main", "show"), "0");
    EXPECT_LT(maxRssKb() - before, 20 * 1024) << "memory must not grow with the file";
}
