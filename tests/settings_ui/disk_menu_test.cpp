// The disk menu over fixture block statistics and a fixture sysfs tree: two disks, one of them busy.
#include "core/program.h"
#include "monitor/monitor_window.h"
#include "platform/file_registry_store.h"
#include "platform/linux/proc_disk_counter_source.h"
#include "platform/linux/sysfs_disks.h"
#include "settings_ui/settings_window.h"
#include "support/fake_clock.h"
#include "support/temp_dir.h"

#include <QActionGroup>
#include <QMenu>
#include <gtest/gtest.h>

#include <filesystem>

using namespace oruvel;

namespace {

struct DiskMenu : ::testing::Test {
    test::TempDir dir;
    test::FakeClock clock;
    std::uint64_t busySectors = 1'000'000;
    core::Program program{dir.path(), std::make_unique<platform::FileRegistryStore>(dir.file("reg")), [this] {
                              return std::make_unique<platform::ProcDiskCounterSource>(dir.file("diskstats"),
                                                                                       dir.file("block"), clock);
                          }};
    std::unique_ptr<settings_ui::SettingsWindow> window;

    DiskMenu() {
        disk("sda", "ST1000DM010-2EP102", "1953525168");
        disk("nvme0n1", "", "1000215216");
        std::filesystem::create_directories(dir.file("block/sda1"));
        writeStats();
    }
    ~DiskMenu() override {
        if (window) {
            window->sampleTimer().stop();
        }
    }
    void disk(const std::string& name, const std::string& model, const std::string& sectors) {
        std::filesystem::create_directories(dir.file("block/" + name + "/device"));
        if (!model.empty()) {
            test::writeFile(dir.file("block/" + name + "/device/model"), model + "  \n");
        }
        test::writeFile(dir.file("block/" + name + "/size"), sectors + "\n");
    }
    // sda reads and writes 10 MB a second; nvme0n1 is idle.
    void writeStats() {
        const std::string busy = std::to_string(busySectors);
        test::writeFile(dir.file("diskstats"), "   8 0 sda 1 0 " + busy + " 0 1 0 " + busy +
                                                   " 0 0 0 0 0 0 0 0 0 0\n   8 1 sda1 1 0 " + busy + " 0 1 0 " + busy +
                                                   " 0 0 0 0 0 0 0 0 0 0\n 259 0 nvme0n1 1 0 500 0 1 0 700 "
                                                   "0 0 0 0 0 0 0 0 0 0\n");
    }
    void second() {
        clock.now += 1.0;
        busySectors += 20480;
        writeStats();
        window->sampleRates();
    }
    settings_ui::SettingsWindow& start() {
        window = std::make_unique<settings_ui::SettingsWindow>(program);
        window->setDiskLister([this] { return platform::readSysfsDisks(dir.file("block")); });
        window->start();
        window->sampleTimer().stop();
        return *window;
    }
    QStringList openMenu() {
        emit window->diskMenu()->aboutToShow();
        QStringList captions;
        for (const QAction* a : window->diskMenu()->actions()) {
            captions << (a->isChecked() ? QStringLiteral("[x] ") : QStringLiteral("[ ] ")) +
                            (a->isEnabled() ? QString() : QStringLiteral("(grey) ")) + a->text();
        }
        return captions;
    }
    void choose(const QString& startOfCaption) {
        for (QAction* a : window->diskMenu()->actions()) {
            if (a->text().startsWith(startOfCaption)) {
                a->trigger();
                return;
            }
        }
        FAIL() << "no menu item " << startOfCaption.toStdString();
    }
};

} // namespace

TEST_F(DiskMenu, ChoosingADiskReadsItFromTheNextSecondAndStoresIt) {
    test::writeFile(program.settingsPath(), "[main]\ndrive=_Total\n");
    auto& settings = start();
    ASSERT_EQ(settings.contextMenu()->actions().at(4)->menu(), settings.diskMenu())
        << "right after the show/hide items";
    EXPECT_EQ(settings.diskMenu()->title(), QStringLiteral("驱动器"));
    second();
    second();
    EXPECT_EQ(settings.monitor()->readBar().text(), QStringLiteral("Drive Read: 10.00 MB/s"));
    EXPECT_EQ(settings.monitor()->writeBar().value(), 40);

    EXPECT_EQ(openMenu(),
              (QStringList{QStringLiteral("[x] 全部磁盘 (_Total)"), QStringLiteral("[ ] nvme0n1 (512.1 GB)"),
                           QStringLiteral("[ ] sda \u2014 ST1000DM010-2EP102 (1.0 TB)")}));
    choose(QStringLiteral("nvme0n1"));
    second();
    EXPECT_EQ(settings.monitor()->readBar().value(), 0);
    EXPECT_EQ(settings.monitor()->writeBar().value(), 0);
    EXPECT_EQ(settings.monitor()->readBar().text(), QStringLiteral("Drive Read: 0 Bytes/s"));
    EXPECT_EQ(program.readSetting(core::keys::diskInstance), "nvme0n1");
    EXPECT_TRUE(settings.trayToolTip().contains(QStringLiteral("Drive: nvme0n1")));
    EXPECT_EQ(openMenu().at(1), QStringLiteral("[x] nvme0n1 (512.1 GB)"));

    choose(QStringLiteral("全部磁盘"));
    second();
    EXPECT_EQ(settings.monitor()->readBar().text(), QStringLiteral("Drive Read: 10.00 MB/s"));
    EXPECT_EQ(settings.monitor()->writeBar().value(), 40);
    EXPECT_EQ(program.readSetting(core::keys::diskInstance), "_Total");
}

TEST_F(DiskMenu, AStoredDiskThatIsGoneStaysListedGreyAndReadsZero) {
    test::writeFile(program.settingsPath(), "[main]\ndrive=sdz&x\n");
    auto& settings = start();
    second();
    second();
    EXPECT_EQ(settings.monitor()->readBar().value(), 0);
    const QStringList captions = openMenu();
    ASSERT_EQ(captions.size(), 4);
    EXPECT_EQ(captions.at(0), QStringLiteral("[ ] 全部磁盘 (_Total)"));
    EXPECT_EQ(captions.at(3), QStringLiteral("[x] (grey) sdz&&x")) << "an ampersand is shown, not taken as a mnemonic";

    // A disk plugged in while the program runs shows up the next time the menu opens.
    disk("sdb", "USB Flash", "60062500");
    EXPECT_EQ(openMenu().size(), 5);
    EXPECT_EQ(openMenu().at(3), QStringLiteral("[ ] sdb \u2014 USB Flash (30.8 GB)"));
}
