#include "support/settings_fixture.h"

#include "settings_ui/vb_controls.h"

#include <QMenu>

using namespace oruvel;

using Menu = test::SettingsFixture;

TEST_F(Menu, ItemsInOrder) {
    auto& frm = start();
    QStringList captions;
    for (const QAction* a : frm.mMenu->actions()) {
        captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
    }
    EXPECT_EQ(captions, (QStringList{QStringLiteral("Oruvel"), QStringLiteral("-"), QStringLiteral("显示/隐藏监视器"),
                                     QStringLiteral("显示/隐藏栏文本"), QStringLiteral("-"),
                                     QStringLiteral("重置窗口位置"), QStringLiteral("-"), QStringLiteral("监视器设置"),
                                     QStringLiteral("-"), QStringLiteral("在Facebook上关注Quorlane"),
                                     QStringLiteral("帮助 (在线)"), QStringLiteral("访问网站"), QStringLiteral("-"),
                                     QStringLiteral("退出")}));
}

TEST_F(Menu, ShowHideAndBarTextToggleThroughTheirHandlers) {
    auto& frm = start();
    frm.MenuShowHide_Click();
    EXPECT_FALSE(monitor().isVisible());
    EXPECT_EQ(setting(core::keys::show), "0");
    EXPECT_FALSE(frm.Frame1->isEnabled());
    frm.MenuShowHide_Click();
    EXPECT_TRUE(monitor().isVisible());
    EXPECT_EQ(setting(core::keys::show), "1");

    frm.MenuShowBarText_Click();
    EXPECT_EQ(frm.Check7->value(), 1);
    EXPECT_EQ(setting(core::keys::hidebartext), "1");
    tick(1024, 0);
    EXPECT_TRUE(monitor().PB1.Text().isEmpty());
    frm.MenuShowBarText_Click();
    EXPECT_EQ(frm.Check7->value(), 0);
    EXPECT_EQ(setting(core::keys::hidebartext), "0");
}

TEST_F(Menu, SettingsCommandShowsTheWindowAndExitEndsTheProgram) {
    auto& frm = start();
    frm.MenuSettings_Click();
    EXPECT_TRUE(frm.isVisible());
    frm.MenuSettings_Click();
    EXPECT_TRUE(frm.isVisible());

    // Triggered from the menu, the command runs once the menu has closed.
    QAction* exit = frm.mMenu->findChild<QAction*>(QStringLiteral("MenuExit"));
    ASSERT_NE(exit, nullptr);
    exit->trigger();
    EXPECT_FALSE(program.bExiting);
    QCoreApplication::processEvents();
    EXPECT_TRUE(program.bExiting);
    EXPECT_FALSE(frm.isVisible());
    EXPECT_NE(stored("FrmMain_x"), "");
}

TEST_F(Menu, TrayEventsAndTooltip) {
    auto& frm = start();
    tick(123456789, 1024);
    frm.SysTrayMain_MouseMove(0, 0, 0, 0);
    EXPECT_EQ(tray.toolTip, QStringLiteral("Oruvel v1.1.0\r\nDrive: _Total\r\nDrive Read: 117.74 MB/s\r\n"
                                           "Drive Write: 1.00 KB/s/s")
                                .replace(QStringLiteral("KB/s/s"), QStringLiteral("KB/s")));
    frm.setWindowTitle(QStringLiteral("Oruvel v1 By someone"));
    EXPECT_TRUE(frm.trayToolTipText().startsWith(QStringLiteral("Oruvel v1 \r\nDrive: _Total")));

    frm.SysTrayMain_DblClick(2, 0, 0, 0);
    EXPECT_FALSE(frm.isVisible()) << "only the left button opens the settings";
    frm.SysTrayMain_DblClick(1, 0, 0, 0);
    EXPECT_TRUE(frm.isVisible());
}
