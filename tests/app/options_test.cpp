// The options of the settings window, clicked as a user clicks them, and what they do to the monitor and the file.
#include "settings_ui/full_scale_edit.h"
#include "settings_ui/setting_widgets.h"
#include "support/gadget_fixture.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

using namespace oruvel;
using settings_ui::SettingCheckBox;

using Options = test::GadgetFixture;

TEST_F(Options, HidingResetsTransparencyAndStayOnTopAndGreysTheSettings) {
    start();
    window().show();
    QTest::mouseClick(control<QRadioButton>("ghostModeRadioButton"), Qt::LeftButton);
    QTest::mouseClick(control<SettingCheckBox>("alwaysOnTopCheckBox"), Qt::LeftButton);
    ASSERT_TRUE(control<QRadioButton>("ghostModeRadioButton")->isChecked());
    ASSERT_EQ(setting(core::Key::AlwaysOnTop), "1");
    ASSERT_TRUE(monitor().windowStyle().alwaysOnTop);

    QTest::mouseClick(control<SettingCheckBox>("showMonitorCheckBox"), Qt::LeftButton);
    EXPECT_FALSE(monitor().isVisible());
    EXPECT_TRUE(control<QRadioButton>("normalModeRadioButton")->isChecked());
    EXPECT_EQ(setting(core::Key::NormalMode), "True");
    EXPECT_EQ(setting(core::Key::GhostMode), "False");
    EXPECT_EQ(setting(core::Key::TranslucentMode), "False");
    EXPECT_EQ(setting(core::Key::BlendMode), "False");
    EXPECT_EQ(setting(core::Key::AlwaysOnTop), "0");
    EXPECT_EQ(setting(core::Key::ShowMonitor), "0");
    EXPECT_EQ(control<SettingCheckBox>("alwaysOnTopCheckBox")->value(), 0);
    EXPECT_FALSE(monitor().windowStyle().clickThrough);
    EXPECT_FALSE(monitor().windowStyle().alwaysOnTop);
    for (const char* name :
         {"coloursGroupBox", "windowModeGroupBox", "roundCornersCheckBox", "barBorderCheckBox", "hideBarTextCheckBox",
          "readFillPictureButton", "writeFillPictureButton", "resetPositionsButton", "ghostOpacityScrollBar"}) {
        EXPECT_FALSE(control<QWidget>(name)->isEnabled()) << name;
    }
    EXPECT_TRUE(control<QWidget>("compactModeCheckBox")->isEnabled());
    EXPECT_TRUE(control<QWidget>("readFullScaleEdit")->isEnabled());

    QTest::mouseClick(control<SettingCheckBox>("showMonitorCheckBox"), Qt::LeftButton);
    EXPECT_TRUE(monitor().isVisible());
    EXPECT_EQ(setting(core::Key::ShowMonitor), "1");
    EXPECT_TRUE(control<QWidget>("coloursGroupBox")->isEnabled());
    EXPECT_FALSE(control<QWidget>("translucentOpacityScrollBar")->isEnabled());
    EXPECT_FALSE(control<QWidget>("ghostOpacityScrollBar")->isEnabled());
    EXPECT_TRUE(control<QRadioButton>("normalModeRadioButton")->isChecked());
}

TEST_F(Options, CompactModeResizesTheMonitor) {
    start();
    window().show();
    auto* compact = control<SettingCheckBox>("compactModeCheckBox");
    QTest::mouseClick(compact, Qt::LeftButton);
    EXPECT_EQ(setting(core::Key::CompactMode), "1");
    EXPECT_EQ(monitor().widthTwips(), 2310);
    EXPECT_EQ(monitor().heightTwips(), 180);
    EXPECT_EQ(monitor().barGeometry(core::Bar::Write), (monitor::TwipRect{1155, 0, 1155, 180}));

    QTest::mouseClick(compact, Qt::LeftButton);
    EXPECT_EQ(monitor().widthTwips(), 2310);
    EXPECT_EQ(monitor().heightTwips(), 360);
    EXPECT_EQ(monitor().barGeometry(core::Bar::Write), (monitor::TwipRect{0, 180, 2310, 180}));
}

