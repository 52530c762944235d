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
std::string regVariantText(const RegistryValue& value);

// Names one key (`KeyRoot` + "\" + `Subkey` under `hkey`) and reads, writes and deletes its values. A fresh object is
// made for each use. No method reports a failure other than through its result.
class RegistryKey {
public:
    explicit RegistryKey(RegistryStore& store) : store_(store) {}

    RegRoot hkey = RegRoot::CurrentUser;
    std::string KeyRoot;
    std::string Subkey;

    // Creates (or opens) KeyRoot\KeyName (KeyName defaults to Subkey). "0" on success, empty text on failure.
    std::string CreateKey(const std::optional<std::string>& KeyName = std::nullopt);
    // Deletes KeyRoot\KeyName unless it has subkeys. Always 0.
    long DeleteKey(const std::string& KeyName);
    // Deletes a value of KeyRoot\Subkey; the registry status.
    long DeleteValue(const std::string& ValueName);
    // A value of KeyRoot\Subkey, or DefaultValue (empty when omitted) when the key or value is missing.
    RegistryValue GetRegistryValue(const std::string& ValueName, const RegistryValue& DefaultValue = {});
    // Writes a value of type DType (1, 2, 7 text; 3 bytes; 4 32-bit integer) into an existing KeyRoot\Subkey.
    bool SetRegistryValue(const std::string& ValueName, const RegistryValue& Value, std::uint32_t DType);
    bool KeyExists();
    std::vector<std::string> EnumRegistryKeys(RegRoot root, const std::string& KeyName);
    std::vector<std::pair<std::string, std::string>> EnumRegistryValues(RegRoot root, const std::string& KeyName);
    static std::string TrimNull(std::string& text);

private:
    std::string keyPath() const { return KeyRoot + "\\" + Subkey; }

    RegistryStore& store_;
};

} // namespace oruvel::platform
