#include "platform/qt/tray_hosts.h"

#include "platform/qt/x11_connection.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>

namespace oruvel::platform {
namespace {

const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");

// Whether the watcher has a host registered, as its property says.
bool hostRegistered(const QDBusConnection& bus) {
    QDBusMessage get =
        QDBusMessage::createMethodCall(kWatcher, QStringLiteral("/StatusNotifierWatcher"),
                                       QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << kWatcher << QStringLiteral("IsStatusNotifierHostRegistered");
    const QDBusMessage reply = bus.call(get, QDBus::Block, 1000);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return false;
    }
    return reply.arguments().constFirst().value<QDBusVariant>().variant().toBool();
}

} // namespace

TrayHosts trayHosts() {
    TrayHosts hosts;
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected() && bus.interface() != nullptr && bus.interface()->isServiceRegistered(kWatcher)) {
        hosts.itemWatcher = true;
        hosts.itemHost = hostRegistered(bus);
    }
    if (xcb_connection_t* connection = x11Connection()) {
        hosts.embedArea = screenSelectionOwned(connection, "_NET_SYSTEM_TRAY_S").value_or(false);
    }
    return hosts;
}

} // namespace oruvel::platform
