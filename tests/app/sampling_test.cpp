// One sampling cycle: the rates, the bars' values and texts, the tray picture and its tooltip.
#include "support/gadget_fixture.h"

#include <sys/inotify.h>
#include <unistd.h>

using namespace oruvel;
using core::LoadBand;
using core::LoadBands;

using Sampling = test::GadgetFixture;

TEST_F(Sampling, TextsAndPercentagesFollowTheOptions) {
    auto& gadget = start();
    settings->setText(core::Key::ReadFullScale, "100");
    tick(0, 0);
    EXPECT_EQ(monitor().readBar().text(), QStringLiteral("Drive Read: 0 Bytes/s"));
    tick(123456789, 5242880);
    EXPECT_EQ(monitor().readBar().text(), QStringLiteral("Drive Read: 117.74 MB/s"));
    EXPECT_EQ(monitor().readBar().value(), 100) << "117.7 percent is held at 100";
    EXPECT_EQ(monitor().writeBar().text(), QStringLiteral("Drive Write: 5.00 MB/s"));
    EXPECT_EQ(monitor().writeBar().value(), 20);
    settings->setText(core::Key::WriteFullScale, "50");
    tick(123456789, 5242880);
    EXPECT_EQ(monitor().writeBar().value(), 10) << "a new full scale with the same rates";
    settings->setText(core::Key::WriteFullScale, "25");

    settings->setNumber(core::Key::CompactMode, 1);
    tick(5242880, 0);
    EXPECT_EQ(monitor().readBar().text(), QStringLiteral("读: 05.00 MB"));
    EXPECT_EQ(monitor().writeBar().text(), QStringLiteral("写: 00.00 MB"));

    settings->setNumber(core::Key::HideBarText, 1);
    tick(13002342, 0);
    EXPECT_TRUE(monitor().readBar().text().isEmpty());
    EXPECT_TRUE(monitor().writeBar().text().isEmpty());
    EXPECT_EQ(monitor().readBar().value(), 12) << "values still move: 13,002,342 of 100 MB/s";

    settings->setNumber(core::Key::HideBarText, 0);
    settings->setNumber(core::Key::DisableBarFill, 1);
    settings->setText(core::Key::ReadFullScale, "25");
    tick(26214400, 26214400);
    EXPECT_EQ(monitor().readBar().value(), 0);
    EXPECT_EQ(monitor().writeBar().value(), 0);
    EXPECT_FALSE(monitor().readBar().text().isEmpty());
    EXPECT_EQ(gadget.currentTrayPicture(), (LoadBands{LoadBand::High, LoadBand::High}))
        << "bands use the computed percentages";
}

TEST_F(Sampling, GreyedBoxesReadAsTheyAlwaysHave) {
    writeSettings("[main]\ncompact=2\nhidebartext=2\ndisablebarfill=2\n");
    start();
    tick(5242880, 0);
    EXPECT_EQ(monitor().readBar().text(), QStringLiteral("读: 05.00 MB")) << "a greyed compact box gives short texts";
    EXPECT_EQ(monitor().heightTwips(), 375) << "but keeps the layout it loaded with";
    EXPECT_EQ(monitor().readBar().value(), 0) << "a greyed empty-bars box empties them";
}

TEST_F(Sampling, TrayPictureFollowsTheBandPair) {
    auto& gadget = start();
    const double mb = 1048576.0;
    tick(0.8 * 25 * mb, 0.1 * 25 * mb);
    EXPECT_EQ(gadget.currentTrayPicture(), (LoadBands{LoadBand::High, LoadBand::Low}));
    tick(0.5 * 25 * mb, 0.74 * 25 * mb);
    EXPECT_EQ(gadget.currentTrayPicture(), (LoadBands{LoadBand::Middle, LoadBand::Middle}));
    tick(0.49 * 25 * mb, 0.75 * 25 * mb);
    EXPECT_EQ(gadget.currentTrayPicture(), (LoadBands{LoadBand::Low, LoadBand::High}));
    tick(0, 0);
    EXPECT_EQ(gadget.currentTrayPicture(), (LoadBands{LoadBand::Low, LoadBand::Low}));
    EXPECT_EQ(gadget.tray().toolTip(),
              QStringLiteral("Oruvel v1.1.0\r\nDrive: _Total\r\nDrive Read: 0 Bytes/s\r\nDrive Write: 0 Bytes/s"));

    // A box cleared to type a new number, or holding no rate, counts as 25 MB/s while it does.
    for (const std::string& noRate :
         {std::string(), std::string("0"), std::string("-3"), std::string("abc"), std::string(400, '9')}) {
        settings->setText(core::Key::WriteFullScale, noRate);
        tick(0, 0);
        EXPECT_EQ(monitor().writeBar().value(), 0) << noRate.size();
        EXPECT_EQ(gadget.currentTrayPicture(), (LoadBands{LoadBand::Low, LoadBand::Low})) << noRate.size();
        tick(0, 20 * mb);
        EXPECT_EQ(monitor().writeBar().value(), 80) << noRate.size();
    }
}

TEST_F(Sampling, HiddenMonitorIsStillUpdated) {
    start();
    settings->setNumber(core::Key::ShowMonitor, 0);
    tick(2048, 0);
    EXPECT_EQ(monitor().readBar().text(), QStringLiteral("Drive Read: 2.00 KB/s"));
}

TEST_F(Sampling, TicksNeverTouchTheSettingsFile) {
    start();
    settings->flush();
    const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(inotify_add_watch(watch, dir.path().c_str(), IN_ALL_EVENTS), 0);
    for (int i = 0; i < 5; ++i) {
        tick(i * 1000.0, i * 2000.0);
    }
    char events[4096];
    const ssize_t got = read(watch, events, sizeof events);
    close(watch);
    EXPECT_LE(got, 0) << "a tick opened or changed something in the program folder";
}
