#pragma once

#include "platform/registry_store.h"

#include <functional>
#include <string>

namespace oruvel::platform {

class RegistryHive;

// RegistryStore over one hive file per root in a folder (the per-user configuration folder in the program, a
// temporary folder in tests). Each call reads the hive; each change replaces the file atomically under a lock, so
// concurrent writers never lose each other's values and a crash never leaves a half-written hive. Without a folder
// (no home folder to keep it in) nothing is found and every change fails.
class FileRegistryStore final : public RegistryStore {
public:
    explicit FileRegistryStore(std::string folder);

    long createKey(RegRoot root, const std::string& path) override;
    long openKey(RegRoot root, const std::string& path) override;
    long deleteKey(RegRoot root, const std::string& path) override;
    long queryValue(RegRoot root, const std::string& path, const std::string& name, RegValue& out) override;
    long setValue(RegRoot root, const std::string& path, const std::string& name, const RegValue& value) override;
    long deleteValue(RegRoot root, const std::string& path, const std::string& name) override;
    long subkeys(RegRoot root, const std::string& path, std::vector<std::string>& out) override;
    long values(RegRoot root, const std::string& path, std::vector<std::pair<std::string, RegValue>>& out) override;

    std::string hivePath(RegRoot root) const;

    // Largest hive file that is read; a larger one is treated as damaged.
    static constexpr std::size_t kMaxHiveBytes = std::size_t{16} * 1024 * 1024;

private:
    RegistryHive load(RegRoot root) const;
    // Runs `change` on the current hive under the lock and stores the result when it returns kSuccess.
    long modify(RegRoot root, const std::function<long(RegistryHive&)>& change);

    std::string folder_;
};

} // namespace oruvel::platform
