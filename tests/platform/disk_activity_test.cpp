// What the disk-activity window reads on Linux, on fixture trees: every disk's activity, the file systems of each
// disk, and the processes' I/O.
#include "platform/linux/disk_volumes.h"
#include "platform/linux/procfs_process_io.h"
#include "platform/linux/sysfs_disk_activity_source.h"
#include "support/fake_clock.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

using namespace oruvel::platform;
using oruvel::test::FakeClock;
using oruvel::test::TempDir;
using oruvel::test::writeFile;

namespace {

// A sysfs block tree with devices, their numbers, partitions and the devices made of them.
struct BlockTree {
    TempDir dir;
    std::string root = dir.file("block");

    void disk(const std::string& name, const std::string& number) {
        std::filesystem::create_directories(root + "/" + name + "/device");
        writeFile(root + "/" + name + "/dev", number + "\n");
    }
    void partition(const std::string& disk, const std::string& name, const std::string& number) {
        std::filesystem::create_directories(root + "/" + disk + "/" + name);
        writeFile(root + "/" + disk + "/" + name + "/partition", "1\n");
        writeFile(root + "/" + disk + "/" + name + "/dev", number + "\n");
    }
    // A device made of others (device-mapper when `mapperName` is given, else md).
    void composite(const std::string& name, const std::string& number, const std::vector<std::string>& below,
                   const std::string& mapperName = "") {
        std::filesystem::create_directories(root + "/" + name + "/slaves");
        writeFile(root + "/" + name + "/dev", number + "\n");
        for (const std::string& slave : below) {
            std::filesystem::create_directories(root + "/" + name + "/slaves/" + slave);
        }
        if (!mapperName.empty()) {
            std::filesystem::create_directories(root + "/" + name + "/dm");
            writeFile(root + "/" + name + "/dm/name", mapperName + "\n");
        }
    }
    void stat(const std::string& name, const std::string& line) { writeFile(root + "/" + name + "/stat", line); }
};

} // namespace

TEST(DiskVolumes, MountsAndLabelsReachTheirWholeDisksThroughPartitionsMapperAndMd) {
    BlockTree t;
    t.disk("nvme0n1", "259:0");
    t.partition("nvme0n1", "nvme0n1p1", "259:1");
    t.partition("nvme0n1", "nvme0n1p2", "259:2");
    t.disk("sda", "8:0");
    t.partition("sda", "sda1", "8:1");
    t.disk("sdb", "8:16");
    t.partition("sdb", "sdb1", "8:17");
    t.disk("sdc", "8:32");
    t.composite("dm-0", "254:0", {"nvme0n1p2"}, "cryptroot");
    t.composite("dm-1", "254:1", {"dm-0"}, "vg-home"); // a volume on the encrypted one
    t.composite("md0", "9:0", {"sda1", "sdb1"});
    t.composite("loop0", "7:0", {});
    writeFile(t.dir.file("mountinfo"), "22 1 254:1 / /home rw,relatime shared:1 - ext4 /dev/mapper/vg-home rw\n"
                                       "21 1 254:0 / / rw,relatime shared:2 - ext4 /dev/mapper/cryptroot rw\n"
                                       "23 21 259:1 / /boot/efi rw - vfat /dev/nvme0n1p1 rw\n"
                                       "24 21 9:0 / /srv/raid\\040disk rw - xfs /dev/md0 rw\n"
                                       "25 21 0:45 /@data /data rw - btrfs /dev/sdc rw\n"
                                       "26 21 7:0 / /snap/core rw - squashfs /dev/loop0 ro\n"
                                       "27 21 0:5 / /proc rw - proc proc rw\n"
                                       "junk line\n"
                                       "28 21 259:1 / /boot/efi rw - vfat /dev/nvme0n1p1 rw\n");
    const std::string labels = t.dir.file("by-label");
    std::filesystem::create_directories(labels);
    std::filesystem::create_symlink("../../nvme0n1p1", labels + "/EFI\\x20SYSTEM");
    std::filesystem::create_symlink("../../dm-1", labels + "/home");
    std::filesystem::create_symlink("../../sdc", labels + "/DATA");
    std::filesystem::create_symlink("../../sdb2", labels + "/zz-unknown-device");
    t.partition("sda", "sda2", "8:2");
    std::filesystem::create_symlink("../../sda2", labels + "/BACKUP");

    const auto volumes = readDiskVolumes(t.root, t.dir.file("mountinfo"), labels);
    EXPECT_EQ(volumes.at("nvme0n1"), (std::vector<Volume>{{"/home", "home"}, {"/", ""}, {"/boot/efi", "EFI SYSTEM"}}))
        << "through the mapper device stacked on the partition; a mount listed twice once";
    EXPECT_EQ(volumes.at("sda"), (std::vector<Volume>{{"/srv/raid disk", ""}, {"", "BACKUP"}}));
    EXPECT_EQ(volumes.at("sdb"), (std::vector<Volume>{{"/srv/raid disk", ""}})) << "every member of the md array";
    EXPECT_EQ(volumes.at("sdc"), (std::vector<Volume>{{"/data", "DATA"}})) << "btrfs: by its source's name";
    EXPECT_EQ(volumes.size(), 4U) << "loop devices and pseudo file systems belong to no disk";

    EXPECT_TRUE(readDiskVolumes(t.dir.file("none"), t.dir.file("none"), t.dir.file("none")).empty());
    EXPECT_EQ(unescapeMountField("/a\\040b\\011c\\134d\\0"), "/a b\tc\\d\\0");
    EXPECT_EQ(unescapeUdevName("My\\x20Disk\\x2fx\\x"), "My Disk/x\\x");
}

