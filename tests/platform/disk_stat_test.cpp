// Disk rates from the kernel's per-disk statistics files, on fixture sysfs trees and on this machine's own.
#include "platform/disk_stat.h"
#include "platform/linux/sysfs_disk_rate_source.h"
#include "support/fake_clock.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sys/inotify.h>
#include <unistd.h>

using namespace oruvel::platform;
using oruvel::test::FakeClock;
using oruvel::test::TempDir;
using oruvel::test::writeFile;

namespace {

// A sysfs block tree: whole disks have a "device" entry, partitions and virtual devices none.
struct DiskTree : ::testing::Test {
    TempDir dir;
    FakeClock clock;
    std::string root = dir.file("block");
    SysfsDiskRateSource source{root, clock};

    void device(const std::string& name, bool whole) {
        std::filesystem::create_directories(root + "/" + name);
        if (whole) {
            std::filesystem::create_directories(root + "/" + name + "/device");
        }
    }
    void counts(const std::string& name, unsigned long long read, unsigned long long written) {
        writeFile(root + "/" + name + "/stat", "    1    0 " + std::to_string(read) + "    5    1    0 " +
                                                   std::to_string(written) +
                                                   "   7    0    9   11    0    0    0    0\n");
    }
    void collectAt(double t) {
        clock.now = t;
        source.collect();
    }
};

} // namespace

TEST(DiskStat, ReadsTheCountsOfAStatLine) {
    EXPECT_EQ(parseDiskStat("  182734 41231  9921002 67321 231007 190331 18823440 401223 2 251002 489441\n"),
              (DiskCounters{182734, 9921002, 67321, 231007, 18823440, 401223, 2, 251002}));
    EXPECT_EQ(parseDiskStat("1 2 3 4 5 6 7"), (DiskCounters{1, 3, 4, 5, 7, 0, 0, 0})) << "times missing count 0";
    EXPECT_EQ(parseDiskStat("1 2 18446744073709551615 4 5 6 0")->sectorsRead, 18446744073709551615ULL);
    EXPECT_FALSE(parseDiskStat("1 2 3 4 5 6"));
    EXPECT_FALSE(parseDiskStat("1 2 -3 4 5 6 7"));
    EXPECT_FALSE(parseDiskStat("1 2 3x 4 5 6 7"));
    EXPECT_FALSE(parseDiskStat("1 2 3 4 5 6 7 8 nine 10")) << "a later field that is no number";
    EXPECT_FALSE(parseDiskStat("1 2 18446744073709551616 4 5 6 7")) << "past 64 bits";
    EXPECT_FALSE(parseDiskStat(""));
    EXPECT_FALSE(parseDiskStat("\n1 2 3 4 5 6 7"));
    EXPECT_EQ(sectorRate(100, 300, 2.0), 200 * 512.0 / 2);
    EXPECT_EQ(sectorRate(300, 100, 2.0), 0.0) << "a reset";
    EXPECT_EQ(sectorRate(100, 300, 0.0), 0.0);
}

// What iostat -dx gives for the same two readings one second apart.
TEST(DiskStat, ActivityIsWhatIostatWorksOut) {
    const DiskCounters before{1000, 80000, 5000, 400, 64000, 9000, 0, 100000};
    const DiskCounters after{1250, 82048, 5500, 500, 66048, 11000, 3, 100370};
    const DiskActivity a = activityBetween(before, after, 1.0);
    EXPECT_DOUBLE_EQ(a.readRate, 2048 * 512.0);
    EXPECT_DOUBLE_EQ(a.writeRate, 2048 * 512.0);
    EXPECT_DOUBLE_EQ(a.readsPerSecond, 250);
    EXPECT_DOUBLE_EQ(a.writesPerSecond, 100);
    EXPECT_DOUBLE_EQ(a.readAwaitMilliseconds, 2.0);
    EXPECT_DOUBLE_EQ(a.writeAwaitMilliseconds, 20.0);
    EXPECT_DOUBLE_EQ(a.busyPercent, 37.0);
    EXPECT_DOUBLE_EQ(a.inFlight, 3);

    const DiskActivity half = activityBetween(before, after, 2.0);
    EXPECT_DOUBLE_EQ(half.busyPercent, 18.5);
    EXPECT_DOUBLE_EQ(half.readAwaitMilliseconds, 2.0) << "a mean per operation, whatever the interval";

    DiskCounters saturated = after;
    saturated.busyMilliseconds = before.busyMilliseconds + 1004; // whole ticks run past the interval measured
    EXPECT_DOUBLE_EQ(activityBetween(before, saturated, 1.0).busyPercent, 100.0);

    const DiskActivity idle = activityBetween(after, after, 1.0);
    EXPECT_EQ(idle.readAwaitMilliseconds, 0.0) << "no reads, no mean time";
    EXPECT_EQ(idle.busyPercent, 0.0);
    EXPECT_EQ(activityBetween(before, after, 0.0), (DiskActivity{0, 0, 0, 0, 0, 0, 0, 3}));
}

