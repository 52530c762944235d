#pragma once

#include <QElapsedTimer>
#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QPoint>
#include <QSystemTrayIcon>
#include <QTimer>

namespace oruvel::tray {

// The program's icon in the notification area (StatusNotifierItem or XEmbed on Linux). It remembers whether it
// should be shown, and shows itself again when a notification area appears or comes back.
// A double-click opens the program; a right click asks for its menu. Hosts that show an item's menu themselves and
// report a double-click as one activation (GNOME Shell's and Unity's indicator areas) are given the menu to show.
class TrayIcon : public QObject {
    Q_OBJECT
public:
    // `desktop`: the desktop's names as XDG_CURRENT_DESKTOP gives them ("ubuntu:GNOME").
    explicit TrayIcon(const QString& desktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP"), QObject* parent = nullptr);

    // The program's menu, for hosts that show it themselves.
    void setMenu(QMenu* menu);
    bool hostShowsMenu() const { return hostShowsMenu_; }

    // Whether a notification area exists to show the icon in.
    bool isAvailable() const;
    // Whether the icon is on screen, and whether it should be (it appears once a notification area does).
    bool isShown() const { return icon_.isVisible(); }
    bool isWanted() const { return wanted_; }
    QIcon icon() const { return icon_.icon(); }
    QString toolTip() const { return icon_.toolTip(); }

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

    QSystemTrayIcon icon_{this};
    QTimer availabilityTimer_;
    QElapsedTimer lastTrigger_; // the last single click, while it may begin a double-click
    bool wanted_ = false;
    bool wasAvailable_ = false;
    bool hostShowsMenu_ = false;
};

} // namespace oruvel::tray
