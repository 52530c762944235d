// The start-at-login box and the switch that runs the start-up program.
#include "login_start/set_startup_launcher.h"
#include "settings_ui/setting_widgets.h"
#include "support/gadget_fixture.h"

#include <QLabel>
#include <QTest>

#include <filesystem>

using namespace oruvel;

namespace {

struct Launch {
    std::string program, argument, folder;
    core::LoginStartSwitch::Done done;
};

struct StartWithLoginBox : test::GadgetFixture {
    std::vector<Launch> launches;
    login_start::SetStartupLauncher recording{
        dir.path(),
        [this](const std::string& p, const std::string& a, const std::string& f, core::LoginStartSwitch::Done done) {
            launches.push_back({p, a, f, std::move(done)});
        }};
    StartWithLoginBox() { loginStart = &recording; }
    QString footNote() {
        auto* note = window().findChild<QLabel*>(QStringLiteral("saveProblemLabel"));
        return note != nullptr && !note->isHidden() ? note->toolTip() : QString();
    }
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
    EXPECT_EQ(setting(core::Key::StartWithLogin), "1") << "stored at once, before the program has done its work";
    launches[0].done("");
    EXPECT_EQ(setting(core::Key::StartWithLogin), "1");
    EXPECT_TRUE(footNote().isEmpty());
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_EQ(launches.back().argument, "/remove");
    EXPECT_EQ(setting(core::Key::StartWithLogin), "0");
}

TEST_F(StartWithLoginBox, ASwitchThatFailsPutsTheBoxBackAndSaysWhy) {
    start();
    window().show();
    auto* box = control<settings_ui::SettingCheckBox>("startWithLoginCheckBox");
    QTest::mouseClick(box, Qt::LeftButton);
    ASSERT_EQ(launches.size(), 1U);
    launches[0].done("the start at login was not registered: Access is denied.");
    EXPECT_EQ(box->value(), 0) << "the box shows what is so";
    EXPECT_EQ(setting(core::Key::StartWithLogin), "0");
    EXPECT_EQ(launches.size(), 1U) << "going back starts nothing";
    EXPECT_TRUE(footNote().contains(QStringLiteral("Access is denied."))) << footNote().toStdString();
    QTest::mouseClick(box, Qt::LeftButton);
    launches.back().done("");
    EXPECT_TRUE(footNote().isEmpty()) << "a switch that works clears the note";
}

TEST_F(StartWithLoginBox, AMissingStartupProgramIsSaidAsSuch) {
    start();
    std::string failure = "(not told)";
    login_start::launchWatched(dir.file("oruvel_set_startup"), "/create", dir.path(),
                               [&failure](const std::string& why) { failure = why; });
    ASSERT_TRUE(test::turnUntil([&] { return failure != "(not told)"; }));
    EXPECT_NE(failure.find("oruvel_set_startup"), std::string::npos) << failure;

    test::writeFile(dir.file("failing.sh"), "#!/bin/sh\necho first >&2\necho 'last words' >&2\nexit 1\n");
    std::filesystem::permissions(dir.file("failing.sh"), std::filesystem::perms::owner_all);
    failure = "(not told)";
    login_start::launchWatched(dir.file("failing.sh"), "/create", dir.path(),
                               [&failure](const std::string& why) { failure = why; });
    ASSERT_TRUE(test::turnUntil([&] { return failure != "(not told)"; }));
    EXPECT_EQ(failure, "last words");
}

TEST_F(StartWithLoginBox, StartUpSetsTheBoxWithoutRegistering) {
    writeSettings("[main]\nstartwithwindows=1\n");
    start();
    EXPECT_EQ(control<settings_ui::SettingCheckBox>("startWithLoginCheckBox")->value(), 1);
    EXPECT_TRUE(launches.empty());
}
