#pragma once

#include "platform/registry_store.h"

namespace oruvel::platform {

// The real registry (advapi32). String values are kept as UTF-8 by the program and as UTF-16 by the registry.
class Win32RegistryStore final : public RegistryStore {
public:
    long createKey(RegRoot root, const std::string& path) override;
    long openKey(RegRoot root, const std::string& path) override;
    long deleteKey(RegRoot root, const std::string& path) override;
    long queryValue(RegRoot root, const std::string& path, const std::string& name, RegValue& out) override;
    long setValue(RegRoot root, const std::string& path, const std::string& name, const RegValue& value) override;
    long deleteValue(RegRoot root, const std::string& path, const std::string& name) override;
    long subkeys(RegRoot root, const std::string& path, std::vector<std::string>& out) override;
    long values(RegRoot root, const std::string& path, std::vector<std::pair<std::string, RegValue>>& out) override;
};

} // namespace oruvel::platform
