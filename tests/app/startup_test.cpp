// What a start and an end of the program leave: the windows, the tray icon, the settings file and the places.
#include "settings_ui/full_scale_edit.h"
#include "settings_ui/setting_widgets.h"
#include "support/gadget_fixture.h"

#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>

#include <filesystem>

using namespace oruvel;
using test::readFile;

using StartUp = test::GadgetFixture;

TEST_F(StartUp, FirstStartWritesTheDefaultsAndShowsTheMonitor) {
    auto& gadget = start();
    EXPECT_FALSE(window().isVisible()) << "the settings window stays hidden";
    EXPECT_TRUE(monitor().isVisible());
    EXPECT_TRUE(gadget.tray().isWanted());
    EXPECT_FALSE(gadget.tray().icon().isNull());
    EXPECT_EQ(window().windowTitle(), QStringLiteral("Oruvel v1.1.0"));
    EXPECT_EQ(settings->text(core::Key::DiskInstance), "_Total");
    EXPECT_EQ(monitor().size(), QSize(154, 24)) << "start-up ends in the 2310 x 360 layout";
    settings->flush();
    EXPECT_EQ(readFile(settingsPath()),
              "[main]\ndrive=_Total\nshow=1\ncompact=0\nmonitorprogressbar=14737632\nmonitorprogressbartext=0\n"
              "monitorprogressbar2=14737632\nmonitorprogressbartext2=0\nmonitorprogressbarfill=12632064\n"
              "monitorprogressbarfilltext=0\nmonitorprogressbarfill2=49152\nmonitorprogressbarfilltext2=0\n"
              "monitorprogressbarborder=0\nmonitorprogressusebarfill=False\nmonitorprogressdontusebarfill=True\n"
              "monitorprogressusebarfill2=False\nmonitorprogressdontusebarfill2=True\n");
    EXPECT_EQ(rateLog.front(), "select _Total");
    EXPECT_EQ(control<settings_ui::SettingCheckBox>("roundCornersCheckBox")->value(), 1);
    EXPECT_TRUE(control<QRadioButton>("normalModeRadioButton")->isChecked());
    EXPECT_EQ(control<QScrollBar>("translucentOpacityScrollBar")->value(), 175);
}

TEST_F(StartUp, StoredValuesThatDoNotConvertLeaveTheDefaults) {
    writeSettings("[main]\ndrive=nonsense\ntransparencylevel=300\nghosttransparencylevel=\nmonitorprogressbar=red\n"
                  "readmax=0\nwritemax=abc\nontop=7\nmonitorprogressbartext=-16777216\n");
    start();
    EXPECT_EQ(control<QScrollBar>("translucentOpacityScrollBar")->value(), 175);
    EXPECT_EQ(control<QScrollBar>("ghostOpacityScrollBar")->value(), 175);
    EXPECT_EQ(settings->number(core::Key::ReadBarBackground), 14737632);
    EXPECT_EQ(settings->number(core::Key::ReadBarText), -16777216);
    EXPECT_EQ(control<QLineEdit>("readFullScaleEdit")->text(), QStringLiteral("25"));
    EXPECT_EQ(control<QLineEdit>("writeFullScaleEdit")->text(), QStringLiteral("abc"));
    EXPECT_EQ(control<settings_ui::SettingCheckBox>("alwaysOnTopCheckBox")->value(), 0);
    EXPECT_EQ(setting(core::Key::ReadFullScale), "0") << "nothing is written back";
    EXPECT_EQ(settings->text(core::Key::DiskInstance), "nonsense");
    EXPECT_EQ(rateLog.front(), "select nonsense");
    tick(0, 0);
    EXPECT_EQ(monitor().readBar().text(), QStringLiteral("Drive Read: 0 Bytes/s"));
    EXPECT_EQ(monitor().writeBar().value(), 0) << "a non-numeric full scale counts as 25: an idle disk shows nothing";
    tick(0, 12.5 * 1048576);
    EXPECT_EQ(monitor().writeBar().value(), 50);
}

TEST_F(StartUp, OptionWordsInAnyCaseOrNumbers) {
    writeSettings("[main]\nenableghost=TRUE\nnormal=False\n");
    start();
    EXPECT_TRUE(control<QRadioButton>("ghostModeRadioButton")->isChecked());
    EXPECT_TRUE(monitor().windowStyle().clickThrough) << "ghost mode from the stored mode";
    stop();

    writeSettings("[main]\nenableghost=yes\n");
    start();
    EXPECT_TRUE(control<QRadioButton>("normalModeRadioButton")->isChecked());
    EXPECT_FALSE(monitor().windowStyle().clickThrough);
}

