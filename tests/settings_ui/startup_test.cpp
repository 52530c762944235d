#include "support/settings_fixture.h"

#include "core/modini.h"

#include "settings_ui/vb_controls.h"

#include <QLineEdit>
#include <QScrollBar>

using namespace oruvel;
using test::readFile;

using StartUp = test::SettingsFixture;

TEST_F(StartUp, FirstStartWritesTheDefaultsAndShowsTheMonitor) {
    auto& frm = start();
    EXPECT_FALSE(frm.isVisible()) << "the settings window stays hidden";
    EXPECT_TRUE(monitor().isVisible());
    EXPECT_EQ(tray.shows, 1);
    EXPECT_EQ(frm.windowTitle(), QStringLiteral("Oruvel v1.1.0"));
    EXPECT_EQ(frm.sDrive, "_Total");
    EXPECT_EQ(monitor().size(), QSize(154, 24)) << "start-up ends in the 2310 x 360 layout";
    EXPECT_EQ(readFile(program.settingsPath()),
              "[main]\ndrive=_Total\nshow=1\ncompact=0\nmonitorprogressbar=14737632\nmonitorprogressbartext=0\n"
              "monitorprogressbar2=14737632\nmonitorprogressbartext2=0\nmonitorprogressbarfill=12632064\n"
              "monitorprogressbarfilltext=0\nmonitorprogressbarfill2=49152\nmonitorprogressbarfilltext2=0\n"
              "monitorprogressbarborder=0\nmonitorprogressusebarfill=False\nmonitorprogressdontusebarfill=True\n"
              "monitorprogressusebarfill2=False\nmonitorprogressdontusebarfill2=True\n");
    EXPECT_EQ(counterLog.front(), "add \\PhysicalDisk(_Total)\\Disk Read Bytes/sec");
    EXPECT_EQ(frm.Check8->value(), 1);
    EXPECT_TRUE(frm.OptionTrans[3]->isChecked());
    EXPECT_EQ(frm.updFadeIn[0]->value(), 175);
}

TEST_F(StartUp, StoredValuesThatDoNotConvertLeaveTheDefaults) {
    writeSettings("[main]\ndrive=nonsense\ntransparencylevel=300\nghosttransparencylevel=\nmonitorprogressbar=red\n"
                  "readmax=0\nwritemax=abc\nontop=7\nmonitorprogressbartext=-16777216\n");
    auto& frm = start();
    EXPECT_EQ(frm.updFadeIn[0]->value(), 175);
    EXPECT_EQ(frm.updFadeIn[1]->value(), 175);
    EXPECT_EQ(frm.swatchColour(6), 14737632);
    EXPECT_EQ(frm.swatchColour(7), -16777216);
    EXPECT_EQ(frm.Text1->text(), QStringLiteral("25"));
    EXPECT_EQ(frm.Text2->text(), QStringLiteral("abc"));
    EXPECT_EQ(frm.Check12->value(), 0);
    EXPECT_EQ(setting(core::keys::readmax), "0") << "nothing is written back";
    EXPECT_EQ(frm.sDrive, "nonsense");
    tick(0, 0);
    EXPECT_EQ(monitor().PB1.Text(), QStringLiteral("Drive Read: 0 Bytes/s"));
    EXPECT_EQ(monitor().PB2.Value(), 100) << "a non-numeric full scale gives a full bar";
}

TEST_F(StartUp, OptionWordsInAnyCaseOrNumbers) {
    writeSettings("[main]\nenableghost=TRUE\nnormal=False\n");
    auto& frm = start();
    EXPECT_TRUE(frm.OptionTrans[1]->isChecked());
    EXPECT_TRUE(monitor().windowStyle().clickThrough()) << "ghost mode from the stored mode";
    frm.Unload(settings_ui::UnloadMode::FromCode);

    writeSettings("[main]\nenableghost=yes\n");
    test::SettingsFixture::frm.reset();
    auto& again = start();
    EXPECT_TRUE(again.OptionTrans[3]->isChecked());
}

TEST_F(StartUp, StoredHiddenMonitorStaysHiddenWithTheTrayShown) {
    writeSettings("[main]\nshow=0\n");
    auto& frm = start();
    EXPECT_FALSE(monitor().isVisible());
    EXPECT_EQ(tray.shows, 1);
    EXPECT_FALSE(frm.Frame1->isEnabled());
}

TEST_F(StartUp, CloseBoxOnlyHides) {
    auto& frm = start();
    frm.show();
    frm.close();
    EXPECT_FALSE(frm.isVisible());
    EXPECT_FALSE(program.bExiting);
    tick(1048576, 0);
    EXPECT_EQ(monitor().PB1.Text(), QStringLiteral("Drive Read: 1.00 MB/s"));
}

TEST_F(StartUp, ExitAndSessionEndSaveThePositionAndCloseEverything) {
    for (const auto mode : {settings_ui::UnloadMode::FromCode, settings_ui::UnloadMode::SessionEnd}) {
        auto& frm = start();
        frm.moveTwips(1500, 3000);
        ASSERT_TRUE(frm.Unload(mode));
        EXPECT_TRUE(program.bExiting);
        EXPECT_FALSE(frm.Timer1.isActive());
        EXPECT_EQ(program.hQuery, nullptr);
        EXPECT_GE(tray.hides, 1);
        EXPECT_FALSE(frm.existingMonitor()->isVisible());
        EXPECT_EQ(stored("FrmMain_x"), "3000");
        EXPECT_EQ(stored("FrmMain_y"), "1500");
        frm.Form_Load();
        EXPECT_FALSE(frm.Timer1.isActive()) << "a load while exiting unloads at once";
        test::SettingsFixture::frm.reset();
        program.bExiting = false;
    }
}

TEST_F(StartUp, AFileReplacedByAnotherProcessKeepsItsKeysAtTheNextWrite) {
    auto& frm = start();
    // Another program rewrites the settings file while this one runs.
    writeSettings("[main]\nreadmax=77\nforeign=kept\n[other]\nx=1\n");
    frm.Check5->setValue(1);
    frm.Check5_MouseUp(1, 0, 0, 0);
    EXPECT_EQ(setting(core::keys::disablebarfill), "1");
    EXPECT_EQ(setting(core::keys::readmax), "77");
    EXPECT_EQ(program.readSetting({"foreign", core::ValueForm::Path, ""}), "kept");
    EXPECT_EQ(core::ReadIni("other", "x", program.settingsPath()), "1");
}