TEST(DiskStat, TimesWrapAt32BitsAndOtherFallsAreResets) {
    EXPECT_EQ(millisecondGrowth(4294967000ULL, 296), 592U) << "the busy time wraps after 49.7 days";
    EXPECT_EQ(millisecondGrowth(1000, 10), 0U) << "a fall low in the range is a reset";
    EXPECT_EQ(millisecondGrowth(5000000000ULL, 10), 0U) << "a value past 32 bits cannot wrap there";
    EXPECT_EQ(countGrowth(4294967000ULL, 296), 0U) << "counts are 64 bits: a fall is a reset";
    const DiskCounters before{10, 100, 4294967000ULL, 0, 0, 0, 0, 4294967000ULL};
    const DiskCounters after{20, 200, 296, 0, 0, 0, 0, 296};
    const DiskActivity a = activityBetween(before, after, 1.0);
    EXPECT_DOUBLE_EQ(a.busyPercent, 59.2);
    EXPECT_DOUBLE_EQ(a.readAwaitMilliseconds, 59.2);
    const DiskActivity reset = activityBetween(after, DiskCounters{1, 8, 2, 0, 0, 0, 0, 2}, 1.0);
    EXPECT_EQ(reset.readRate, 0.0);
    EXPECT_EQ(reset.readsPerSecond, 0.0);
}

TEST_F(DiskTree, TotalCountsWholeDisksOnlyFromTheSecondCollection) {
    for (const char* disk : {"sda", "sdb", "nvme0n1", "mmcblk0", "cciss!c0d0"}) {
        device(disk, true);
    }
    for (const char* other : {"sda1", "loop0", "zram0", "dm-0"}) {
        device(other, false);
    }
    const auto all = {"sda", "sdb", "nvme0n1", "mmcblk0", "cciss!c0d0", "sda1", "loop0", "zram0", "dm-0"};
    for (const char* name : all) {
        counts(name, 5000, 9000);
    }
    collectAt(10.0);
    EXPECT_EQ(source.readRate(), 0.0) << "first collection has no rate";
    // Every device moves by 1000 sectors read and 2000 written over 2 s.
    for (const char* name : all) {
        counts(name, 6000, 11000);
    }
    collectAt(12.0);
    EXPECT_DOUBLE_EQ(source.readRate(), 5 * 1000 * 512 / 2.0);
    EXPECT_DOUBLE_EQ(source.writeRate(), 5 * 2000 * 512 / 2.0);

    source.select("SDA");
    counts("sda", 7000, 11000);
    collectAt(13.0);
    EXPECT_DOUBLE_EQ(source.readRate(), 1000 * 512.0) << "a disk by its name, in any letter case";
    source.select("cciss/c0d0");
    counts("cciss!c0d0", 6500, 11000);
    collectAt(14.0);
    EXPECT_DOUBLE_EQ(source.readRate(), 500 * 512.0) << "the kernel's name of a disk sysfs shows with \"!\"";
}

TEST_F(DiskTree, AChosenDiskCountsAtOnceAndOnlyItIsRead) {
    device("sda", true);
    device("sdb", true);
    counts("sda", 0, 0);
    counts("sdb", 0, 0);
    collectAt(1.0);
    source.select("sdb");
    counts("sda", 100, 0);
    counts("sdb", 40, 0);
    collectAt(2.0);
    EXPECT_DOUBLE_EQ(source.readRate(), 40 * 512.0);

    const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(inotify_add_watch(watch, (root + "/sda/stat").c_str(), IN_ACCESS | IN_OPEN), 0);
    for (int second = 3; second < 20; ++second) {
        collectAt(second);
    }
    char events[4096];
    EXPECT_LE(read(watch, events, sizeof events), 0) << "the disk not shown was read";
    close(watch);

    // Back to all disks: the next collection already gives both.
    source.select("_Total");
    counts("sda", 300, 0);
    counts("sdb", 60, 0);
    collectAt(21.0);
    EXPECT_DOUBLE_EQ(source.readRate(), (200 + 20) * 512.0 / 2);
}

