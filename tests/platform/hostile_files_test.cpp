// Settings files that are not this user's to replace, things that are no files, and what a killed writer left
// (POSIX). Some cases need another user: tests/platform/as_other_user.sh runs this program as one.
#include "platform/file_ops.h"
#include "platform/ini_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using namespace oruvel::platform;
using oruvel::test::readFile;
using oruvel::test::TempDir;
using oruvel::test::writeFile;

namespace {

const std::string kFull = "[main]\nreadmax=100\nwritemax=50\nshow=1\ncompact=1\n";

struct Owner {
    uid_t uid;
    mode_t mode;
    bool operator==(const Owner&) const = default;
};

Owner ownerOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return {st.st_uid, static_cast<mode_t>(st.st_mode & 07777)};
}

} // namespace

TEST(HostileFiles, AFileThisUserMayNotReadIsNeverWrittenOver) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root reads every file; as_other_user.sh runs this case as another user";
    }
    TempDir dir;
    const std::string path = dir.file("Oruvel_Settings.ini");
    writeFile(path, kFull);
    ::chmod(path.c_str(), 0200);
    EXPECT_FALSE(ini::writeValue(path, "main", "ontop", "1"));
    EXPECT_NE(lastFileFailure().find("cannot be read"), std::string::npos) << lastFileFailure();
    ::chmod(path.c_str(), 0600);
    EXPECT_EQ(readFile(path), kFull) << "not replaced by a file of one key";
}

// Another user's files in a folder everybody may write (a shared portable folder), made by as_other_user.sh, or by
// this test when it runs as root.
TEST(HostileFiles, AnotherUsersFileKeepsItsOwnerModeAndContent) {
    TempDir own;
    std::string folder;
    if (const char* given = std::getenv("ORUVEL_OTHER_USERS_FOLDER")) {
        folder = given;
    } else if (::geteuid() == 0) {
        folder = own.path();
        ::chmod(folder.c_str(), 0777);
        for (const auto& [name, mode] : {std::pair{"shared.ini", 0644}, std::pair{"private.ini", 0600}}) {
            writeFile(own.file(name), kFull);
            ASSERT_EQ(::chown(own.file(name).c_str(), 65534, 65534), 0);
            ::chmod(own.file(name).c_str(), static_cast<mode_t>(mode));
        }
    } else {
        GTEST_SKIP() << "needs files of another user: run by as_other_user.sh";
    }
    for (const char* name : {"shared.ini", "private.ini"}) {
        SCOPED_TRACE(name);
        const std::string path = folder + "/" + name;
        const Owner before = ownerOf(path);
        ASSERT_NE(before.uid, ::geteuid());
        EXPECT_FALSE(ini::writeValue(path, "main", "ontop", "1"));
        EXPECT_EQ(ownerOf(path), before);
        if (::geteuid() == 0 || before.mode == 0644) {
            EXPECT_EQ(readFile(path), kFull);
        }
    }
}

TEST(HostileFiles, ANamedPipeIsNeitherWaitedOnNorWrittenOver) {
    TempDir dir;
    const std::string path = dir.file("Oruvel_Settings.ini");
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    EXPECT_EQ(ini::readValue(path, "main", "show"), "") << "returns at once: nobody writes into the pipe";
    EXPECT_FALSE(ini::writeValue(path, "main", "show", "1"));
    EXPECT_TRUE(std::filesystem::is_fifo(path));
}

TEST(HostileFiles, WhatAKilledWriterLeftIsRemovedAndNothingElse) {
    TempDir dir;
    const std::string path = dir.file("Oruvel_Settings.ini");
    writeFile(path, kFull);
    const std::vector<std::string> leftovers{"Oruvel_Settings.ini.partial-a1B2c3",
                                             "Oruvel_Settings.ini.partial-XXXXXX"};
    const std::vector<std::string> others{"Oruvel_Settings.ini.backup", "Oruvel_Settings.ini.partial-1234567",
                                          "Other.ini.partial-a1B2c3", "Oruvel_Settings.ini.partial-a1B2c"};
    for (const auto& name : leftovers) {
        writeFile(dir.file(name), "[main]\nshow=");
    }
    for (const auto& name : others) {
        writeFile(dir.file(name), "mine");
    }
    std::filesystem::create_directory(dir.file("Oruvel_Settings.ini.partial-folder"));
    ini::removeInterruptedWrites(path);
    for (const auto& name : leftovers) {
        EXPECT_FALSE(std::filesystem::exists(dir.file(name))) << name;
    }
    for (const auto& name : others) {
        EXPECT_EQ(readFile(dir.file(name)), "mine") << name;
    }
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("Oruvel_Settings.ini.partial-folder")));
    EXPECT_EQ(readFile(path), kFull);
}