// The space bar toggles a box as a click does: the box, the file and the monitor agree.
TEST_F(Options, TheSpaceBarAppliesAndStoresEveryBox) {
    start();
    activateWindow();
    const struct {
        const char* box;
        core::Key key;
    } boxes[] = {
        {"startWithLoginCheckBox", core::Key::StartWithLogin}, {"compactModeCheckBox", core::Key::CompactMode},
        {"alwaysOnTopCheckBox", core::Key::AlwaysOnTop},       {"roundCornersCheckBox", core::Key::RoundCorners},
        {"barBorderCheckBox", core::Key::BarBorder},           {"hideBarTextCheckBox", core::Key::HideBarText},
        {"disableBarFillCheckBox", core::Key::DisableBarFill}, {"showMonitorCheckBox", core::Key::ShowMonitor}};
    for (const auto& b : boxes) {
        SCOPED_TRACE(b.box);
        auto* box = control<SettingCheckBox>(b.box);
        const int before = box->value();
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Space);
        EXPECT_EQ(box->value(), 1 - before);
        EXPECT_EQ(setting(b.key), std::to_string(1 - before));
        EXPECT_EQ(settings->number(b.key), 1 - before);
    }
    EXPECT_EQ(monitor().heightTwips(), 180) << "compact applied";
    EXPECT_FALSE(monitor().windowStyle().alwaysOnTop) << "hiding the monitor, last, took it off the top";
    EXPECT_EQ(settings->number(core::Key::AlwaysOnTop), 0);
    EXPECT_TRUE(monitor().shapeRegion().contains(QPoint(0, 0))) << "corners no longer rounded";
    EXPECT_EQ(monitor().readBar().borderStyle(), monitor::BorderStyle::Sunken);
    EXPECT_FALSE(monitor().isVisible()) << "the monitor hidden";
    tick(1048576 * 20, 0);
    EXPECT_TRUE(monitor().readBar().text().isEmpty());
    EXPECT_EQ(monitor().readBar().value(), 0);

    // The arrow keys move the selection of a group and store it.
    auto* colour = control<QRadioButton>("readFillColourRadioButton");
    QTest::keyClick(control<SettingCheckBox>("showMonitorCheckBox"), Qt::Key_Space);
    colour->setFocus();
    QTest::keyClick(colour, Qt::Key_Space);
    EXPECT_EQ(setting(core::Key::ReadFillUsesColour), "True");
    QTest::keyClick(colour, Qt::Key_Down);
    EXPECT_TRUE(control<QRadioButton>("readFillPictureRadioButton")->isChecked());
    EXPECT_EQ(setting(core::Key::ReadFillUsesColour), "False");
    EXPECT_EQ(setting(core::Key::ReadFillUsesPicture), "True");
}

TEST_F(Options, StayOnTopRoundCornersFillAndTextBoxesStoreTheirKeys) {
    start();
    window().show();
    QTest::mouseClick(control<SettingCheckBox>("roundCornersCheckBox"), Qt::LeftButton);
    EXPECT_EQ(setting(core::Key::RoundCorners), "0");
    EXPECT_TRUE(monitor().shapeRegion().contains(QPoint(0, 0)));
    QTest::mouseClick(control<SettingCheckBox>("disableBarFillCheckBox"), Qt::LeftButton);
    EXPECT_EQ(setting(core::Key::DisableBarFill), "1");
    QTest::mouseClick(control<SettingCheckBox>("hideBarTextCheckBox"), Qt::LeftButton);
    EXPECT_EQ(setting(core::Key::HideBarText), "1");
    QTest::mouseClick(control<QRadioButton>("readFillColourRadioButton"), Qt::LeftButton);
    EXPECT_EQ(setting(core::Key::ReadFillUsesColour), "True");
    EXPECT_EQ(setting(core::Key::ReadFillUsesPicture), "False");
    EXPECT_FALSE(monitor().readBar().hasFillPicture());
    EXPECT_EQ(monitor().readBar().fillColour(), QColor(0, 192, 192));
}

