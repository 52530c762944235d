#include "platform/registry_routines.h"

#include <charconv>
#include <cstdlib>
#include <string_view>

namespace oruvel::platform {
namespace {

std::optional<std::int32_t> dwordOf(const std::vector<std::uint8_t>& d) {
    if (d.size() < 4) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(d[0] | (d[1] << 8U) | (d[2] << 16U) | (std::uint32_t(d[3]) << 24U));
}

std::string bytesAsString(const std::vector<std::uint8_t>& data, std::size_t count) {
    return {reinterpret_cast<const char*>(data.data()), count};
}

// Text of a string value without its terminating NUL.
std::string stringData(const std::vector<std::uint8_t>& data) {
    std::size_t n = data.size();
    if (n > 0 && data[n - 1] == 0) {
        --n;
    }
    return bytesAsString(data, n);
}

// Expands %NAME% references from the environment; unknown names stay as written.
std::string expandEnvironment(const std::string& text) {
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto open = text.find('%', i);
        const auto close = open == std::string::npos ? std::string::npos : text.find('%', open + 1);
        if (close == std::string::npos) {
            out.append(text, i, std::string::npos);
            break;
        }
        out.append(text, i, open - i);
        const std::string name = text.substr(open + 1, close - open - 1);
        const char* value = name.empty() ? nullptr : std::getenv(name.c_str());
        if (value != nullptr) {
            out += value;
            i = close + 1;
        } else {
            out += '%';
            out += name;
            i = close; // the closing % may open the next reference
        }
    }
    return out;
}

std::optional<std::int32_t> toInt32(const RegistryValue& value) {
    if (const auto* n = std::get_if<std::int32_t>(&value)) {
        return *n;
    }
    const std::string text = valueText(value);
    std::int32_t out = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    if (ec != std::errc() || ptr != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return out;
}

std::vector<std::uint8_t> toBytes(const RegistryValue& value) {
    if (const auto* b = std::get_if<std::vector<std::uint8_t>>(&value)) {
        return *b;
    }
    const std::string text = valueText(value);
    return {text.begin(), text.end()};
}

std::string hexList(const std::vector<std::uint8_t>& data) {
    constexpr std::string_view kHex = "0123456789ABCDEF";
    std::string out;
    for (const auto b : data) {
        if (!out.empty()) {
            out += ' ';
        }
        out += kHex[b >> 4U];
        out += kHex[b & 0xFU];
    }
    return out;
}

std::string valueAsText(const RegValue& v) {
    switch (v.type) {
    case reg::kSz:
    case reg::kExpandSz:
        return stringData(v.data);
    case reg::kDword: {
        const auto n = dwordOf(v.data);
        return n ? std::to_string(*n) : std::string{};
    }
    case reg::kMultiSz: {
        std::string out;
        std::string part;
        for (const auto b : v.data) {
            if (b != 0) {
                part += static_cast<char>(b);
                continue;
            }
            if (part.empty()) {
                break;
            }
            out += out.empty() ? "" : ",";
            out += part;
            part.clear();
        }
        return out;
    }
    default:
        return hexList(v.data);
    }
}

} // namespace

std::string valueText(const RegistryValue& value) {
    if (const auto* s = std::get_if<std::string>(&value)) {
        return *s;
    }
    if (const auto* n = std::get_if<std::int32_t>(&value)) {
        return std::to_string(*n);
    }
    if (const auto* b = std::get_if<std::vector<std::uint8_t>>(&value)) {
        return bytesAsString(*b, b->size());
    }
    return {};
}

bool RegistryKey::createKey(const std::optional<std::string>& subkeyName) {
    return store_.createKey(root, parentPath + "\\" + subkeyName.value_or(name)) == reg::kSuccess;
}

void RegistryKey::deleteKey(const std::string& subkeyName) {
    store_.deleteKey(root, parentPath + "\\" + subkeyName);
}

long RegistryKey::deleteValue(const std::string& valueName) {
    const long open = store_.openKey(root, keyPath());
    if (open != reg::kSuccess) {
        return open;
    }
    return store_.deleteValue(root, keyPath(), valueName);
}

RegistryValue RegistryKey::value(const std::string& valueName, const RegistryValue& fallback) {
    RegValue v;
    if (store_.queryValue(root, keyPath(), valueName, v) != reg::kSuccess) {
        return fallback;
    }
    switch (v.type) {
    case reg::kSz:
        return v.data.empty() ? fallback : RegistryValue(stringData(v.data));
    case reg::kExpandSz:
        return v.data.empty() ? fallback : RegistryValue(expandEnvironment(stringData(v.data)));
    case reg::kBinary:
        return v.data;
    case reg::kDword: {
        const auto n = dwordOf(v.data);
        return n ? RegistryValue(*n) : fallback;
    }
    case reg::kMultiSz: {
        if (v.data.size() < 2 || v.data[0] == 0) {
            return fallback;
        }
        return bytesAsString(v.data, v.data.size() - 2);
    }
    default:
        return fallback;
    }
}

bool RegistryKey::setValue(const std::string& valueName, const RegistryValue& data, std::uint32_t type) {
    if (store_.openKey(root, keyPath()) != reg::kSuccess) {
        return false;
    }
    RegValue v;
    v.type = type;
    switch (type) {
    case reg::kSz:
    case reg::kExpandSz:
    case reg::kMultiSz: {
        const std::string text = valueText(data);
        v.data.assign(text.begin(), text.end());
        v.data.push_back(0);
        if (type == reg::kMultiSz) {
            v.data.push_back(0); // the list ends with an empty string
        }
        break;
    }
    case reg::kBinary:
        v.data = toBytes(data);
        break;
    case reg::kDword: {
        const auto n = toInt32(data);
        if (!n) {
            return false;
        }
        const auto u = static_cast<std::uint32_t>(*n);
        v.data = {static_cast<std::uint8_t>(u), static_cast<std::uint8_t>(u >> 8U), static_cast<std::uint8_t>(u >> 16U),
                  static_cast<std::uint8_t>(u >> 24U)};
        break;
    }
    default:
        return true; // nothing to write for other types
    }
    return store_.setValue(root, keyPath(), valueName, v) == reg::kSuccess;
}

bool RegistryKey::exists() {
    return store_.openKey(root, keyPath()) == reg::kSuccess;
}

std::vector<std::string> RegistryKey::subkeys(RegRoot keyRoot, const std::string& keyPath) {
    std::vector<std::string> out;
    store_.subkeys(keyRoot, keyPath, out);
    return out;
}

std::vector<std::pair<std::string, std::string>> RegistryKey::values(RegRoot keyRoot, const std::string& keyPath) {
    std::vector<std::pair<std::string, RegValue>> raw;
    std::vector<std::pair<std::string, std::string>> out;
    if (store_.values(keyRoot, keyPath, raw) == reg::kSuccess) {
        for (const auto& [name, value] : raw) {
            out.emplace_back(name, valueAsText(value));
        }
    }
    return out;
}

std::string RegistryKey::trimAtNul(std::string& text) {
    const auto nul = text.find('\0');
    if (nul != std::string::npos) {
        text.erase(nul);
    }
    return text;
}

} // namespace oruvel::platform
