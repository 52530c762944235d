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
    auto& frm = start();
    frm.setStartWithLogin(&recording);
    frm.show();
    QTest::mouseClick(frm.startWithLoginCheckBox, Qt::LeftButton);
    ASSERT_EQ(launches.size(), 1U);
    EXPECT_EQ(launches[0].program, dir.path() + "/oruvel_set_startup");
    EXPECT_EQ(launches[0].argument, "/create");
    EXPECT_EQ(launches[0].folder, dir.path());
    EXPECT_EQ(setting(core::keys::startWithLogin), "1") << "stored although the program could not start";
    QTest::mouseClick(frm.startWithLoginCheckBox, Qt::LeftButton);
    EXPECT_EQ(launches.back().argument, "/remove");
    EXPECT_EQ(setting(core::keys::startWithLogin), "0");

    frm.startWithLoginCheckBox->setFocus();
    QTest::keyClick(frm.startWithLoginCheckBox, Qt::Key_Space);
    EXPECT_EQ(launches.size(), 2U) << "the keyboard registers nothing";
    EXPECT_EQ(setting(core::keys::startWithLogin), "0");
}

TEST_F(StartWithLoginBox, MissingStartupProgramFailsQuietly) {
    auto& frm = start();
    startup::StartWithLoginSwitch real(program, startup::launchDetached);
    frm.setStartWithLogin(&real);
    frm.startWithLoginCheckBox->setValue(1);
    frm.onStartWithLoginClicked();
    EXPECT_EQ(setting(core::keys::startWithLogin), "1");
}

TEST_F(StartWithLoginBox, StartUpSetsTheBoxWithoutRegistering) {
    writeSettings("[main]\nstartwithwindows=1\n");
    auto& frm = start();
    frm.setStartWithLogin(&recording);
    EXPECT_EQ(frm.startWithLoginCheckBox->value(), 1);
    EXPECT_TRUE(launches.empty());
}
