// The disk-activity window as the gadget opens, drives and closes it: what it lists and draws, what it reads and
// when, its settings and its place.
#include "activity/history_graph.h"
#include "support/fake_clock.h"
#include "support/gadget_fixture.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QSpinBox>
#include <QTableWidget>

using namespace oruvel;

namespace {

// Every disk's activity as the test sets it; counts how many are open and how often they were read.
struct FakeDisks final : platform::DiskActivitySource {
    struct Shared {
        std::vector<platform::DiskActivityReading> readings;
        int open = 0;
        int opened = 0;
        int collections = 0;
    };
    explicit FakeDisks(Shared& shared) : shared_(shared) {
        ++shared_.open;
        ++shared_.opened;
    }
    ~FakeDisks() override { --shared_.open; }
    void collect() override { ++shared_.collections; }
    const std::vector<platform::DiskActivityReading>& disks() const override { return shared_.readings; }
    Shared& shared_;
};

struct FakeProcesses final : platform::ProcessIoSource {
    struct Shared {
        platform::ProcessScan next;
        int open = 0;
    };
    explicit FakeProcesses(Shared& shared) : shared_(shared) { ++shared_.open; }
    ~FakeProcesses() override { --shared_.open; }
    void scan(platform::ProcessScan& scan) override { scan = shared_.next; }
    Shared& shared_;
};

struct DiskActivity : test::GadgetFixture {
    FakeDisks::Shared disks;
    FakeProcesses::Shared processes;
    test::FakeClock clock;

    DiskActivity() {
        activity.openDisks = [this] { return std::make_unique<FakeDisks>(disks); };
        activity.openProcesses = [this] { return std::make_unique<FakeProcesses>(processes); };
        activity.listDisks = [] {
            return std::vector<platform::DiskInfo>{
                {"nvme0n1", "Samsung SSD 980 1TB", 1000204886016ULL, {{"/", ""}, {"/home", "HOME"}}},
                {"sda", "", 0, {}}};
        };
        activity.clock = &clock;
        disks.readings = {{"nvme0n1", {}, true}, {"sda", {}, true}};
    }

    activity::DiskActivityWindow* open(app::Gadget& g) {
        QAction* action = g.menu().menu()->findChild<QAction*>(QStringLiteral("diskActivityAction"));
        EXPECT_NE(action, nullptr);
        action->trigger();
        QCoreApplication::processEvents(); // commands run once the menu has closed
        return g.diskActivityWindow();
    }
    void second() {
        clock.now += 1;
        gadget->sampleRates();
    }
    template <typename T> T* part(const char* name) {
        T* found = gadget->diskActivityWindow()->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QString cell(const char* table, int row, int column) {
        const QTableWidgetItem* item = part<QTableWidget>(table)->item(row, column);
        return item != nullptr ? item->text() : QString();
    }
};

} // namespace

TEST_F(DiskActivity, NothingMoreIsReadWhileClosedAndTheMinuteJustPastShowsAtOnce) {
    auto& g = start();
    for (int i = 0; i < 70; ++i) {
        tick(2 * 1048576.0, 1048576.0);
    }
    EXPECT_EQ(disks.opened, 0) << "the window's sources are opened only with it";
    EXPECT_EQ(processes.open, 0);
    EXPECT_EQ(g.history().size(), core::RateHistory::kSeconds);

    activity::DiskActivityWindow* w = open(g);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->windowTitle(), QStringLiteral("磁盘活动"));
    EXPECT_EQ(disks.open, 1);
    EXPECT_EQ(processes.open, 1);
    EXPECT_EQ(w->chosenDisk(), "_Total") << "the monitor's disk is chosen";
    EXPECT_TRUE(part<QLabel>("graphTitle")->text().endsWith(QStringLiteral("_Total")));
    EXPECT_TRUE(
        part<activity::HistoryGraph>("historyGraph")->accessibleDescription().contains(QStringLiteral("2.00 MB/s")))
        << "the minute before the window opened is drawn";

    const int collected = disks.collections;
    second();
    EXPECT_EQ(disks.collections, collected + 1) << "driven by the gadget's second";

    w->close();
    QCoreApplication::processEvents();
    EXPECT_EQ(g.diskActivityWindow(), nullptr);
    EXPECT_EQ(disks.open, 0) << "a closed window reads nothing";
    EXPECT_EQ(processes.open, 0);
    tick(0, 0);
    EXPECT_EQ(disks.opened, 1);
}

