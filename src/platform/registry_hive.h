#pragma once

#include "platform/registry_store.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace oruvel::platform {

// The keys and values of one registry root, as kept in a hive file. Key paths and value names are matched
// case-insensitively and keep the spelling they were created with.
class RegistryHive {
public:
    struct Key {
        std::string path; // as first spelled
        std::vector<std::pair<std::string, RegValue>> values;
    };

    bool hasKey(std::string_view path) const;
    // Creates the key and its missing parents.
    void createKey(std::string_view path);
    long deleteKey(std::string_view path);
    Key* findKey(std::string_view path);
    const Key* findKey(std::string_view path) const;
    std::vector<std::string> subkeysOf(std::string_view path) const;

    // The text form of the hive; parse() reads it back. Unreadable lines are skipped, so a damaged file still gives
    // whatever can be read.
    std::string serialize() const;
    static std::optional<RegistryHive> parse(std::string_view text);

    static std::string normalize(std::string_view path);

private:
    std::map<std::string, Key> keys_; // by lower-cased normalized path
};

// The value named `name` (case-insensitively) in `key`, or null.
RegValue* findValue(RegistryHive::Key& key, std::string_view name);

} // namespace oruvel::platform
