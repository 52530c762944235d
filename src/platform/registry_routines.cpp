#include "platform/registry_routines.h"

#include <charconv>
#include <cstdlib>

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
    const std::string text = regVariantText(value);
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
    const std::string text = regVariantText(value);
    return {text.begin(), text.end()};
}

std::string hexList(const std::vector<std::uint8_t>& data) {
    static constexpr char kHex[] = "0123456789ABCDEF";
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

std::string regVariantText(const RegistryValue& value) {
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

std::string RegistryKey::CreateKey(const std::optional<std::string>& KeyName) {
    const std::string path = KeyRoot + "\\" + KeyName.value_or(Subkey);
    return store_.createKey(hkey, path) == reg::kSuccess ? "0" : "";
}

long RegistryKey::DeleteKey(const std::string& KeyName) {
    store_.deleteKey(hkey, KeyRoot + "\\" + KeyName);
    return 0;
}

long RegistryKey::DeleteValue(const std::string& ValueName) {
    const long open = store_.openKey(hkey, keyPath());
    if (open != reg::kSuccess) {
        return open;
    }
    return store_.deleteValue(hkey, keyPath(), ValueName);
}

RegistryValue RegistryKey::GetRegistryValue(const std::string& ValueName, const RegistryValue& DefaultValue) {
    RegValue v;
    if (store_.queryValue(hkey, keyPath(), ValueName, v) != reg::kSuccess) {
        return DefaultValue;
    }
    switch (v.type) {
    case reg::kSz:
        return v.data.empty() ? DefaultValue : RegistryValue(stringData(v.data));
    case reg::kExpandSz:
        return v.data.empty() ? DefaultValue : RegistryValue(expandEnvironment(stringData(v.data)));
    case reg::kBinary:
        return v.data;
    case reg::kDword: {
        const auto n = dwordOf(v.data);
        return n ? RegistryValue(*n) : DefaultValue;
    }
    case reg::kMultiSz: {
        if (v.data.size() < 2 || v.data[0] == 0) {
            return DefaultValue;
        }
        return bytesAsString(v.data, v.data.size() - 2);
    }
    default:
        return DefaultValue;
    }
}

bool RegistryKey::SetRegistryValue(const std::string& ValueName, const RegistryValue& Value, std::uint32_t DType) {
    if (store_.openKey(hkey, keyPath()) != reg::kSuccess) {
        return false;
    }
    RegValue v;
    v.type = DType;
    switch (DType) {
    case reg::kSz:
    case reg::kExpandSz:
    case reg::kMultiSz: {
        const std::string text = regVariantText(Value);
        v.data.assign(text.begin(), text.end());
        v.data.push_back(0);
        if (DType == reg::kMultiSz) {
            v.data.push_back(0); // the list ends with an empty string
        }
        break;
    }
    case reg::kBinary:
        v.data = toBytes(Value);
        break;
    case reg::kDword: {
        const auto n = toInt32(Value);
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
    return store_.setValue(hkey, keyPath(), ValueName, v) == reg::kSuccess;
}

bool RegistryKey::KeyExists() { return store_.openKey(hkey, keyPath()) == reg::kSuccess; }

std::vector<std::string> RegistryKey::EnumRegistryKeys(RegRoot root, const std::string& KeyName) {
    std::vector<std::string> out;
    store_.subkeys(root, KeyName, out);
    return out;
}

std::vector<std::pair<std::string, std::string>> RegistryKey::EnumRegistryValues(RegRoot root,
                                                                                     const std::string& KeyName) {
    std::vector<std::pair<std::string, RegValue>> raw;
    std::vector<std::pair<std::string, std::string>> out;
    if (store_.values(root, KeyName, raw) == reg::kSuccess) {
        for (const auto& [name, value] : raw) {
            out.emplace_back(name, valueAsText(value));
        }
    }
    return out;
}

std::string RegistryKey::TrimNull(std::string& text) {
    const auto nul = text.find('\0');
    if (nul != std::string::npos) {
        text.erase(nul);
    }
    return text;
}

} // namespace oruvel::platform
