#include "platform/linux/user_config_folder.h"
#include "platform/xdg_login_start_registry.h"

#include <gtest/gtest.h>

using namespace oruvel::platform;

TEST(UserConfigFolder, ComesFromXdgConfigHomeThenHomeThenThePasswordDatabase) {
    EXPECT_EQ(configFolderFrom("/x/cfg", "/home/u", "/home/pw"), "/x/cfg");
    EXPECT_EQ(configFolderFrom(nullptr, "/home/u", "/home/pw"), "/home/u/.config");
    EXPECT_EQ(configFolderFrom("relative", "/home/u", nullptr), "/home/u/.config") << "only absolute paths count";
    EXPECT_EQ(configFolderFrom("", "", "/home/pw"), "/home/pw/.config");
    EXPECT_EQ(configFolderFrom(nullptr, "relative", "/home/pw"), "/home/pw/.config");
}

TEST(UserConfigFolder, WithoutAHomeFolderPerUserDataFailsQuietlyInsteadOfGoingToASharedFolder) {
    EXPECT_EQ(configFolderFrom(nullptr, nullptr, nullptr), "");
    EXPECT_EQ(configFolderFrom("", "", ""), "");
    EXPECT_EQ(configFolderFrom(nullptr, nullptr, "relative"), "");

    XdgLoginStartRegistry autostart{std::string()};
    LoginStart task;
    task.name = "Oruvel";
    task.programPath = "/usr/bin/oruvel";
    EXPECT_FALSE(autostart.add(task));
    EXPECT_FALSE(autostart.remove("Oruvel"));
}
