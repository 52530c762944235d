#include "support/settings_fixture.h"

#include "platform/ini_file.h"

#include "settings_ui/setting_widgets.h"

#include <QLineEdit>
#include <QScrollBar>

using namespace oruvel;
using test::readFile;

using StartUp = test::SettingsFixture;

TEST_F(StartUp, FirstStartWritesTheDefaultsAndShowsTheMonitor) {
    auto& window = start();
    EXPECT_FALSE(window.isVisible()) << "the settings window stays hidden";
    EXPECT_TRUE(monitor().isVisible());
    EXPECT_EQ(tray.shows, 1);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Oruvel v1.1.0"));
    EXPECT_EQ(window.diskInstance(), "_Total");
    EXPECT_EQ(monitor().size(), QSize(154, 24)) << "start-up ends in the 2310 x 360 layout";
    program.flushSettings();
    EXPECT_EQ(readFile(program.settingsPath()),
              "[main]\ndrive=_Total\nshow=1\ncompact=0\nmonitorprogressbar=14737632\nmonitorprogressbartext=0\n"
              "monitorprogressbar2=14737632\nmonitorprogressbartext2=0\nmonitorprogressbarfill=12632064\n"
              "monitorprogressbarfilltext=0\nmonitorprogressbarfill2=49152\nmonitorprogressbarfilltext2=0\n"
              "monitorprogressbarborder=0\nmonitorprogressusebarfill=False\nmonitorprogressdontusebarfill=True\n"
              "monitorprogressusebarfill2=False\nmonitorprogressdontusebarfill2=True\n");
    EXPECT_EQ(counterLog.front(), "add \\PhysicalDisk(_Total)\\Disk Read Bytes/sec");
    EXPECT_EQ(window.roundCornersCheckBox->value(), 1);
    EXPECT_TRUE(window.windowModeRadioButton(core::WindowMode::Normal)->isChecked());
    EXPECT_EQ(window.translucentOpacityScrollBar->value(), 175);
}

TEST_F(StartUp, StoredValuesThatDoNotConvertLeaveTheDefaults) {
    writeSettings("[main]\ndrive=nonsense\ntransparencylevel=300\nghosttransparencylevel=\nmonitorprogressbar=red\n"
                  "readmax=0\nwritemax=abc\nontop=7\nmonitorprogressbartext=-16777216\n");
    auto& window = start();
    EXPECT_EQ(window.translucentOpacityScrollBar->value(), 175);
    EXPECT_EQ(window.ghostOpacityScrollBar->value(), 175);
    EXPECT_EQ(window.colour(core::ColourRole::ReadBackground), 14737632);
    EXPECT_EQ(window.colour(core::ColourRole::ReadText), -16777216);
    EXPECT_EQ(window.readFullScaleEdit->text(), QStringLiteral("25"));
    EXPECT_EQ(window.writeFullScaleEdit->text(), QStringLiteral("abc"));
    EXPECT_EQ(window.alwaysOnTopCheckBox->value(), 0);
    EXPECT_EQ(setting(core::keys::readFullScale), "0") << "nothing is written back";
    EXPECT_EQ(window.diskInstance(), "nonsense");
    tick(0, 0);
    EXPECT_EQ(monitor().readBar().text(), QStringLiteral("Drive Read: 0 Bytes/s"));
    EXPECT_EQ(monitor().writeBar().value(), 100) << "a non-numeric full scale gives a full bar";
}

TEST_F(StartUp, OptionWordsInAnyCaseOrNumbers) {
    writeSettings("[main]\nenableghost=TRUE\nnormal=False\n");
    auto& window = start();
    EXPECT_TRUE(window.windowModeRadioButton(core::WindowMode::Ghost)->isChecked());
    EXPECT_TRUE(monitor().windowStyle().clickThrough) << "ghost mode from the stored mode";
    window.requestShutdown(settings_ui::ShutdownReason::ExitCommand);

    writeSettings("[main]\nenableghost=yes\n");
    test::SettingsFixture::settingsWindow.reset();
    auto& again = start();
    EXPECT_TRUE(again.windowModeRadioButton(core::WindowMode::Normal)->isChecked());
}

namespace {

// Counts how often any monitor window is shown.
struct MonitorShowCounter : QObject {
    int shows = 0;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && qobject_cast<monitor::MonitorWindow*>(watched) != nullptr) {
            ++shows;
        }
        return false;
    }
};

} // namespace

TEST_F(StartUp, StoredHiddenMonitorIsNeverShownAndTheTrayIs) {
    for (const char* stored : {"[main]\nshow=0\n", "[main]\nshow=0\nontop=1\n"}) {
        SCOPED_TRACE(stored);
        settingsWindow.reset();
        tray = {};
        writeSettings(stored);
        MonitorShowCounter counter;
        QCoreApplication::instance()->installEventFilter(&counter);
        auto& window = start();
        QCoreApplication::instance()->removeEventFilter(&counter);
        EXPECT_EQ(counter.shows, 0) << "not even for a moment";
        EXPECT_FALSE(monitor().isVisible());
        EXPECT_EQ(tray.shows, 1);
        EXPECT_FALSE(window.coloursGroupBox->isEnabled());
    }
}

TEST_F(StartUp, CloseBoxOnlyHides) {
    auto& window = start();
    window.show();
    window.close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(program.isExiting());
    tick(1048576, 0);
    EXPECT_EQ(monitor().readBar().text(), QStringLiteral("Drive Read: 1.00 MB/s"));
}

namespace {

struct Shutdown : test::SettingsFixture {
    void expectEverythingClosed(settings_ui::ShutdownReason reason) {
        auto& window = start();
        window.moveTwips(1500, 3000);
        ASSERT_TRUE(window.requestShutdown(reason));
        EXPECT_TRUE(program.isExiting());
        EXPECT_FALSE(window.sampleTimer().isActive());
        EXPECT_FALSE(program.diskRates().isOpen());
        EXPECT_EQ(tray.hides, 1);
        EXPECT_FALSE(window.monitorIfCreated()->isVisible());
        EXPECT_EQ(stored("FrmMain_x"), "3000");
        EXPECT_EQ(stored("FrmMain_y"), "1500");
        window.start();
        EXPECT_FALSE(window.sampleTimer().isActive()) << "a start while exiting ends at once";
    }
};

} // namespace

TEST_F(Shutdown, ExitCommandSavesThePositionAndClosesEverything) {
    expectEverythingClosed(settings_ui::ShutdownReason::ExitCommand);
}

TEST_F(Shutdown, SessionEndSavesThePositionAndClosesEverything) {
    expectEverythingClosed(settings_ui::ShutdownReason::SessionEnd);
}

TEST_F(StartUp, AFileReplacedByAnotherProcessKeepsItsKeysAtTheNextWrite) {
    auto& window = start();
    // Another program rewrites the settings file while this one runs.
    writeSettings("[main]\nreadmax=77\nforeign=kept\n[other]\nx=1\n");
    window.disableBarFillCheckBox->setValue(1);
    window.onDisableBarFillClicked();
    EXPECT_EQ(setting(core::keys::disableBarFill), "1");
    EXPECT_EQ(setting(core::keys::readFullScale), "77");
    EXPECT_EQ(program.readSetting({"foreign", core::ValueForm::Path, ""}), "kept");
    EXPECT_EQ(platform::ini::readValue(program.settingsPath(), "other", "x"), "1");
}
