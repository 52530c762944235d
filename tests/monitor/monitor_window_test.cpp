#include "core/program.h"
#include "core/window_position.h"
#include "monitor/monitor_window.h"
#include "platform/file_registry_store.h"
#include "platform/registry_routines.h"
#include "support/fake_monitor_settings.h"
#include "support/temp_dir.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

using namespace oruvel;
using monitor::MonitorWindow;

namespace {

struct MonitorFixture : ::testing::Test {
    test::TempDir dir;
    core::Program program{dir.path(), std::make_unique<platform::FileRegistryStore>(dir.path() + "/reg"), nullptr};
    test::FakeMonitorSettings host;
    std::unique_ptr<MonitorWindow> monitor;

    void load() {
        host.snapper.addWindow(monitor::windowIdOf(&host.settings), 0);
        monitor = std::make_unique<MonitorWindow>(program, host);
        host.snapSystem.track(monitor.get());
        monitor->applyAlwaysOnTop();
        monitor->restore();
    }
    std::string stored(const std::string& name) {
        platform::RegistryKey r(program.registry());
        r.parentPath = core::kProductKeyRoot;
        r.name = core::kProductKey;
        return platform::valueText(r.value(name));
    }
};

} // namespace

TEST_F(MonitorFixture, LoadsInTheNormalLayoutAtTheBottomOfTheWorkArea) {
    load();
    EXPECT_TRUE(monitor->isVisible()) << "creation shows the window";
    EXPECT_EQ(monitor->size(), QSize(155, 25)) << "2320 x 370 twips at load";
    EXPECT_EQ(monitor->barGeometry(core::Bar::Write).top, 180);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(monitor->leftTwips(), (area.right() + 1) * 15 - 2 * monitor->widthTwips());
    EXPECT_EQ(monitor->topTwips(), (area.bottom() + 1) * 15 - monitor->heightTwips());
    EXPECT_TRUE(monitor->readBar().isTextVisible());
    EXPECT_TRUE(monitor->readBar().hasFillPicture());
    EXPECT_FALSE(monitor->windowStyle().clickThrough) << "normal mode is applied at load";
    EXPECT_TRUE(host.snapper.isRegistered(monitor::windowIdOf(monitor.get())));
}

TEST_F(MonitorFixture, OnlyExactlyOneSelectsTheCompactLayoutAtLoad) {
    // The file's reader trims blanks, so "1 " can only come quoted.
    program.writeSetting(core::keys::compactMode, "\"1 \"");
    load();
    EXPECT_EQ(monitor->barGeometry(core::Bar::Write).top, 180);
    monitor.reset();
    program.writeSetting(core::keys::compactMode, "true");
    load();
    EXPECT_EQ(monitor->barGeometry(core::Bar::Write).top, 180);
    monitor.reset();
    program.writeSetting(core::keys::compactMode, "1");
    load();
    EXPECT_EQ(monitor->size(), QSize(154, 12));
    EXPECT_EQ(monitor->barGeometry(core::Bar::Write).left, 1155);
    EXPECT_EQ(monitor->barGeometry(core::Bar::Write).top, 0);
}

TEST_F(MonitorFixture, StoredPositionWinsOverTheDefaultPlace) {
    program.writeSetting(core::keys::compactMode, "0");
    {
        MonitorWindow dummy(program, host);
        dummy.moveTwips(3000, 1500);
        core::saveWindowPosition(program, dummy);
    }
    load();
    EXPECT_EQ(monitor->leftTwips(), 3000);
    EXPECT_EQ(monitor->topTwips(), 1500);
}

TEST_F(MonitorFixture, ModeTransitionsAreExact) {
    load();
    host.mode = core::WindowMode::Ghost;
    host.ghostOpacity = 175;
    monitor->enterGhostMode();
    EXPECT_TRUE(monitor->windowStyle().clickThrough);
    EXPECT_EQ(monitor->windowStyle().opacity, 175);
    EXPECT_NEAR(monitor->windowOpacity(), 175.0 / 255.0, 0.01);
    EXPECT_TRUE(monitor->windowHandle()->flags().testFlag(Qt::WindowTransparentForInput));

    // Blend after ghost only adds the layered bit: the click-through bit stays.
    monitor->setColourKey(1);
    EXPECT_TRUE(monitor->windowStyle().clickThrough);
    EXPECT_TRUE(monitor->windowStyle().colourKey.has_value());

    // Normal only while the normal mode is selected.
    monitor->enterNormalMode();
    EXPECT_TRUE(monitor->windowStyle().clickThrough);
    host.mode = core::WindowMode::Normal;
    monitor->enterNormalMode();
    EXPECT_FALSE(monitor->windowStyle().clickThrough);
    EXPECT_EQ(monitor->windowStyle().opacity, 255);
    EXPECT_DOUBLE_EQ(monitor->windowOpacity(), 1.0);
    EXPECT_FALSE(monitor->windowHandle()->flags().testFlag(Qt::WindowTransparentForInput));
}

