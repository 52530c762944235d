#include "platform/qt/tray_hosts.h"

namespace oruvel::platform {
namespace {

class SystemNotificationArea final : public TrayHostWatch {
public:
    TrayHosts hosts() const override { return {false, false, true}; }
};

} // namespace

std::unique_ptr<TrayHostWatch> desktopTrayHosts() {
    return std::make_unique<SystemNotificationArea>();
}

} // namespace oruvel::platform
