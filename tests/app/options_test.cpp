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
    ASSERT_EQ(setting(core::keys::alwaysOnTop), "1");
    ASSERT_TRUE(monitor().windowStyle().alwaysOnTop);

    QTest::mouseClick(control<SettingCheckBox>("showMonitorCheckBox"), Qt::LeftButton);
    EXPECT_FALSE(monitor().isVisible());
    EXPECT_TRUE(control<QRadioButton>("normalModeRadioButton")->isChecked());
    EXPECT_EQ(setting(core::keys::normalMode), "True");
    EXPECT_EQ(setting(core::keys::ghostMode), "False");
    EXPECT_EQ(setting(core::keys::translucentMode), "False");
    EXPECT_EQ(setting(core::keys::blendMode), "False");
    EXPECT_EQ(setting(core::keys::alwaysOnTop), "0");
    EXPECT_EQ(setting(core::keys::showMonitor), "0");
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
    EXPECT_EQ(setting(core::keys::showMonitor), "1");
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
    EXPECT_EQ(setting(core::keys::compactMode), "1");
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
        const core::SettingKey& key;
    } boxes[] = {
        {"startWithLoginCheckBox", core::keys::startWithLogin}, {"compactModeCheckBox", core::keys::compactMode},
        {"alwaysOnTopCheckBox", core::keys::alwaysOnTop},       {"roundCornersCheckBox", core::keys::roundCorners},
        {"barBorderCheckBox", core::keys::barBorder},           {"hideBarTextCheckBox", core::keys::hideBarText},
        {"disableBarFillCheckBox", core::keys::disableBarFill}, {"showMonitorCheckBox", core::keys::showMonitor}};
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
    EXPECT_EQ(settings->number(core::keys::alwaysOnTop), 0);
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
    EXPECT_EQ(setting(core::keys::readFillUsesColour), "True");
    QTest::keyClick(colour, Qt::Key_Down);
    EXPECT_TRUE(control<QRadioButton>("readFillPictureRadioButton")->isChecked());
    EXPECT_EQ(setting(core::keys::readFillUsesColour), "False");
    EXPECT_EQ(setting(core::keys::readFillUsesPicture), "True");
}

TEST_F(Options, StayOnTopRoundCornersFillAndTextBoxesStoreTheirKeys) {
    start();
    window().show();
    QTest::mouseClick(control<SettingCheckBox>("roundCornersCheckBox"), Qt::LeftButton);
    EXPECT_EQ(setting(core::keys::roundCorners), "0");
    EXPECT_TRUE(monitor().shapeRegion().contains(QPoint(0, 0)));
    QTest::mouseClick(control<SettingCheckBox>("disableBarFillCheckBox"), Qt::LeftButton);
    EXPECT_EQ(setting(core::keys::disableBarFill), "1");
    QTest::mouseClick(control<SettingCheckBox>("hideBarTextCheckBox"), Qt::LeftButton);
    EXPECT_EQ(setting(core::keys::hideBarText), "1");
    QTest::mouseClick(control<QRadioButton>("readFillColourRadioButton"), Qt::LeftButton);
    EXPECT_EQ(setting(core::keys::readFillUsesColour), "True");
    EXPECT_EQ(setting(core::keys::readFillUsesPicture), "False");
    EXPECT_FALSE(monitor().readBar().hasFillPicture());
    EXPECT_EQ(monitor().readBar().fillColour(), QColor(0, 192, 192));
}

