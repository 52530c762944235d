#pragma once

namespace oruvel::platform {

// What the desktop offers to show a program's icon in.
struct TrayHosts {
    // A StatusNotifierItem host registered with the session's watcher (a panel's tray, an indicator area).
    bool itemHost = false;
    // A StatusNotifierWatcher on the session bus, with or without a host yet (a panel still starting).
    bool itemWatcher = false;
    // An XEmbed notification area on the X screen; on Windows the notification area, always there.
    bool embedArea = false;
};

// Asks the session bus and the X server, a round trip to each.
TrayHosts trayHosts();

} // namespace oruvel::platform
