#include "support/settings_fixture.h"

#include "settings_ui/vb_controls.h"

#include <QGroupBox>
#include <QLabel>
#include <QScrollBar>
#include <QTest>

using namespace oruvel;
namespace style = monitor::style;

using Options = test::SettingsFixture;

TEST_F(Options, HidingResetsTransparencyAndStayOnTopAndGreysTheSettings) {
    auto& frm = start();
    frm.show();
    QTest::mouseClick(frm.OptionTrans[1], Qt::LeftButton);
    QTest::mouseClick(frm.Check12, Qt::LeftButton);
    ASSERT_TRUE(frm.OptionTrans[1]->isChecked());
    ASSERT_EQ(setting(core::keys::ontop), "1");
    ASSERT_TRUE(monitor().windowStyle().topmost);

    QTest::mouseClick(frm.Check4, Qt::LeftButton);
    EXPECT_FALSE(monitor().isVisible());
    EXPECT_TRUE(frm.OptionTrans[3]->isChecked());
    EXPECT_EQ(setting(core::keys::normal), "True");
    EXPECT_EQ(setting(core::keys::enableghost), "False");
    EXPECT_EQ(setting(core::keys::enabletransparency), "False");
    EXPECT_EQ(setting(core::keys::blendtodesktop), "False");
    EXPECT_EQ(setting(core::keys::ontop), "0");
    EXPECT_EQ(setting(core::keys::show), "0");
    EXPECT_EQ(frm.Check12->value(), 0);
    EXPECT_EQ(monitor().GetWindowLong(style::kExStyleIndex), style::kLayered);
    for (QWidget* w : std::initializer_list<QWidget*>{frm.Frame1, frm.Frame2, frm.Check8, frm.Check1, frm.Check7,
                                                      frm.Command6, frm.Command2, frm.Command4, frm.updFadeIn[1]}) {
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    }
    EXPECT_TRUE(frm.Check3->isEnabled());
    EXPECT_TRUE(frm.Text1->isEnabled());

    QTest::mouseClick(frm.Check4, Qt::LeftButton);
    EXPECT_TRUE(monitor().isVisible());
    EXPECT_EQ(setting(core::keys::show), "1");
    EXPECT_TRUE(frm.Frame1->isEnabled());
    EXPECT_FALSE(frm.updFadeIn[0]->isEnabled());
    EXPECT_FALSE(frm.updFadeIn[1]->isEnabled());
    EXPECT_TRUE(frm.OptionTrans[3]->isChecked());
}

TEST_F(Options, CompactModeResizesTheMonitorOnAMouseReleaseOnly) {
    auto& frm = start();
    frm.show();
    QTest::mouseClick(frm.Check3, Qt::LeftButton);
    EXPECT_EQ(setting(core::keys::compact), "1");
    EXPECT_EQ(monitor().Width(), 2310);
    EXPECT_EQ(monitor().Height(), 180);
    EXPECT_EQ(monitor().barGeometry(1), (monitor::TwipRect{1155, 0, 1155, 180}));

    QTest::mouseClick(frm.Check3, Qt::LeftButton);
    EXPECT_EQ(monitor().Width(), 2310);
    EXPECT_EQ(monitor().Height(), 360);
    EXPECT_EQ(monitor().barGeometry(1), (monitor::TwipRect{0, 180, 2310, 180}));

    // The keyboard toggles the box but neither applies nor stores it.
    frm.Check3->setFocus();
    QTest::keyClick(frm.Check3, Qt::Key_Space);
    EXPECT_EQ(frm.Check3->value(), 1);
    EXPECT_EQ(setting(core::keys::compact), "0");
    EXPECT_EQ(monitor().Height(), 360);
    QTest::keyClick(frm.Check1, Qt::Key_Space);
    EXPECT_EQ(setting(core::keys::monitorprogressbarborder), "0");
    // The next click applies the state after that click.
    QTest::mouseClick(frm.Check3, Qt::LeftButton);
    EXPECT_EQ(frm.Check3->value(), 0);
    EXPECT_EQ(setting(core::keys::compact), "0");
}