TEST_F(StartUp, StoredTranslucentModeIsAppliedAtStart) {
    writeSettings("[main]\nenabletransparency=True\nnormal=False\ntransparencylevel=90\n");
    start();
    EXPECT_EQ(monitor().windowStyle().opacity, 90);
    EXPECT_FALSE(monitor().windowStyle().clickThrough);
    EXPECT_TRUE(control<QScrollBar>("translucentOpacityScrollBar")->isEnabled());
    EXPECT_FALSE(control<QScrollBar>("ghostOpacityScrollBar")->isEnabled());
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
    for (const char* stored : {"[main]\nshow=0\n", "[main]\nshow=0\nontop=1\n", "[main]\nshow=0\nenableghost=1\n"}) {
        SCOPED_TRACE(stored);
        stop();
        writeSettings(stored);
        MonitorShowCounter counter;
        QCoreApplication::instance()->installEventFilter(&counter);
        auto& gadget = start();
        QCoreApplication::instance()->removeEventFilter(&counter);
        EXPECT_EQ(counter.shows, 0) << "not even for a moment";
        EXPECT_FALSE(monitor().isVisible());
        EXPECT_TRUE(gadget.tray().isWanted());
        EXPECT_FALSE(control<QGroupBox>("coloursGroupBox")->isEnabled());
        EXPECT_EQ(settings->windowMode(), core::WindowMode::Normal);
        EXPECT_EQ(setting(core::Key::AlwaysOnTop), std::string(stored).find("ontop") != std::string::npos ? "0" : "");
    }
}

TEST_F(StartUp, CloseBoxOnlyHides) {
    auto& gadget = start();
    window().show();
    window().close();
    EXPECT_FALSE(window().isVisible());
    EXPECT_FALSE(gadget.isExiting());
    tick(1048576, 0);
    EXPECT_EQ(monitor().readBar().text(), QStringLiteral("Drive Read: 1.00 MB/s"));
}

TEST_F(StartUp, ExitSavesThePlaceAndClosesEverything) {
    auto& gadget = start();
    window().move(100, 200);
    gadget.exit();
    EXPECT_TRUE(gadget.isExiting());
    EXPECT_FALSE(gadget.sampleTimer().isActive());
    EXPECT_FALSE(gadget.isSampling());
    EXPECT_FALSE(gadget.tray().isWanted());
    EXPECT_FALSE(monitor().isVisible());
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(stored("FrmMain_x"), std::to_string(window().frameGeometry().top() * 15));
    EXPECT_EQ(stored("FrmMain_y"), std::to_string(window().frameGeometry().left() * 15));
    gadget.start();
    EXPECT_FALSE(gadget.sampleTimer().isActive()) << "a start while exiting does nothing";
    monitor().show();
    EXPECT_FALSE(monitor().isVisible()) << "the monitor stays gone";
}

TEST_F(StartUp, StoredPlacesAreWhereTheWindowsStart) {
    start();
    window().move(40, 60);
    monitor().move(300, 200);
    places->save(app::kMonitorPlace, monitor().frameGeometry().topLeft());
    gadget->exit();
    const QPoint settingsPlace = window().frameGeometry().topLeft();
    stop();
    start();
    EXPECT_EQ(window().frameGeometry().topLeft(), settingsPlace);
    EXPECT_EQ(monitor().frameGeometry().topLeft(), QPoint(300, 200));
}

TEST_F(StartUp, AFileReplacedByAnotherProcessKeepsItsKeysAtTheNextWrite) {
    start();
    // Another program rewrites the settings file while this one runs.
    writeSettings("[main]\nreadmax=77\nforeign=kept\n[other]\nx=1\n");
    settings->setNumber(core::Key::DisableBarFill, 1);
    EXPECT_EQ(setting(core::Key::DisableBarFill), "1");
    EXPECT_EQ(setting(core::Key::ReadFullScale), "77");
    EXPECT_EQ(platform::ini::readValue(settingsPath(), "main", "foreign"), "kept");
    EXPECT_EQ(platform::ini::readValue(settingsPath(), "other", "x"), "1");
}

// Without a notification area the settings window is the way back to a hidden monitor.
TEST_F(StartUp, WithoutANotificationAreaAHiddenMonitorLeavesTheSettingsWindowUp) {
    auto& gadget = start();
    ASSERT_FALSE(gadget.tray().isAvailable()) << "no notification area on this platform";
    EXPECT_FALSE(window().isVisible());
    QAction* toggle = gadget.menu().menu()->findChild<QAction*>(QStringLiteral("toggleMonitorAction"));
    ASSERT_NE(toggle, nullptr);
    toggle->trigger();
    QCoreApplication::processEvents();
    EXPECT_FALSE(monitor().isVisible());
    EXPECT_TRUE(window().isVisible()) << "hidden from the monitor's menu, the settings window comes up";
    stop();

    start(); // show=0 is stored now
    EXPECT_TRUE(window().isVisible());
    window().close();
    QCoreApplication::processEvents();
    EXPECT_TRUE(monitor().isVisible()) << "closing the last window on screen shows the monitor again";
    EXPECT_EQ(setting(core::Key::ShowMonitor), "1");
    stop();

    for (const char* greyed : {"2", "1.5"}) { // the box neither ticked nor clear
        writeSettings(std::string("[main]\nshow=") + greyed + "\n");
        start();
        EXPECT_TRUE(monitor().isVisible() || window().isVisible()) << "show=" << greyed << " leaves nothing on screen";
        stop();
    }
}

