#include "startup/start_with_login_switch.h"
#include "support/settings_fixture.h"

#include <QTest>

using namespace oruvel;

namespace {

struct Launch {
    std::string program, argument, folder;
};

struct StartWithLoginBox : test::SettingsFixture {
    std::vector<Launch> launches;
    startup::StartWithLoginSwitch recording{program,
                                            [this](const std::string& p, const std::string& a, const std::string& f) {
                                                launches.push_back({p, a, f});
                                                return false;
                                            }};
};

} // namespace

TEST_F(StartWithLoginBox, MouseReleaseStartsTheStartupProgramAndStoresTheBox) {
    auto& window = start();
    window.setStartWithLogin(&recording);
    window.show();
    QTest::mouseClick(window.startWithLoginCheckBox, Qt::LeftButton);
    ASSERT_EQ(launches.size(), 1U);
    EXPECT_EQ(launches[0].program, dir.path() + "/oruvel_set_startup");
    EXPECT_EQ(launches[0].argument, "/create");
    EXPECT_EQ(launches[0].folder, dir.path());
    EXPECT_EQ(setting(core::keys::startWithLogin), "1") << "stored although the program could not start";
    QTest::mouseClick(window.startWithLoginCheckBox, Qt::LeftButton);
    EXPECT_EQ(launches.back().argument, "/remove");
    EXPECT_EQ(setting(core::keys::startWithLogin), "0");

    window.startWithLoginCheckBox->setFocus();
    QTest::keyClick(window.startWithLoginCheckBox, Qt::Key_Space);
    EXPECT_EQ(launches.size(), 2U) << "the keyboard registers nothing";
    EXPECT_EQ(setting(core::keys::startWithLogin), "0");
}

TEST_F(StartWithLoginBox, MissingStartupProgramFailsQuietly) {
    auto& window = start();
    startup::StartWithLoginSwitch real(program, startup::launchDetached);
    window.setStartWithLogin(&real);
    window.startWithLoginCheckBox->setValue(1);
    window.onStartWithLoginClicked();
    EXPECT_EQ(setting(core::keys::startWithLogin), "1");
}

TEST_F(StartWithLoginBox, StartUpSetsTheBoxWithoutRegistering) {
    writeSettings("[main]\nstartwithwindows=1\n");
    auto& window = start();
    window.setStartWithLogin(&recording);
    EXPECT_EQ(window.startWithLoginCheckBox->value(), 1);
    EXPECT_TRUE(launches.empty());
}
