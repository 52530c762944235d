// The folder of the one-copy guard: this user's alone, or none.
#include "platform/private_folder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using oruvel::platform::privateRuntimeFolderFrom;
using oruvel::test::TempDir;

namespace {

mode_t modeOf(const std::string& path) {
    struct stat st {};
    ::lstat(path.c_str(), &st);
    return st.st_mode & 07777;
}

} // namespace

TEST(PrivateFolder, AFolderInTheRuntimeFolderWhenThatIsTheUsersAloneElseOneInTheTemporaryFolder) {
    TempDir dir;
    std::string why;
    const std::string runtime = dir.file("runtime");
    std::filesystem::create_directory(runtime);
    ::chmod(runtime.c_str(), 0700);
    EXPECT_EQ(privateRuntimeFolderFrom(runtime.c_str(), dir.path().c_str(), why), runtime + "/oruvel");
    EXPECT_EQ(modeOf(runtime + "/oruvel"), 0700U) << "a folder of its own, where nothing else changes";

    const std::string own = dir.file("oruvel-" + std::to_string(::geteuid()));
    ::chmod(runtime.c_str(), 0755);
    EXPECT_EQ(privateRuntimeFolderFrom(runtime.c_str(), dir.path().c_str(), why), own)
        << "a runtime folder others may enter is not used";
    EXPECT_EQ(modeOf(own), 0700U);
    EXPECT_EQ(privateRuntimeFolderFrom("relative/run", dir.path().c_str(), why), own) << "relative values count not";
}

TEST(PrivateFolder, ASquattedOpenOrLinkedFolderIsNeverUsed) {
    TempDir dir;
    TempDir elsewhere;
    std::string why;
    const std::string own = dir.file("oruvel-" + std::to_string(::geteuid()));
    const std::string fallback = "/tmp/oruvel-" + std::to_string(::geteuid());

    std::filesystem::create_directory(own);
    ::chmod(own.c_str(), 0777); // made by someone for everybody
    EXPECT_EQ(privateRuntimeFolderFrom(nullptr, dir.path().c_str(), why), fallback);
    EXPECT_NE(why.find("other users"), std::string::npos) << why;
    std::filesystem::remove(own);

    std::filesystem::create_directory_symlink(elsewhere.path(), own); // a link to a folder of the user's own
    EXPECT_EQ(privateRuntimeFolderFrom(nullptr, dir.path().c_str(), why), fallback);
    std::filesystem::remove(own);

    if (::geteuid() == 0) { // another user's folder under the expected name
        std::filesystem::create_directory(own);
        ::chmod(own.c_str(), 0700);
        ASSERT_EQ(::chown(own.c_str(), 65534, 65534), 0);
        EXPECT_EQ(privateRuntimeFolderFrom(nullptr, dir.path().c_str(), why), fallback);
        EXPECT_NE(why.find("not a folder of this user's"), std::string::npos) << why;
    }
}

TEST(PrivateFolder, AFileInItsPlaceIsPassedOver) {
    TempDir dir;
    std::string why;
    const std::string fallback = "/tmp/oruvel-" + std::to_string(::geteuid());
    const std::string file = dir.file("file");
    oruvel::test::writeFile(file, "x");
    EXPECT_EQ(privateRuntimeFolderFrom(nullptr, file.c_str(), why), fallback) << "TMPDIR a file";

    const std::string runtime = dir.file("runtime");
    std::filesystem::create_directory(runtime);
    ::chmod(runtime.c_str(), 0700);
    oruvel::test::writeFile(runtime + "/oruvel", "x");
    EXPECT_EQ(privateRuntimeFolderFrom(runtime.c_str(), nullptr, why), fallback) << "a file named as the folder";
    EXPECT_NE(why.find("not a folder of this user's"), std::string::npos) << why;
}
