// The start-at-login box and the switch that runs the start-up program.
#include "login_start/set_startup_launcher.h"
#include "settings_ui/setting_widgets.h"
#include "support/gadget_fixture.h"

#include <QTest>

using namespace oruvel;

namespace {

struct Launch {
    std::string program, argument, folder;
};

struct StartWithLoginBox : test::GadgetFixture {
    std::vector<Launch> launches;
    login_start::SetStartupLauncher recording{dir.path(),
                                              [this](const std::string& p, const std::string& a, const std::string& f) {
                                                  launches.push_back({p, a, f});
                                                  return false;
                                              }};
    StartWithLoginBox() { loginStart = &recording; }
};

} // namespace

TEST_F(StartWithLoginBox, AClickStartsTheStartupProgramAndStoresTheBox) {
    start();
    window().show();
    auto* box = control<settings_ui::SettingCheckBox>("startWithLoginCheckBox");
    QTest::mouseClick(box, Qt::LeftButton);
    ASSERT_EQ(launches.size(), 1U);
    EXPECT_EQ(launches[0].program, dir.path() + "/oruvel_set_startup");
    EXPECT_EQ(launches[0].argument, "/create");
    EXPECT_EQ(launches[0].folder, dir.path());
    EXPECT_EQ(setting(core::Key::StartWithLogin), "1") << "stored although the program could not start";
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_EQ(launches.back().argument, "/remove");
    EXPECT_EQ(setting(core::Key::StartWithLogin), "0");
}

TEST_F(StartWithLoginBox, MissingStartupProgramFailsQuietly) {
    start();
    login_start::SetStartupLauncher real(dir.path(), login_start::launchDetached);
    real.apply(true);
    settings->setNumber(core::Key::StartWithLogin, 1);
    EXPECT_EQ(setting(core::Key::StartWithLogin), "1");
}

TEST_F(StartWithLoginBox, StartUpSetsTheBoxWithoutRegistering) {
    writeSettings("[main]\nstartwithwindows=1\n");
    start();
    EXPECT_EQ(control<settings_ui::SettingCheckBox>("startWithLoginCheckBox")->value(), 1);
    EXPECT_TRUE(launches.empty());
}