TEST_F(MonitorFixture, StayOnTopFollowsTheBoxAndShowsTheWindow) {
    load();
    monitor->hide();
    host.onTop = std::nullopt;
    monitor->applyAlwaysOnTop();
    EXPECT_FALSE(monitor->isVisible()) << "a greyed box changes nothing, not even visibility";
    host.onTop = true;
    monitor->applyAlwaysOnTop();
    EXPECT_TRUE(monitor->isVisible());
    EXPECT_TRUE(monitor->windowStyle().alwaysOnTop);
    EXPECT_TRUE(monitor->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    host.onTop = false;
    monitor->applyAlwaysOnTop();
    EXPECT_FALSE(monitor->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(MonitorFixture, SetColorsAppliesFillsOutlineAndBlend) {
    load();
    host.fills[0] = core::FillMode::Colour;
    host.fills[1] = core::FillMode::Neither;
    host.colours[core::ColourRole::ReadFill] = 255;
    monitor->applyAppearance();
    EXPECT_FALSE(monitor->readBar().hasFillPicture());
    EXPECT_EQ(monitor->readBar().fillColour(), 255);
    EXPECT_TRUE(monitor->writeBar().hasFillPicture()) << "with neither option the write bar keeps its picture";

    host.rounded = true;
    monitor->applyAppearance();
    EXPECT_FALSE(monitor->shapeRegion().contains(QPoint(0, 0))) << "rounded corner cut";
    EXPECT_TRUE(monitor->shapeRegion().contains(QPoint(10, 10)));
    host.rounded = false;
    monitor->applyAppearance();
    EXPECT_TRUE(monitor->shapeRegion().contains(QPoint(0, 0)));

    host.mode = core::WindowMode::BlendIntoDesktop;
    monitor->readBar().setValue(0);
    monitor->writeBar().setValue(50);
    monitor->applyAppearance();
    EXPECT_EQ(monitor->marginColour(), 1);
    EXPECT_EQ(monitor->readBar().backgroundColour(), 1);
    EXPECT_EQ(monitor->readBar().textColour(), 16777215);
    EXPECT_TRUE(monitor->isBlendPending());
    const int calls = host.visibilityCalls;
    QTest::qWait(400);
    EXPECT_FALSE(monitor->isBlendPending()) << "one shot";
    EXPECT_EQ(host.visibilityCalls, calls + 1);
    EXPECT_TRUE(monitor->windowStyle().colourKey.has_value());
    EXPECT_EQ(monitor->windowStyle().colourKey, std::optional<core::Colour>(1));
    // The empty read bar is see-through, the filled half of the write bar is not.
    EXPECT_FALSE(monitor->shapeRegion().contains(QPoint(100, 5)));
    EXPECT_TRUE(monitor->shapeRegion().contains(QPoint(20, 17)));

    // Back to normal: the bars get their colours back, the window's own back colour stays 1.
    host.mode = core::WindowMode::Normal;
    monitor->applyAppearance();
    monitor->enterNormalMode();
    EXPECT_EQ(monitor->readBar().backgroundColour(), 14737632);
    EXPECT_EQ(monitor->marginColour(), 1);
    EXPECT_FALSE(monitor->windowStyle().colourKey.has_value());
}

TEST_F(MonitorFixture, DraggingWithTheLeftButtonMovesAndSavesThePosition) {
    load();
    monitor->move(300, 300);
    QWidget* bar = &monitor->readBar();
    QTest::mousePress(bar, Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 5));
    QTest::mouseMove(bar, QPoint(25, 15));
    EXPECT_TRUE(monitor->isDragging()) << "Shift does not matter";
    QTest::mouseMove(bar, QPoint(45, 25));
    // The window has moved with the pointer: the same screen point is now (5, 5) on the bar.
    QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_FALSE(monitor->isDragging());
    EXPECT_EQ(monitor->pos(), QPoint(340, 320));
    EXPECT_EQ(stored("FrmMonitor_x"), std::to_string(320 * 15)) << "x holds the top";
    EXPECT_EQ(stored("FrmMonitor_y"), std::to_string(340 * 15));

    QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QMouseEvent both(QEvent::MouseMove, QPointF(25, 15), bar->mapToGlobal(QPointF(25, 15)), Qt::NoButton,
                     Qt::LeftButton | Qt::RightButton, Qt::NoModifier);
    QCoreApplication::sendEvent(monitor.get(), &both);
    EXPECT_FALSE(monitor->isDragging()) << "left and right together do nothing";
}

TEST_F(MonitorFixture, RightReleaseOpensTheMenuAnywhereOnTheWindow) {
    load();
    QTest::mousePress(&monitor->writeBar(), Qt::RightButton, Qt::NoModifier, QPoint(3, 3));
    EXPECT_EQ(host.menuCalls, 0) << "not on the press";
    QTest::mouseRelease(&monitor->writeBar(), Qt::RightButton, Qt::NoModifier, QPoint(3, 3));
    EXPECT_EQ(host.menuCalls, 1);
    EXPECT_EQ(host.menuAt, monitor->writeBar().mapToGlobal(QPoint(3, 3)));
    QTest::mouseClick(monitor.get(), Qt::RightButton, Qt::NoModifier, QPoint(1, 1));
    EXPECT_EQ(host.menuCalls, 2) << "the margin opens it too";
    QTest::mouseClick(monitor.get(), Qt::LeftButton, Qt::NoModifier, QPoint(1, 1));
    EXPECT_EQ(host.menuCalls, 2);
}

TEST_F(MonitorFixture, ShutDownLeavesTheSnappingSet) {
    load();
    monitor->shutDown();
    EXPECT_FALSE(host.snapper.isRegistered(monitor::windowIdOf(monitor.get())));
    EXPECT_FALSE(monitor->isVisible());
}
