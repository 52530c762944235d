#include "platform/registry_hive.h"

#include "platform/text_util.h"

#include <charconv>
#include <string_view>

namespace oruvel::platform {
namespace {

constexpr std::string_view kHeader = "ORUVEL-HIVE 1";

// Escapes bytes that would break the line format (backslash, blanks and controls) as %XX.
std::string escape(std::string_view s) {
    constexpr std::string_view kHex = "0123456789ABCDEF";
    std::string out;
    out.reserve(s.size());
    for (const char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= 0x20 || c == '%' || u == 0x7F) {
            out += '%';
            out += kHex[u >> 4U];
            out += kHex[u & 0xFU];
        } else {
            out += c;
        }
    }
    return out;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    c = asciiLower(c);
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

std::optional<std::string> unescape(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '%') {
            out += s[i];
            continue;
        }
        if (i + 2 >= s.size()) {
            return std::nullopt;
        }
        const int hi = hexDigit(s[i + 1]);
        const int lo = hexDigit(s[i + 2]);
        if (hi < 0 || lo < 0) {
            return std::nullopt;
        }
        out += static_cast<char>((hi << 4) | lo);
        i += 2;
    }
    return out;
}

std::string hexBytes(const std::vector<std::uint8_t>& data) {
    constexpr std::string_view kHex = "0123456789abcdef";
    std::string out;
    out.reserve(data.size() * 2);
    for (const auto b : data) {
        out += kHex[b >> 4U];
        out += kHex[b & 0xFU];
    }
    return out;
}

std::optional<std::vector<std::uint8_t>> parseHex(std::string_view s) {
    if (s.size() % 2 != 0) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> out;
    out.reserve(s.size() / 2);
    for (std::size_t i = 0; i < s.size(); i += 2) {
        const int hi = hexDigit(s[i]);
        const int lo = hexDigit(s[i + 1]);
        if (hi < 0 || lo < 0) {
            return std::nullopt;
        }
        out.push_back(static_cast<std::uint8_t>((hi << 4) | lo));
    }
    return out;
}

std::string_view nextField(std::string_view& rest) {
    const auto sp = rest.find(' ');
    const std::string_view field = rest.substr(0, sp);
    rest = sp == std::string_view::npos ? std::string_view{} : rest.substr(sp + 1);
    return field;
}

std::string parentOf(const std::string& path) {
    const auto slash = path.rfind('\\');
    return slash == std::string::npos ? std::string{} : path.substr(0, slash);
}

} // namespace

RegValue* findValue(RegistryHive::Key& key, std::string_view name) {
    for (auto& [n, v] : key.values) {
        if (equalsIgnoreCase(n, name)) {
            return &v;
        }
    }
    return nullptr;
}

std::string RegistryHive::normalize(std::string_view path) {
    std::string out;
    out.reserve(path.size());
    for (const char c : path) {
        if (c == '\\' && (out.empty() || out.back() == '\\')) {
            continue; // collapse doubled and leading separators
        }
        out += c;
    }
    while (!out.empty() && out.back() == '\\') {
        out.pop_back();
    }
    return out;
}

bool RegistryHive::hasKey(std::string_view path) const { return findKey(path) != nullptr; }

const RegistryHive::Key* RegistryHive::findKey(std::string_view path) const {
    const std::string norm = normalize(path);
    if (norm.empty()) {
        return nullptr;
    }
    const auto it = keys_.find(toLowerAscii(norm));
    return it == keys_.end() ? nullptr : &it->second;
}

RegistryHive::Key* RegistryHive::findKey(std::string_view path) {
    return const_cast<Key*>(static_cast<const RegistryHive*>(this)->findKey(path));
}

void RegistryHive::createKey(std::string_view path) {
    std::string norm = normalize(path);
    while (!norm.empty()) {
        auto [it, inserted] = keys_.try_emplace(toLowerAscii(norm));
        if (!inserted) {
            return; // its parents exist too
        }
        it->second.path = norm;
        norm = parentOf(norm);
    }
}

long RegistryHive::deleteKey(std::string_view path) {
    const std::string norm = normalize(path);
    const auto it = keys_.find(toLowerAscii(norm));
    if (norm.empty() || it == keys_.end()) {
        return reg::kFileNotFound;
    }
    if (!subkeysOf(norm).empty()) {
        return reg::kAccessDenied;
    }
    keys_.erase(it);
    return reg::kSuccess;
}

std::vector<std::string> RegistryHive::subkeysOf(std::string_view path) const {
    const std::string prefix = toLowerAscii(normalize(path)) + "\\";
    std::vector<std::string> out;
    for (auto it = keys_.lower_bound(prefix); it != keys_.end() && it->first.starts_with(prefix); ++it) {
        const std::string_view rest = std::string_view(it->first).substr(prefix.size());
        if (rest.find('\\') == std::string_view::npos) {
            out.push_back(it->second.path.substr(prefix.size()));
        }
    }
    return out;
}

std::string RegistryHive::serialize() const {
    std::string out(kHeader);
    out += '\n';
    for (const auto& [lower, key] : keys_) {
        out += "K ";
        out += escape(key.path);
        out += '\n';
        for (const auto& [name, value] : key.values) {
            out += "V ";
            out += escape(name);
            out += ' ';
            out += std::to_string(value.type);
            out += ' ';
            out += hexBytes(value.data);
            out += '\n';
        }
    }
    return out;
}

std::optional<RegistryHive> RegistryHive::parse(std::string_view text) {
    const auto firstBreak = text.find('\n');
    if (trimmed(text.substr(0, firstBreak)) != kHeader) {
        return std::nullopt;
    }
    RegistryHive hive;
    Key* current = nullptr;
    std::string_view rest = firstBreak == std::string_view::npos ? std::string_view{} : text.substr(firstBreak + 1);
    while (!rest.empty()) {
        const auto br = rest.find('\n');
        std::string_view line = trimmed(rest.substr(0, br));
        rest = br == std::string_view::npos ? std::string_view{} : rest.substr(br + 1);
        const std::string_view tag = nextField(line);
        if (tag == "K") {
            const auto path = unescape(nextField(line));
            current = nullptr;
            if (path && !normalize(*path).empty()) {
                hive.createKey(*path);
                current = hive.findKey(*path);
            }
        } else if (tag == "V" && current != nullptr) {
            const auto name = unescape(nextField(line));
            const std::string_view typeText = nextField(line);
            std::uint32_t type = 0;
            const auto [ptr, ec] = std::from_chars(typeText.data(), typeText.data() + typeText.size(), type);
            const auto data = parseHex(nextField(line));
            if (name && ec == std::errc() && ptr == typeText.data() + typeText.size() && data &&
                findValue(*current, *name) == nullptr) {
                current->values.emplace_back(*name, RegValue{type, *data});
            }
        }
    }
    return hive;
}

} // namespace oruvel::platform
