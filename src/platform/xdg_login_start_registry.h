#pragma once

#include "platform/login_start_registry.h"

#include <string>

namespace oruvel::platform {

// Starts programs at logon through an XDG autostart entry NAME.desktop in the user's autostart folder (injected).
// The entry is written atomically; an existing entry is never replaced.
class XdgLoginStartRegistry final : public LoginStartRegistry {
public:
    explicit XdgLoginStartRegistry(std::string autostartFolder) : folder_(std::move(autostartFolder)) {}

    bool add(const LoginStart& task) override;
    bool remove(const std::string& name) override;

    std::string entryPath(const std::string& name) const;

private:
    std::string folder_;
};

} // namespace oruvel::platform
