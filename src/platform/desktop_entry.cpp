#include "platform/desktop_entry.h"

namespace oruvel::platform {

std::string quoteExecArgument(std::string_view argument) {
    std::string out = "\"";
    for (const char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') {
            out += '\\';
        }
        out += c;
        if (c == '%') {
            out += '%';
        }
    }
    out += '"';
    return out;
}

std::string escapeDesktopString(std::string_view value) {
    std::string out;
    for (const char c : value) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            out += c;
        }
    }
    if (!out.empty() && out.front() == ' ') {
        out.replace(0, 1, "\\s");
    }
    return out;
}

std::string autostartEntryText(const LoginStart& task) {
    std::string exec = quoteExecArgument(task.programPath);
    if (!task.arguments.empty()) {
        exec += ' ';
        exec += quoteExecArgument(task.arguments);
    }
    std::string text = "[Desktop Entry]\n";
    text += "Type=Application\n";
    text += "Name=" + escapeDesktopString(task.name) + "\n";
    text += "Comment=" + escapeDesktopString("Starts " + task.name + " at login") + "\n";
    text += "TryExec=" + escapeDesktopString(task.programPath) + "\n";
    text += "Exec=" + escapeDesktopString(exec) + "\n";
    text += "Path=" + escapeDesktopString(task.workingDirectory) + "\n";
    text += "Terminal=false\n";
    text += "X-GNOME-Autostart-enabled=true\n";
    return text;
}

} // namespace oruvel::platform
