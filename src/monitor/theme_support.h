#pragma once

#include <QList>

class QWidget;

namespace oruvel::monitor {

// Once per process, before any window loads: lets frames and buttons follow the desktop's style.
void InitThemeSupport();
bool themeSupportInitialised();

// Applies the desktop style to a window's controls: frames take the style's background, and graphical-style buttons
// (those marked with the property "graphicalStyle") show the picture of their state (buttonLook). Returns whether
// anything was applied.
bool FixThemeSupport(const QList<QWidget*>& controls);

} // namespace oruvel::monitor
