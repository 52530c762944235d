#include "core/disk_rate_sampler.h"
#include "support/recording_rate_source.h"

#include <gtest/gtest.h>

using namespace oruvel::core;
using oruvel::test::RecordingRateSource;

namespace {

// A sampler over a recording source: `log` lists the calls, `source` is the one opened last.
struct RecordedSampler : ::testing::Test {
    std::vector<std::string> log;
    RecordingRateSource* source = nullptr;
    DiskRateSampler sampler{[this] {
        auto s = std::make_unique<RecordingRateSource>(&log);
        source = s.get();
        return s;
    }};
};

} // namespace

TEST_F(RecordedSampler, OpensSamplesAndCloses) {
    sampler.open("_Total");
    source->read = 1000;
    source->write = 2000;
    sampler.sample();
    EXPECT_EQ(sampler.readRate(), 1000);
    EXPECT_EQ(sampler.writeRate(), 2000);
    sampler.close();
    EXPECT_EQ(sampler.readRate(), 0) << "a closed sampler reads 0";
    EXPECT_FALSE(sampler.isOpen());
    sampler.sample();
    EXPECT_EQ(log, (std::vector<std::string>{"select _Total", "collect", "close"}));
}

TEST_F(RecordedSampler, ReopeningClosesTheOldSourceAndSwitchingKeepsIt) {
    sampler.switchInstance("sda"); // nothing open yet: opens
    sampler.open("nvme0n1");
    sampler.switchInstance("_Total");
    EXPECT_EQ(log, (std::vector<std::string>{"select sda", "close", "select nvme0n1", "select _Total"}));
}

TEST(DiskRateSampler, NoSourceMeansZeroRates) {
    DiskRateSampler sampler([] { return nullptr; });
    sampler.open("_Total");
    sampler.sample();
    sampler.switchInstance("sda");
    EXPECT_FALSE(sampler.isOpen());
    EXPECT_EQ(sampler.readRate(), 0);
    EXPECT_EQ(sampler.writeRate(), 0);
}
