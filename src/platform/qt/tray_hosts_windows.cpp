#include "platform/qt/tray_hosts.h"

namespace oruvel::platform {

TrayHosts trayHosts() {
    return {false, false, true};
}

} // namespace oruvel::platform
