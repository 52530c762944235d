#include "platform/qt/tray_hosts.h"

#include "platform/qt/x11_connection.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QDBusVariant>

namespace oruvel::platform {
namespace {

const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");

// Whether the watcher has a host registered, as its property says.
bool hostRegistered(const QDBusConnection& bus) {
    QDBusMessage get = QDBusMessage::createMethodCall(
        kWatcher, kWatcherPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << kWatcher << QStringLiteral("IsStatusNotifierHostRegistered");
    const QDBusMessage reply = bus.call(get, QDBus::Block, 1000);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return false;
    }
    return reply.arguments().constFirst().value<QDBusVariant>().variant().toBool();
}

// The session bus's watcher and its hosts, and the X screen's XEmbed area. The bus says when the watcher comes or goes
// and when a host registers; a new XEmbed area announces itself to every client with a MANAGER message on the root
// window, which Qt's connection receives.
class DesktopTrayHosts final : public TrayHostWatch, public QAbstractNativeEventFilter {
public:
    DesktopTrayHosts() {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (bus.isConnected()) {
            auto* watcher = new QDBusServiceWatcher(kWatcher, bus, QDBusServiceWatcher::WatchForOwnerChange, this);
            connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this, &TrayHostWatch::changed);
            bus.connect(kWatcher, kWatcherPath, kWatcher, QStringLiteral("StatusNotifierHostRegistered"), this,
                        SIGNAL(changed()));
        }
        if (xcb_connection_t* connection = x11Connection()) {
            manager_ = internAtom(connection, "MANAGER");
            embedSelection_ = screenSelection(connection, "_NET_SYSTEM_TRAY_S");
            QCoreApplication::instance()->installNativeEventFilter(this);
        }
    }
    ~DesktopTrayHosts() override {
        if (QCoreApplication::instance() != nullptr) {
            QCoreApplication::instance()->removeNativeEventFilter(this);
        }
    }
    DesktopTrayHosts(const DesktopTrayHosts&) = delete;
    DesktopTrayHosts& operator=(const DesktopTrayHosts&) = delete;

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* /*result*/) override {
        if (type != "xcb_generic_event_t") {
            return false;
        }
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        constexpr std::uint8_t kSentByAClient = 0x80; // set on the type of an event another client sent
        if ((event->response_type & ~kSentByAClient) == XCB_CLIENT_MESSAGE) {
            const auto* client = static_cast<const xcb_client_message_event_t*>(message);
            if (client->type == manager_ && manager_ != XCB_ATOM_NONE && client->data.data32[1] == embedSelection_) {
                emit changed();
            }
        }
        return false; // Qt goes on with every event
    }

    TrayHosts hosts() const override {
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

private:
    xcb_atom_t manager_ = XCB_ATOM_NONE;
    xcb_atom_t embedSelection_ = XCB_ATOM_NONE;
};

} // namespace

std::unique_ptr<TrayHostWatch> desktopTrayHosts() {
    return std::make_unique<DesktopTrayHosts>();
}

} // namespace oruvel::platform
