#include "platform/disk_rates.h"
#include "platform/linux/proc_disk_counter_source.h"
#include "support/fake_clock.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

using namespace oruvel::platform;
using oruvel::test::FakeClock;
using oruvel::test::readFile;
using oruvel::test::TempDir;
using oruvel::test::writeFile;

namespace {

const std::string kFixture = std::string(ORUVEL_TEST_DATA_DIR) + "/diskstats/sixteen_devices.txt";

std::string line(const std::string& name, unsigned long long sectorsRead, unsigned long long sectorsWritten) {
    return "   8 0 " + name + " 1 0 " + std::to_string(sectorsRead) + " 0 1 0 " + std::to_string(sectorsWritten) +
           " 0 0 0 0 0 0 0 0 0 0\n";
}

// A diskstats file and a sysfs tree in which the given names are whole disks.
struct DiskFixture : ::testing::Test {
    TempDir dir;
    FakeClock clock;
    std::string stats = dir.file("diskstats");
    std::string sys = dir.file("block");
    ProcDiskCounterSource source{stats, sys, clock};

    void wholeDisks(std::initializer_list<const char*> names) {
        for (const char* n : names) {
            std::filesystem::create_directories(sys + "/" + n + "/device");
        }
    }
    void collectAt(double t, const std::string& text) {
        writeFile(stats, text);
        clock.now = t;
        source.collect();
    }
};

} // namespace

TEST(DiskCounterPath, ParsesBothDirectionsAndRefusesOthers) {
    auto p = parseDiskCounterPath("\\PhysicalDisk(_Total)\\Disk Read Bytes/sec");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->instance, "_Total");
    EXPECT_EQ(p->direction, DiskDirection::Read);
    p = parseDiskCounterPath("\\physicaldisk(0 C:)\\disk write bytes/sec");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->instance, "0 C:");
    EXPECT_EQ(p->direction, DiskDirection::Write);
    p = parseDiskCounterPath("\\PhysicalDisk(a)\\b)\\Disk Read Bytes/sec");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->instance, "a)\\b");
    EXPECT_FALSE(parseDiskCounterPath("\\PhysicalDisk()\\Disk Read Bytes/sec"));
    EXPECT_FALSE(parseDiskCounterPath("\\LogicalDisk(_Total)\\Disk Read Bytes/sec"));
    EXPECT_FALSE(parseDiskCounterPath("\\PhysicalDisk(_Total)\\% Idle Time"));
    EXPECT_FALSE(parseDiskCounterPath("\\PhysicalDisk(" + std::string(300, 'x') + ")\\Disk Read Bytes/sec"));
    EXPECT_FALSE(parseDiskCounterPath(""));
}

TEST(Diskstats, ParsesFieldsAndSkipsMalformedLines) {
    std::vector<DiskSample> out{{"stale", 1, 1}};
    parseDiskstats(readFile(kFixture) + "garbage line\n 8 0 short 1 2\n8 0 neg 1 0 -5 0 1 0 5 0\n", out);
    ASSERT_EQ(out.size(), 16U);
    EXPECT_EQ(out[2].name, "sda");
    EXPECT_EQ(out[2].sectorsRead, 9921002U);
    EXPECT_EQ(out[2].sectorsWritten, 18823440U);
    EXPECT_EQ(out[15].name, "mmcblk0p1");
    parseDiskstats("", out);
    EXPECT_TRUE(out.empty());
}

