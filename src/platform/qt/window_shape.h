#pragma once

#include <QRegion>

#include <optional>

class QWidget;

namespace oruvel::platform {

// What a window's shape is to the window system: all of what shows and takes clicks, or the pixels that are not
// see-through anyway. The second cuts only clicks under Xwayland, where the compositor draws all of a window whatever
// its X shape, and a shape that cut drawing too would leave stale pixels on screen; on X11 it cuts both, for window
// managers that draw a window without its alpha.
enum class ShapeKind { Outline, AroundSeeThroughPixels };

// Gives a top-level window the shape `pixels`, in the window's own device pixels, so that a shape follows what is
// drawn at any scale (Qt's mask is in logical pixels and comes out blocky at 1.5); nothing gives the whole window
// back. X11 and Windows take it as is; elsewhere (native Wayland, offscreen) Qt's mask stands in, which on Wayland
// cuts clicks alone.
void setWindowShape(QWidget& window, const std::optional<QRegion>& pixels, ShapeKind kind);

} // namespace oruvel::platform
