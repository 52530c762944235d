#include "tray/tray_icon.h"

#include <QCursor>
#include <QGuiApplication>
#include <QStyleHints>

#include <algorithm>
#include <utility>

namespace oruvel::tray {

namespace {

// Whether the desktop's indicator area shows an item's menu itself and activates an item once for a double-click.
bool indicatorDesktop(const QString& desktop) {
    const QStringList names = desktop.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    return std::any_of(names.begin(), names.end(), [](const QString& name) {
        return name.compare(QLatin1String("GNOME"), Qt::CaseInsensitive) == 0 ||
               name.compare(QLatin1String("Unity"), Qt::CaseInsensitive) == 0;
    });
}

} // namespace

TrayIcon::TrayIcon(const QString& desktop, std::unique_ptr<platform::TrayHostWatch> hosts, QObject* parent)
    : QObject(parent), hosts_(std::move(hosts)), hostShowsMenu_(indicatorDesktop(desktop)) {
    embedAreaWait_.setSingleShot(true);
    embedAreaWait_.setInterval(kHostWaitMs);
    connect(&embedAreaWait_, &QTimer::timeout, this, [this] {
        embedAreaWaited_ = true;
        makeIconOnceAHostIsThere();
    });
    connect(hosts_.get(), &platform::TrayHostWatch::changed, this, &TrayIcon::makeIconOnceAHostIsThere);
    makeIconOnceAHostIsThere();
}

bool TrayIcon::hostIsThere() {
    const platform::TrayHosts hosts = hosts_->hosts();
    if (hosts.itemHost || (hosts.embedArea && !hosts.itemWatcher)) {
        return true;
    }
    if (!hosts.embedArea) {
        embedAreaWait_.stop();
        embedAreaWaited_ = false;
        return false;
    }
    // A watcher without its host yet: a panel starting, whose host comes in a moment. A watcher that never gets one
    // leaves the XEmbed area to show the icon.
    if (!embedAreaWaited_ && !embedAreaWait_.isActive()) {
        embedAreaWait_.start();
    }
    return embedAreaWaited_;
}

void TrayIcon::makeIconOnceAHostIsThere() {
    if (icon_ != nullptr || !hostIsThere()) {
        return;
    }
    embedAreaWait_.stop();
    icon_ = new QSystemTrayIcon(picture_, this);
    icon_->setToolTip(toolTip_);
    if (hostShowsMenu_ && menu_ != nullptr) {
        icon_->setContextMenu(menu_); // exported to the host, which opens it on a right click
    }
    connect(icon_, &QSystemTrayIcon::activated, this, &TrayIcon::onActivated);
    wasAvailable_ = isAvailable();
    if (wanted_ && wasAvailable_) {
        icon_->show();
    }
    followTrayArea();
}

void TrayIcon::followTrayArea() {
    // On X11 the platform tracks the notification area's window and says when it comes or goes. Elsewhere the desktop's
    // hosts tell of it: a StatusNotifierWatcher or its host coming or going on the session bus. (On Windows they never
    // change: Qt puts the icon back itself when the task bar is made again.) Nothing is asked while nothing changes.
    disconnect(hosts_.get(), &platform::TrayHostWatch::changed, this, &TrayIcon::makeIconOnceAHostIsThere);
    auto* platform = reinterpret_cast<QObject*>(QGuiApplication::platformNativeInterface()); // a QObject subclass
    if (platform != nullptr && platform->metaObject()->indexOfSignal("systemTrayWindowChanged(QScreen*)") >= 0) {
        connect(platform, SIGNAL(systemTrayWindowChanged(QScreen*)), this, SLOT(onTrayAreaChanged()));
        hosts_.release()->deleteLater(); // this may run in its signal
        return;
    }
    connect(hosts_.get(), &platform::TrayHostWatch::changed, this, &TrayIcon::onTrayAreaChanged);
}

bool TrayIcon::isAvailable() const {
    return icon_ != nullptr && QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayIcon::show() {
    wanted_ = true;
    if (isAvailable()) {
        icon_->show();
    }
}

void TrayIcon::hide() {
    wanted_ = false;
    if (icon_ != nullptr) {
        icon_->hide();
    }
}

void TrayIcon::setMenu(QMenu* menu) {
    menu_ = menu;
    if (hostShowsMenu_ && icon_ != nullptr) {
        icon_->setContextMenu(menu); // exported to the host, which opens it on a right click
    }
}

void TrayIcon::setIcon(const QIcon& icon) {
    picture_ = icon;
    if (icon_ != nullptr) {
        icon_->setIcon(icon);
    }
}

void TrayIcon::setToolTip(const QString& text) {
    if (text == toolTip_) {
        return;
    }
    toolTip_ = text;
    if (icon_ != nullptr) {
        icon_->setToolTip(text);
    }
}

void TrayIcon::onTrayAreaChanged() {
    const bool now = isAvailable();
    if (now && !wasAvailable_ && wanted_) {
        icon_->hide();
        icon_->show();
    }
    wasAvailable_ = now;
}

void TrayIcon::onActivated(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
    case QSystemTrayIcon::Context:
        if (icon_->contextMenu() == nullptr) { // else the host or Qt shows it
            emit contextMenuRequested(QCursor::pos());
        }
        break;
    case QSystemTrayIcon::DoubleClick:
        lastTrigger_.invalidate();
        emit doubleClicked();
        break;
    case QSystemTrayIcon::Trigger:
        // A StatusNotifierItem host reports every click as a Trigger and never a double-click: two within the
        // double-click interval are one. An indicator area activates the item once, for a double-click.
        if (hostShowsMenu_) {
            emit doubleClicked();
        } else if (lastTrigger_.isValid() &&
                   lastTrigger_.elapsed() <= QGuiApplication::styleHints()->mouseDoubleClickInterval()) {
            lastTrigger_.invalidate();
            emit doubleClicked();
        } else {
            lastTrigger_.start();
        }
        break;
    default:
        break; // a single left or middle click does nothing
    }
}

} // namespace oruvel::tray
