#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace oruvel::platform {

// Predefined registry roots, with the numeric handle values the registry API uses.
enum class RegRoot : std::uint32_t {
    ClassesRoot = 0x80000000U,
    CurrentUser = 0x80000001U,
    LocalMachine = 0x80000002U,
    Users = 0x80000003U,
    CurrentConfig = 0x80000005U,
};

// Registry status codes (the operating system's numbers).
namespace reg {
inline constexpr long kSuccess = 0;
inline constexpr long kFileNotFound = 2;
inline constexpr long kAccessDenied = 5;
inline constexpr long kInvalidParameter = 87;
inline constexpr long kMoreData = 234;
inline constexpr long kCantWrite = 1013;

inline constexpr std::uint32_t kSz = 1;
inline constexpr std::uint32_t kExpandSz = 2;
inline constexpr std::uint32_t kBinary = 3;
inline constexpr std::uint32_t kDword = 4;
inline constexpr std::uint32_t kMultiSz = 7;
} // namespace reg

// A value as the registry holds it: its type and raw bytes (strings include their terminating NUL).
struct RegValue {
    std::uint32_t type = reg::kSz;
    std::vector<std::uint8_t> data;
    bool operator==(const RegValue&) const = default;
};

// The registry operations the program relies on. Key paths are relative to a root, with "\" between key names, and
// are matched case-insensitively. Every call returns a status code instead of throwing.
class RegistryStore {
public:
    virtual ~RegistryStore() = default;

    // Creates the key and any missing parents (an existing key is fine).
    virtual long createKey(RegRoot root, const std::string& path) = 0;
    // kSuccess when the key exists.
    virtual long openKey(RegRoot root, const std::string& path) = 0;
    // Deletes a key that has no subkeys; a key with subkeys is left and the call fails.
    virtual long deleteKey(RegRoot root, const std::string& path) = 0;
    virtual long queryValue(RegRoot root, const std::string& path, const std::string& name, RegValue& out) = 0;
    // Fails with kFileNotFound when the key does not exist; keys are never created here.
    virtual long setValue(RegRoot root, const std::string& path, const std::string& name, const RegValue& value) = 0;
    virtual long deleteValue(RegRoot root, const std::string& path, const std::string& name) = 0;
    virtual long subkeys(RegRoot root, const std::string& path, std::vector<std::string>& out) = 0;
    virtual long values(RegRoot root, const std::string& path,
                        std::vector<std::pair<std::string, RegValue>>& out) = 0;
};

} // namespace oruvel::platform
