#include "login_start/set_startup_logic.h"
#include "platform/desktop_entry.h"
#include "platform/file_ops.h"
#include "platform/xdg_login_start_registry.h"
#include "support/desktop_entry_parser.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <vector>

using namespace oruvel;
using test::readFile;
using test::TempDir;

TEST(SetStartup, SwitchIsTheWholeArgumentTextInAnyCase) {
    EXPECT_EQ(login_start::parseCommand("/create"), login_start::Command::Create);
    EXPECT_EQ(login_start::parseCommand("/CREATE"), login_start::Command::Create);
    EXPECT_EQ(login_start::parseCommand("/Remove"), login_start::Command::Remove);
    EXPECT_EQ(login_start::parseCommand("/create now"), login_start::Command::ShowWindow);
    EXPECT_EQ(login_start::parseCommand(""), login_start::Command::ShowWindow);
    EXPECT_EQ(login_start::parseCommand(" /create"), login_start::Command::ShowWindow);
}

TEST(SetStartup, TaskStartsTheMonitorBesideItWithStartup) {
    const platform::LoginStart task = login_start::oruvelLoginStart("/opt/Oruvel");
    EXPECT_EQ(task.name, "Oruvel");
    EXPECT_EQ(task.programPath, login_start::monitorProgramPath("/opt/Oruvel"));
    EXPECT_NE(task.programPath.find("Oruvel", 10), std::string::npos);
    EXPECT_EQ(task.workingDirectory, "/opt/Oruvel");
    EXPECT_EQ(task.arguments, "/startup");
}

TEST(SetStartup, CreateTwiceKeepsTheFirstAndRemoveIsQuiet) {
    TempDir dir;
    platform::XdgLoginStartRegistry registrar(dir.file("autostart"));
    EXPECT_TRUE(login_start::createLoginStart(registrar, "/first"));
    const std::string entry = registrar.entryPath("Oruvel");
    const std::string first = readFile(entry);
    ASSERT_FALSE(first.empty());
    EXPECT_FALSE(login_start::createLoginStart(registrar, "/second"));
#ifdef _WIN32
    EXPECT_NE(platform::lastFileFailure(), "") << "the system's reason, in its own words";
#else
    EXPECT_EQ(platform::lastFileFailure(), std::strerror(EEXIST));
#endif
    EXPECT_EQ(readFile(entry), first) << "a new task only";
    EXPECT_EQ(test::parseEntry(first)["Path"], "/first");
    EXPECT_TRUE(login_start::removeLoginStart(registrar));
    EXPECT_FALSE(std::filesystem::exists(entry));
    EXPECT_FALSE(login_start::removeLoginStart(registrar));
    EXPECT_EQ(platform::lastFileFailure(), std::strerror(ENOENT));
    EXPECT_FALSE(registrar.remove("Oruvel"));
    EXPECT_FALSE(registrar.remove("../escape"));
    for (const auto& e : std::filesystem::directory_iterator(dir.file("autostart"))) {
        ADD_FAILURE() << "left behind: " << e.path();
    }
}

TEST(SetStartup, ExecLineStartsExactlyTheProgramWhateverTheFolderHolds) {
    TempDir dir;
    for (const std::string& folder :
         {std::string("/home/a b/Oruvel"), std::string("/x/it's \"q\""), std::string("/x/$HOME/$(rm -rf ~)"),
          std::string("/x/`id`"), std::string("/x/back\\slash\\\\two"), std::string("/x/100%/%f %u"),
          std::string("/x/tab\tnew\nline"), std::string(" /leading space")}) {
        const platform::LoginStart task = login_start::oruvelLoginStart(folder);
        const auto keys = test::parseEntry(platform::autostartEntryText(task));
        const auto args = test::splitExec(keys.at("Exec"));
        ASSERT_EQ(args.size(), 2U) << folder;
        EXPECT_EQ(args[0], login_start::monitorProgramPath(folder));
        EXPECT_EQ(args[1], "/startup");
        EXPECT_EQ(keys.at("Path"), folder);
        EXPECT_EQ(keys.at("Type"), "Application");
        EXPECT_EQ(keys.at("TryExec"), login_start::monitorProgramPath(folder)) << "skipped once the program is gone";
        EXPECT_NE(keys.at("Comment"), keys.at("Name"));
    }
}
