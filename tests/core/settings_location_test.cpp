#include "core/settings_location.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace oruvel::core;
using oruvel::test::readFile;
using oruvel::test::TempDir;
using oruvel::test::writeFile;

namespace {

SettingsPlaces places(bool writable, bool besideFile, const std::string& userFolder, bool userFile) {
    SettingsPlaces p;
    p.programFolder = "/opt/app";
    p.programFolderWritable = writable;
    p.programFolderHasFile = besideFile;
    p.userFolder = userFolder;
    p.userFolderHasFile = userFile;
    return p;
}

bool neverWritable(const std::string& /*folder*/) {
    return false;
}
bool alwaysWritable(const std::string& /*folder*/) {
    return true;
}

} // namespace

TEST(SettingsLocation, AWritableProgramFolderKeepsTheFileBesideTheProgram) {
    for (const bool besideFile : {false, true}) {
        for (const bool userFile : {false, true}) {
            EXPECT_EQ(chooseSettingsLocation(places(true, besideFile, "/home/u/.config/Oruvel", userFile)),
                      (SettingsLocation{"/opt/app/Oruvel_Settings.ini", std::nullopt}));
        }
    }
}

TEST(SettingsLocation, AReadOnlyProgramFolderUsesThePerUserFileSeededOnceFromTheOneBesideTheProgram) {
    const std::string user = "/home/u/.config/Oruvel";
    EXPECT_EQ(chooseSettingsLocation(places(false, false, user, false)),
              (SettingsLocation{user + "/Oruvel_Settings.ini", std::nullopt}));
    EXPECT_EQ(chooseSettingsLocation(places(false, true, user, false)),
              (SettingsLocation{user + "/Oruvel_Settings.ini", "/opt/app/Oruvel_Settings.ini"}))
        << "the administrator's defaults are the starting point";
    EXPECT_EQ(chooseSettingsLocation(places(false, true, user, true)),
              (SettingsLocation{user + "/Oruvel_Settings.ini", std::nullopt}))
        << "an existing per-user file is never replaced";
    EXPECT_EQ(chooseSettingsLocation(places(false, true, "", false)),
              (SettingsLocation{"/opt/app/Oruvel_Settings.ini", std::nullopt}))
        << "without a per-user folder the file beside the program is only read";
}

TEST(SettingsLocation, SeedingCopiesTheProgramFoldersFileOnceAndNeverChangesIt) {
    TempDir dir;
    const std::string program = dir.file("program");
    const std::string config = dir.file("config");
    std::filesystem::create_directories(program);
    writeFile(program + "/Oruvel_Settings.ini", "[main]\ncompact=1\n");

    const std::string path = prepareSettingsFile(program, config, neverWritable);
    EXPECT_EQ(path, config + "/Oruvel/Oruvel_Settings.ini");
    EXPECT_EQ(readFile(path), "[main]\ncompact=1\n");

    writeFile(path, "[main]\ncompact=0\n");
    writeFile(program + "/Oruvel_Settings.ini", "[main]\ncompact=1\nshow=0\n");
    EXPECT_EQ(prepareSettingsFile(program, config, neverWritable), path);
    EXPECT_EQ(readFile(path), "[main]\ncompact=0\n") << "the user's own file stays as it is";
    EXPECT_EQ(readFile(program + "/Oruvel_Settings.ini"), "[main]\ncompact=1\nshow=0\n");

    EXPECT_EQ(prepareSettingsFile(program, config, alwaysWritable), program + "/Oruvel_Settings.ini");
}

TEST(SettingsLocation, AReadOnlyProgramFolderWithoutAFileStartsAnEmptyPerUserOne) {
    TempDir dir;
    std::filesystem::create_directories(dir.file("program"));
    const std::string path = prepareSettingsFile(dir.file("program"), dir.file("config"), neverWritable);
    EXPECT_EQ(path, dir.file("config") + "/Oruvel/Oruvel_Settings.ini");
    EXPECT_FALSE(std::filesystem::exists(path)) << "the program writes it with its first change";
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("config") + "/Oruvel")) << "in a folder made ready for it";
}

TEST(PicturesFolder, BesideTheProgramElseTheInstalledDataFolder) {
    TempDir dir;
    std::filesystem::create_directories(dir.file("usr/bin"));
    std::filesystem::create_directories(dir.file("usr/share/oruvel/bars"));
    const auto isFolder = [](const std::string& path) { return std::filesystem::is_directory(path); };
    EXPECT_EQ(picturesFolder(dir.file("usr/bin"), isFolder), dir.file("usr/bin") + "/../share/oruvel/bars");
    std::filesystem::create_directories(dir.file("usr/bin/bars"));
    EXPECT_EQ(picturesFolder(dir.file("usr/bin"), isFolder), dir.file("usr/bin") + "/bars");
    EXPECT_EQ(picturesFolder(dir.file("nowhere"), isFolder), dir.file("nowhere") + "/bars")
        << "with neither, the dialog opens where a portable folder keeps them";
}

TEST(PicturesFolder, AShippedPictureIsFoundInTodaysFolderByItsName) {
    EXPECT_EQ(shippedPictureNow("/old/place/bars/bar3.jpg", "/new/bars"), "/new/bars/bar3.jpg");
    EXPECT_EQ(shippedPictureNow("C:\\Oruvel\\bars\\bar3.jpg", "/new/bars"), "/new/bars/bar3.jpg");
    EXPECT_EQ(shippedPictureNow("bar3.jpg", "/new/bars"), "/new/bars/bar3.jpg");
    EXPECT_EQ(shippedPictureNow("/old/place/", "/new/bars"), "");
    EXPECT_EQ(shippedPictureNow("/old/..", "/new/bars"), "");
    EXPECT_EQ(shippedPictureNow("", "/new/bars"), "");
}
