#pragma once

#include <QImage>

namespace oruvel::settings_ui {

// The tray picture of image control `number` (2 to 10): a pair of small bars, read on the left and write on the
// right, each one, two or three steps high and green, amber or red by its load band. size is the edge in pixels.
QImage trayPicture(int number, int size = 16);

} // namespace oruvel::settings_ui
