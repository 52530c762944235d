#include "look/built_in_fill.h"
#include "monitor/monitor_window.h"
#include "monitor/qt_snap_window_system.h"
#include "monitor/window_snapper.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <functional>
#include <gtest/gtest.h>

using namespace oruvel;
using monitor::MonitorWindow;

namespace {

// A monitor beside a stand-in settings window it is glued to, with the program's default look.
struct MonitorFixture : ::testing::Test {
    QWidget settings;
    monitor::QtSnapWindowSystem snapSystem;
    monitor::WindowSnapper snapper{snapSystem};
    monitor::MonitorLook look = defaultLook();
    monitor::WindowSurface surface = monitor::WindowSurface::Shaped;
    std::unique_ptr<MonitorWindow> monitor;
    int menuCalls = 0;
    QPoint menuAt;
    int blendsFinished = 0;
    int drops = 0;

    static monitor::MonitorLook defaultLook() {
        monitor::MonitorLook l;
        l.colours = {14737632, 0, 12632064, 0, 14737632, 0, 49152, 0};
        l.shown = true;
        return l;
    }
    void load(bool compact = false) {
        snapSystem.track(&settings);
        snapper.addWindow(monitor::windowIdOf(&settings), 0);
        monitor = std::make_unique<MonitorWindow>(snapper, snapSystem, surface);
        QObject::connect(monitor.get(), &MonitorWindow::contextMenuRequested, [this](QPoint at) {
            ++menuCalls;
            menuAt = at;
        });
        QObject::connect(monitor.get(), &MonitorWindow::blendModeFinished, [this] { ++blendsFinished; });
        QObject::connect(monitor.get(), &MonitorWindow::dragFinished, [this] { ++drops; });
        snapSystem.track(monitor.get());
        // As the program starts it: nothing may show the window until the restore is over.
        monitor::MonitorLook loading = look;
        loading.shown = false;
        monitor->setLook(loading);
        monitor->restore(compact);
        snapper.addWindow(monitor::windowIdOf(monitor.get()), monitor::windowIdOf(&settings));
        monitor->finishRestore();
        monitor->applyWindowMode();
        monitor->setLook(look);
    }
    // Changes the look, as the program does after a change of the settings; the monitor applies what changed.
    void change(const std::function<void(monitor::MonitorLook&)>& edit) {
        edit(look);
        monitor->setLook(look);
    }
};

} // namespace

TEST_F(MonitorFixture, LoadsInTheNormalLayoutAtTheBottomOfTheWorkArea) {
    load();
    EXPECT_TRUE(monitor->isVisible()) << "stay-on-top shows the window when the look lets it";
    EXPECT_EQ(monitor->size(), QSize(155, 25)) << "2320 x 370 twips at load";
    EXPECT_EQ(monitor->barGeometry(core::Bar::Write).top, 180);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(monitor->settledSize(), QSize(154, 24)) << "the size the compact box's layout gives";
    EXPECT_EQ(monitor->frameGeometry().left(), area.right() + 1 - 2 * 154) << "placed for the size it settles on";
    EXPECT_EQ(monitor->frameGeometry().top(), area.bottom() + 1 - 24);
    EXPECT_TRUE(monitor->readBar().hasFillPicture());
    EXPECT_FALSE(monitor->windowStyle().clickThrough) << "normal mode is applied at load";
    EXPECT_TRUE(snapper.isRegistered(monitor::windowIdOf(monitor.get())));
}

TEST_F(MonitorFixture, TheCompactLayoutAtLoadIsOneLine) {
    load(true);
    EXPECT_EQ(monitor->size(), QSize(154, 12));
    EXPECT_EQ(monitor->barGeometry(core::Bar::Write).left, 1155);
    EXPECT_EQ(monitor->barGeometry(core::Bar::Write).top, 0);

    // A full compact bar ends in the colour a full bar of the normal layout ends in.
    const QImage fill = look::builtInFillPicture();
    const QColor end = fill.pixelColor(fill.width() - 3, 6);
    monitor->readBar().setValue(100);
    const QColor shown = monitor->readBar().image().pixelColor(monitor->readBar().width() - 2, 6);
    EXPECT_NEAR(shown.red(), end.red(), 40);
    EXPECT_NEAR(shown.green(), end.green(), 40);
    EXPECT_NEAR(shown.blue(), end.blue(), 40);
}

TEST_F(MonitorFixture, AHiddenLookIsNeverShown) {
    look.shown = false;
    load();
    EXPECT_FALSE(monitor->isVisible());
    change([](auto& l) { l.alwaysOnTop = true; });
    EXPECT_TRUE(monitor->windowStyle().alwaysOnTop);
    EXPECT_FALSE(monitor->isVisible());
    change([](auto& l) { l.windowMode = core::WindowMode::Ghost; });
    EXPECT_TRUE(monitor->windowStyle().clickThrough);
    EXPECT_FALSE(monitor->isVisible());
}

