#include "core/program.h"
#include "platform/ini_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace oruvel::core;
using oruvel::test::readFile;
using oruvel::test::TempDir;

TEST(ProgramSettings, KeysLiveInSectionMainOfTheFileBesideTheProgram) {
    TempDir dir;
    Program program(dir.path(), nullptr, nullptr);
    EXPECT_EQ(program.settingsPath(), dir.path() + "/Oruvel_Settings.ini");
    EXPECT_EQ(program.readSetting(keys::diskInstance), "");
    ASSERT_TRUE(program.writeSetting(keys::diskInstance, "_Total"));
    ASSERT_TRUE(program.writeSetting(keys::readFillPicturePath, dir.path() + "/bars/bar1.jpg"));
    EXPECT_EQ(program.readSetting(keys::diskInstance), "_Total");
    program.flushSettings();
    EXPECT_EQ(
        readFile(program.settingsPath()),
        oruvel::test::nativeLines("[main]\ndrive=_Total\nBarFillGraphicLocation=" + dir.path() + "/bars/bar1.jpg\n",
                                  oruvel::platform::ini::kNativeLineEnding));
    EXPECT_FALSE(program.writeSetting(keys::readFullScale, "25\n[main]\nshow=0"));
    EXPECT_EQ(program.readSetting(keys::showMonitor), "");
}