TEST_F(DiskActivity, EveryDiskByItsNameMountsAndFiguresAndTheBusiestPrograms) {
    auto& g = start();
    ASSERT_NE(open(g), nullptr);
    disks.readings[0].activity = {3 * 1048576.0, 0, 42.4, 0.5, 0, 120, 0, 1};
    disks.readings[1].activity = {0, 1048576.0, 90, 0, 12.26, 0, 30, 4};
    processes.next.allProcesses = false;
    processes.next.processes = {{17, 5, "dd", 0, 0}, {18, 5, "cp", 0, 0}};
    second();
    processes.next.processes = {{17, 5, "dd", 0, 4 * 1048576}, {18, 5, "cp", 1048576, 0}};
    second();

    EXPECT_EQ(cell("diskTable", 0, 0), QStringLiteral("全部磁盘 (_Total)"));
    EXPECT_EQ(cell("diskTable", 1, 0),
              QStringLiteral("nvme0n1 \u2014 Samsung SSD 980 1TB (1.0 TB) \u2014 /, /home (HOME)"));
    EXPECT_EQ(cell("diskTable", 2, 0), QStringLiteral("sda"));
    EXPECT_EQ(cell("diskTable", 1, 1), QStringLiteral("3.00 MB/s"));
    EXPECT_EQ(cell("diskTable", 1, 3), QStringLiteral("42 %"));
    EXPECT_EQ(cell("diskTable", 1, 4), QStringLiteral("0.50 ms"));
    EXPECT_EQ(cell("diskTable", 2, 5), QStringLiteral("12.3 ms"));
    EXPECT_EQ(cell("diskTable", 2, 7), QStringLiteral("30"));
    EXPECT_EQ(cell("diskTable", 0, 3), QStringLiteral("90 %")) << "the total is as busy as its busiest disk";
    EXPECT_EQ(cell("diskTable", 0, 8), QStringLiteral("5"));

    EXPECT_EQ(cell("processTable", 0, 0), QStringLiteral("dd"));
    EXPECT_EQ(cell("processTable", 0, 1), QStringLiteral("17"));
    EXPECT_EQ(cell("processTable", 0, 3), QStringLiteral("4.00 MB/s"));
    EXPECT_EQ(cell("processTable", 1, 0), QStringLiteral("cp"));
    EXPECT_TRUE(part<QGroupBox>("processGroup")->title().contains(QStringLiteral("你的程序")));

    g.diskActivityWindow()->chooseDisk("SDA");
    EXPECT_EQ(g.diskActivityWindow()->chosenDisk(), "sda");
    EXPECT_TRUE(part<QLabel>("graphTitle")->text().endsWith(QStringLiteral("sda")));
    EXPECT_TRUE(part<QLabel>("totals")->text().contains(QStringLiteral("写入 2.00 MB"))) << "two seconds of 1 MB/s";
}

TEST_F(DiskActivity, ItsSettingsAreStoredAndTheListOffReadsNoProcesses) {
    auto& g = start();
    ASSERT_NE(open(g), nullptr);
    part<QComboBox>("scaleChoice")->setCurrentIndex(1);
    EXPECT_EQ(setting(core::Key::ActivityAutoScale), "1");
    part<QSpinBox>("processCount")->setValue(0);
    EXPECT_EQ(setting(core::Key::ActivityProcessCount), "0");
    EXPECT_EQ(processes.open, 0);
    EXPECT_TRUE(part<QGroupBox>("processGroup")->isHidden());
    settings->setNumber(core::Key::ActivityProcessCount, 3); // a change made elsewhere shows too
    EXPECT_EQ(part<QSpinBox>("processCount")->value(), 3);
    EXPECT_EQ(processes.open, 1);

    stop();
    start();
    ASSERT_NE(open(*gadget), nullptr);
    EXPECT_EQ(part<QComboBox>("scaleChoice")->currentIndex(), 1);
    EXPECT_EQ(part<QSpinBox>("processCount")->value(), 3);
}

TEST_F(DiskActivity, KeepsItsPlaceAndSizeAndEscapeClosesIt) {
    auto& g = start();
    activity::DiskActivityWindow* w = open(g);
    ASSERT_NE(w, nullptr);
    // A size the window may take whatever the fonts make its least one.
    const QSize size = w->minimumSizeHint().expandedTo(QSize(600, 400)) + QSize(20, 20);
    w->resize(size);
    w->move(40, 50);
    QTest::keyClick(w, Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_EQ(g.diskActivityWindow(), nullptr);
    EXPECT_EQ(stored("DiskActivity_width"), std::to_string(size.width() * 15));
    EXPECT_EQ(stored("DiskActivity_left"), "600");

    w = open(g);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->size(), size);
    EXPECT_EQ(w->pos(), QPoint(40, 50));
    g.exit();
    EXPECT_EQ(stored("DiskActivity_top"), "750") << "an exit with the window open keeps its place too";
}

TEST(HistoryGraph, ReadsAboveTheAxisWritesBelowCrispAtTwiceTheScale) {
    core::RateHistory history;
    for (int i = 0; i < 60; ++i) {
        history.push(i >= 30 ? 1000.0 : 0.0, i < 30 ? 1000.0 : 0.0, 1.0);
    }
    activity::HistoryGraph graph;
    graph.resize(300, 120);
    graph.setColours(QColor(255, 0, 0), QColor(0, 0, 255));
    graph.setHistory(&history, activity::graphScale(false, 1000.0, 1000.0, history.peak()));
    for (const qreal ratio : {1.0, 2.0}) {
        QImage image(QSize(300, 120) * ratio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::white);
        graph.render(&image);
        const auto at = [&](int x, int y) { return image.pixelColor(QPoint(x, y) * ratio); };
        const auto reddish = [](const QColor& c) { return c.red() > 150 && c.blue() < 150; };
        const auto bluish = [](const QColor& c) { return c.blue() > 150 && c.red() < 150; };
        EXPECT_TRUE(reddish(at(250, 40))) << "recent reads above the axis, at " << ratio;
        EXPECT_FALSE(reddish(at(60, 40))) << "no reads in the older half";
        EXPECT_TRUE(bluish(at(60, 80))) << "older writes below the axis";
        EXPECT_FALSE(bluish(at(250, 80)));
        EXPECT_FALSE(reddish(at(250, 12))) << "a full-scale rate reaches only the line, below the edge";
    }
}
