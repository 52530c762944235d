#include "platform/desktop_entry.h"
#include "platform/file_ops.h"
#include "platform/xdg_autostart_registrar.h"
#include "startup_task/set_startup_logic.h"
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
    EXPECT_EQ(startup_task::parseCommand("/create"), startup_task::Command::Create);
    EXPECT_EQ(startup_task::parseCommand("/CREATE"), startup_task::Command::Create);
    EXPECT_EQ(startup_task::parseCommand("/Remove"), startup_task::Command::Remove);
    EXPECT_EQ(startup_task::parseCommand("/create now"), startup_task::Command::ShowWindow);
    EXPECT_EQ(startup_task::parseCommand(""), startup_task::Command::ShowWindow);
    EXPECT_EQ(startup_task::parseCommand(" /create"), startup_task::Command::ShowWindow);
}

TEST(SetStartup, TaskStartsTheMonitorBesideItWithStartup) {
    const platform::LogonTask task = startup_task::oruvelLogonTask("/opt/Oruvel");
    EXPECT_EQ(task.name, "Oruvel");
    EXPECT_EQ(task.author, "Oruvel - Quorlane");
    EXPECT_EQ(task.description, "Oruvel");
    EXPECT_EQ(task.programPath, startup_task::monitorProgramPath("/opt/Oruvel"));
    EXPECT_NE(task.programPath.find("Oruvel", 10), std::string::npos);
    EXPECT_EQ(task.workingDirectory, "/opt/Oruvel");
    EXPECT_EQ(task.arguments, "/startup");
    EXPECT_TRUE(task.highestRunLevel);
    EXPECT_TRUE(task.noTimeLimit);
    EXPECT_EQ(task.multipleInstances, 0);
}

TEST(SetStartup, CreateTwiceKeepsTheFirstAndRemoveIsQuiet) {
    TempDir dir;
    platform::XdgAutostartRegistrar registrar(dir.file("autostart"));
    EXPECT_TRUE(startup_task::createLogonTask(registrar, "/first"));
    const std::string entry = registrar.entryPath("Oruvel");
    const std::string first = readFile(entry);
    ASSERT_FALSE(first.empty());
    EXPECT_FALSE(startup_task::createLogonTask(registrar, "/second"));
#ifdef _WIN32
    EXPECT_NE(platform::lastFileFailure(), "") << "the system's reason, in its own words";
#else
    EXPECT_EQ(platform::lastFileFailure(), std::strerror(EEXIST));
#endif
    EXPECT_EQ(readFile(entry), first) << "a new task only";
    EXPECT_EQ(test::parseEntry(first)["Path"], "/first");
    EXPECT_TRUE(startup_task::removeLogonTask(registrar));
    EXPECT_FALSE(std::filesystem::exists(entry));
    EXPECT_FALSE(startup_task::removeLogonTask(registrar));
    EXPECT_EQ(platform::lastFileFailure(), std::strerror(ENOENT));
    EXPECT_FALSE(registrar.deleteTask("Oruvel"));
    EXPECT_FALSE(registrar.deleteTask("../escape"));
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
        const platform::LogonTask task = startup_task::oruvelLogonTask(folder);
        const auto keys = test::parseEntry(platform::autostartEntryText(task));
        const auto args = test::splitExec(keys.at("Exec"));
        ASSERT_EQ(args.size(), 2U) << folder;
        EXPECT_EQ(args[0], startup_task::monitorProgramPath(folder));
        EXPECT_EQ(args[1], "/startup");
        EXPECT_EQ(keys.at("Path"), folder);
        EXPECT_EQ(keys.at("Type"), "Application");
        EXPECT_EQ(keys.at("TryExec"), startup_task::monitorProgramPath(folder)) << "skipped once the program is gone";
        EXPECT_NE(keys.at("Comment"), keys.at("Name"));
    }
}
