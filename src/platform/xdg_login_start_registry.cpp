#include "platform/xdg_login_start_registry.h"

#include "platform/desktop_entry.h"
#include "platform/file_ops.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace oruvel::platform {
namespace {

// A task name becomes a file name: nothing that could leave the folder.
bool usableName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\") == std::string::npos &&
           name.find('\0') == std::string::npos;
}

} // namespace

std::string XdgLoginStartRegistry::entryPath(const std::string& name) const {
    return folder_ + "/" + name + ".desktop";
}

bool XdgLoginStartRegistry::add(const LoginStart& task) {
    if (folder_.empty() || !usableName(task.name)) {
        setFileFailure(folder_.empty() ? "there is no per-user configuration folder"
                                       : "the name cannot be a file name");
        return false;
    }
    if (!makeFolders(folder_)) {
        return false;
    }
    // A new task only: an existing entry stays as it is.
    const std::string text = autostartEntryText(task);
    return createFileExclusively(entryPath(task.name), [&](OutputSink& out) { return out.write(text); });
}

bool XdgLoginStartRegistry::remove(const std::string& name) {
    if (folder_.empty() || !usableName(name)) {
        setFileFailure(folder_.empty() ? "there is no per-user configuration folder"
                                       : "the name cannot be a file name");
        return false;
    }
    if (std::remove(entryPath(name).c_str()) != 0) {
        setFileFailure(std::strerror(errno));
        return false;
    }
    return true;
}

} // namespace oruvel::platform