TEST_F(MonitorFixture, ModeTransitionsAreExact) {
    load();
    change([](auto& l) {
        l.windowMode = core::WindowMode::Ghost;
        l.ghostOpacity = 175;
    });
    EXPECT_TRUE(monitor->windowStyle().clickThrough);
    EXPECT_EQ(monitor->windowStyle().opacity, 175);
    EXPECT_NEAR(monitor->windowOpacity(), 175.0 / 255.0, 0.01);
    EXPECT_TRUE(monitor->windowHandle()->flags().testFlag(Qt::WindowTransparentForInput));

    // The level of the mode shown applies at once; the other mode's level waits for its mode.
    change([](auto& l) { l.ghostOpacity = 90; });
    EXPECT_EQ(monitor->windowStyle().opacity, 90);
    change([](auto& l) { l.translucentOpacity = 20; });
    EXPECT_EQ(monitor->windowStyle().opacity, 90);

    // Blend after ghost keys out the margin once the bars show the key colour; the click-through state stays.
    change([](auto& l) { l.windowMode = core::WindowMode::BlendIntoDesktop; });
    EXPECT_TRUE(monitor->isBlendPending());
    QTest::qWait(400);
    EXPECT_EQ(blendsFinished, 1);
    EXPECT_TRUE(monitor->windowStyle().clickThrough);
    EXPECT_EQ(monitor->windowStyle().colourKey, std::optional<core::Colour>(1));
    EXPECT_EQ(monitor->windowStyle().opacity, 255);

    change([](auto& l) { l.windowMode = core::WindowMode::Translucent; });
    EXPECT_FALSE(monitor->windowStyle().clickThrough);
    EXPECT_FALSE(monitor->windowStyle().colourKey.has_value());
    EXPECT_EQ(monitor->windowStyle().opacity, 20);

    change([](auto& l) { l.windowMode = core::WindowMode::Normal; });
    EXPECT_FALSE(monitor->windowStyle().clickThrough);
    EXPECT_EQ(monitor->windowStyle().opacity, 255);
    EXPECT_DOUBLE_EQ(monitor->windowOpacity(), 1.0);
    EXPECT_FALSE(monitor->windowHandle()->flags().testFlag(Qt::WindowTransparentForInput));
}

