// The Windows backends against the system's own services (Wine's, when run under Wine).
#include "platform/disk_list.h"
#include "platform/process_io.h"
#include "platform/system_paths.h"
#include "platform/windows/pdh_disk_activity_source.h"
#include "platform/windows/pdh_disk_rate_source.h"
#include "platform/windows/task_scheduler_login_start_registry.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <thread>

using namespace oruvel::platform;

TEST(PdhCounters, PathsNameTheInstanceAndTheDirection) {
    EXPECT_EQ(diskCounterPath("_Total", false), "\\PhysicalDisk(_Total)\\Disk Read Bytes/sec");
    EXPECT_EQ(diskCounterPath("0 C:", true), "\\PhysicalDisk(0 C:)\\Disk Write Bytes/sec");
}

TEST(PdhCounters, ReadZeroWhereNothingValidExists) {
    PdhDiskRateSource source;
    source.collect();
    EXPECT_EQ(source.readRate(), 0.0) << "first collection";
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    source.collect();
    for (const double v : {source.readRate(), source.writeRate()}) {
        EXPECT_TRUE(std::isfinite(v) && v >= 0.0);
    }
    source.select("no such disk");
    source.collect();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    source.collect();
    EXPECT_EQ(source.readRate(), 0.0);
    EXPECT_EQ(source.writeRate(), 0.0);
}

TEST(TaskScheduler, TheTaskRunsWithTheCreatorsOwnRightsForTheCreatorAlone) {
    // The program file lies in a folder its user can write: a task that ran it elevated would elevate whatever
    // replaced it.
    EXPECT_FALSE(kTaskProperties.highestRunLevel);
    EXPECT_TRUE(kTaskProperties.creatorOnly);
    const std::string account = currentUserAccount();
    EXPECT_FALSE(account.empty());
    EXPECT_NE(account.find('\\'), std::string::npos) << account;
}

TEST(TaskScheduler, CreateAndRemoveTheLoginStart) {
    TaskSchedulerLoginStartRegistry registrar;
    LoginStart task;
    task.name = "OruvelTestTask";
    task.programPath = "C:\\Program Files\\Oruvel\\Oruvel.exe";
    task.workingDirectory = "C:\\Program Files\\Oruvel";
    task.arguments = "/startup";
    registrar.remove(task.name);
    const bool created = registrar.add(task);
    if (!created) {
        GTEST_SKIP() << "this system's Task Scheduler did not register the task (no service or no rights); the "
                        "calls ran and failed quietly";
    }
    EXPECT_FALSE(registrar.add(task)) << "a second create leaves the first task";
    EXPECT_TRUE(registrar.remove(task.name));
    EXPECT_FALSE(registrar.remove(task.name)) << "deleting a missing task fails quietly";
}

TEST(WindowsServices, Paths) {
    EXPECT_EQ(executableFileName("Oruvel"), "Oruvel.exe");
    EXPECT_NE(runningProgramPath().find(".exe"), std::string::npos);
    EXPECT_FALSE(userConfigFolder().empty());
}

TEST(PdhActivity, EveryDiskFromTheWildcardCounters) {
    EXPECT_EQ(activityCounterPath(ActivityCounter::IdleTime), "\\PhysicalDisk(*)\\% Idle Time");
    std::array<InstanceValues, kActivityCounterCount> values;
    const auto set = [&](ActivityCounter c, InstanceValues v) { values[static_cast<std::size_t>(c)] = std::move(v); };
    set(ActivityCounter::ReadBytes, {{"_Total", 9e9}, {"1 D:", 0}, {"0 C:", 2048}});
    set(ActivityCounter::WriteBytes, {{"0 C:", 4096}, {"1 D:", std::numeric_limits<double>::infinity()}});
    set(ActivityCounter::IdleTime, {{"0 C:", 63}, {"1 D:", 100.4}});
    set(ActivityCounter::ReadTime, {{"0 C:", 0.0025}});
    set(ActivityCounter::WriteTime, {{"0 C:", -1}});
    set(ActivityCounter::Reads, {{"0 C:", 12}});
    set(ActivityCounter::QueueLength, {{"0 C:", 2}});
    const std::vector<DiskActivityReading> disks = activityFromCounters(values);
    ASSERT_EQ(disks.size(), 2U) << "the total is the window's own sum";
    EXPECT_EQ(disks[0].name, "0 C:");
    EXPECT_TRUE(disks[0].measured);
    EXPECT_EQ(disks[0].activity, (DiskActivity{2048, 4096, 37, 2.5, 0, 12, 0, 2}));
    EXPECT_EQ(disks[1].activity.busyPercent, 0.0) << "an idle share past 100 is no negative busy share";
    EXPECT_EQ(disks[1].activity.writeRate, 0.0);

    EXPECT_EQ(driveLettersOf("0 C: D:"), (std::vector<std::string>{"C:", "D:"}));
    EXPECT_TRUE(driveLettersOf("2").empty());
    EXPECT_TRUE(driveLettersOf("1 :: CC: 5:").empty());
}

TEST(PdhActivity, TheSystemsCountersAndProcessesReadSoundly) {
    PdhDiskActivitySource disks;
    disks.collect();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    disks.collect();
    for (const DiskActivityReading& d : disks.disks()) {
        EXPECT_TRUE(d.activity.busyPercent >= 0 && d.activity.busyPercent <= 100) << d.name;
    }
    const auto listed = listDisksWithVolumes();
    for (const DiskInfo& disk : listed) {
        EXPECT_NE(disk.name, "_Total");
    }
    auto processes = openProcessIoSource();
    ProcessScan scan;
    processes->scan(scan);
    EXPECT_TRUE(scan.countsAllIo);
    const auto self = std::find_if(scan.processes.begin(), scan.processes.end(), [](const ProcessIoReading& p) {
        return p.pid == static_cast<std::int64_t>(GetCurrentProcessId());
    });
    ASSERT_NE(self, scan.processes.end()) << "this process is always read";
    EXPECT_NE(self->name.find("oruvel_platform_tests"), std::string::npos) << self->name;
}
