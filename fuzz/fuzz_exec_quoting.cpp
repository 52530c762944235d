// Autostart entries: whatever the program's folder is called, the Exec line parses back to exactly its path.
#include "platform/desktop_entry.h"
#include "support/desktop_entry_parser.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, unsigned long size) {
    std::string folder(reinterpret_cast<const char*>(data), size);
    if (folder.find('\0') != std::string::npos) {
        return 0; // no path holds a NUL
    }
    oruvel::platform::LoginStart task;
    task.name = "Oruvel";
    task.programPath = folder + "/Oruvel";
    task.workingDirectory = folder;
    task.arguments = "/startup";
    const auto keys = oruvel::test::parseEntry(oruvel::platform::autostartEntryText(task));
    const auto args = oruvel::test::splitExec(keys.at("Exec"));
    if (args.size() != 2 || args[0] != task.programPath || args[1] != "/startup" || keys.at("Path") != folder) {
        __builtin_trap();
    }
    return 0;
}
