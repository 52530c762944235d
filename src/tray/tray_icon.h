#pragma once

#include <QElapsedTimer>
#include <QIcon>
#include <QObject>
#include <QPoint>
#include <QSystemTrayIcon>
#include <QTimer>

namespace oruvel::tray {

// The program's icon in the notification area (StatusNotifierItem or XEmbed on Linux). It remembers whether it
// should be shown, and shows itself again when a notification area appears or comes back.
class TrayIcon : public QObject {
    Q_OBJECT
public:
    explicit TrayIcon(QObject* parent = nullptr);

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
};

} // namespace oruvel::tray
