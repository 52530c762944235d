#pragma once

#include "tray/cls_sys_tray_icon.h"

#include <QIcon>
#include <QObject>
#include <QPoint>
#include <QSystemTrayIcon>
#include <QTimer>

#include <functional>
#include <map>

namespace oruvel::tray {

// The shell's notification area through QSystemTrayIcon (StatusNotifierItem or XEmbed on Linux). Clicks are turned
// into the shell's notification codes; a notification area that appears (or comes back) is reported as the
// taskbar having been created.
class QtTrayShell final : public QObject, public TrayShell {
    Q_OBJECT
public:
    QtTrayShell();

    // Registers the picture that an icon handle stands for.
    void setIconPicture(Handle handle, const QIcon& icon) { icons_[handle] = icon; }
    bool available() const;

    std::function<void(int code, QPoint cursor)> onNotification;
    std::function<void()> onTaskbarCreated;

    bool notify(int message, const NotifyRecord& record) override;
    Handle createMessageWindow() override { return ++windows_; }
    void destroyMessageWindow(Handle /*window*/) override {}

    // How many times the icon or tooltip on screen was changed (for measuring wasted work).
    int screenUpdates() const { return screenUpdates_; }

private:
    void apply(const NotifyRecord& record);
    void activated(QSystemTrayIcon::ActivationReason reason);
    void deliver(QSystemTrayIcon::ActivationReason reason, const QPoint& cursor);

private slots:
    void watchAvailability();

private:

    QSystemTrayIcon icon_;
    std::map<Handle, QIcon> icons_;
    Handle shownIcon_ = 0;
    QString shownTip_;
    QTimer availabilityTimer_;
    bool wasAvailable_ = false;
    Handle windows_ = 0;
    int screenUpdates_ = 0;
};

} // namespace oruvel::tray
