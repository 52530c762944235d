#include "core/perf_mon.h"
#include "core/program.h"
#include "support/recording_counter_source.h"

#include <gtest/gtest.h>

using namespace oruvel::core;
using oruvel::test::RecordingCounterSource;

TEST(PerfMon, KeepsTheQueryCallingOrder) {
    std::vector<std::string> log;
    RecordingCounterSource* source = nullptr;
    Program program(".", nullptr, [&] {
        auto s = std::make_unique<RecordingCounterSource>(&log);
        source = s.get();
        return s;
    });
    OpenCounterQuery(program);
    AddDiskCounter(kReadSlot, readCounterPath("_Total"), program.hQuery.get(), program.Counters);
    AddDiskCounter(kWriteSlot, writeCounterPath("_Total"), program.hQuery.get(), program.Counters);
    AddDiskCounter(3, readCounterPath("sda"), program.hQuery.get(), program.Counters);
    source->readRate = 1000;
    source->writeRate = 2000;
    CollectCounters(program);
    EXPECT_EQ(CounterValue(program, kReadSlot), 1000);
    EXPECT_EQ(CounterValue(program, kWriteSlot), 2000);
    CloseCounterQuery(program);
    EXPECT_EQ(CounterValue(program, kReadSlot), 0) << "a closed query reads 0";

    const std::vector<std::string> expected{"add \\PhysicalDisk(_Total)\\Disk Read Bytes/sec",
                                            "add \\PhysicalDisk(_Total)\\Disk Write Bytes/sec",
                                            "add \\PhysicalDisk(sda)\\Disk Read Bytes/sec",
                                            "collect",
                                            "value 1",
                                            "value 2",
                                            "close"};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(program.Counters[1].path, "\\PhysicalDisk(_Total)\\Disk Read Bytes/sec");
    EXPECT_EQ(program.Counters[2].handle, 2U);
    EXPECT_EQ(program.Counters[0].handle, 0U) << "slot 3 records nothing";
}

TEST(PerfMon, NoQueryMeansZeroHandlesAndZeroRates) {
    Program program(".", nullptr, [] { return nullptr; });
    OpenCounterQuery(program);
    AddDiskCounter(kReadSlot, readCounterPath("_Total"), program.hQuery.get(), program.Counters);
    CollectCounters(program);
    EXPECT_EQ(program.Counters[1].handle, 0U);
    EXPECT_EQ(program.Counters[1].path, "\\PhysicalDisk(_Total)\\Disk Read Bytes/sec");
    EXPECT_EQ(CounterValue(program, kReadSlot), 0);
}
