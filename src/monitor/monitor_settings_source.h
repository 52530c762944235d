#pragma once

#include "core/appearance.h"
#include "core/colour.h"

#include <QImage>
#include <QPoint>

#include <optional>

class QWidget;

namespace oruvel::monitor {

class WindowSnapper;
class QtSnapWindowSystem;

// What the monitor window reads from, and asks of, the settings window. The settings window's controls are the live
// settings; the monitor reads them whenever it applies them.
class MonitorSettingsSource {
public:
    virtual ~MonitorSettingsSource() = default;

    virtual core::Colour colour(core::ColourRole role) const = 0;
    virtual bool barBorder() const = 0;
    virtual bool roundCorners() const = 0;
    // nullopt while the box is undecided (greyed): the stay-on-top state is then left as it is.
    virtual std::optional<bool> alwaysOnTop() const = 0;
    virtual core::FillMode fillMode(core::Bar bar) const = 0;
    // nullopt when no mode is selected.
    virtual std::optional<core::WindowMode> windowMode() const = 0;
    // Opacity 0-255 of the translucent or the ghost mode.
    virtual int opacity(core::WindowMode mode) const = 0;
    virtual QImage fillPicture(core::Bar bar) const = 0;
    virtual WindowSnapper* windowSnapper() = 0;
    // The window system view that snapping uses (the monitor's drag loop reports the pointer through it).
    virtual QtSnapWindowSystem* snapWindowSystem() = 0;
    // Pops up the program's menu at a screen position; returns when it is closed.
    virtual void popUpContextMenu(const QPoint& globalPos) = 0;
    // Re-applies the show-monitor setting.
    virtual void applyMonitorVisibility() = 0;
    // False while the show-monitor setting hides the monitor: nothing else may show it then.
    virtual bool monitorShown() const = 0;
    virtual QWidget* settingsWindow() = 0;
};

} // namespace oruvel::monitor
