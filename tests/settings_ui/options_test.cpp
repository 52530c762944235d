#include "support/settings_fixture.h"

#include "settings_ui/setting_widgets.h"

#include <QGroupBox>
#include <QLabel>
#include <QScrollBar>
#include <QTest>

using namespace oruvel;

using Options = test::SettingsFixture;

TEST_F(Options, HidingResetsTransparencyAndStayOnTopAndGreysTheSettings) {
    auto& window = start();
    window.show();
    QTest::mouseClick(window.windowModeRadioButton(core::WindowMode::Ghost), Qt::LeftButton);
    QTest::mouseClick(window.alwaysOnTopCheckBox, Qt::LeftButton);
    ASSERT_TRUE(window.windowModeRadioButton(core::WindowMode::Ghost)->isChecked());
    ASSERT_EQ(setting(core::keys::alwaysOnTop), "1");
    ASSERT_TRUE(monitor().windowStyle().alwaysOnTop);

    QTest::mouseClick(window.showMonitorCheckBox, Qt::LeftButton);
    EXPECT_FALSE(monitor().isVisible());
    EXPECT_TRUE(window.windowModeRadioButton(core::WindowMode::Normal)->isChecked());
    EXPECT_EQ(setting(core::keys::normalMode), "True");
    EXPECT_EQ(setting(core::keys::ghostMode), "False");
    EXPECT_EQ(setting(core::keys::translucentMode), "False");
    EXPECT_EQ(setting(core::keys::blendMode), "False");
    EXPECT_EQ(setting(core::keys::alwaysOnTop), "0");
    EXPECT_EQ(setting(core::keys::showMonitor), "0");
    EXPECT_EQ(window.alwaysOnTopCheckBox->value(), 0);
    EXPECT_FALSE(monitor().windowStyle().clickThrough);
    for (QWidget* w : std::initializer_list<QWidget*>{
             window.coloursGroupBox, window.windowModeGroupBox, window.roundCornersCheckBox, window.barBorderCheckBox,
             window.hideBarTextCheckBox, window.readFillPictureButton, window.writeFillPictureButton, window.resetPositionsButton,
             window.ghostOpacityScrollBar}) {
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    }
    EXPECT_TRUE(window.compactModeCheckBox->isEnabled());
    EXPECT_TRUE(window.readFullScaleEdit->isEnabled());

    QTest::mouseClick(window.showMonitorCheckBox, Qt::LeftButton);
    EXPECT_TRUE(monitor().isVisible());
    EXPECT_EQ(setting(core::keys::showMonitor), "1");
    EXPECT_TRUE(window.coloursGroupBox->isEnabled());
    EXPECT_FALSE(window.translucentOpacityScrollBar->isEnabled());
    EXPECT_FALSE(window.ghostOpacityScrollBar->isEnabled());
    EXPECT_TRUE(window.windowModeRadioButton(core::WindowMode::Normal)->isChecked());
}

TEST_F(Options, CompactModeResizesTheMonitorOnAMouseReleaseOnly) {
    auto& window = start();
    window.show();
    QTest::mouseClick(window.compactModeCheckBox, Qt::LeftButton);
    EXPECT_EQ(setting(core::keys::compactMode), "1");
    EXPECT_EQ(monitor().widthTwips(), 2310);
    EXPECT_EQ(monitor().heightTwips(), 180);
    EXPECT_EQ(monitor().barGeometry(core::Bar::Write), (monitor::TwipRect{1155, 0, 1155, 180}));

    QTest::mouseClick(window.compactModeCheckBox, Qt::LeftButton);
    EXPECT_EQ(monitor().widthTwips(), 2310);
    EXPECT_EQ(monitor().heightTwips(), 360);
    EXPECT_EQ(monitor().barGeometry(core::Bar::Write), (monitor::TwipRect{0, 180, 2310, 180}));

    // The keyboard toggles the box but neither applies nor stores it.
    window.compactModeCheckBox->setFocus();
    QTest::keyClick(window.compactModeCheckBox, Qt::Key_Space);
    EXPECT_EQ(window.compactModeCheckBox->value(), 1);
    EXPECT_EQ(setting(core::keys::compactMode), "0");
    EXPECT_EQ(monitor().heightTwips(), 360);
    QTest::keyClick(window.barBorderCheckBox, Qt::Key_Space);
    EXPECT_EQ(setting(core::keys::barBorder), "0");
    // The next click applies the state after that click.
    QTest::mouseClick(window.compactModeCheckBox, Qt::LeftButton);
    EXPECT_EQ(window.compactModeCheckBox->value(), 0);
    EXPECT_EQ(setting(core::keys::compactMode), "0");
}

