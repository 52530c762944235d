// The disk menu, with the real rate source on a fixture sysfs tree: two disks, one of them busy.
#include "platform/linux/sysfs_disk_rate_source.h"
#include "platform/linux/sysfs_disks.h"
#include "support/fake_clock.h"
#include "support/gadget_fixture.h"

#include <QActionGroup>
#include <QMenu>

#include <filesystem>

using namespace oruvel;

namespace {

struct DiskMenu : test::GadgetFixture {
    test::FakeClock clock;
    std::uint64_t busySectors = 1'000'000;

    DiskMenu() {
        disk("sda", "ST1000DM010-2EP102", "1953525168");
        disk("nvme0n1", "", "1000215216");
        std::filesystem::create_directories(dir.file("block/sda1"));
        writeStats();
        listDisks = [this] { return platform::readSysfsDisks(dir.file("block")); };
        openDiskRates = [this] { return std::make_unique<platform::SysfsDiskRateSource>(dir.file("block"), clock); };
    }
    void disk(const std::string& name, const std::string& model, const std::string& sectors) {
        std::filesystem::create_directories(dir.file("block/" + name + "/device"));
        if (!model.empty()) {
            test::writeFile(dir.file("block/" + name + "/device/model"), model + "  \n");
        }
        test::writeFile(dir.file("block/" + name + "/size"), sectors + "\n");
    }
    static std::string stat(std::uint64_t read, std::uint64_t written) {
        return "1 0 " + std::to_string(read) + " 0 1 0 " + std::to_string(written) + " 0 0 0 0 0 0 0 0 0 0\n";
    }
    // sda reads and writes 10 MB a second; nvme0n1 is idle.
    void writeStats() {
        test::writeFile(dir.file("block/sda/stat"), stat(busySectors, busySectors));
        test::writeFile(dir.file("block/nvme0n1/stat"), stat(500, 700));
    }
    void second() {
        clock.now += 1.0;
        busySectors += 20480;
        writeStats();
        gadget->sampleRates();
    }
    QStringList openMenu() {
        emit gadget->menu().diskMenu()->aboutToShow();
        QStringList captions;
        for (const QAction* a : gadget->menu().diskMenu()->actions()) {
            captions << (a->isChecked() ? QStringLiteral("[x] ") : QStringLiteral("[ ] ")) +
                            (a->isEnabled() ? QString() : QStringLiteral("(grey) ")) + a->text();
        }
        return captions;
    }
    void choose(const QString& startOfCaption) {
        for (QAction* a : gadget->menu().diskMenu()->actions()) {
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
    writeSettings("[main]\ndrive=_Total\n");
    auto& gadget = start();
    ASSERT_EQ(gadget.menu().menu()->actions().at(4)->menu(), gadget.menu().diskMenu())
        << "right after the show/hide items";
    EXPECT_EQ(gadget.menu().diskMenu()->title(), QStringLiteral("驱动器"));
    second();
    second();
    EXPECT_EQ(monitor().readBar().text(), QStringLiteral("Drive Read: 10.00 MB/s"));
    EXPECT_EQ(monitor().writeBar().value(), 40);

    EXPECT_EQ(openMenu(),
              (QStringList{QStringLiteral("[x] 全部磁盘 (_Total)"), QStringLiteral("[ ] nvme0n1 (512.1 GB)"),
                           QStringLiteral("[ ] sda \u2014 ST1000DM010-2EP102 (1.0 TB)")}));
    choose(QStringLiteral("nvme0n1"));
    second();
    EXPECT_EQ(monitor().readBar().value(), 0);
    EXPECT_EQ(monitor().writeBar().value(), 0);
    EXPECT_EQ(monitor().readBar().text(), QStringLiteral("Drive Read: 0 Bytes/s"));
    EXPECT_EQ(setting(core::Key::DiskInstance), "nvme0n1");
    EXPECT_TRUE(gadget.trayToolTip().contains(QStringLiteral("Drive: nvme0n1")));
    EXPECT_EQ(openMenu().at(1), QStringLiteral("[x] nvme0n1 (512.1 GB)"));

    choose(QStringLiteral("全部磁盘"));
    second();
    EXPECT_EQ(monitor().readBar().text(), QStringLiteral("Drive Read: 10.00 MB/s")) << "at once";
    EXPECT_EQ(monitor().writeBar().value(), 40);
    EXPECT_EQ(setting(core::Key::DiskInstance), "_Total");
}

TEST_F(DiskMenu, AStoredDiskThatIsGoneStaysListedGreyAndReadsZero) {
    writeSettings("[main]\ndrive=sdz&x\n");
    start();
    second();
    second();
    EXPECT_EQ(monitor().readBar().value(), 0);
    const QStringList captions = openMenu();
    ASSERT_EQ(captions.size(), 4);
    EXPECT_EQ(captions.at(0), QStringLiteral("[ ] 全部磁盘 (_Total)"));
    EXPECT_EQ(captions.at(3), QStringLiteral("[x] (grey) sdz&&x")) << "an ampersand is shown, not taken as a mnemonic";

    // A disk plugged in while the program runs shows up the next time the menu opens.
    disk("sdb", "USB Flash", "60062500");
    EXPECT_EQ(openMenu().size(), 5);
    EXPECT_EQ(openMenu().at(3), QStringLiteral("[ ] sdb \u2014 USB Flash (30.8 GB)"));
}
