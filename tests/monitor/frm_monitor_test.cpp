#include "core/program.h"
#include "core/window_position.h"
#include "monitor/frm_monitor.h"
#include "monitor/picture_box.h"
#include "platform/file_registry_store.h"
#include "platform/registry_routines.h"
#include "support/fake_monitor_host.h"
#include "support/temp_dir.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

using namespace oruvel;
using monitor::FrmMonitor;
namespace style = monitor::style;

namespace {

struct MonitorFixture : ::testing::Test {
    test::TempDir dir;
    core::Program program{dir.path(), std::make_unique<platform::FileRegistryStore>(dir.path() + "/reg"), nullptr};
    test::FakeMonitorHost host;
    std::unique_ptr<FrmMonitor> monitor;

    void load() {
        host.magnetic.AddWindow(monitor::windowIdOf(&host.settings), 0);
        monitor = std::make_unique<FrmMonitor>(program, host);
        host.snapSystem.track(monitor.get());
        monitor->Form_Initialize();
        monitor->Form_Load();
    }
    std::string stored(const std::string& name) {
        platform::RegistryRoutines r(program.registry());
        r.KeyRoot = core::kProductKeyRoot;
        r.Subkey = core::kProductKey;
        return platform::regVariantText(r.GetRegistryValue(name));
    }
};

} // namespace

TEST_F(MonitorFixture, LoadsInTheNormalLayoutAtTheBottomOfTheWorkArea) {
    load();
    EXPECT_TRUE(monitor->isVisible()) << "creation shows the window";
    EXPECT_EQ(monitor->size(), QSize(155, 25)) << "2320 x 370 twips at load";
    EXPECT_EQ(monitor->barGeometry(1).top, 180);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(monitor->leftTwips(), (area.right() + 1) * 15 - 2 * monitor->Width());
    EXPECT_EQ(monitor->topTwips(), (area.bottom() + 1) * 15 - monitor->Height());
    EXPECT_EQ(monitor->PB1.Tag(), QStringLiteral("5"));
    EXPECT_TRUE(monitor->PB1.ShowText());
    EXPECT_TRUE(monitor->PB1.hasBarPicture());
    EXPECT_EQ(monitor->windowStyle().exStyle, style::kLayered) << "normal mode is applied at load";
    EXPECT_TRUE(host.magnetic.isRegistered(monitor::windowIdOf(monitor.get())));
}

TEST_F(MonitorFixture, OnlyExactlyOneSelectsTheCompactLayoutAtLoad) {
    // The file's reader trims blanks, so "1 " can only come quoted.
    program.writeSetting(core::keys::compact, "\"1 \"");
    load();
    EXPECT_EQ(monitor->barGeometry(1).top, 180);
    monitor.reset();
    program.writeSetting(core::keys::compact, "true");
    load();
    EXPECT_EQ(monitor->barGeometry(1).top, 180);
    monitor.reset();
    program.writeSetting(core::keys::compact, "1");
    load();
    EXPECT_EQ(monitor->size(), QSize(154, 12));
    EXPECT_EQ(monitor->barGeometry(1).left, 1155);
    EXPECT_EQ(monitor->barGeometry(1).top, 0);
}

TEST_F(MonitorFixture, StoredPositionWinsOverTheDefaultPlace) {
    program.writeSetting(core::keys::compact, "0");
    {
        FrmMonitor dummy(program, host);
        core::SaveWindowPosition(program, dummy, "1500", "3000");
    }
    load();
    EXPECT_EQ(monitor->leftTwips(), 3000);
    EXPECT_EQ(monitor->topTwips(), 1500);
}

TEST_F(MonitorFixture, ModeTransitionsAreExact) {
    load();
    host.transparency = 1;
    host.fadeIn[1] = 175;
    monitor->GoToGhostMode();
    EXPECT_EQ(monitor->GetWindowLong(style::kExStyleIndex), style::kLayered | style::kTransparent);
    EXPECT_EQ(monitor->windowStyle().alpha, 175);
    EXPECT_NEAR(monitor->windowOpacity(), 175.0 / 255.0, 0.01);
    EXPECT_TRUE(monitor->windowHandle()->flags().testFlag(Qt::WindowTransparentForInput));

    // Blend after ghost only adds the layered bit: the click-through bit stays.
    monitor::SetTransparentColor(*monitor, 1);
    EXPECT_EQ(monitor->GetWindowLong(style::kExStyleIndex), style::kLayered | style::kTransparent);
    EXPECT_TRUE(monitor->windowStyle().usesColourKey());

    // Normal only while item 3 is selected.
    monitor->GoToNormalMode();
    EXPECT_EQ(monitor->GetWindowLong(style::kExStyleIndex), style::kLayered | style::kTransparent);
    host.transparency = 3;
    monitor->GoToNormalMode();
    EXPECT_EQ(monitor->GetWindowLong(style::kExStyleIndex), style::kLayered);
    EXPECT_EQ(monitor->windowStyle().alpha, 255);
    EXPECT_DOUBLE_EQ(monitor->windowOpacity(), 1.0);
    EXPECT_FALSE(monitor->windowHandle()->flags().testFlag(Qt::WindowTransparentForInput));
}