TEST_F(DiskTree, DisksThatComeAndGoNeverSpike) {
    device("sda", true);
    counts("sda", 0, 1000);
    collectAt(1.0);
    device("sdb", true); // plugged in: found at the next look at the list
    counts("sdb", 0, 900000000);
    counts("sda", 0, 1100);
    collectAt(2.0);
    EXPECT_DOUBLE_EQ(source.writeRate(), 100 * 512.0);
    counts("sda", 0, 1200);
    collectAt(1.0 + SysfsDiskRateSource::kListSeconds);
    EXPECT_DOUBLE_EQ(source.writeRate(), 100 * 512.0 / (SysfsDiskRateSource::kListSeconds - 1))
        << "the new disk counts from its first reading on";
    counts("sda", 0, 1300);
    counts("sdb", 0, 900000010);
    collectAt(2.0 + SysfsDiskRateSource::kListSeconds);
    EXPECT_DOUBLE_EQ(source.writeRate(), 110 * 512.0);

    std::filesystem::remove_all(root + "/sdb"); // unplugged
    counts("sda", 0, 1400);
    collectAt(3.0 + SysfsDiskRateSource::kListSeconds);
    EXPECT_DOUBLE_EQ(source.writeRate(), 100 * 512.0);

    device("sdb", true); // back, its counters reset
    counts("sdb", 0, 5);
    counts("sda", 0, 50); // and sda's went backwards
    collectAt(3.0 + 2 * SysfsDiskRateSource::kListSeconds);
    EXPECT_EQ(source.writeRate(), 0.0);
    counts("sda", 0, 60);
    counts("sdb", 0, 9);
    collectAt(3.0 + 2 * SysfsDiskRateSource::kListSeconds);
    EXPECT_EQ(source.writeRate(), 0.0) << "no time passed";
    counts("sda", 0, 18446744073709551615ULL);
    collectAt(4.0 + 2 * SysfsDiskRateSource::kListSeconds);
    counts("sda", 0, 3); // a 64-bit wrap
    counts("sdb", 0, 9);
    collectAt(5.0 + 2 * SysfsDiskRateSource::kListSeconds);
    EXPECT_EQ(source.writeRate(), 0.0);
    EXPECT_TRUE(std::isfinite(source.writeRate()));
}

TEST_F(DiskTree, JunkInstancesBrokenFilesAndAMissingTreeReadZero) {
    device("sda", true);
    device("sda1", false);
    std::filesystem::create_directories(dir.file("x/device"));
    counts("sda", 0, 0);
    counts("sda1", 0, 0);
    collectAt(1.0);
    counts("sda", 100, 100);
    counts("sda1", 100, 100);
    for (const std::string& junk : {std::string("../x"), std::string("/"), std::string(".."), std::string("sda1"),
                                    std::string("loop0"), std::string(10000, 'a'), std::string("%s"), std::string()}) {
        source.select(junk);
        collectAt(clock.now + 1);
        EXPECT_EQ(source.readRate(), 0.0) << junk;
    }
    source.select("_Total");
    writeFile(root + "/sda/stat", "garbage\n");
    collectAt(clock.now + 1);
    EXPECT_EQ(source.readRate(), 0.0) << "an unreadable file counts nothing";

    SysfsDiskRateSource nowhere(dir.file("missing"), clock);
    nowhere.collect();
    clock.now += 1;
    nowhere.collect();
    EXPECT_EQ(nowhere.readRate(), 0.0);
    EXPECT_EQ(nowhere.writeRate(), 0.0);
}

namespace {
std::size_t openDescriptors() {
    return static_cast<std::size_t>(
        std::distance(std::filesystem::directory_iterator("/proc/self/fd"), std::filesystem::directory_iterator()));
}
} // namespace

TEST(KernelDisks, OneDescriptorPerDiskKeptAcrossCollectionsAndClosedAtTheEnd) {
    std::vector<std::string> names;
    const std::size_t before = openDescriptors();
    {
        FakeClock clock;
        SysfsDiskRateSource source("/sys/block", clock);
        for (int i = 0; i < 5; ++i) {
            clock.now += 1;
            source.collect();
            EXPECT_TRUE(std::isfinite(source.readRate()) && source.readRate() >= 0);
            EXPECT_TRUE(std::isfinite(source.writeRate()) && source.writeRate() >= 0);
        }
        const std::size_t kept = openDescriptors() - before;
        clock.now += 10;
        source.collect();
        EXPECT_EQ(openDescriptors() - before, kept) << "a new look at the list keeps the open files";
    }
    EXPECT_EQ(openDescriptors(), before);
}