TEST_F(Options, TransparencyModesStoreTheirKeysAndApplyTheLevel) {
    start();
    window().show();
    ASSERT_EQ(setting(core::Key::TranslucentOpacity), "") << "a first start writes no level";
    QTest::mouseClick(control<QRadioButton>("translucentModeRadioButton"), Qt::LeftButton);
    EXPECT_EQ(setting(core::Key::TranslucentOpacity), "175") << "choosing the mode stores its level";
    EXPECT_EQ(setting(core::Key::GhostOpacity), "");
    EXPECT_EQ(setting(core::Key::TranslucentMode), "True");
    EXPECT_EQ(setting(core::Key::GhostMode), "False");
    EXPECT_EQ(setting(core::Key::BlendMode), "False");
    EXPECT_EQ(setting(core::Key::NormalMode), "False");
    EXPECT_EQ(monitor().windowStyle().opacity, 175);
    EXPECT_FALSE(monitor().windowStyle().clickThrough);
    auto* translucent = control<QScrollBar>("translucentOpacityScrollBar");
    auto* ghost = control<QScrollBar>("ghostOpacityScrollBar");
    EXPECT_TRUE(translucent->isEnabled());
    EXPECT_FALSE(ghost->isEnabled());

    translucent->setValue(0);
    EXPECT_EQ(setting(core::Key::TranslucentOpacity), "0");
    EXPECT_EQ(monitor().windowStyle().opacity, 0);
    EXPECT_EQ(control<QLabel>("translucentLevelLabel")->text(), QStringLiteral("透明度级别: 0"));

    // A ghost level set while ghost mode is not selected is stored and shown only.
    ghost->setValue(90);
    EXPECT_EQ(setting(core::Key::GhostOpacity), "90");
    EXPECT_EQ(control<QLabel>("ghostLevelLabel")->text(), QStringLiteral("透明度级别: 90"));
    EXPECT_FALSE(monitor().windowStyle().clickThrough);

    QTest::mouseClick(control<QRadioButton>("blendModeRadioButton"), Qt::LeftButton);
    EXPECT_EQ(setting(core::Key::BlendMode), "True");
    EXPECT_EQ(setting(core::Key::TranslucentMode), "False");
    EXPECT_FALSE(translucent->isEnabled());
    EXPECT_FALSE(control<QLabel>("ghostLevelLabel")->isEnabled());
    EXPECT_EQ(monitor().marginColour(), 1);
    EXPECT_TRUE(monitor().isBlendPending());

    QTest::mouseClick(control<QRadioButton>("ghostModeRadioButton"), Qt::LeftButton);
    EXPECT_TRUE(monitor().windowStyle().clickThrough);
    EXPECT_EQ(monitor().windowStyle().opacity, 90);
    QTest::mouseClick(control<QRadioButton>("normalModeRadioButton"), Qt::LeftButton);
    EXPECT_FALSE(monitor().windowStyle().clickThrough);
    EXPECT_EQ(monitor().windowStyle().opacity, 255);
}

TEST_F(Options, ColourButtonsStoreTheScheme) {
    start();
    settings->setFillMode(core::Bar::Write, core::FillMode::Colour);
    QTest::mouseClick(control<QPushButton>("randomColoursButton"), Qt::LeftButton);
    EXPECT_EQ(setting(core::Key::ReadFillUsesColour), "True");
    EXPECT_EQ(setting(core::Key::WriteFillUsesColour), "True");
    EXPECT_EQ(setting(core::Key::ReadFillUsesPicture), "False");
    EXPECT_EQ(setting(core::Key::WriteFillUsesPicture), "False");
    const core::Colour fill = settings->number(core::Key::ReadBarFill);
    EXPECT_EQ(setting(core::Key::ReadBarFill), std::to_string(fill));
    EXPECT_EQ(monitor().readBar().fillColour(), QColor(core::redOf(fill), core::greenOf(fill), core::blueOf(fill)));

    QTest::mouseClick(control<QPushButton>("defaultColoursButton"), Qt::LeftButton);
    EXPECT_EQ(setting(core::Key::ReadBarBackground), "14737632");
    EXPECT_EQ(setting(core::Key::ReadBarFill), "12632064");
    EXPECT_EQ(setting(core::Key::WriteBarFill), "49152");
    EXPECT_EQ(setting(core::Key::WriteBarText), "0");
    EXPECT_EQ(setting(core::Key::ReadFillUsesPicture), "True");
    EXPECT_EQ(setting(core::Key::ReadFillUsesColour), "False");
    EXPECT_EQ(setting(core::Key::WriteFillUsesColour), "True") << "the write bar's mode stays";
    EXPECT_EQ(monitor().writeBar().fillColour(), QColor(0, 192, 0));
    EXPECT_TRUE(monitor().readBar().hasFillPicture());
}

// A change made to the settings, with the settings window never shown, reaches the monitor and the file.
TEST_F(Options, AChangeInTheSettingsReachesTheMonitorAndTheFileWithoutTheWindow) {
    start();
    ASSERT_FALSE(window().isVisible());
    settings->setNumber(core::Key::CompactMode, 1);
    settings->setNumber(core::Key::BarBorder, 1);
    settings->setNumber(core::Key::WriteBarBackground, core::makeColour(10, 20, 30));
    settings->setWindowMode(core::WindowMode::Ghost);
    EXPECT_EQ(monitor().heightTwips(), 180);
    EXPECT_EQ(monitor().writeBar().borderStyle(), monitor::BorderStyle::Sunken);
    EXPECT_EQ(monitor().writeBar().backgroundColour(), QColor(10, 20, 30));
    EXPECT_TRUE(monitor().windowStyle().clickThrough);
    EXPECT_EQ(setting(core::Key::CompactMode), "1");
    EXPECT_EQ(setting(core::Key::BarBorder), "1");
    EXPECT_EQ(setting(core::Key::WriteBarBackground), std::to_string(core::makeColour(10, 20, 30)));
    EXPECT_EQ(setting(core::Key::GhostMode), "True");
    // The window, when it is opened, shows the same.
    EXPECT_EQ(control<SettingCheckBox>("barBorderCheckBox")->value(), 1);
    EXPECT_TRUE(control<QRadioButton>("ghostModeRadioButton")->isChecked());
}