TEST_F(MonitorFixture, StayOnTopFollowsTheBoxAndShowsTheWindow) {
    load();
    monitor->hide();
    host.checks[12] = 2;
    monitor->SetOnTopNow();
    EXPECT_FALSE(monitor->isVisible()) << "a greyed box changes nothing, not even visibility";
    host.checks[12] = 1;
    monitor->SetOnTopNow();
    EXPECT_TRUE(monitor->isVisible());
    EXPECT_TRUE(monitor->windowStyle().topmost);
    EXPECT_TRUE(monitor->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    host.checks[12] = 0;
    monitor->SetOnTopNow();
    EXPECT_FALSE(monitor->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(MonitorFixture, SetColorsAppliesFillsOutlineAndBlend) {
    load();
    host.options[1] = true; // read bar: fill colour
    host.options[2] = false;
    host.options[3] = false; // write bar: neither option
    host.options[4] = false;
    host.swatches[8] = 255;
    monitor->SetColors();
    EXPECT_FALSE(monitor->PB1.hasBarPicture());
    EXPECT_EQ(monitor->PB1.BarColor(), 255);
    EXPECT_TRUE(monitor->PB2.hasBarPicture()) << "with neither option the write bar keeps its picture";

    host.checks[8] = 1;
    monitor->SetColors();
    EXPECT_FALSE(monitor->shapeRegion().contains(QPoint(0, 0))) << "rounded corner cut";
    EXPECT_TRUE(monitor->shapeRegion().contains(QPoint(10, 10)));
    host.checks[8] = 0;
    monitor->SetColors();
    EXPECT_TRUE(monitor->shapeRegion().contains(QPoint(0, 0)));

    host.transparency = 2;
    monitor->PB1.Value(0);
    monitor->PB2.Value(50);
    monitor->SetColors();
    EXPECT_EQ(monitor->BackColor(), 1);
    EXPECT_EQ(monitor->PB1.BackColor(), 1);
    EXPECT_EQ(monitor->PB1.ForeColor(), 16777215);
    EXPECT_TRUE(monitor->Timer1().isActive());
    const int calls = host.check4Calls;
    QTest::qWait(400);
    EXPECT_FALSE(monitor->Timer1().isActive()) << "one shot";
    EXPECT_EQ(host.check4Calls, calls + 1);
    EXPECT_TRUE(monitor->windowStyle().usesColourKey());
    EXPECT_EQ(monitor->windowStyle().colourKey, 1);
    // The empty read bar is see-through, the filled half of the write bar is not.
    EXPECT_FALSE(monitor->shapeRegion().contains(QPoint(100, 5)));
    EXPECT_TRUE(monitor->shapeRegion().contains(QPoint(20, 17)));

    // Back to normal: the bars get their colours back, the window's own back colour stays 1.
    host.transparency = 3;
    monitor->SetColors();
    monitor->GoToNormalMode();
    EXPECT_EQ(monitor->PB1.BackColor(), 14737632);
    EXPECT_EQ(monitor->BackColor(), 1);
    EXPECT_FALSE(monitor->windowStyle().usesColourKey());
}

TEST_F(MonitorFixture, DraggingWithTheLeftButtonMovesAndSavesThePosition) {
    load();
    monitor->move(300, 300);
    QWidget* bar = &monitor->PB(0);
    QTest::mousePress(bar, Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 5));
    QTest::mouseMove(bar, QPoint(25, 15));
    EXPECT_TRUE(monitor->dragging()) << "Shift does not matter";
    QTest::mouseMove(bar, QPoint(45, 25));
    // The window has moved with the pointer: the same screen point is now (5, 5) on the bar.
    QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_FALSE(monitor->dragging());
    EXPECT_EQ(monitor->pos(), QPoint(340, 320));
    EXPECT_EQ(stored("FrmMonitor_x"), std::to_string(320 * 15)) << "x holds the top";
    EXPECT_EQ(stored("FrmMonitor_y"), std::to_string(340 * 15));

    monitor->Form_MouseMove(3, 0, 0, 0);
    EXPECT_FALSE(monitor->dragging()) << "left and right together do nothing";
}

TEST_F(MonitorFixture, RightReleaseOpensTheMenuAnywhereOnTheWindow) {
    load();
    QTest::mousePress(&monitor->PB(1), Qt::RightButton, Qt::NoModifier, QPoint(3, 3));
    EXPECT_EQ(host.menuCalls, 0) << "not on the press";
    QTest::mouseRelease(&monitor->PB(1), Qt::RightButton, Qt::NoModifier, QPoint(3, 3));
    EXPECT_EQ(host.menuCalls, 1);
    EXPECT_EQ(host.menuAt, monitor->PB(1).mapToGlobal(QPoint(3, 3)));
    monitor->Form_MouseUp(2, 0, 1, 1);
    EXPECT_EQ(host.menuCalls, 2);
    monitor->Form_MouseUp(1, 0, 1, 1);
    EXPECT_EQ(host.menuCalls, 2);
}

TEST_F(MonitorFixture, UnloadLeavesTheSnappingSet) {
    load();
    monitor->Form_Unload();
    EXPECT_FALSE(host.magnetic.isRegistered(monitor::windowIdOf(monitor.get())));
    EXPECT_FALSE(monitor->isVisible());
}
