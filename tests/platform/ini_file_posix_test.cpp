// Robustness of the settings file against other processes, a full disk and huge files (POSIX only: uses fork and
// resource limits).
#include "platform/file_ops.h"
#include "platform/ini_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
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

// A settings file kept elsewhere and linked to (as dotfile managers do) is written where it is; the link stays.
TEST(IniArrangedFiles, ASymbolicLinkIsWrittenThroughAndStays) {
    TempDir dir;
    std::filesystem::create_directories(dir.file("dotfiles"));
    const auto target = dir.file("dotfiles/Oruvel_Settings.ini");
    writeFile(target, "[main]\nreadmax=25\n");
    const auto link = dir.file("Oruvel_Settings.ini");
    std::filesystem::create_symlink("dotfiles/Oruvel_Settings.ini", link);
    ASSERT_TRUE(writeValue(link, "main", "writemax", "50"));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readFile(target), "[main]\nreadmax=25\nwritemax=50\n");
    EXPECT_EQ(readValue(link, "main", "writemax"), "50");
    for (const auto& entry : std::filesystem::directory_iterator(dir.file("dotfiles"))) {
        EXPECT_EQ(entry.path().filename(), "Oruvel_Settings.ini") << "the new file was made beside the target";
    }

    // A link to a file not made yet: the file is made where the link points.
    const auto dangling = dir.file("new.ini");
    std::filesystem::create_symlink(dir.file("dotfiles/new.ini"), dangling);
    ASSERT_TRUE(writeValue(dangling, "main", "show", "1"));
    EXPECT_TRUE(std::filesystem::is_symlink(dangling));
    EXPECT_EQ(readFile(dir.file("dotfiles/new.ini")), "[main]\nshow=1\n");
}

TEST(IniArrangedFiles, AReadOnlyFileOrAFolderIsLeftAsItIsAndSaysWhy) {
    TempDir dir;
    const auto path = dir.file("s.ini");
    writeFile(path, "[main]\nreadmax=25\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    EXPECT_FALSE(writeValue(path, "main", "readmax", "100"));
    EXPECT_EQ(oruvel::platform::lastFileFailure(), "the file is read-only");
    EXPECT_EQ(readFile(path), "[main]\nreadmax=25\n");
    EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::owner_write,
              std::filesystem::perms::none);

    std::filesystem::create_directories(dir.file("folder.ini"));
    EXPECT_FALSE(writeValue(dir.file("folder.ini"), "main", "readmax", "100"));
    EXPECT_EQ(oruvel::platform::lastFileFailure(), std::strerror(EISDIR));
    EXPECT_FALSE(writeValue(dir.file("missing/s.ini"), "main", "readmax", "100"));
    EXPECT_EQ(oruvel::platform::lastFileFailure(), std::strerror(ENOENT));
}