TEST_F(DiskFixture, TotalCountsWholeDisksOnlyFromTheSecondCollection) {
    wholeDisks({"sda", "sdb", "nvme0n1", "sr0", "mmcblk0"});
    const auto read = source.addCounter("\\PhysicalDisk(_Total)\\Disk Read Bytes/sec");
    const auto write = source.addCounter("\\PhysicalDisk(_Total)\\Disk Write Bytes/sec");
    const auto sda = source.addCounter("\\PhysicalDisk(SDA)\\Disk Read Bytes/sec");
    ASSERT_NE(read, 0U);
    ASSERT_NE(write, 0U);

    std::string text = readFile(kFixture);
    collectAt(10.0, text);
    EXPECT_EQ(source.counterValue(read), 0.0) << "first collection has no rate";

    // Every device, partitions and virtual ones included, moves by 1000 sectors read and 2000 written over 2 s.
    std::vector<DiskSample> samples;
    parseDiskstats(text, samples);
    std::string moved;
    for (const auto& s : samples) {
        moved += line(s.name, s.sectorsRead + 1000, s.sectorsWritten + 2000);
    }
    collectAt(12.0, moved);
    EXPECT_DOUBLE_EQ(source.counterValue(read), 5 * 1000 * 512 / 2.0);
    EXPECT_DOUBLE_EQ(source.counterValue(write), 5 * 2000 * 512 / 2.0);
    EXPECT_DOUBLE_EQ(source.counterValue(sda), 1000 * 512 / 2.0);
    EXPECT_EQ(source.counterValue(0), 0.0);
    EXPECT_EQ(source.counterValue(99), 0.0);
}

TEST_F(DiskFixture, DisksThatComeAndGoNeverSpike) {
    wholeDisks({"sda", "sdb"});
    const auto total = source.addCounter("\\PhysicalDisk(_Total)\\Disk Write Bytes/sec");
    const auto sdb = source.addCounter("\\PhysicalDisk(sdb)\\Disk Write Bytes/sec");
    collectAt(1.0, line("sda", 0, 1000));
    collectAt(2.0, line("sda", 0, 1100) + line("sdb", 0, 900000000)); // sdb plugged in
    EXPECT_DOUBLE_EQ(source.counterValue(total), 100 * 512.0);
    EXPECT_EQ(source.counterValue(sdb), 0.0);
    collectAt(3.0, line("sda", 0, 1200) + line("sdb", 0, 900000010));
    EXPECT_DOUBLE_EQ(source.counterValue(total), 110 * 512.0);
    EXPECT_DOUBLE_EQ(source.counterValue(sdb), 10 * 512.0);
    collectAt(4.0, line("sda", 0, 1300)); // sdb gone
    EXPECT_DOUBLE_EQ(source.counterValue(total), 100 * 512.0);
    EXPECT_EQ(source.counterValue(sdb), 0.0);
    collectAt(5.0, line("sda", 0, 1400) + line("sdb", 0, 5)); // back, counters reset
    EXPECT_DOUBLE_EQ(source.counterValue(total), 100 * 512.0);
    collectAt(6.0, line("sda", 0, 50) + line("sdb", 0, 7)); // sda counter went backwards
    EXPECT_DOUBLE_EQ(source.counterValue(total), 2 * 512.0);
    collectAt(6.0, line("sda", 0, 60) + line("sdb", 0, 9)); // no time passed
    EXPECT_EQ(source.counterValue(total), 0.0);
    collectAt(7.0, line("sda", 0, 18446744073709551615ULL) + line("sdb", 0, 9));
    collectAt(8.0, line("sda", 0, 3) + line("sdb", 0, 9)); // 64-bit wrap
    EXPECT_EQ(source.counterValue(total), 0.0);
    EXPECT_TRUE(std::isfinite(source.counterValue(total)));
}

TEST_F(DiskFixture, AnUnchangedFileReadsZeroAndTheNextChangeCountsFromIt) {
    wholeDisks({"sda", "sdb"});
    const auto total = source.addCounter("\\PhysicalDisk(_Total)\\Disk Read Bytes/sec");
    const auto sda = source.addCounter("\\PhysicalDisk(sda)\\Disk Read Bytes/sec");
    const std::string idle = line("sda", 1000, 0) + line("sdb", 50, 0);
    collectAt(1.0, idle);
    collectAt(2.0, idle);
    EXPECT_EQ(source.counterValue(total), 0.0);
    collectAt(3.0, line("sda", 1400, 0) + line("sdb", 50, 0));
    EXPECT_DOUBLE_EQ(source.counterValue(sda), 400 * 512.0);
    collectAt(4.0, line("sda", 1400, 0) + line("sdb", 50, 0));
    EXPECT_EQ(source.counterValue(sda), 0.0) << "a busy second followed by an idle one";
    EXPECT_EQ(source.counterValue(total), 0.0);
    collectAt(5.0, line("sda", 1400, 0) + line("sdb", 50, 0));
    collectAt(7.0, line("sda", 1600, 0) + line("sdb", 50, 0));
    EXPECT_DOUBLE_EQ(source.counterValue(sda), 200 * 512.0 / 2.0) << "measured from the last idle collection";
    EXPECT_DOUBLE_EQ(source.counterValue(total), 200 * 512.0 / 2.0);
}