TEST_F(StartUp, ChangesThatCannotBeSavedAreKeptRetriedAndShownUntilTheyLand) {
    writeSettings("[main]\nreadmax=40\n");
    std::filesystem::permissions(settingsPath(), std::filesystem::perms::owner_read);
    start();
    auto* line = window().findChild<QLabel*>(QStringLiteral("saveProblemLabel"));
    ASSERT_TRUE(test::turnUntil([&] {
        line = window().findChild<QLabel*>(QStringLiteral("saveProblemLabel"));
        return line != nullptr && !line->isHidden();
    }));
    EXPECT_TRUE(line->toolTip().contains(QString::fromStdString(settingsPath())));
    EXPECT_TRUE(line->toolTip().contains(QStringLiteral("the file is read-only")));
    const QRect legend = window().findChild<QLabel*>(QStringLiteral("trayLegendLabel0"))->geometry();
    EXPECT_GT(line->geometry().top(), legend.bottom()) << "the note covers nothing of the form";
    EXPECT_EQ(window().height(), settings_ui::SettingsWindow::kClientHeight + line->height());
    settings->setNumber(core::Key::CompactMode, 1);
    EXPECT_EQ(monitor().heightTwips(), 180) << "applied all the same";
    EXPECT_EQ(readFile(settingsPath()), "[main]\nreadmax=40\n") << "the user's read-only file is left as it is";

    std::filesystem::permissions(settingsPath(),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    settings->setNumber(core::Key::BarBorder, 1); // the next change takes the kept ones along
    EXPECT_TRUE(test::turnUntil([&] { return line->isHidden(); }));
    EXPECT_EQ(window().height(), settings_ui::SettingsWindow::kClientHeight);
    EXPECT_EQ(setting(core::Key::CompactMode), "1");
    EXPECT_EQ(setting(core::Key::BarBorder), "1");
    EXPECT_EQ(setting(core::Key::DiskInstance), "_Total") << "and what the start wrote";
    EXPECT_EQ(setting(core::Key::ReadFullScale), "40");
}

TEST_F(StartUp, ControlsTakingStoredValuesWriteThemBackInTheirOwnForm) {
    writeSettings("[main]\nontop=1.0\nenableghost=TRUE\nnormal=False\nroundcorners=0.0\ntransparencylevel=100\n");
    start();
    EXPECT_EQ(setting(core::Key::AlwaysOnTop), "1");
    EXPECT_EQ(setting(core::Key::RoundCorners), "0");
    EXPECT_EQ(setting(core::Key::TranslucentOpacity), "100");
    EXPECT_EQ(setting(core::Key::GhostOpacity), "175") << "the chosen mode's level is added";
    EXPECT_EQ(setting(core::Key::GhostMode), "True");
    EXPECT_EQ(setting(core::Key::TranslucentMode), "False");
    EXPECT_EQ(setting(core::Key::BlendMode), "False");
    EXPECT_EQ(setting(core::Key::NormalMode), "False");
    stop();

    // Values that are the form's own leave their controls unchanged: nothing runs, nothing is written back.
    writeSettings("[main]\nnormal=TRUE\nontop=0.0\n");
    start();
    EXPECT_EQ(setting(core::Key::NormalMode), "TRUE");
    EXPECT_EQ(setting(core::Key::AlwaysOnTop), "0.0");
    EXPECT_EQ(setting(core::Key::GhostOpacity), "");
}

TEST_F(StartUp, APictureFromTheShippedFolderFollowsAMovedProgramFolder) {
    std::filesystem::create_directories(dir.file("bars"));
    QImage stripe(30, 12, QImage::Format_RGB32);
    stripe.fill(QColor(200, 10, 10));
    ASSERT_TRUE(stripe.save(QString::fromStdString(dir.file("bars/bar3.bmp"))));
    writeSettings("[main]\nBarFillGraphicLocation=/where/it/was/before/bars/bar3.bmp\n"
                  "BarFillGraphicLocation2=/where/it/was/before/bars/missing.bmp\n");
    start();
    EXPECT_EQ(monitor().fillPicture(core::Bar::Read).pixelColor(5, 5), QColor(200, 10, 10));
    EXPECT_EQ(setting(core::Key::ReadFillPicturePath), "/where/it/was/before/bars/bar3.bmp") << "left as stored";
    EXPECT_NE(monitor().fillPicture(core::Bar::Write).pixelColor(5, 5), QColor(200, 10, 10))
        << "a picture that is nowhere keeps the built-in fill";
}

TEST_F(StartUp, AChosenFileThatIsNoPictureIsSaidSo) {
    test::writeFile(dir.file("notes.jpg"), "not a picture at all");
    start();
    dialogs.files = {QString::fromStdString(dir.file("notes.jpg"))};
    window().chooseFillPicture(core::Bar::Read);
    auto* note = window().findChild<QLabel*>(QStringLiteral("saveProblemLabel"));
    ASSERT_NE(note, nullptr);
    EXPECT_FALSE(note->isHidden());
    EXPECT_TRUE(note->toolTip().contains(QStringLiteral("无法读取图片文件"))) << note->toolTip().toStdString();
    EXPECT_EQ(setting(core::Key::ReadFillPicturePath), "") << "nothing stored";
}
