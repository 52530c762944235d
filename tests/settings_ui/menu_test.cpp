#include "support/settings_fixture.h"

#include "settings_ui/setting_widgets.h"

#include <QMenu>

using namespace oruvel;

using Menu = test::SettingsFixture;

TEST_F(Menu, ItemsInOrder) {
    auto& window = start();
    QStringList captions;
    for (const QAction* a : window.contextMenu()->actions()) {
        captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
    }
    EXPECT_EQ(captions, (QStringList{QStringLiteral("Oruvel"), QStringLiteral("-"), QStringLiteral("显示/隐藏监视器"),
                                     QStringLiteral("显示/隐藏栏文本"), QStringLiteral("驱动器"), QStringLiteral("-"),
                                     QStringLiteral("重置窗口位置"), QStringLiteral("-"), QStringLiteral("监视器设置"),
                                     QStringLiteral("-"), QStringLiteral("在Facebook上关注Quorlane"),
                                     QStringLiteral("帮助 (在线)"), QStringLiteral("访问网站"), QStringLiteral("-"),
                                     QStringLiteral("退出")}));
}

TEST_F(Menu, ShowHideAndBarTextToggleThroughTheirHandlers) {
    auto& window = start();
    window.toggleMonitor();
    EXPECT_FALSE(monitor().isVisible());
    EXPECT_EQ(setting(core::keys::showMonitor), "0");
    EXPECT_FALSE(window.coloursGroupBox->isEnabled());
    window.toggleMonitor();
    EXPECT_TRUE(monitor().isVisible());
    EXPECT_EQ(setting(core::keys::showMonitor), "1");

    window.toggleBarText();
    EXPECT_EQ(window.hideBarTextCheckBox->value(), 1);
    EXPECT_EQ(setting(core::keys::hideBarText), "1");
    tick(1024, 0);
    EXPECT_TRUE(monitor().readBar().text().isEmpty());
    window.toggleBarText();
    EXPECT_EQ(window.hideBarTextCheckBox->value(), 0);
    EXPECT_EQ(setting(core::keys::hideBarText), "0");
}

TEST_F(Menu, SettingsCommandShowsTheWindowAndExitEndsTheProgram) {
    auto& window = start();
    window.showSettings();
    EXPECT_TRUE(window.isVisible());
    window.showSettings();
    EXPECT_TRUE(window.isVisible());

    // Triggered from the menu, the command runs once the menu has closed.
    QAction* exit = window.contextMenu()->findChild<QAction*>(QStringLiteral("exitAction"));
    ASSERT_NE(exit, nullptr);
    exit->trigger();
    EXPECT_FALSE(program.isExiting());
    QCoreApplication::processEvents();
    EXPECT_TRUE(program.isExiting());
    EXPECT_FALSE(window.isVisible());
    EXPECT_NE(stored("FrmMain_x"), "") << "the settings window keeps its stored name";
    EXPECT_NE(stored("FrmMain_y"), "");
    EXPECT_EQ(tray.hides, 1);
}

TEST_F(Menu, TrayEventsAndTooltip) {
    auto& window = start();
    tick(123456789, 1024);
    window.refreshTrayToolTip();
    EXPECT_EQ(tray.toolTip, QStringLiteral("Oruvel v1.1.0\r\nDrive: _Total\r\nDrive Read: 117.74 MB/s\r\n"
                                           "Drive Write: 1.00 KB/s/s")
                                .replace(QStringLiteral("KB/s/s"), QStringLiteral("KB/s")));
    window.setWindowTitle(QStringLiteral("Oruvel v1 By someone"));
    EXPECT_TRUE(window.trayToolTip().startsWith(QStringLiteral("Oruvel v1 \r\nDrive: _Total")));

    window.onTrayDoubleClicked();
    EXPECT_TRUE(window.isVisible());
}
