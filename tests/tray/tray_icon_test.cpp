#include "tray/tray_icon.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QPointer>
#include <QSignalSpy>
#include <QStyleHints>
#include <QTest>
#include <gtest/gtest.h>

using oruvel::tray::TrayIcon;

namespace {

QSystemTrayIcon& platformIcon(TrayIcon& tray) {
    return *tray.findChild<QSystemTrayIcon*>();
}

// A desktop whose notification areas the test sets, telling of each change as the desktop's would.
class FakeHosts final : public oruvel::platform::TrayHostWatch {
public:
    explicit FakeHosts(oruvel::platform::TrayHosts* now) : now_(now) {}
    oruvel::platform::TrayHosts hosts() const override { return *now_; }

private:
    const oruvel::platform::TrayHosts* now_;
};

// A desktop with a StatusNotifierItem host, where the icon is made at once.
std::unique_ptr<oruvel::platform::TrayHostWatch> itemHost() {
    static oruvel::platform::TrayHosts host{true, true, false};
    return std::make_unique<FakeHosts>(&host);
}

} // namespace

TEST(TrayIcon, ActivationsBecomeTheProgramsSignals) {
    TrayIcon tray{QStringLiteral("KDE"), itemHost()};
    QMenu programMenu;
    tray.setMenu(&programMenu);
    EXPECT_EQ(platformIcon(tray).contextMenu(), nullptr) << "the program opens its menu itself";
    QSignalSpy menu(&tray, &TrayIcon::contextMenuRequested);
    QSignalSpy doubleClick(&tray, &TrayIcon::doubleClicked);

    emit platformIcon(tray).activated(QSystemTrayIcon::Trigger);
    emit platformIcon(tray).activated(QSystemTrayIcon::MiddleClick);
    EXPECT_EQ(menu.count(), 0) << "a single left or middle click does nothing";
    EXPECT_EQ(doubleClick.count(), 0);

    emit platformIcon(tray).activated(QSystemTrayIcon::Context);
    ASSERT_EQ(menu.count(), 1);
    EXPECT_EQ(menu.at(0).at(0).toPoint(), QCursor::pos()) << "the menu opens where the pointer is";

    emit platformIcon(tray).activated(QSystemTrayIcon::DoubleClick);
    EXPECT_EQ(doubleClick.count(), 1);
    EXPECT_EQ(menu.count(), 1);
}

// StatusNotifierItem hosts report every click as a Trigger; XEmbed reports a Trigger and then a DoubleClick.
TEST(TrayIcon, TwoClicksWithinTheDoubleClickIntervalAreADoubleClick) {
    QStyleHints* hints = QGuiApplication::styleHints();
    const int interval = hints->mouseDoubleClickInterval();
    hints->setMouseDoubleClickInterval(100);
    TrayIcon tray{QString(), itemHost()};
    QSignalSpy doubleClick(&tray, &TrayIcon::doubleClicked);
    QSystemTrayIcon& icon = platformIcon(tray);

    emit icon.activated(QSystemTrayIcon::Trigger);
    EXPECT_EQ(doubleClick.count(), 0);
    emit icon.activated(QSystemTrayIcon::Trigger);
    EXPECT_EQ(doubleClick.count(), 1);
    emit icon.activated(QSystemTrayIcon::Trigger);
    EXPECT_EQ(doubleClick.count(), 1) << "a third click starts afresh";

    emit icon.activated(QSystemTrayIcon::DoubleClick);
    EXPECT_EQ(doubleClick.count(), 2) << "one double-click, not two, where the platform reports it";
    emit icon.activated(QSystemTrayIcon::Trigger);
    QTest::qWait(250);
    emit icon.activated(QSystemTrayIcon::Trigger);
    EXPECT_EQ(doubleClick.count(), 2) << "two clicks further apart are two single clicks";
    hints->setMouseDoubleClickInterval(interval);
}