TEST_F(DiskFixture, JunkInstancesAndMissingFilesReadZero) {
    wholeDisks({"sda"});
    std::filesystem::create_directories(dir.file("x/device"));
    const std::vector<std::string> junk{"../x", "/", "..", ".", "sda1", "loop0", std::string(200, 'a'), "*", "%s"};
    std::vector<CounterHandle> handles;
    for (const auto& name : junk) {
        handles.push_back(source.addCounter("\\PhysicalDisk(" + name + ")\\Disk Read Bytes/sec"));
    }
    EXPECT_EQ(source.addCounter("\\PhysicalDisk(" + std::string(10000, 'a') + ")\\Disk Read Bytes/sec"), 0U);
    EXPECT_EQ(source.addCounter("\\PhysicalDisk()\\Disk Read Bytes/sec"), 0U);
    const std::string text = line("sda", 0, 0) + line("sda1", 0, 0) + line("loop0", 0, 0) + line("../x", 0, 0);
    collectAt(1.0, text);
    collectAt(2.0, line("sda", 100, 0) + line("sda1", 100, 0) + line("loop0", 100, 0) + line("../x", 100, 0));
    for (const auto h : handles) {
        EXPECT_EQ(source.counterValue(h), 0.0);
    }

    std::filesystem::remove(stats);
    clock.now = 3.0;
    source.collect();
    const auto total = source.addCounter("\\PhysicalDisk(_Total)\\Disk Read Bytes/sec");
    EXPECT_EQ(source.counterValue(total), 0.0);
    // While the file was missing every disk counted as gone, so the disk coming back starts afresh.
    collectAt(4.0, line("sda", 300, 0));
    EXPECT_EQ(source.counterValue(total), 0.0);
    collectAt(5.0, line("sda", 400, 0));
    EXPECT_DOUBLE_EQ(source.counterValue(total), 100.0 * 512);
}

namespace {
std::size_t openDescriptors() {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                                                   std::filesystem::directory_iterator()));
}
} // namespace

TEST(KernelDiskstats, OneDescriptorKeptAcrossCollectionsAndClosedAtTheEnd) {
    const std::size_t before = openDescriptors();
    {
        FakeClock clock;
        ProcDiskCounterSource source("/proc/diskstats", "/sys/block", clock);
        const CounterHandle read = source.addCounter("\\PhysicalDisk(_Total)\\Disk Read Bytes/sec");
        const CounterHandle write = source.addCounter("\\PhysicalDisk(_Total)\\Disk Write Bytes/sec");
        for (int i = 0; i < 5; ++i) {
            clock.now += 1;
            source.collect();
            for (const CounterHandle h : {read, write}) {
                const double rate = source.counterValue(h);
                EXPECT_TRUE(std::isfinite(rate) && rate >= 0) << rate;
            }
        }
        EXPECT_EQ(openDescriptors(), before + 1);
    }
    EXPECT_EQ(openDescriptors(), before);
}

TEST_F(DiskFixture, AFixtureFileReplacedBetweenCollectionsIsReadAnew) {
    wholeDisks({"sda"});
    collectAt(1, line("sda", 0, 0));
    // Replaced by rename, as an editor or a test harness would: the reader must not keep the old file open.
    const std::string next = dir.file("next");
    writeFile(next, line("sda", 2048, 0));
    std::filesystem::rename(next, stats);
    clock.now = 2;
    source.collect();
    EXPECT_DOUBLE_EQ(source.counterValue(source.addCounter("\\PhysicalDisk(_Total)\\Disk Read Bytes/sec")),
                     2048.0 * 512);
}
