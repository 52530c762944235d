#include "support/settings_fixture.h"

#include "settings_ui/setting_widgets.h"

#include <QMenu>

using namespace oruvel;

using Menu = test::SettingsFixture;

TEST_F(Menu, ItemsInOrder) {
    auto& frm = start();
    QStringList captions;
    for (const QAction* a : frm.contextMenu()->actions()) {
        captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
    }
    EXPECT_EQ(captions,
              (QStringList{QStringLiteral("Oruvel"), QStringLiteral("-"), QStringLiteral("显示/隐藏监视器"),
                           QStringLiteral("显示/隐藏栏文本"), QStringLiteral("-"), QStringLiteral("重置窗口位置"),
                           QStringLiteral("-"), QStringLiteral("监视器设置"), QStringLiteral("-"),
                           QStringLiteral("在Facebook上关注Quorlane"), QStringLiteral("帮助 (在线)"),
                           QStringLiteral("访问网站"), QStringLiteral("-"), QStringLiteral("退出")}));
}

TEST_F(Menu, ShowHideAndBarTextToggleThroughTheirHandlers) {
    auto& frm = start();
    frm.toggleMonitor();
    EXPECT_FALSE(monitor().isVisible());
    EXPECT_EQ(setting(core::keys::showMonitor), "0");
    EXPECT_FALSE(frm.coloursGroupBox->isEnabled());
    frm.toggleMonitor();
    EXPECT_TRUE(monitor().isVisible());
    EXPECT_EQ(setting(core::keys::showMonitor), "1");

    frm.toggleBarText();
    EXPECT_EQ(frm.hideBarTextCheckBox->value(), 1);
    EXPECT_EQ(setting(core::keys::hideBarText), "1");
    tick(1024, 0);
    EXPECT_TRUE(monitor().readBar().text().isEmpty());
    frm.toggleBarText();
    EXPECT_EQ(frm.hideBarTextCheckBox->value(), 0);
    EXPECT_EQ(setting(core::keys::hideBarText), "0");
}

TEST_F(Menu, SettingsCommandShowsTheWindowAndExitEndsTheProgram) {
    auto& frm = start();
    frm.showSettings();
    EXPECT_TRUE(frm.isVisible());
    frm.showSettings();
    EXPECT_TRUE(frm.isVisible());

    // Triggered from the menu, the command runs once the menu has closed.
    QAction* exit = frm.contextMenu()->findChild<QAction*>(QStringLiteral("exitAction"));
    ASSERT_NE(exit, nullptr);
    exit->trigger();
    EXPECT_FALSE(program.isExiting());
    QCoreApplication::processEvents();
    EXPECT_TRUE(program.isExiting());
    EXPECT_FALSE(frm.isVisible());
    EXPECT_NE(stored("FrmMain_x"), "") << "the settings window keeps its stored name";
    EXPECT_NE(stored("FrmMain_y"), "");
    EXPECT_EQ(tray.hides, 1);
}

TEST_F(Menu, TrayEventsAndTooltip) {
    auto& frm = start();
    tick(123456789, 1024);
    frm.refreshTrayToolTip();
    EXPECT_EQ(tray.toolTip, QStringLiteral("Oruvel v1.1.0\r\nDrive: _Total\r\nDrive Read: 117.74 MB/s\r\n"
                                           "Drive Write: 1.00 KB/s/s")
                                .replace(QStringLiteral("KB/s/s"), QStringLiteral("KB/s")));
    frm.setWindowTitle(QStringLiteral("Oruvel v1 By someone"));
    EXPECT_TRUE(frm.trayToolTip().startsWith(QStringLiteral("Oruvel v1 \r\nDrive: _Total")));

    frm.onTrayDoubleClicked();
    EXPECT_TRUE(frm.isVisible());
}