TEST_F(Options, TransparencyModesStoreTheirKeysAndApplyTheLevel) {
    start();
    window().show();
    QTest::mouseClick(control<QRadioButton>("translucentModeRadioButton"), Qt::LeftButton);
    EXPECT_EQ(setting(core::keys::translucentMode), "True");
    EXPECT_EQ(setting(core::keys::ghostMode), "False");
    EXPECT_EQ(setting(core::keys::blendMode), "False");
    EXPECT_EQ(setting(core::keys::normalMode), "False");
    EXPECT_EQ(monitor().windowStyle().opacity, 175);
    EXPECT_FALSE(monitor().windowStyle().clickThrough);
    auto* translucent = control<QScrollBar>("translucentOpacityScrollBar");
    auto* ghost = control<QScrollBar>("ghostOpacityScrollBar");
    EXPECT_TRUE(translucent->isEnabled());
    EXPECT_FALSE(ghost->isEnabled());

    translucent->setValue(0);
    EXPECT_EQ(setting(core::keys::translucentOpacity), "0");
    EXPECT_EQ(monitor().windowStyle().opacity, 0);
    EXPECT_EQ(control<QLabel>("translucentLevelLabel")->text(), QStringLiteral("透明度级别: 0"));

    // A ghost level set while ghost mode is not selected is stored and shown only.
    ghost->setValue(90);
    EXPECT_EQ(setting(core::keys::ghostOpacity), "90");
    EXPECT_EQ(control<QLabel>("ghostLevelLabel")->text(), QStringLiteral("透明度级别: 90"));
    EXPECT_FALSE(monitor().windowStyle().clickThrough);

    QTest::mouseClick(control<QRadioButton>("blendModeRadioButton"), Qt::LeftButton);
    EXPECT_EQ(setting(core::keys::blendMode), "True");
    EXPECT_EQ(setting(core::keys::translucentMode), "False");
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
    EXPECT_EQ(setting(core::keys::readFillUsesColour), "True");
    EXPECT_EQ(setting(core::keys::writeFillUsesColour), "True");
    EXPECT_EQ(setting(core::keys::readFillUsesPicture), "False");
    EXPECT_EQ(setting(core::keys::writeFillUsesPicture), "False");
    const core::Colour fill = settings->number(core::keys::readBarFill);
    EXPECT_EQ(setting(core::keys::readBarFill), std::to_string(fill));
    EXPECT_EQ(monitor().readBar().fillColour(), QColor(core::redOf(fill), core::greenOf(fill), core::blueOf(fill)));

    QTest::mouseClick(control<QPushButton>("defaultColoursButton"), Qt::LeftButton);
    EXPECT_EQ(setting(core::keys::readBarBackground), "14737632");
    EXPECT_EQ(setting(core::keys::readBarFill), "12632064");
    EXPECT_EQ(setting(core::keys::writeBarFill), "49152");
    EXPECT_EQ(setting(core::keys::writeBarText), "0");
    EXPECT_EQ(setting(core::keys::readFillUsesPicture), "True");
    EXPECT_EQ(setting(core::keys::readFillUsesColour), "False");
    EXPECT_EQ(setting(core::keys::writeFillUsesColour), "True") << "the write bar's mode stays";
    EXPECT_EQ(monitor().writeBar().fillColour(), QColor(0, 192, 0));
    EXPECT_TRUE(monitor().readBar().hasFillPicture());
}

// A change made to the settings, with the settings window never shown, reaches the monitor and the file.
TEST_F(Options, AChangeInTheSettingsReachesTheMonitorAndTheFileWithoutTheWindow) {
    start();
    ASSERT_FALSE(window().isVisible());
    settings->setNumber(core::keys::compactMode, 1);
    settings->setNumber(core::keys::barBorder, 1);
    settings->setNumber(core::keys::writeBarBackground, core::makeColour(10, 20, 30));
    settings->setWindowMode(core::WindowMode::Ghost);
    EXPECT_EQ(monitor().heightTwips(), 180);
    EXPECT_EQ(monitor().writeBar().borderStyle(), monitor::BorderStyle::Sunken);
    EXPECT_EQ(monitor().writeBar().backgroundColour(), QColor(10, 20, 30));
    EXPECT_TRUE(monitor().windowStyle().clickThrough);
    EXPECT_EQ(setting(core::keys::compactMode), "1");
    EXPECT_EQ(setting(core::keys::barBorder), "1");
    EXPECT_EQ(setting(core::keys::writeBarBackground), std::to_string(core::makeColour(10, 20, 30)));
    EXPECT_EQ(setting(core::keys::ghostMode), "True");
    // The window, when it is opened, shows the same.
    EXPECT_EQ(control<SettingCheckBox>("barBorderCheckBox")->value(), 1);
    EXPECT_TRUE(control<QRadioButton>("ghostModeRadioButton")->isChecked());
}