TEST_F(Options, StayOnTopRoundCornersFillAndTextBoxesStoreTheirKeys) {
    auto& frm = start();
    frm.show();
    QTest::mouseClick(frm.Check8, Qt::LeftButton);
    EXPECT_EQ(setting(core::keys::roundcorners), "0");
    EXPECT_TRUE(monitor().shapeRegion().contains(QPoint(0, 0)));
    QTest::mouseClick(frm.Check5, Qt::LeftButton);
    EXPECT_EQ(setting(core::keys::disablebarfill), "1");
    QTest::mouseClick(frm.Check7, Qt::LeftButton);
    EXPECT_EQ(setting(core::keys::hidebartext), "1");
    QTest::mouseClick(frm.Option1, Qt::LeftButton);
    EXPECT_EQ(setting(core::keys::monitorprogressusebarfill), "True");
    EXPECT_EQ(setting(core::keys::monitorprogressdontusebarfill), "False");
    EXPECT_FALSE(monitor().PB1.hasBarPicture());
    // Arrow keys in the group change the selection without storing it.
    frm.Option1->setFocus();
    QTest::keyClick(frm.Option1, Qt::Key_Down);
    EXPECT_TRUE(frm.Option2->isChecked());
    EXPECT_EQ(setting(core::keys::monitorprogressusebarfill), "True");
}

TEST_F(Options, TransparencyModesStoreTheirKeysAndApplyTheLevel) {
    auto& frm = start();
    frm.show();
    QTest::mouseClick(frm.OptionTrans[0], Qt::LeftButton);
    EXPECT_EQ(setting(core::keys::enabletransparency), "True");
    EXPECT_EQ(setting(core::keys::enableghost), "False");
    EXPECT_EQ(setting(core::keys::blendtodesktop), "False");
    EXPECT_EQ(setting(core::keys::normal), "False");
    EXPECT_EQ(setting(core::keys::transparencylevel), "175");
    EXPECT_EQ(monitor().windowStyle().alpha, 175);
    EXPECT_EQ(monitor().GetWindowLong(style::kExStyleIndex), style::kLayered);
    EXPECT_TRUE(frm.updFadeIn[0]->isEnabled());
    EXPECT_FALSE(frm.updFadeIn[1]->isEnabled());

    frm.updFadeIn[0]->setValue(0);
    EXPECT_EQ(setting(core::keys::transparencylevel), "0");
    EXPECT_EQ(monitor().windowStyle().alpha, 0);
    EXPECT_EQ(frm.Label1[213]->text(), QStringLiteral("透明度级别: 0"));

    // A ghost level set from code while ghost mode is not selected is stored and shown only.
    frm.updFadeIn[1]->setValue(90);
    EXPECT_EQ(setting(core::keys::ghosttransparencylevel), "90");
    EXPECT_EQ(frm.Label1[216]->text(), QStringLiteral("透明度级别: 90"));
    EXPECT_FALSE(monitor().windowStyle().clickThrough());

    QTest::mouseClick(frm.OptionTrans[2], Qt::LeftButton);
    EXPECT_EQ(setting(core::keys::blendtodesktop), "True");
    EXPECT_EQ(setting(core::keys::enabletransparency), "False");
    EXPECT_FALSE(frm.updFadeIn[0]->isEnabled());
    EXPECT_FALSE(frm.Label1[216]->isEnabled());
    EXPECT_EQ(setting(core::keys::transparencylevel), "0");
    EXPECT_EQ(monitor().BackColor(), 1);

    QTest::mouseClick(frm.OptionTrans[1], Qt::LeftButton);
    EXPECT_TRUE(monitor().windowStyle().clickThrough());
    EXPECT_EQ(monitor().windowStyle().alpha, 90);
    QTest::mouseClick(frm.OptionTrans[3], Qt::LeftButton);
    EXPECT_FALSE(monitor().windowStyle().clickThrough());
    EXPECT_EQ(monitor().windowStyle().alpha, 255);
}

TEST_F(Options, ColourButtonsStoreTheScheme) {
    auto& frm = start();
    frm.Option3->setValue(true);
    frm.Command5_Click();
    EXPECT_EQ(setting(core::keys::monitorprogressusebarfill), "True");
    EXPECT_EQ(setting(core::keys::monitorprogressusebarfill2), "True");
    EXPECT_EQ(setting(core::keys::monitorprogressdontusebarfill), "False");
    EXPECT_EQ(setting(core::keys::monitorprogressdontusebarfill2), "False");
    EXPECT_EQ(setting(core::keys::monitorprogressbarfill), std::to_string(frm.swatchColour(8)));

    frm.Command1_Click();
    EXPECT_EQ(setting(core::keys::monitorprogressbar), "14737632");
    EXPECT_EQ(setting(core::keys::monitorprogressbarfill), "12632064");
    EXPECT_EQ(setting(core::keys::monitorprogressbarfill2), "49152");
    EXPECT_EQ(setting(core::keys::monitorprogressbartext2), "0");
    EXPECT_EQ(setting(core::keys::monitorprogressdontusebarfill), "True");
    EXPECT_EQ(setting(core::keys::monitorprogressusebarfill), "False");
    EXPECT_EQ(setting(core::keys::monitorprogressusebarfill2), "True") << "the write bar's mode stays";
    EXPECT_EQ(monitor().PB2.BarColor(), 49152);
}