TEST_F(Options, StayOnTopRoundCornersFillAndTextBoxesStoreTheirKeys) {
    auto& window = start();
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window)); // keys reach only the active window
    QTest::mouseClick(window.roundCornersCheckBox, Qt::LeftButton);
    EXPECT_EQ(setting(core::keys::roundCorners), "0");
    EXPECT_TRUE(monitor().shapeRegion().contains(QPoint(0, 0)));
    QTest::mouseClick(window.disableBarFillCheckBox, Qt::LeftButton);
    EXPECT_EQ(setting(core::keys::disableBarFill), "1");
    QTest::mouseClick(window.hideBarTextCheckBox, Qt::LeftButton);
    EXPECT_EQ(setting(core::keys::hideBarText), "1");
    QTest::mouseClick(window.readFillColourRadioButton, Qt::LeftButton);
    EXPECT_EQ(setting(core::keys::readFillUsesColour), "True");
    EXPECT_EQ(setting(core::keys::readFillUsesPicture), "False");
    EXPECT_FALSE(monitor().readBar().hasFillPicture());
    // Arrow keys in the group change the selection without storing it.
    window.readFillColourRadioButton->setFocus();
    QTest::keyClick(window.readFillColourRadioButton, Qt::Key_Down);
    EXPECT_TRUE(window.readFillPictureRadioButton->isChecked());
    EXPECT_EQ(setting(core::keys::readFillUsesColour), "True");
}

TEST_F(Options, TransparencyModesStoreTheirKeysAndApplyTheLevel) {
    auto& window = start();
    window.show();
    QTest::mouseClick(window.windowModeRadioButton(core::WindowMode::Translucent), Qt::LeftButton);
    EXPECT_EQ(setting(core::keys::translucentMode), "True");
    EXPECT_EQ(setting(core::keys::ghostMode), "False");
    EXPECT_EQ(setting(core::keys::blendMode), "False");
    EXPECT_EQ(setting(core::keys::normalMode), "False");
    EXPECT_EQ(setting(core::keys::translucentOpacity), "175");
    EXPECT_EQ(monitor().windowStyle().opacity, 175);
    EXPECT_FALSE(monitor().windowStyle().clickThrough);
    EXPECT_TRUE(window.translucentOpacityScrollBar->isEnabled());
    EXPECT_FALSE(window.ghostOpacityScrollBar->isEnabled());

    window.translucentOpacityScrollBar->setValue(0);
    EXPECT_EQ(setting(core::keys::translucentOpacity), "0");
    EXPECT_EQ(monitor().windowStyle().opacity, 0);
    EXPECT_EQ(window.translucentLevelLabel->text(), QStringLiteral("透明度级别: 0"));

    // A ghost level set from code while ghost mode is not selected is stored and shown only.
    window.ghostOpacityScrollBar->setValue(90);
    EXPECT_EQ(setting(core::keys::ghostOpacity), "90");
    EXPECT_EQ(window.ghostLevelLabel->text(), QStringLiteral("透明度级别: 90"));
    EXPECT_FALSE(monitor().windowStyle().clickThrough);

    QTest::mouseClick(window.windowModeRadioButton(core::WindowMode::BlendIntoDesktop), Qt::LeftButton);
    EXPECT_EQ(setting(core::keys::blendMode), "True");
    EXPECT_EQ(setting(core::keys::translucentMode), "False");
    EXPECT_FALSE(window.translucentOpacityScrollBar->isEnabled());
    EXPECT_FALSE(window.ghostLevelLabel->isEnabled());
    EXPECT_EQ(setting(core::keys::translucentOpacity), "0");
    EXPECT_EQ(monitor().marginColour(), 1);

    QTest::mouseClick(window.windowModeRadioButton(core::WindowMode::Ghost), Qt::LeftButton);
    EXPECT_TRUE(monitor().windowStyle().clickThrough);
    EXPECT_EQ(monitor().windowStyle().opacity, 90);
    QTest::mouseClick(window.windowModeRadioButton(core::WindowMode::Normal), Qt::LeftButton);
    EXPECT_FALSE(monitor().windowStyle().clickThrough);
    EXPECT_EQ(monitor().windowStyle().opacity, 255);
}

TEST_F(Options, ColourButtonsStoreTheScheme) {
    auto& window = start();
    window.writeFillColourRadioButton->setSelected(true);
    window.randomizeColours();
    EXPECT_EQ(setting(core::keys::readFillUsesColour), "True");
    EXPECT_EQ(setting(core::keys::writeFillUsesColour), "True");
    EXPECT_EQ(setting(core::keys::readFillUsesPicture), "False");
    EXPECT_EQ(setting(core::keys::writeFillUsesPicture), "False");
    EXPECT_EQ(setting(core::keys::readBarFill), std::to_string(window.colour(core::ColourRole::ReadFill)));

    window.restoreDefaultColours();
    EXPECT_EQ(setting(core::keys::readBarBackground), "14737632");
    EXPECT_EQ(setting(core::keys::readBarFill), "12632064");
    EXPECT_EQ(setting(core::keys::writeBarFill), "49152");
    EXPECT_EQ(setting(core::keys::writeBarText), "0");
    EXPECT_EQ(setting(core::keys::readFillUsesPicture), "True");
    EXPECT_EQ(setting(core::keys::readFillUsesColour), "False");
    EXPECT_EQ(setting(core::keys::writeFillUsesColour), "True") << "the write bar's mode stays";
    EXPECT_EQ(monitor().writeBar().fillColour(), 49152);
}