TEST(DiskActivitySource, EveryDiskFromItsSecondReadingDisksComeAndGo) {
    BlockTree t;
    FakeClock clock;
    t.disk("sda", "8:0");
    t.disk("nvme0n1", "259:0");
    t.partition("sda", "sda1", "8:1");
    t.stat("sda", "100 0 8000 50 10 0 800 40 0 200 0\n");
    t.stat("nvme0n1", "0 0 0 0 0 0 0 0 0 0 0\n");
    SysfsDiskActivitySource source(t.root, clock);
    source.collect();
    ASSERT_EQ(source.disks().size(), 2U);
    EXPECT_EQ(source.disks()[0].name, "nvme0n1") << "sorted by name";
    EXPECT_FALSE(source.disks()[1].measured);
    EXPECT_EQ(source.disks()[1].activity.readRate, 0.0);

    t.stat("sda", "300 0 10048 250 20 0 1824 140 2 700 0\n");
    clock.now += 1;
    source.collect();
    const DiskActivityReading& sda = source.disks()[1];
    EXPECT_TRUE(sda.measured);
    EXPECT_DOUBLE_EQ(sda.activity.readRate, 2048 * 512.0);
    EXPECT_DOUBLE_EQ(sda.activity.busyPercent, 50.0);
    EXPECT_DOUBLE_EQ(sda.activity.readAwaitMilliseconds, 1.0);
    EXPECT_DOUBLE_EQ(sda.activity.writeAwaitMilliseconds, 10.0);
    EXPECT_DOUBLE_EQ(sda.activity.readsPerSecond, 200.0);
    EXPECT_DOUBLE_EQ(sda.activity.inFlight, 2.0);

    std::filesystem::remove_all(t.root + "/nvme0n1"); // unplugged
    t.disk("sdb", "8:16");                            // plugged in
    t.stat("sdb", "5 0 5 5 5 0 5 5 0 5 0\n");
    clock.now += 5;
    source.collect();
    ASSERT_EQ(source.disks().size(), 2U);
    EXPECT_EQ(source.disks()[0].name, "sda");
    EXPECT_EQ(source.disks()[1].name, "sdb");
    EXPECT_FALSE(source.disks()[1].measured) << "a new disk's counts since boot are no second's";

    t.stat("sda", "garbage\n");
    clock.now += 1;
    source.collect();
    ASSERT_EQ(source.disks().size(), 1U) << "a disk that cannot be read is left out";
}

TEST(ProcessIo, StatAndIoTextsOfTheKernel) {
    std::string name;
    std::uint64_t started = 0;
    ASSERT_TRUE(parseProcessStat("4242 (my (odd) prog) R 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 987654 19 20",
                                 name, started));
    EXPECT_EQ(name, "my (odd) prog");
    EXPECT_EQ(started, 987654U);
    EXPECT_FALSE(parseProcessStat("4242 (short) R 1 2 3", name, started));
    EXPECT_FALSE(parseProcessStat("no parens here", name, started));

    std::uint64_t read = 0;
    std::uint64_t written = 0;
    ASSERT_TRUE(parseProcessIo("rchar: 1\nwchar: 2\nsyscr: 3\nsyscw: 4\nread_bytes: 4096\nwrite_bytes: "
                               "8192\ncancelled_write_bytes: 0\n",
                               read, written));
    EXPECT_EQ(read, 4096U);
    EXPECT_EQ(written, 8192U);
    EXPECT_FALSE(parseProcessIo("rchar: 1\nread_bytes: 4096\n", read, written));
    EXPECT_FALSE(parseProcessIo("read_bytes: x\nwrite_bytes: 1\n", read, written));
}

