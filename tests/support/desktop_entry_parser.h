#pragma once

#include <map>
#include <string>
#include <vector>

namespace oruvel::test {

// Reads an autostart entry the way the Desktop Entry specification says: keys of [Desktop Entry], string values
// unescaped, then Exec split into arguments (double quotes, backslash escapes of " ` $ \, and %% for %).
inline std::map<std::string, std::string> parseEntry(const std::string& text) {
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

inline std::vector<std::string> splitExec(const std::string& exec) {
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


} // namespace oruvel::test
