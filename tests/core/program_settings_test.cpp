#include "core/program.h"
#include "platform/ini_file.h"
#include "support/fake_clock.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace oruvel::core;
using oruvel::test::readFile;
using oruvel::test::TempDir;

TEST(ProgramSettings, KeysLiveInSectionMainOfTheFileBesideTheProgram) {
    TempDir dir;
    Program program(dir.path(), nullptr, nullptr);
    EXPECT_EQ(program.settingsPath(), dir.path() + "/Oruvel_Settings.ini");
    EXPECT_EQ(program.readSetting(keys::drive), "");
    ASSERT_TRUE(program.writeSetting(keys::drive, "_Total"));
    ASSERT_TRUE(program.writeSetting(keys::BarFillGraphicLocation, dir.path() + "/bars/bar1.jpg"));
    EXPECT_EQ(program.readSetting(keys::drive), "_Total");
    EXPECT_EQ(readFile(program.settingsPath()),
              oruvel::test::nativeLines("[main]\ndrive=_Total\nBarFillGraphicLocation=" + dir.path() + "/bars/bar1.jpg\n",
                                        oruvel::platform::ini::kNativeLineEnding));
    EXPECT_FALSE(program.writeSetting(keys::readmax, "25\n[main]\nshow=0"));
    EXPECT_EQ(program.readSetting(keys::show), "");

    int pumped = 0;
    program.setMessagePump([&] { ++pumped; });
    program.letMessagesRun();
    EXPECT_EQ(pumped, 1);
}

TEST(ProgramMessagePasses, CoalescedWithinACycleAndEveryCallOutside) {
    Program program("", nullptr, nullptr);
    oruvel::test::FakeClock clock;
    program.setClock(clock);
    int passes = 0;
    program.setMessagePump([&] { ++passes; });

    {
        const CoalescedMessagePasses cycle(program);
        program.letMessagesRun();
        EXPECT_EQ(passes, 0) << "the event loop made a pass just before the cycle began";
        clock.now += 0.012; // a slow step
        program.letMessagesRun();
        EXPECT_EQ(passes, 1);
        clock.now += 0.004;
        program.letMessagesRun();
        {
            const CoalescedMessagePasses nested(program);
            program.letMessagesRun();
        }
        EXPECT_EQ(passes, 1) << "4 ms after the last pass, nested cycle or not";
        clock.now += 0.007;
        program.letMessagesRun();
        EXPECT_EQ(passes, 2);
    }
    program.letMessagesRun();
    program.letMessagesRun();
    EXPECT_EQ(passes, 4) << "outside a cycle every call lets messages run";
}
