#pragma once

#include <QObject>

#include <memory>

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

// Tells what the desktop offers now, and says when that may have changed (a watcher or its host come or gone, an
// XEmbed area made or destroyed), so that nobody has to keep asking.
class TrayHostWatch : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Asks the session bus and the X server, a round trip to each.
    virtual TrayHosts hosts() const = 0;

signals:
    void changed();
};

// The session bus and the X screen on Linux; the system's notification area on Windows.
std::unique_ptr<TrayHostWatch> desktopTrayHosts();

} // namespace oruvel::platform