TEST_F(MonitorFixture, StayOnTopFollowsTheBoxAndShowsTheWindow) {
    load();
    monitor->hide();
    change([](auto& l) { l.alwaysOnTop = std::nullopt; });
    EXPECT_FALSE(monitor->isVisible()) << "a greyed box changes nothing, not even visibility";
    change([](auto& l) { l.alwaysOnTop = true; });
    EXPECT_TRUE(monitor->isVisible());
    EXPECT_TRUE(monitor->windowStyle().alwaysOnTop);
    EXPECT_TRUE(monitor->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    change([](auto& l) { l.alwaysOnTop = false; });
    EXPECT_FALSE(monitor->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(MonitorFixture, ALookAppliesFillsOutlineLayoutAndBlend) {
    load();
    change([](auto& l) {
        l.fills = {core::FillMode::Colour, core::FillMode::Neither};
        l.colours[core::indexOf(core::ColourRole::ReadFill)] = 255;
    });
    EXPECT_FALSE(monitor->readBar().hasFillPicture());
    EXPECT_EQ(monitor->readBar().fillColour(), QColor(255, 0, 0));
    EXPECT_TRUE(monitor->writeBar().hasFillPicture()) << "with neither option the write bar keeps its picture";

    change([](auto& l) { l.roundCorners = true; });
    EXPECT_FALSE(monitor->shapeRegion().contains(QPoint(0, 0))) << "rounded corner cut";
    EXPECT_TRUE(monitor->shapeRegion().contains(QPoint(10, 10)));
    change([](auto& l) { l.roundCorners = false; });
    EXPECT_TRUE(monitor->shapeRegion().contains(QPoint(0, 0)));

    change([](auto& l) { l.compact = true; });
    EXPECT_EQ(monitor->size(), QSize(154, 12));
    change([](auto& l) { l.compact = std::nullopt; });
    EXPECT_EQ(monitor->size(), QSize(154, 12)) << "a greyed box keeps the layout";
    change([](auto& l) { l.compact = false; });
    EXPECT_EQ(monitor->size(), QSize(154, 24));

    monitor->readBar().setValue(0);
    monitor->writeBar().setValue(50);
    change([](auto& l) { l.windowMode = core::WindowMode::BlendIntoDesktop; });
    EXPECT_EQ(monitor->marginColour(), 1);
    EXPECT_EQ(monitor->readBar().backgroundColour(), QColor(1, 0, 0));
    EXPECT_EQ(monitor->readBar().textColour(), QColor(Qt::white));
    EXPECT_TRUE(monitor->isBlendPending());
    QTest::qWait(400);
    EXPECT_FALSE(monitor->isBlendPending()) << "one shot";
    EXPECT_EQ(blendsFinished, 1);
    EXPECT_EQ(monitor->windowStyle().colourKey, std::optional<core::Colour>(1));
    // The empty read bar is see-through, the filled half of the write bar is not.
    EXPECT_FALSE(monitor->shapeRegion().contains(QPoint(100, 5)));
    EXPECT_TRUE(monitor->shapeRegion().contains(QPoint(20, 17)));

    // Back to normal: the bars get their colours back, the window's own back colour stays 1.
    change([](auto& l) { l.windowMode = core::WindowMode::Normal; });
    EXPECT_EQ(monitor->readBar().backgroundColour(), QColor(224, 224, 224));
    EXPECT_EQ(monitor->marginColour(), 1);
    EXPECT_FALSE(monitor->windowStyle().colourKey.has_value());
}

// Where a compositor shows alpha: the corners are smoothed, blend mode's key colour is see-through, and the shape
// (for clicks, and window managers that drop alpha) takes every pixel that shows at all.
TEST_F(MonitorFixture, ASeeThroughSurfaceSmoothsTheCornersAndShowsNoKeyColour) {
    surface = monitor::WindowSurface::SeeThrough;
    load();
    // The window's own pixels (its margin) with its bars' pictures over them.
    const auto shown = [this] {
        QImage image(monitor->size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        monitor->render(&image, QPoint(), QRegion(), {});
        QPainter p(&image);
        for (monitor::RateBar* bar : {&monitor->readBar(), &monitor->writeBar()}) {
            p.drawImage(bar->geometry().topLeft(), bar->image());
        }
        return image;
    };
    EXPECT_TRUE(monitor->testAttribute(Qt::WA_TranslucentBackground));
    QImage image = shown();
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << "the corner";
    EXPECT_GT(qAlpha(image.pixel(1, 0)), 0) << "the corner's edge is smoothed";
    EXPECT_LT(qAlpha(image.pixel(1, 0)), 255);
    EXPECT_EQ(qAlpha(image.pixel(10, 10)), 255);
    EXPECT_FALSE(monitor->shapeRegion().contains(QPoint(0, 0)));
    EXPECT_TRUE(monitor->shapeRegion().contains(QPoint(1, 0)));

    change([](auto& l) { l.roundCorners = false; });
    EXPECT_EQ(qAlpha(shown().pixel(0, 0)), 255);
    EXPECT_TRUE(monitor->shapeRegion().contains(QPoint(0, 0)));

    monitor->readBar().setValue(0);
    monitor->writeBar().setValue(50);
    change([](auto& l) { l.windowMode = core::WindowMode::BlendIntoDesktop; });
    QTest::qWait(400);
    ASSERT_EQ(blendsFinished, 1);
    image = shown();
    EXPECT_EQ(qAlpha(image.pixel(100, 5)), 0) << "the empty read bar";
    EXPECT_EQ(qAlpha(image.pixel(20, 17)), 255) << "the write bar's fill";
    EXPECT_FALSE(monitor->shapeRegion().contains(QPoint(100, 5)));
    EXPECT_TRUE(monitor->shapeRegion().contains(QPoint(20, 17)));
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            const QRgb pixel = image.pixel(x, y);
            ASSERT_FALSE(qAlpha(pixel) == 255 && qRed(pixel) == 1 && qGreen(pixel) == 0 && qBlue(pixel) == 0)
                << "the key colour shows at " << x << "," << y;
        }
    }

    change([](auto& l) { l.windowMode = core::WindowMode::Normal; });
    EXPECT_EQ(qAlpha(shown().pixel(100, 5)), 255) << "the bars are whole again";
    EXPECT_TRUE(monitor->shapeRegion().contains(QPoint(100, 5)));
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
    EXPECT_EQ(drops, 1) << "the drop is told, for its place to be stored";

    QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QMouseEvent both(QEvent::MouseMove, QPointF(25, 15), bar->mapToGlobal(QPointF(25, 15)), Qt::NoButton,
                     Qt::LeftButton | Qt::RightButton, Qt::NoModifier);
    QCoreApplication::sendEvent(monitor.get(), &both);
    EXPECT_FALSE(monitor->isDragging()) << "left and right together do nothing";
}

TEST_F(MonitorFixture, RightReleaseOpensTheMenuAnywhereOnTheWindow) {
    load();
    QTest::mousePress(&monitor->writeBar(), Qt::RightButton, Qt::NoModifier, QPoint(3, 3));
    EXPECT_EQ(menuCalls, 0) << "not on the press";
    QTest::mouseRelease(&monitor->writeBar(), Qt::RightButton, Qt::NoModifier, QPoint(3, 3));
    EXPECT_EQ(menuCalls, 1);
    EXPECT_EQ(menuAt, monitor->writeBar().mapToGlobal(QPoint(3, 3)));
    QTest::mouseClick(monitor.get(), Qt::RightButton, Qt::NoModifier, QPoint(1, 1));
    EXPECT_EQ(menuCalls, 2) << "the margin opens it too";
    QTest::mouseClick(monitor.get(), Qt::LeftButton, Qt::NoModifier, QPoint(1, 1));
    EXPECT_EQ(menuCalls, 2);
}

TEST_F(MonitorFixture, ShutDownLeavesTheSnappingSet) {
    load();
    monitor->shutDown();
    EXPECT_FALSE(snapper.isRegistered(monitor::windowIdOf(monitor.get())));
    EXPECT_FALSE(monitor->isVisible());
}
