#include "tray/qt_tray_shell.h"

#include <QCursor>
#include <QGuiApplication>

namespace oruvel::tray {

QtTrayShell::QtTrayShell() {
    connect(&icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) { activated(r); });
    wasAvailable_ = available();
    // On X11 the platform tracks the notification area's window and says when it comes or goes; asking for it would
    // cost a round trip to the display server every time while there is none. Elsewhere the question is cheap and is
    // asked every two seconds.
    auto* platform = reinterpret_cast<QObject*>(QGuiApplication::platformNativeInterface()); // a QObject subclass
    if (platform != nullptr && platform->metaObject()->indexOfSignal("systemTrayWindowChanged(QScreen*)") >= 0) {
        connect(platform, SIGNAL(systemTrayWindowChanged(QScreen*)), this, SLOT(watchAvailability()));
        return;
    }
    availabilityTimer_.setInterval(2000);
    connect(&availabilityTimer_, &QTimer::timeout, this, [this] { watchAvailability(); });
    availabilityTimer_.start();
}

bool QtTrayShell::available() const { return QSystemTrayIcon::isSystemTrayAvailable(); }

void QtTrayShell::watchAvailability() {
    const bool now = available();
    if (now && !wasAvailable_ && onTaskbarCreated) {
        onTaskbarCreated();
    }
    wasAvailable_ = now;
}

void QtTrayShell::apply(const NotifyRecord& record) {
    if ((record.uFlags & nif::kIcon) != 0 && record.hIcon != shownIcon_) {
        const auto it = icons_.find(record.hIcon);
        if (it != icons_.end()) {
            icon_.setIcon(it->second);
            shownIcon_ = record.hIcon;
            ++screenUpdates_;
        }
    }
    if ((record.uFlags & nif::kTip) != 0) {
        const QString tip = QString::fromStdString(record.szTip);
        if (tip != shownTip_) {
            icon_.setToolTip(tip);
            shownTip_ = tip;
            ++screenUpdates_;
        }
    }
    if ((record.uFlags & nif::kInfo) != 0 && !record.szInfo.empty()) {
        icon_.showMessage(QString::fromStdString(record.szInfoTitle), QString::fromStdString(record.szInfo),
                          QSystemTrayIcon::Information, static_cast<int>(record.uTimeout));
    }
}

bool QtTrayShell::notify(int message, const NotifyRecord& record) {
    switch (message) {
    case nim::kAdd:
        if (!available()) {
            return false;
        }
        shownIcon_ = 0;
        shownTip_.clear();
        apply(record);
        icon_.show();
        return true;
    case nim::kModify:
        apply(record);
        return icon_.isVisible();
    case nim::kDelete:
        icon_.hide();
        return true;
    default:
        return false;
    }
}

// The shell posts its notifications to the program's window; here they are queued the same way, so that what a
// click starts (a menu, or the end of the program) never runs inside the tray icon's own event handling.
void QtTrayShell::activated(QSystemTrayIcon::ActivationReason reason) {
    QTimer::singleShot(0, this, [this, reason, cursor = QCursor::pos()] { deliver(reason, cursor); });
}

void QtTrayShell::deliver(QSystemTrayIcon::ActivationReason reason, const QPoint& cursor) {
    if (!onNotification) {
        return;
    }
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        onNotification(0x201, cursor);
        onNotification(0x202, cursor);
        break;
    case QSystemTrayIcon::DoubleClick:
        onNotification(0x203, cursor);
        onNotification(0x202, cursor);
        break;
    case QSystemTrayIcon::Context:
        onNotification(0x204, cursor);
        onNotification(0x205, cursor);
        break;
    case QSystemTrayIcon::MiddleClick:
        onNotification(0x207, cursor);
        onNotification(0x208, cursor);
        break;
    default:
        break;
    }
}

} // namespace oruvel::tray