TEST(ProcessIo, AScanOfAFixtureTreeAndOfThisProcess) {
    TempDir dir;
    const std::string proc = dir.file("proc");
    const auto process = [&](const char* pid, const char* stat, const char* io) {
        std::filesystem::create_directories(proc + "/" + pid);
        writeFile(proc + "/" + pid + "/stat", stat);
        if (io != nullptr) {
            writeFile(proc + "/" + pid + "/io", io);
        }
    };
    process("17", "17 (dd) D 1 1 1 0 0 0 0 0 0 0 0 0 0 0 20 0 1 0 5000 0 0\n", "read_bytes: 0\nwrite_bytes: 1048576\n");
    process("18", "18 (gone) S 1 1 1 0 0 0 0 0 0 0 0 0 0 0 20 0 1 0 5000 0 0\n", nullptr); // ended between reads
    process("self", "junk", "junk");
    std::filesystem::create_directories(proc + "/sys");
    ProcfsProcessIo source(proc);
    ProcessScan scan;
    source.scan(scan);
    ASSERT_EQ(scan.processes.size(), 1U);
    EXPECT_EQ(scan.processes[0].pid, 17);
    EXPECT_EQ(scan.processes[0].name, "dd");
    EXPECT_EQ(scan.processes[0].started, 5000U);
    EXPECT_EQ(scan.processes[0].writeBytes, 1048576U);

    // The pid taken over by another program: read afresh once its counters move, not before.
    process("17", "17 (cp) R 1 1 1 0 0 0 0 0 0 0 0 0 0 0 20 0 1 0 9000 0 0\n", "read_bytes: 0\nwrite_bytes: 1048576\n");
    source.scan(scan);
    ASSERT_EQ(scan.processes.size(), 1U);
    EXPECT_EQ(scan.processes[0].name, "dd") << "counters that did not move: the name of the last scan";
    process("17", "17 (cp) R 1 1 1 0 0 0 0 0 0 0 0 0 0 0 20 0 1 0 9000 0 0\n", "read_bytes: 4096\nwrite_bytes: 0\n");
    source.scan(scan);
    ASSERT_EQ(scan.processes.size(), 1U);
    EXPECT_EQ(scan.processes[0].name, "cp");
    EXPECT_EQ(scan.processes[0].started, 9000U) << "so its rates start afresh";

    // The process ends and another comes with its pid and a new folder: read from the new folder, not the old file.
    std::filesystem::remove_all(proc + "/17");
    source.scan(scan);
    EXPECT_TRUE(scan.processes.empty());
    process("17", "17 (tar) R 1 1 1 0 0 0 0 0 0 0 0 0 0 0 20 0 1 0 9500 0 0\n", "read_bytes: 512\nwrite_bytes: 0\n");
    source.scan(scan);
    ASSERT_EQ(scan.processes.size(), 1U);
    EXPECT_EQ(scan.processes[0].name, "tar");
    EXPECT_EQ(scan.processes[0].readBytes, 512U);

    ProcfsProcessIo missing(dir.file("nowhere"));
    missing.scan(scan);
    EXPECT_TRUE(scan.processes.empty());
    EXPECT_FALSE(scan.allProcesses) << "nothing read is not all";

    ProcfsProcessIo system("/proc");
    system.scan(scan);
    const auto self = std::find_if(scan.processes.begin(), scan.processes.end(),
                                   [](const ProcessIoReading& p) { return p.pid == ::getpid(); });
    ASSERT_NE(self, scan.processes.end()) << "the user's own processes are always read";
}

TEST(ProcessIo, TheFilesKeptOpenAreFewAndGoWithTheSource) {
    const auto openFiles = [] {
        return std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                             std::filesystem::directory_iterator());
    };
    const auto before = openFiles();
    {
        ProcfsProcessIo source("/proc");
        ProcessScan scan;
        source.scan(scan);
        source.scan(scan);
        ASSERT_FALSE(scan.processes.empty());
        const auto during = openFiles() - before;
        EXPECT_GT(during, 0) << "the processes' files stay open between scans";
        EXPECT_LE(during, static_cast<long>(ProcfsProcessIo::kKeptFiles));
    }
    EXPECT_EQ(openFiles(), before) << "closing the window closes them all";
}
