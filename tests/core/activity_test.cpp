// The pure side of the disk-activity window: the minute kept, the processes' rates, the total row and the texts.
#include "core/activity_texts.h"
#include "core/process_rates.h"
#include "core/rate_history.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace oruvel::core;
using oruvel::platform::DiskActivity;
using oruvel::platform::DiskActivityReading;
using oruvel::platform::DiskInfo;
using oruvel::platform::ProcessIoReading;
using oruvel::platform::Volume;

TEST(RateHistory, KeepsTheLastMinuteOldestFirstAndCountsTheBytes) {
    RateHistory h;
    EXPECT_EQ(h.size(), 0U);
    EXPECT_EQ(h.peak(), 0.0);
    for (int i = 1; i <= 75; ++i) {
        h.push(i * 1000.0, i * 10.0, 1.0);
    }
    ASSERT_EQ(h.size(), RateHistory::kSeconds);
    EXPECT_EQ(h.at(0).read, 16000.0) << "the 15 oldest seconds are gone";
    EXPECT_EQ(h.at(59).read, 75000.0);
    EXPECT_EQ(h.at(59).write, 750.0);
    EXPECT_EQ(h.peak(), 75000.0);
    EXPECT_EQ(h.bytesRead(), 1000.0 * 75 * 76 / 2) << "totals count every second, not only the minute kept";

    h.push(2000.0, 4000.0, 0.5);
    EXPECT_EQ(h.bytesWritten(), 10.0 * 75 * 76 / 2 + 2000.0) << "a half-second interval moves half the rate";
    const double nan = std::numeric_limits<double>::quiet_NaN();
    h.push(nan, -5.0, std::numeric_limits<double>::infinity());
    EXPECT_EQ(h.at(59).read, 0.0) << "junk rates count as idle";
    EXPECT_EQ(h.at(59).write, 0.0);
    EXPECT_TRUE(std::isfinite(h.bytesRead()));
    h.clear();
    EXPECT_EQ(h.size(), 0U);
    EXPECT_EQ(h.bytesRead(), 0.0);
}

namespace {
ProcessIoReading process(std::int64_t pid, std::uint64_t started, const char* name, std::uint64_t read,
                         std::uint64_t written) {
    return {pid, started, name, read, written};
}
} // namespace

TEST(ProcessRates, RatesFromTheSecondScanWithoutSpikesOfNewOrReusedProcesses) {
    ProcessRates rates;
    rates.update({process(10, 1, "dd", 0, 1'000'000), process(11, 1, "idle", 5, 5)}, 100.0);
    EXPECT_TRUE(rates.busiest(5).empty()) << "one scan gives no rate";

    rates.update({process(10, 1, "dd", 0, 3'000'000), process(11, 1, "idle", 5, 5),
                  process(12, 9, "new", 900'000'000, 900'000'000)},
                 102.0);
    EXPECT_EQ(rates.busiest(5), (std::vector<ProcessRate>{{10, "dd", 0, 1'000'000}}))
        << "a process's whole past is not one second's; an idle one is not listed";

    // dd ended; pid 11 is now another process with the old one's number.
    rates.update({process(11, 50, "reused", 700'000'000, 0), process(12, 9, "new", 901'000'000, 900'000'000)}, 103.0);
    EXPECT_EQ(rates.busiest(5), (std::vector<ProcessRate>{{12, "new", 1'000'000, 0}}));
}

TEST(ProcessRates, TheBusiestFirstAndNoMoreThanAsked) {
    ProcessRates rates;
    std::vector<ProcessIoReading> scan;
    for (int pid = 1; pid <= 8; ++pid) {
        scan.push_back(process(pid, 1, "p", 0, 0));
    }
    rates.update(scan, 1.0);
    for (auto& p : scan) {
        p.readBytes = static_cast<std::uint64_t>(p.pid % 4) * 100; // 1:100 2:200 3:300 4:0 5:100 ...
        p.writeBytes = p.pid == 4 ? 50 : 0;
    }
    rates.update(scan, 2.0);
    const std::vector<ProcessRate> top = rates.busiest(3);
    ASSERT_EQ(top.size(), 3U);
    EXPECT_EQ(top[0].pid, 3);
    EXPECT_EQ(top[1].pid, 7);
    EXPECT_EQ(top[2].pid, 2) << "equal ones by pid";
    EXPECT_EQ(rates.busiest(100).size(), 7U) << "pid 8 did no I/O";
    EXPECT_TRUE(rates.busiest(0).empty());
    rates.update(scan, 2.0);
    EXPECT_TRUE(rates.busiest(5).empty()) << "no time passed, no rate";
}

TEST(ActivityTexts, TheTotalRowAndTheTexts) {
    std::vector<DiskActivityReading> disks(2);
    disks[0].activity = {1000, 2000, 30, 2.0, 10.0, 100, 10, 1};
    disks[1].activity = {500, 0, 80, 6.0, 0.0, 300, 0, 2};
    const DiskActivity total = totalActivity(disks);
    EXPECT_EQ(total.readRate, 1500.0);
    EXPECT_EQ(total.writeRate, 2000.0);
    EXPECT_EQ(total.busyPercent, 80.0) << "as busy as the busiest disk";
    EXPECT_DOUBLE_EQ(total.readAwaitMilliseconds, (2.0 * 100 + 6.0 * 300) / 400) << "weighted by operations";
    EXPECT_EQ(total.writeAwaitMilliseconds, 10.0);
    EXPECT_EQ(total.readsPerSecond, 400.0);
    EXPECT_EQ(total.inFlight, 3.0);
    EXPECT_EQ(totalActivity({}), DiskActivity{});

    const NumberSeparators comma{".", ","};
    EXPECT_EQ(rateText(117.74 * 1048576, {}), "117.74 MB/s");
    EXPECT_EQ(percentText(36.6), "37 %");
    EXPECT_EQ(percentText(250), "100 %");
    EXPECT_EQ(percentText(std::numeric_limits<double>::quiet_NaN()), "0 %");
    EXPECT_EQ(millisecondsText(1.254, {}), "1.25 ms");
    EXPECT_EQ(millisecondsText(12.34, comma), "12,3 ms");
    EXPECT_EQ(millisecondsText(1234.6, {}), "1235 ms");
    EXPECT_EQ(millisecondsText(-1, {}), "0.00 ms");
    EXPECT_EQ(countText(119.6), "120");
    EXPECT_EQ(countText(std::numeric_limits<double>::infinity()), "0") << "junk counts as nothing";
    EXPECT_EQ(countText(1e300), "1000000000000000");
}

TEST(ActivityTexts, ADiskAsTheUserKnowsIt) {
    const DiskInfo nvme{
        "nvme0n1", "Samsung SSD 980 1TB", 1000204886016ULL, {{"/", ""}, {"/home", "HOME"}, {"", "BACKUP"}}};
    EXPECT_EQ(volumesText(nvme.volumes), "/, /home (HOME), BACKUP");
    EXPECT_EQ(diskDescription(nvme), "nvme0n1 \u2014 Samsung SSD 980 1TB (1.0 TB) \u2014 /, /home (HOME), BACKUP");
    EXPECT_EQ(diskDescription({"vda", "", 0, {}}), "vda");
    EXPECT_EQ(diskDescription({"sdb", "", 500107862016ULL, {{"C:", "Data"}}}, ","), "sdb (500,1 GB) \u2014 C: (Data)");
}
