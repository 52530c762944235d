// The program's menu: its items, its toggles and commands, and the tray icon's events and tooltip.
#include "settings_ui/setting_widgets.h"
#include "support/gadget_fixture.h"

#include <QGroupBox>
#include <QMenu>

using namespace oruvel;

using Menu = test::GadgetFixture;

namespace {

void trigger(app::Gadget& gadget, const char* name) {
    QAction* action = gadget.menu().menu()->findChild<QAction*>(QString::fromLatin1(name));
    ASSERT_NE(action, nullptr) << name;
    action->trigger();
    QCoreApplication::processEvents(); // commands run once the menu has closed
}

} // namespace

TEST_F(Menu, ItemsInOrder) {
    auto& gadget = start();
    QStringList captions;
    for (const QAction* a : gadget.menu().menu()->actions()) {
        captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
    }
    EXPECT_EQ(captions, (QStringList{QStringLiteral("Oruvel"), QStringLiteral("-"), QStringLiteral("显示/隐藏监视器"),
                                     QStringLiteral("显示/隐藏栏文本"), QStringLiteral("驱动器"), QStringLiteral("-"),
                                     QStringLiteral("重置窗口位置"), QStringLiteral("-"), QStringLiteral("监视器设置"),
                                     QStringLiteral("磁盘活动(&D)"), QStringLiteral("-"),
                                     QStringLiteral("在Facebook上关注Quorlane"), QStringLiteral("帮助 (在线)"),
                                     QStringLiteral("访问网站"), QStringLiteral("-"), QStringLiteral("退出")}));
}

TEST_F(Menu, ShowHideAndBarTextToggleTheirSettings) {
    auto& gadget = start();
    trigger(gadget, "toggleMonitorAction");
    EXPECT_FALSE(monitor().isVisible());
    EXPECT_EQ(setting(core::Key::ShowMonitor), "0");
    EXPECT_FALSE(control<QGroupBox>("coloursGroupBox")->isEnabled());
    trigger(gadget, "toggleMonitorAction");
    EXPECT_TRUE(monitor().isVisible());
    EXPECT_EQ(setting(core::Key::ShowMonitor), "1");

    trigger(gadget, "toggleBarTextAction");
    EXPECT_EQ(control<settings_ui::SettingCheckBox>("hideBarTextCheckBox")->value(), 1);
    EXPECT_EQ(setting(core::Key::HideBarText), "1");
    tick(1024, 0);
    EXPECT_TRUE(monitor().readBar().text().isEmpty());
    trigger(gadget, "toggleBarTextAction");
    EXPECT_EQ(setting(core::Key::HideBarText), "0");

    // A greyed box is left alone.
    settings->setNumber(core::Key::HideBarText, 2);
    trigger(gadget, "toggleBarTextAction");
    EXPECT_EQ(settings->number(core::Key::HideBarText), 2);
}

TEST_F(Menu, SettingsCommandShowsTheWindowAndExitEndsTheProgram) {
    auto& gadget = start();
    trigger(gadget, "showSettingsAction");
    EXPECT_TRUE(window().isVisible());
    trigger(gadget, "showSettingsAction");
    EXPECT_TRUE(window().isVisible());

    QAction* exit = gadget.menu().menu()->findChild<QAction*>(QStringLiteral("exitAction"));
    ASSERT_NE(exit, nullptr);
    exit->trigger();
    EXPECT_FALSE(gadget.isExiting()) << "not while the menu is still up";
    QCoreApplication::processEvents();
    EXPECT_TRUE(gadget.isExiting());
    EXPECT_FALSE(window().isVisible());
    EXPECT_NE(stored("FrmMain_x"), "") << "the settings window keeps its stored name";
    EXPECT_NE(stored("FrmMain_y"), "");
    EXPECT_FALSE(gadget.tray().isWanted());
}

TEST_F(Menu, TrayEventsAndTooltip) {
    writeSettings("[main]\nhidebartext=1\n");
    auto& gadget = start();
    EXPECT_EQ(gadget.tray().toolTip(), QStringLiteral("Oruvel v1.1.0\r\nDrive: _Total\r\n\r\n"))
        << "from the start, with the bar texts hidden too";
    settings->setNumber(core::Key::HideBarText, 0);
    tick(123456789, 1024);
    EXPECT_EQ(gadget.tray().toolTip(), QStringLiteral("Oruvel v1.1.0\r\nDrive: _Total\r\nDrive Read: 117.74 MB/s\r\n"
                                                      "Drive Write: 1.00 KB/s"));

    emit gadget.tray().doubleClicked();
    EXPECT_FALSE(window().isVisible()) << "queued";
    QCoreApplication::processEvents();
    EXPECT_TRUE(window().isVisible());
}
