#include "core/disk_rate_sampler.h"
#include "support/recording_counter_source.h"

#include <gtest/gtest.h>

using namespace oruvel::core;
using oruvel::test::RecordingCounterSource;

TEST(DiskRateSampler, KeepsTheQueryCallingOrder) {
    std::vector<std::string> log;
    RecordingCounterSource* source = nullptr;
    DiskRateSampler sampler([&] {
        auto s = std::make_unique<RecordingCounterSource>(&log);
        source = s.get();
        return s;
    });
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

TEST(DiskRateSampler, ReopeningClosesTheOldQueryAndFollowsTheNewInstance) {
    std::vector<std::string> log;
    DiskRateSampler sampler([&] { return std::make_unique<RecordingCounterSource>(&log); });
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

TEST(DiskRateSampler, SwitchingKeepsTheQueryAndReadsTheNewInstance) {
    std::vector<std::string> log;
    RecordingCounterSource* source = nullptr;
    DiskRateSampler sampler([&] {
        auto s = std::make_unique<RecordingCounterSource>(&log);
        source = s.get();
        return s;
    });
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
