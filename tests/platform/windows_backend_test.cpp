// The Windows backends against the system's own services (Wine's, when run under Wine).
#include "platform/platform_services.h"
#include "platform/windows/pdh_disk_rate_source.h"
#include "platform/windows/task_scheduler_login_start_registry.h"

#include <gtest/gtest.h>

#include <cmath>
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
