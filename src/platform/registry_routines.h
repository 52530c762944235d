#pragma once

#include "platform/registry_store.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace oruvel::platform {

// A registry value as the routines hand it out: empty, text, a 32-bit integer or raw bytes.
using RegistryValue = std::variant<std::monostate, std::string, std::int32_t, std::vector<std::uint8_t>>;

// Text form of a variant value (empty for none, decimal for integers, the bytes themselves for byte data).
std::string valueText(const RegistryValue& value);

// Names one key (`parentPath` + "\" + `name` under `root`) and reads, writes and deletes its values. A fresh object
// is made for each use. No method reports a failure other than through its result.
class RegistryKey {
public:
    explicit RegistryKey(RegistryStore& store) : store_(store) {}

    RegRoot root = RegRoot::CurrentUser;
    std::string parentPath;
    std::string name;

    // Creates (or opens) parentPath\subkeyName (this key when omitted); false on failure.
    bool createKey(const std::optional<std::string>& subkeyName = std::nullopt);
    // Deletes parentPath\subkeyName unless it has subkeys; a failure goes unreported.
    void deleteKey(const std::string& subkeyName);
    // Deletes a value of this key; the registry status.
    long deleteValue(const std::string& valueName);
    // A value of this key, or `fallback` (empty when omitted) when the key or value is missing.
    RegistryValue value(const std::string& valueName, const RegistryValue& fallback = {});
    // Writes a value of `type` (reg::kSz, kExpandSz, kMultiSz text; kBinary bytes; kDword a 32-bit integer) into this
    // key, which must exist.
    bool setValue(const std::string& valueName, const RegistryValue& data, std::uint32_t type);
    bool exists();
    std::vector<std::string> subkeys(RegRoot keyRoot, const std::string& keyPath);
    std::vector<std::pair<std::string, std::string>> values(RegRoot keyRoot, const std::string& keyPath);
    // Cuts the text at its first NUL and returns it.
    static std::string trimAtNul(std::string& text);

private:
    std::string keyPath() const { return parentPath + "\\" + name; }

    RegistryStore& store_;
};

} // namespace oruvel::platform
