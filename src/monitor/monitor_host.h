#pragma once

#include "core/colour.h"

#include <QImage>
#include <QPoint>

class QWidget;

namespace oruvel::monitor {

class cMagneticWnd;
class QtSnapWindowSystem;

// What the monitor window reads from, and asks of, the settings window. The settings window's controls are the live
// settings; the monitor reads them whenever it applies them.
class MonitorHost {
public:
    virtual ~MonitorHost() = default;

    // Back colour of colour swatch `item` (0-3, 6-9).
    virtual core::Colour swatchColour(int item) const = 0;
    // Value (0, 1 or 2 for greyed) of check box CheckN.
    virtual int checkValue(int number) const = 0;
    // Whether OptionN (1-4) is selected.
    virtual bool optionSelected(int number) const = 0;
    // Whether transparency option `item` (0 transparency, 1 ghost, 2 blend, 3 normal) is selected.
    virtual bool transparencySelected(int item) const = 0;
    // Value of level scroll bar `item` (0 transparency, 1 ghost).
    virtual int fadeInValue(int item) const = 0;
    // The fill picture of the read bar (0) or the write bar (1).
    virtual QImage defaultPicture(int bar) const = 0;
    virtual cMagneticWnd* magneticWnd() = 0;
    // The window system view that snapping uses (the monitor's drag loop reports the pointer through it).
    virtual QtSnapWindowSystem* snapWindowSystem() = 0;
    // Pops up the program's menu at a screen position; returns when it is closed.
    virtual void popUpMenu(const QPoint& globalPos) = 0;
    // Re-applies the show-monitor setting (the handler ignores its arguments).
    virtual void Check4_MouseUp(int button, int shift, int x, int y) = 0;
    virtual QWidget* settingsWindow() = 0;
};

} // namespace oruvel::monitor
