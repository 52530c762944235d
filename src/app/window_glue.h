#pragma once

#include "monitor/qt_snap_window_system.h"
#include "monitor/window_snapper.h"

#include <QObject>
#include <QPoint>
#include <QTimer>

class QWidget;

namespace oruvel::app {

// The snapping of the program's windows: the monitor's own drag loop asks the snapper; the settings window is moved
// by the window manager, and a monitor glued to it follows each of those moves. When the settings window comes to
// rest (the pointer's buttons are up and it has not moved for a moment: a drag, a move by the keyboard or by the
// program itself) it settles onto a nearby work-area edge or the monitor's edge. Moves the program makes itself go
// through moveFromCode and drag nothing along.
class WindowGlue : public QObject {
    Q_OBJECT
public:
    WindowGlue();

    monitor::WindowSnapper& snapper() { return snapper_; }
    monitor::QtSnapWindowSystem& system() { return system_; }

    // Registers the monitor, glued to the settings window while they touch once there is one.
    void addMonitor(QWidget& monitorWindow);
    // Registers the settings window, which is built when it is first needed; a registered monitor is glued to it.
    void addSettingsWindow(QWidget& settingsWindow);
    void moveFromCode(QWidget& window, const QPoint& topLeft);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void followSettingsWindow(const QPoint& from, const QPoint& to);
    // Moves the settings window onto the edges it came to rest near, once the move is over.
    void settle();

    static constexpr int kRestMilliseconds = 150;

    QWidget* settingsWindow_ = nullptr;
    QWidget* monitor_ = nullptr;
    monitor::QtSnapWindowSystem system_;
    monitor::WindowSnapper snapper_{system_};
    QPoint lastPosition_;
    bool positionKnown_ = false;
    bool movingFromCode_ = false;
    QTimer rest_;
};

} // namespace oruvel::app
