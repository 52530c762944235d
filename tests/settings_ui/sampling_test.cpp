#include "support/fake_clock.h"
#include "support/settings_fixture.h"

#include "settings_ui/rate_text_box.h"
#include "settings_ui/vb_controls.h"

#include <sys/inotify.h>
#include <unistd.h>

using namespace oruvel;

using Sampling = test::SettingsFixture;

TEST_F(Sampling, TextsAndPercentagesFollowTheOptions) {
    auto& frm = start();
    frm.Text1->setText(QStringLiteral("100"));
    tick(0, 0);
    EXPECT_EQ(monitor().PB1.Text(), QStringLiteral("Drive Read: 0 Bytes/s"));
    tick(123456789, 5242880);
    EXPECT_EQ(monitor().PB1.Text(), QStringLiteral("Drive Read: 117.74 MB/s"));
    EXPECT_EQ(monitor().PB1.Value(), 100) << "117.7 percent is held at 100";
    EXPECT_EQ(monitor().PB2.Text(), QStringLiteral("Drive Write: 5.00 MB/s"));
    EXPECT_EQ(monitor().PB2.Value(), 20);
    frm.Text2->setText(QStringLiteral("50"));
    tick(123456789, 5242880);
    EXPECT_EQ(monitor().PB2.Value(), 10) << "a new full scale with the same rates";
    frm.Text2->setText(QStringLiteral("25"));

    frm.Check3->setValue(1);
    frm.Check3_MouseUp(1, 0, 0, 0);
    tick(5242880, 0);
    EXPECT_EQ(monitor().PB1.Text(), QStringLiteral("读: 05.00 MB"));
    EXPECT_EQ(monitor().PB2.Text(), QStringLiteral("写: 00.00 MB"));

    frm.Check7->setValue(1);
    tick(13002342, 0);
    EXPECT_TRUE(monitor().PB1.Text().isEmpty());
    EXPECT_TRUE(monitor().PB2.Text().isEmpty());
    EXPECT_EQ(monitor().PB1.Value(), 12) << "values still move: 13,002,342 of 100 MB/s";

    frm.Check7->setValue(0);
    frm.Check5->setValue(1);
    frm.Text1->setText(QStringLiteral("25"));
    tick(26214400, 26214400);
    EXPECT_EQ(monitor().PB1.Value(), 0);
    EXPECT_EQ(monitor().PB2.Value(), 0);
    EXPECT_FALSE(monitor().PB1.Text().isEmpty());
    EXPECT_EQ(frm.trayImageNumber(), 8) << "bands use the computed percentages";
    EXPECT_EQ(tray.iconNumber, 8);
}

TEST_F(Sampling, TrayPictureFollowsTheBandPair) {
    auto& frm = start();
    const double mb = 1048576.0;
    tick(0.8 * 25 * mb, 0.1 * 25 * mb);
    EXPECT_EQ(frm.trayImageNumber(), 4);
    tick(0.5 * 25 * mb, 0.74 * 25 * mb);
    EXPECT_EQ(frm.trayImageNumber(), 7);
    tick(0.49 * 25 * mb, 0.75 * 25 * mb);
    EXPECT_EQ(frm.trayImageNumber(), 6);
    tick(0, 0);
    EXPECT_EQ(frm.trayImageNumber(), 2);
    EXPECT_EQ(tray.iconNumber, 2);

    frm.Text2->setText(QString());
    tick(0, 0);
    EXPECT_EQ(monitor().PB2.Value(), 100) << "an emptied full scale gives a full bar";
    EXPECT_EQ(frm.trayImageNumber(), 6);
}

TEST_F(Sampling, QuickCycleMakesNoExtraEventLoopPass) {
    start();
    static test::FakeClock clock; // outlives the fixture's program
    program.setClock(clock);
    int passes = 0;
    program.setMessagePump([&passes] {
        ++passes;
        QCoreApplication::processEvents();
    });
    tick(1000, 2000);
    clock.now += 0.5;
    tick(1000, 2000);
    program.setMessagePump([] { QCoreApplication::processEvents(); });
    EXPECT_EQ(passes, 0);
    EXPECT_EQ(monitor().PB2.Text(), QStringLiteral("Drive Write: 1.95 KB/s"));
}

TEST_F(Sampling, HiddenMonitorIsStillUpdated) {
    auto& frm = start();
    frm.Check4->setValue(0);
    frm.Check4_MouseUp(1, 0, 0, 0);
    tick(2048, 0);
    EXPECT_EQ(monitor().PB1.Text(), QStringLiteral("Drive Read: 2.00 KB/s"));
}

TEST_F(Sampling, TicksNeverTouchTheSettingsFile) {
    start();
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
