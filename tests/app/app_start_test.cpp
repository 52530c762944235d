// How the program starts and ends with its desktop: the Qt platform it picks, the environment its children see, and
// what a session save and a session end do.
#include "app/own_environment.h"
#include "app/platform_choice.h"
#include "app/session_follower.h"
#include "settings_ui/setting_widgets.h"
#include "support/gadget_fixture.h"

#include <QApplication>
#include <QProcess>

#include <map>

using namespace oruvel;

namespace {

app::PlatformChoice chooseFor(const std::map<std::string, std::string>& variables) {
    return app::choosePlatform([&](const char* name) -> std::optional<std::string> {
        const auto found = variables.find(name);
        return found == variables.end() ? std::nullopt : std::optional(found->second);
    });
}

} // namespace

TEST(PlatformChoice, AWaylandSessionWithAnXServerStartsOnXWaylandUnlessTheUserChose) {
    EXPECT_EQ(chooseFor({{"XDG_SESSION_TYPE", "wayland"}, {"DISPLAY", ":0"}}).platform, "xcb");
    EXPECT_EQ(chooseFor({{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":1"}}), (app::PlatformChoice{"xcb", ""}));
    EXPECT_EQ(chooseFor({{"XDG_SESSION_TYPE", "wayland"}, {"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", "offscreen"}}),
              app::PlatformChoice{})
        << "the user's choice stands";
    EXPECT_EQ(chooseFor({{"XDG_SESSION_TYPE", "x11"}, {"DISPLAY", ":0"}}), app::PlatformChoice{});
    EXPECT_EQ(chooseFor({{"DISPLAY", ":0"}, {"WAYLAND_DISPLAY", ""}}), app::PlatformChoice{});
    EXPECT_EQ(chooseFor({}), app::PlatformChoice{});
}

TEST(PlatformChoice, NativeWaylandRunsButSaysOnceWhatIsLost) {
    for (const auto& env :
         std::vector<std::map<std::string, std::string>>{{{"XDG_SESSION_TYPE", "wayland"}},
                                                         {{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ""}},
                                                         {{"QT_QPA_PLATFORM", "wayland"}, {"DISPLAY", ":0"}},
                                                         {{"QT_QPA_PLATFORM", "wayland-egl"}}}) {
        const app::PlatformChoice choice = chooseFor(env);
        EXPECT_EQ(choice.platform, std::nullopt);
        EXPECT_NE(choice.note.find("stay on top"), std::string::npos);
        EXPECT_EQ(choice.note.find('\n'), std::string::npos) << "one line";
    }
}

TEST(OwnEnvironment, VariablesForThisProcessDoNotReachItsChildrenAndTheUsersOwnStay) {
    qunsetenv("ORUVEL_TEST_OWN");
    qputenv("ORUVEL_TEST_USERS", "mine");
    app::OwnEnvironment own;
    own.setIfUnset("ORUVEL_TEST_OWN", "1");
    own.setIfUnset("ORUVEL_TEST_USERS", "1");
    EXPECT_EQ(qgetenv("ORUVEL_TEST_OWN"), "1") << "set for this process's start";
    EXPECT_EQ(qgetenv("ORUVEL_TEST_USERS"), "mine");
    own.release();

    QProcess child;
    child.start(QStringLiteral("env"), {});
    ASSERT_TRUE(child.waitForFinished(10000));
    const QString seen = QString::fromLocal8Bit(child.readAllStandardOutput());
    EXPECT_FALSE(seen.contains(QStringLiteral("ORUVEL_TEST_OWN="))) << "a started program does not inherit it";
    EXPECT_TRUE(seen.contains(QStringLiteral("ORUVEL_TEST_USERS=mine")));
    qunsetenv("ORUVEL_TEST_USERS");
}

using SessionEnd = test::GadgetFixture;

TEST_F(SessionEnd, ASessionSaveStoresThePlaceAndKeepsRunningTheSessionsEndShutsDown) {
    auto& gadget = start();
    app::SessionFollower session(gadget);
    window().move(200, 100);
    const QPoint first = window().frameGeometry().topLeft();

    session.onSessionSave();
    EXPECT_FALSE(gadget.isExiting()) << "a checkpoint is no log-out";
    EXPECT_TRUE(monitor().isVisible());
    EXPECT_EQ(stored("FrmMain_x"), std::to_string(first.y() * 15));
    EXPECT_EQ(stored("FrmMain_y"), std::to_string(first.x() * 15));

    // The session manager's die reaches the program as a quit, which the monitor alone would refuse.
    window().move(300, 120);
    const QPoint second = window().frameGeometry().topLeft();
    QEvent quit(QEvent::Quit);
    QCoreApplication::sendEvent(QCoreApplication::instance(), &quit);
    EXPECT_TRUE(gadget.isExiting());
    EXPECT_FALSE(monitor().isVisible());
    EXPECT_EQ(stored("FrmMain_x"), std::to_string(second.y() * 15));
    EXPECT_EQ(stored("FrmMain_y"), std::to_string(second.x() * 15));
}

using LazyWindow = test::GadgetFixture;

// The settings window is built when it is first needed: a start, ticks, changes and an exit leave it unbuilt and its
// stored place as it was; once shown it comes up at its stored place, with the monitor glued to it.
TEST_F(LazyWindow, TheSettingsWindowIsBuiltWhenFirstShown) {
    {
        QSettings store(QString::fromStdString(placesPath()), QSettings::IniFormat);
        store.setValue(QStringLiteral("FrmMain_x"), QStringLiteral("1500")); // the top, in twips
        store.setValue(QStringLiteral("FrmMain_y"), QStringLiteral("3000"));
    }
    auto& gadget = start();
    tick(1048576, 0);
    settings->setNumber(core::Key::CompactMode, 1);
    const auto built = [] {
        const QWidgetList windows = QApplication::topLevelWidgets();
        return std::any_of(windows.begin(), windows.end(),
                           [](const QWidget* w) { return w->objectName() == QStringLiteral("settingsWindow"); });
    };
    EXPECT_FALSE(gadget.hasSettingsWindow());
    EXPECT_FALSE(built());
    EXPECT_EQ(monitor().heightTwips(), 180) << "a change applies without the window";

    gadget.showSettings();
    ASSERT_TRUE(built());
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(window().frameGeometry().topLeft(), QPoint(200, 100));
    EXPECT_EQ(control<settings_ui::SettingCheckBox>("compactModeCheckBox")->value(), 1)
        << "it shows the settings as they are";
}

TEST_F(LazyWindow, AnExitWithoutTheWindowStoresWhereItWouldBe) {
    {
        QSettings store(QString::fromStdString(placesPath()), QSettings::IniFormat);
        store.setValue(QStringLiteral("FrmMain_x"), QStringLiteral("1500"));
        store.setValue(QStringLiteral("FrmMain_y"), QStringLiteral("3000"));
    }
    auto& gadget = start();
    gadget.exit();
    EXPECT_FALSE(gadget.hasSettingsWindow());
    EXPECT_EQ(stored("FrmMain_x"), "1500");
    EXPECT_EQ(stored("FrmMain_y"), "3000");

    // With no place stored, the middle of the screen.
    stop();
    QSettings(QString::fromStdString(placesPath()), QSettings::IniFormat).clear();
    start().exit();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(stored("FrmMain_x"), std::to_string((screen.height() - 392) / 2 * 15));
    EXPECT_EQ(stored("FrmMain_y"), std::to_string((screen.width() - 486) / 2 * 15));
}
