#pragma once

#include <QElapsedTimer>
#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QPoint>
#include <QSystemTrayIcon>
#include <QTimer>

#include "platform/qt/tray_hosts.h"

#include <memory>

namespace oruvel::tray {

// The program's icon in the notification area (StatusNotifierItem or XEmbed on Linux). It remembers whether it
// should be shown, and shows itself again when a notification area appears or comes back.
// Qt chooses between a StatusNotifierItem and an XEmbed icon once, as its icon is made; so the icon is made only once
// a host is there (a watcher's host, or an XEmbed area where no watcher is waiting for its host), and a panel that
// starts after the program still gets a StatusNotifierItem.
// A double-click opens the program; a right click asks for its menu. Hosts that show an item's menu themselves and
// report a double-click as one activation (GNOME Shell's and Unity's indicator areas) are given the menu to show.
class TrayIcon : public QObject {
    Q_OBJECT
public:
    // `desktop`: the desktop's names as XDG_CURRENT_DESKTOP gives them ("ubuntu:GNOME"); `hosts` tells what the desktop
    // offers to show the icon in, and when that changes.
    explicit TrayIcon(const QString& desktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP"),
                      std::unique_ptr<platform::TrayHostWatch> hosts = platform::desktopTrayHosts(),
                      QObject* parent = nullptr);

    // The program's menu, for hosts that show it themselves.
    void setMenu(QMenu* menu);
    bool hostShowsMenu() const { return hostShowsMenu_; }

    // Whether a notification area exists to show the icon in.
    bool isAvailable() const;
    // Whether the icon is on screen, and whether it should be (it appears once a notification area does).
    bool isShown() const { return icon_ != nullptr && icon_->isVisible(); }
    bool isWanted() const { return wanted_; }
    QIcon icon() const { return picture_; }
    QString toolTip() const { return toolTip_; }
    // How long an XEmbed area waits, beside a StatusNotifierWatcher without a host, for the host to come.
    static constexpr int kHostWaitMs = 5000;

public slots:
    // Shows the icon; without a notification area it appears once one does.
    void show();
    void hide();
    void setIcon(const QIcon& icon);
    // Sends the text only when it differs from the one on screen.
    void setToolTip(const QString& text);

signals:
    // A right click (or the platform's context request) at a screen position.
    void contextMenuRequested(QPoint globalPos);
    void doubleClicked();

private slots:
    void onTrayAreaChanged();

private:
    void onActivated(QSystemTrayIcon::ActivationReason reason);
    // Makes Qt's icon once a host is there; then follows the notification area as Qt or the desktop tells of it.
    void makeIconOnceAHostIsThere();
    bool hostIsThere();
    void followTrayArea();

    // Until the icon is made; afterwards where the platform does not follow the notification area itself.
    std::unique_ptr<platform::TrayHostWatch> hosts_;
    QSystemTrayIcon* icon_ = nullptr;                // a child, once made
    QTimer embedAreaWait_;                           // while an XEmbed area waits beside a watcher without a host
    bool embedAreaWaited_ = false;
    QIcon picture_;
    QString toolTip_;
    QMenu* menu_ = nullptr;
    QElapsedTimer lastTrigger_; // the last single click, while it may begin a double-click
    bool wanted_ = false;
    bool wasAvailable_ = false;
    bool hostShowsMenu_ = false;
};

} // namespace oruvel::tray
