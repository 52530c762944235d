#include "platform/file_registry_store.h"
#include "platform/registry_routines.h"
#include "startup/start_with_login.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace oruvel;

TEST(StartWithLogin, VersionTable) {
    EXPECT_EQ(startup::windowsVersionName(0, 3, 10, 0), "Windows 3.1");
    EXPECT_EQ(startup::windowsVersionName(1, 4, 0, 950), "Windows 95");
    EXPECT_EQ(startup::windowsVersionName(1, 4, 10, 2222), "Windows 98SE");
    EXPECT_EQ(startup::windowsVersionName(1, 4, 10, 0x040A0000 | 2222), "Windows 98SE") << "low 16 bits";
    EXPECT_EQ(startup::windowsVersionName(1, 4, 10, 1998), "Windows 98");
    EXPECT_EQ(startup::windowsVersionName(1, 4, 90, 3000), "Windows Me");
    EXPECT_EQ(startup::windowsVersionName(2, 3, 51, 1057), "Windows NT 3.51");
    EXPECT_EQ(startup::windowsVersionName(2, 4, 0, 1381), "Windows NT 4.0");
    EXPECT_EQ(startup::windowsVersionName(2, 5, 0, 2195), "Windows 2000");
    EXPECT_EQ(startup::windowsVersionName(2, 5, 1, 2600), "Windows XP");
    EXPECT_EQ(startup::windowsVersionName(2, 5, 2, 3790), "Windows Server 2003");
    EXPECT_EQ(startup::windowsVersionName(2, 6, 0, 6000), "");
    EXPECT_EQ(startup::windowsVersionName(2, 10, 0, 22631), "");
    EXPECT_EQ(startup::windowsVersionName(1, 4, 50, 0), "");
    EXPECT_EQ(startup::windowsVersionName(3, 5, 1, 0), "");
}

TEST(StartWithLogin, RunValueQuotesThePathAndComesAndGoes) {
    EXPECT_EQ(startup::runKeyValue("C:\\Program Files\\Oruvel", "Oruvel", "/startup"),
              "\"C:\\Program Files\\Oruvel\\Oruvel.exe\" /startup");
    test::TempDir dir;
    platform::FileRegistryStore store(dir.path());
    platform::RegistryKey r(store);
    r.root = platform::RegRoot::LocalMachine;
    r.parentPath = startup::kRunKeyRoot;
    ASSERT_TRUE(r.createKey(std::string(startup::kRunKey)));
    startup::addRunKeyValue("/startup", platform::RegRoot::LocalMachine, store, "C:\\My Apps");
    r.name = startup::kRunKey;
    EXPECT_EQ(platform::valueText(r.value("Oruvel")), "\"C:\\My Apps\\Oruvel.exe\" /startup");
    startup::removeRunKeyValue(platform::RegRoot::LocalMachine, store);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(r.value("Oruvel")));
}

TEST(StartWithLogin, ThisSystemUsesTheStartupProgram) {
    EXPECT_EQ(startup::windowsVersionName(), "");
}