// GNOME Shell's and Unity's indicator areas activate an item once for a double-click and show its menu themselves.
TEST(TrayIcon, AnIndicatorAreaOpensWithOneActivationAndShowsTheMenuItself) {
    for (const char* desktop : {"GNOME", "ubuntu:GNOME", "Unity"}) {
        TrayIcon tray{QString::fromLatin1(desktop), itemHost()};
        QMenu programMenu;
        tray.setMenu(&programMenu);
        QSignalSpy menu(&tray, &TrayIcon::contextMenuRequested);
        QSignalSpy doubleClick(&tray, &TrayIcon::doubleClicked);
        EXPECT_TRUE(tray.hostShowsMenu()) << desktop;
        EXPECT_EQ(platformIcon(tray).contextMenu(), &programMenu) << desktop << ": given to the host";
        emit platformIcon(tray).activated(QSystemTrayIcon::Trigger);
        EXPECT_EQ(doubleClick.count(), 1) << desktop;
        emit platformIcon(tray).activated(QSystemTrayIcon::Context);
        EXPECT_EQ(menu.count(), 0) << desktop << ": shown by the host, not a second time by the program";
    }
    EXPECT_FALSE(TrayIcon{QStringLiteral("XFCE")}.hostShowsMenu());
    EXPECT_FALSE(TrayIcon{QStringLiteral("GNOME-Flashback-ish")}.hostShowsMenu()) << "whole names only";
}

TEST(TrayIcon, ToolTipIsTheLastTextSet) {
    TrayIcon tray;
    tray.setToolTip(QStringLiteral("Oruvel\r\nDrive: _Total"));
    EXPECT_EQ(tray.toolTip(), QStringLiteral("Oruvel\r\nDrive: _Total"));
    tray.setToolTip(QStringLiteral("Oruvel\r\nDrive: sda"));
    EXPECT_EQ(tray.toolTip(), QStringLiteral("Oruvel\r\nDrive: sda"));
}

// Qt chooses a StatusNotifierItem or an XEmbed icon once, as the icon is made: it is made once a host is there, with
// the picture, text and menu given before, so a panel that starts after the program still gets an item.
TEST(TrayIcon, TheIconIsMadeOnceAHostIsThere) {
    oruvel::platform::TrayHosts hosts;
    auto watch = std::make_unique<FakeHosts>(&hosts);
    QPointer<FakeHosts> desktop = watch.get();
    TrayIcon tray{QStringLiteral("GNOME"), std::move(watch)};
    QMenu programMenu;
    tray.setMenu(&programMenu);
    tray.setToolTip(QStringLiteral("Oruvel\r\nDrive: _Total"));
    tray.show();
    EXPECT_EQ(tray.findChild<QSystemTrayIcon*>(), nullptr) << "no host, no icon";

    hosts = {false, true, true}; // a panel starting: its XEmbed area up, its StatusNotifierItem host not yet
    emit desktop->changed();
    EXPECT_EQ(tray.findChild<QSystemTrayIcon*>(), nullptr) << "the host is waited for";

    hosts = {true, true, true};
    emit desktop->changed();
    ASSERT_NE(tray.findChild<QSystemTrayIcon*>(), nullptr) << "made as the host registers";
    QSystemTrayIcon& icon = platformIcon(tray);
    EXPECT_EQ(icon.toolTip(), QStringLiteral("Oruvel\r\nDrive: _Total"));
    EXPECT_EQ(icon.contextMenu(), &programMenu);
    QSignalSpy doubleClick(&tray, &TrayIcon::doubleClicked);
    emit icon.activated(QSystemTrayIcon::Trigger);
    EXPECT_EQ(doubleClick.count(), 1) << "the icon made later is listened to";

    // The offscreen platform, as Wayland and Windows, does not tell when a notification area comes or goes: the
    // desktop's news is followed from here instead, and makes no second icon.
    emit desktop->changed();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(desktop.isNull()) << "the desktop is still followed";
    EXPECT_EQ(tray.findChildren<QSystemTrayIcon*>().size(), 1);
    EXPECT_EQ(&platformIcon(tray), &icon);
}

// A panel whose StatusNotifierItem host never comes leaves its XEmbed area to show the icon.
TEST(TrayIcon, AnXEmbedAreaShowsTheIconWhenNoHostComes) {
    oruvel::platform::TrayHosts hosts{false, true, true};
    TrayIcon tray{QStringLiteral("XFCE"), std::make_unique<FakeHosts>(&hosts)};
    EXPECT_EQ(tray.findChild<QSystemTrayIcon*>(), nullptr) << "the host is waited for";
    EXPECT_TRUE(QTest::qWaitFor([&tray] { return tray.findChild<QSystemTrayIcon*>() != nullptr; },
                                TrayIcon::kHostWaitMs + 1000));
}

TEST(TrayIcon, WithoutANotificationAreaShowWaitsAndHideForgets) {
    TrayIcon tray; // the offscreen platform has no notification area
    ASSERT_FALSE(tray.isAvailable());
    tray.show();
    EXPECT_FALSE(tray.isShown()) << "nothing to show it in yet";
    tray.hide();
    EXPECT_FALSE(tray.isShown());
}
