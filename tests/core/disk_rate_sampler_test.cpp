#include "core/disk_rate_sampler.h"
#include "support/recording_counter_source.h"

#include <gtest/gtest.h>

using namespace oruvel::core;
using oruvel::test::RecordingCounterSource;

namespace {

// A sampler over a recording source: `log` lists the calls, `source` is the query opened last.
struct RecordedSampler : ::testing::Test {
    std::vector<std::string> log;
    RecordingCounterSource* source = nullptr;
    DiskRateSampler sampler{[this] {
        auto s = std::make_unique<RecordingCounterSource>(&log);
        source = s.get();
        return s;
    }};
};

} // namespace

TEST_F(RecordedSampler, KeepsTheQueryCallingOrder) {
    sampler.open("_Total");
    source->readRate = 1000;
    source->writeRate = 2000;
    sampler.sample();
    EXPECT_EQ(sampler.readRate(), 1000);
    EXPECT_EQ(sampler.writeRate(), 2000);
    sampler.close();
    EXPECT_EQ(sampler.readRate(), 0) << "a closed query reads 0";
    EXPECT_FALSE(sampler.isOpen());

    const std::vector<std::string> expected{"add \\PhysicalDisk(_Total)\\Disk Read Bytes/sec",
                                            "add \\PhysicalDisk(_Total)\\Disk Write Bytes/sec",
                                            "collect",
                                            "value 1",
                                            "value 2",
                                            "close"};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(sampler.readPath(), "\\PhysicalDisk(_Total)\\Disk Read Bytes/sec");
    EXPECT_EQ(sampler.writePath(), "\\PhysicalDisk(_Total)\\Disk Write Bytes/sec");
}

TEST_F(RecordedSampler, ReopeningClosesTheOldQueryAndFollowsTheNewInstance) {
    sampler.open("sda");
    sampler.open("nvme0n1");
    const std::vector<std::string> expected{
        "add \\PhysicalDisk(sda)\\Disk Read Bytes/sec", "add \\PhysicalDisk(sda)\\Disk Write Bytes/sec", "close",
        "add \\PhysicalDisk(nvme0n1)\\Disk Read Bytes/sec", "add \\PhysicalDisk(nvme0n1)\\Disk Write Bytes/sec"};
    EXPECT_EQ(log, expected);
}

TEST(DiskRateSampler, NoQueryMeansZeroRates) {
    DiskRateSampler sampler([] { return nullptr; });
    sampler.open("_Total");
    sampler.sample();
    EXPECT_FALSE(sampler.isOpen());
    EXPECT_EQ(sampler.readPath(), "\\PhysicalDisk(_Total)\\Disk Read Bytes/sec");
    EXPECT_EQ(sampler.readRate(), 0);
    EXPECT_EQ(sampler.writeRate(), 0);
}

TEST_F(RecordedSampler, SwitchingKeepsTheQueryAndReadsTheNewInstance) {
    sampler.switchInstance("sda"); // nothing open yet: opens
    sampler.switchInstance("_Total");
    source->readRate = 7;
    sampler.sample();
    EXPECT_EQ(sampler.readRate(), 7);
    const std::vector<std::string> expected{"add \\PhysicalDisk(sda)\\Disk Read Bytes/sec",
                                            "add \\PhysicalDisk(sda)\\Disk Write Bytes/sec",
                                            "add \\PhysicalDisk(_Total)\\Disk Read Bytes/sec",
                                            "add \\PhysicalDisk(_Total)\\Disk Write Bytes/sec",
                                            "collect",
                                            "value 3"};
    EXPECT_EQ(log, expected) << "one query, no close";
    EXPECT_EQ(sampler.writePath(), "\\PhysicalDisk(_Total)\\Disk Write Bytes/sec");
}
