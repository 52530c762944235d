#include "support/settings_fixture.h"

#include "settings_ui/full_scale_edit.h"
#include "settings_ui/setting_widgets.h"

#include <sys/inotify.h>
#include <unistd.h>

using namespace oruvel;
using core::LoadBand;
using core::LoadBands;

using Sampling = test::SettingsFixture;

TEST_F(Sampling, TextsAndPercentagesFollowTheOptions) {
    auto& window = start();
    window.readFullScaleEdit->setText(QStringLiteral("100"));
    tick(0, 0);
    EXPECT_EQ(monitor().readBar().text(), QStringLiteral("Drive Read: 0 Bytes/s"));
    tick(123456789, 5242880);
    EXPECT_EQ(monitor().readBar().text(), QStringLiteral("Drive Read: 117.74 MB/s"));
    EXPECT_EQ(monitor().readBar().value(), 100) << "117.7 percent is held at 100";
    EXPECT_EQ(monitor().writeBar().text(), QStringLiteral("Drive Write: 5.00 MB/s"));
    EXPECT_EQ(monitor().writeBar().value(), 20);
    window.writeFullScaleEdit->setText(QStringLiteral("50"));
    tick(123456789, 5242880);
    EXPECT_EQ(monitor().writeBar().value(), 10) << "a new full scale with the same rates";
    window.writeFullScaleEdit->setText(QStringLiteral("25"));

    window.compactModeCheckBox->setValue(1);
    window.applyCompactMode();
    tick(5242880, 0);
    EXPECT_EQ(monitor().readBar().text(), QStringLiteral("读: 05.00 MB"));
    EXPECT_EQ(monitor().writeBar().text(), QStringLiteral("写: 00.00 MB"));

    window.hideBarTextCheckBox->setValue(1);
    tick(13002342, 0);
    EXPECT_TRUE(monitor().readBar().text().isEmpty());
    EXPECT_TRUE(monitor().writeBar().text().isEmpty());
    EXPECT_EQ(monitor().readBar().value(), 12) << "values still move: 13,002,342 of 100 MB/s";

    window.hideBarTextCheckBox->setValue(0);
    window.disableBarFillCheckBox->setValue(1);
    window.readFullScaleEdit->setText(QStringLiteral("25"));
    tick(26214400, 26214400);
    EXPECT_EQ(monitor().readBar().value(), 0);
    EXPECT_EQ(monitor().writeBar().value(), 0);
    EXPECT_FALSE(monitor().readBar().text().isEmpty());
    EXPECT_EQ(window.currentTrayPicture(), (LoadBands{LoadBand::High, LoadBand::High}))
        << "bands use the computed percentages";
    EXPECT_EQ(tray.iconChanges, 4) << "the icon is sent at start and then only when the picture changes";
}

TEST_F(Sampling, TrayPictureFollowsTheBandPair) {
    auto& window = start();
    const double mb = 1048576.0;
    tick(0.8 * 25 * mb, 0.1 * 25 * mb);
    EXPECT_EQ(window.currentTrayPicture(), (LoadBands{LoadBand::High, LoadBand::Low}));
    tick(0.5 * 25 * mb, 0.74 * 25 * mb);
    EXPECT_EQ(window.currentTrayPicture(), (LoadBands{LoadBand::Middle, LoadBand::Middle}));
    tick(0.49 * 25 * mb, 0.75 * 25 * mb);
    EXPECT_EQ(window.currentTrayPicture(), (LoadBands{LoadBand::Low, LoadBand::High}));
    tick(0, 0);
    EXPECT_EQ(window.currentTrayPicture(), (LoadBands{LoadBand::Low, LoadBand::Low}));
    EXPECT_FALSE(tray.icon.isNull());
    EXPECT_TRUE(tray.toolTip.endsWith(QStringLiteral("Drive Write: 0 Bytes/s")));
    const int toolTips = tray.toolTipChanges;
    tick(0, 0);
    EXPECT_EQ(tray.toolTipChanges, toolTips) << "an idle cycle changes no text and sends no tooltip";

    window.writeFullScaleEdit->setText(QString());
    tick(0, 0);
    EXPECT_EQ(monitor().writeBar().value(), 100) << "an emptied full scale gives a full bar";
    EXPECT_EQ(window.currentTrayPicture(), (LoadBands{LoadBand::Low, LoadBand::High}));
}

TEST_F(Sampling, HiddenMonitorIsStillUpdated) {
    auto& window = start();
    window.showMonitorCheckBox->setValue(0);
    window.applyMonitorVisibility();
    tick(2048, 0);
    EXPECT_EQ(monitor().readBar().text(), QStringLiteral("Drive Read: 2.00 KB/s"));
}

TEST_F(Sampling, TicksNeverTouchTheSettingsFile) {
    start();
    program.flushSettings();
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
