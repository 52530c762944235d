#include "platform/desktop_entry.h"
#include "platform/xdg_autostart_registrar.h"
#include "startup_task/set_startup_logic.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <vector>

using namespace oruvel;
using test::readFile;
using test::TempDir;

namespace {

// Reads an autostart entry the way the Desktop Entry specification says: keys of [Desktop Entry], string values
// unescaped, then Exec split into arguments (double quotes, backslash escapes of " ` $ \, and %% for %).
std::map<std::string, std::string> parseEntry(const std::string& text) {
    std::map<std::string, std::string> keys;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto end = text.find('\n', pos);
        const std::string line = text.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
        pos = end == std::string::npos ? text.size() : end + 1;
        const auto eq = line.find('=');
        if (line.empty() || line[0] == '[' || line[0] == '#' || eq == std::string::npos) {
            continue;
        }
        std::string value;
        const std::string raw = line.substr(eq + 1);
        for (std::size_t i = 0; i < raw.size(); ++i) {
            if (raw[i] == '\\' && i + 1 < raw.size()) {
                const char e = raw[++i];
                value += e == 's' ? ' ' : e == 'n' ? '\n' : e == 't' ? '\t' : e == 'r' ? '\r' : e;
            } else {
                value += raw[i];
            }
        }
        keys[line.substr(0, eq)] = value;
    }
    return keys;
}

std::vector<std::string> splitExec(const std::string& exec) {
    std::vector<std::string> args;
    std::string current;
    bool inQuotes = false;
    bool have = false;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        const char c = exec[i];
        if (inQuotes) {
            if (c == '\\' && i + 1 < exec.size() && std::string("\"`$\\").find(exec[i + 1]) != std::string::npos) {
                current += exec[++i];
            } else if (c == '"') {
                inQuotes = false;
            } else if (c == '%' && i + 1 < exec.size() && exec[i + 1] == '%') {
                current += '%';
                ++i;
            } else {
                current += c;
            }
        } else if (c == '"') {
            inQuotes = true;
            have = true;
        } else if (c == ' ') {
            if (have) {
                args.push_back(current);
            }
            current.clear();
            have = false;
        } else if (c == '%' && i + 1 < exec.size() && exec[i + 1] == '%') {
            current += '%';
            have = true;
            ++i;
        } else {
            current += c;
            have = true;
        }
    }
    if (have) {
        args.push_back(current);
    }
    return args;
}

} // namespace

TEST(SetStartup, SwitchIsTheWholeArgumentTextInAnyCase) {
    EXPECT_EQ(startup_task::parseSwitch("/create"), startup_task::Switch::Create);
    EXPECT_EQ(startup_task::parseSwitch("/CREATE"), startup_task::Switch::Create);
    EXPECT_EQ(startup_task::parseSwitch("/Remove"), startup_task::Switch::Remove);
    EXPECT_EQ(startup_task::parseSwitch("/create now"), startup_task::Switch::None);
    EXPECT_EQ(startup_task::parseSwitch(""), startup_task::Switch::None);
    EXPECT_EQ(startup_task::parseSwitch(" /create"), startup_task::Switch::None);
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
    startup_task::Create(registrar, "/first");
    const std::string entry = registrar.entryPath("Oruvel");
    const std::string first = readFile(entry);
    ASSERT_FALSE(first.empty());
    startup_task::Create(registrar, "/second");
    EXPECT_EQ(readFile(entry), first) << "a new task only";
    EXPECT_EQ(parseEntry(first)["Path"], "/first");
    startup_task::Remove(registrar);
    EXPECT_FALSE(std::filesystem::exists(entry));
    startup_task::Remove(registrar);
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
        const auto keys = parseEntry(platform::autostartEntryText(task));
        const auto args = splitExec(keys.at("Exec"));
        ASSERT_EQ(args.size(), 2U) << folder;
        EXPECT_EQ(args[0], startup_task::monitorProgramPath(folder));
        EXPECT_EQ(args[1], "/startup");
        EXPECT_EQ(keys.at("Path"), folder);
        EXPECT_EQ(keys.at("Type"), "Application");
    }
}
