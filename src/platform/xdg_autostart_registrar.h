#pragma once

#include "platform/startup_registrar.h"

#include <string>

namespace oruvel::platform {

// Starts programs at logon through an XDG autostart entry NAME.desktop in the user's autostart folder (injected).
// The entry is written atomically; an existing entry is never replaced.
class XdgAutostartRegistrar final : public StartupRegistrar {
public:
    explicit XdgAutostartRegistrar(std::string autostartFolder) : folder_(std::move(autostartFolder)) {}

    bool registerTask(const LogonTask& task) override;
    bool deleteTask(const std::string& name) override;

    std::string entryPath(const std::string& name) const;

private:
    std::string folder_;
};

} // namespace oruvel::platform
