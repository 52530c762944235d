#pragma once

#include "monitor/qt_snap_window_system.h"
#include "monitor/window_snapper.h"

#include <QObject>
#include <QPoint>

class QWidget;

namespace oruvel::app {

// The snapping of the program's windows: the monitor's own drag loop asks the snapper; the settings window is moved
// by the window manager, and a monitor glued to it follows each of those moves. Moves the program makes itself go
// through moveFromCode and drag nothing along.
class WindowGlue : public QObject {
    Q_OBJECT
public:
    explicit WindowGlue(QWidget& settingsWindow);

    monitor::WindowSnapper& snapper() { return snapper_; }
    monitor::QtSnapWindowSystem& system() { return system_; }

    // Registers the monitor, glued to the settings window while they touch.
    void addMonitor(QWidget& monitorWindow);
    void moveFromCode(QWidget& window, const QPoint& topLeft);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void followSettingsWindow(const QPoint& from, const QPoint& to);

    QWidget& settingsWindow_;
    monitor::QtSnapWindowSystem system_;
    monitor::WindowSnapper snapper_{system_};
    QPoint lastPosition_;
    bool positionKnown_ = false;
    bool movingFromCode_ = false;
};

} // namespace oruvel::app
