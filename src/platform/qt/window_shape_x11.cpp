#include "platform/qt/window_shape.h"

#include "platform/qt/x11_connection.h"

#include <QWidget>
#include <QWindow>

#include <xcb/shape.h>

#include <cmath>
#include <vector>

namespace oruvel::platform {
namespace {

// Qt's mask, in logical pixels: each shown device pixel keeps the logical pixel it lies in.
void setQtMask(QWidget& window, const std::optional<QRegion>& pixels) {
    if (!pixels) {
        window.clearMask();
        return;
    }
    const qreal ratio = window.devicePixelRatioF();
    QRegion logical;
    for (const QRect& r : *pixels) {
        const int left = static_cast<int>(std::floor(r.left() / ratio));
        const int top = static_cast<int>(std::floor(r.top() / ratio));
        const int right = static_cast<int>(std::ceil((r.right() + 1) / ratio));
        const int bottom = static_cast<int>(std::ceil((r.bottom() + 1) / ratio));
        logical += QRect(left, top, right - left, bottom - top);
    }
    window.setMask(logical);
}

// Under Xwayland the Wayland compositor draws every pixel of a window, whatever its X shape.
bool shapesCutDrawing() {
    return qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace

void setWindowShape(QWidget& window, const std::optional<QRegion>& pixels, ShapeKind kind) {
    xcb_connection_t* connection = x11Connection();
    if (connection == nullptr) {
        setQtMask(window, pixels);
        return;
    }
    const auto id = static_cast<xcb_window_t>(window.winId());
    const auto shapeKind =
        kind == ShapeKind::Outline || shapesCutDrawing() ? XCB_SHAPE_SK_BOUNDING : XCB_SHAPE_SK_INPUT;
    if (shapeKind == XCB_SHAPE_SK_INPUT && window.windowHandle()->flags().testFlag(Qt::WindowTransparentForInput)) {
        return; // no click lands on the window anywhere; Qt keeps its input shape empty
    }
    if (!pixels) {
        xcb_shape_mask(connection, XCB_SHAPE_SO_SET, shapeKind, id, 0, 0, XCB_NONE);
    } else {
        std::vector<xcb_rectangle_t> rects;
        rects.reserve(static_cast<std::size_t>(pixels->rectCount()));
        for (const QRect& r : *pixels) {
            rects.push_back({static_cast<std::int16_t>(r.x()), static_cast<std::int16_t>(r.y()),
                             static_cast<std::uint16_t>(r.width()), static_cast<std::uint16_t>(r.height())});
        }
        xcb_shape_rectangles(connection, XCB_SHAPE_SO_SET, shapeKind, XCB_CLIP_ORDERING_UNSORTED, id, 0, 0,
                             static_cast<std::uint32_t>(rects.size()), rects.data());
    }
    xcb_flush(connection);
}

} // namespace oruvel::platform
