// The Windows backends against the system's own services (Wine's, when run under Wine).
#include "platform/platform_services.h"
#include "platform/registry_routines.h"
#include "platform/windows/pdh_disk_counter_source.h"
#include "platform/windows/task_scheduler_registrar.h"
#include "platform/windows/win32_registry_store.h"

#include <gtest/gtest.h>

#include <cmath>
#include <thread>

using namespace oruvel::platform;

namespace {

constexpr const char* kTestRoot = "Software\\OruvelTests";

// Each test works under a key of its own, since CTest runs them side by side against the one registry.
struct RealRegistry : ::testing::Test {
    Win32RegistryStore store;
    const std::string root =
        std::string(kTestRoot) + "\\" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    RegistryKey at(const std::string& subkey) {
        RegistryKey r(store);
        r.root = RegRoot::CurrentUser;
        r.parentPath = root;
        r.name = subkey;
        return r;
    }
    ~RealRegistry() override {
        store.deleteKey(RegRoot::CurrentUser, root + "\\Child\\Deep");
        store.deleteKey(RegRoot::CurrentUser, root + "\\Child");
        store.deleteKey(RegRoot::CurrentUser, root);
        store.deleteKey(RegRoot::CurrentUser, kTestRoot); // kept while the other test still has its key there
    }
};

} // namespace

TEST_F(RealRegistry, ValuesRoundTripAndKeysMustExist) {
    auto r = at("Child");
    EXPECT_FALSE(r.setValue("v", std::string("x"), reg::kSz)) << "the key is not created by a set";
    ASSERT_TRUE(r.createKey());
    ASSERT_TRUE(r.setValue("FrmMonitor_x", std::string("1500"), reg::kSz));
    ASSERT_TRUE(r.setValue("text", std::string("读写 \xE2\x82\xAC"), reg::kSz));
    ASSERT_TRUE(r.setValue("num", std::int32_t{-7}, reg::kDword));
    ASSERT_TRUE(r.setValue("bytes", std::vector<std::uint8_t>{1, 0, 255}, reg::kBinary));
    ASSERT_TRUE(r.setValue("multi", std::string("a"), reg::kMultiSz));
    ASSERT_TRUE(r.setValue("long", std::string(3000, 'L'), reg::kSz));
    EXPECT_EQ(std::get<std::string>(r.value("FrmMonitor_x")), "1500");
    EXPECT_EQ(std::get<std::string>(r.value("text")), "读写 \xE2\x82\xAC");
    EXPECT_EQ(std::get<std::int32_t>(r.value("num")), -7);
    EXPECT_EQ(std::get<std::vector<std::uint8_t>>(r.value("bytes")), (std::vector<std::uint8_t>{1, 0, 255}));
    EXPECT_EQ(std::get<std::string>(r.value("multi")), "a");
    EXPECT_EQ(std::get<std::string>(r.value("long")).size(), 3000U);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(r.value("missing")));
    EXPECT_EQ(r.deleteValue("text"), reg::kSuccess);
    EXPECT_EQ(r.deleteValue("text"), reg::kFileNotFound);
}

TEST_F(RealRegistry, KeysWithSubkeysStay) {
    auto r = at("Child");
    ASSERT_TRUE(r.createKey("Child\\Deep"));
    r.deleteKey("Child");
    EXPECT_TRUE(r.exists()) << "a key with subkeys is not deleted";
    EXPECT_EQ(r.subkeys(RegRoot::CurrentUser, root + "\\Child"), std::vector<std::string>{"Deep"});
    r.deleteKey("Child\\Deep");
    r.deleteKey("Child");
    EXPECT_FALSE(r.exists());
}

TEST(PdhCounters, ReadZeroWhereNothingValidExists) {
    PdhDiskCounterSource source;
    const auto read = source.addCounter("\\PhysicalDisk(_Total)\\Disk Read Bytes/sec");
    const auto write = source.addCounter("\\PhysicalDisk(_Total)\\Disk Write Bytes/sec");
    const auto junk = source.addCounter("\\PhysicalDisk(no such disk)\\Disk Read Bytes/sec");
    source.collect();
    EXPECT_EQ(source.counterValue(read), 0.0) << "first collection";
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    source.collect();
    for (const auto h : {read, write, junk, CounterHandle{0}, CounterHandle{99}}) {
        const double v = source.counterValue(h);
        EXPECT_TRUE(std::isfinite(v) && v >= 0.0);
    }
    EXPECT_EQ(source.counterValue(junk), 0.0);
}

TEST(TaskScheduler, CreateAndRemoveTheLogonTask) {
    TaskSchedulerRegistrar registrar;
    LogonTask task;
    task.name = "OruvelTestTask";
    task.author = "Oruvel - Quorlane";
    task.description = "Oruvel";
    task.actionId = "Oruvel Monitor";
    task.programPath = "C:\\Program Files\\Oruvel\\Oruvel.exe";
    task.workingDirectory = "C:\\Program Files\\Oruvel";
    task.arguments = "/startup";
    registrar.deleteTask(task.name);
    const bool created = registrar.registerTask(task);
    if (!created) {
        GTEST_SKIP() << "this system's Task Scheduler did not register the task (no service or no rights); the "
                        "calls ran and failed quietly";
    }
    EXPECT_FALSE(registrar.registerTask(task)) << "a second create leaves the first task";
    EXPECT_TRUE(registrar.deleteTask(task.name));
    EXPECT_FALSE(registrar.deleteTask(task.name)) << "deleting a missing task fails quietly";
}

TEST(WindowsServices, VersionAndPaths) {
    const auto version = readOsVersion();
    ASSERT_TRUE(version.has_value());
    EXPECT_EQ(version->platformId, 2);
    EXPECT_GE(version->major, 5);
    EXPECT_EQ(executableFileName("Oruvel"), "Oruvel.exe");
    EXPECT_NE(runningProgramPath().find(".exe"), std::string::npos);
    EXPECT_FALSE(userConfigFolder().empty());
}
