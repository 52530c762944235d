#include "platform/qt/window_shape.h"

#include <QWidget>

#include <windows.h>

#include <vector>

namespace oruvel::platform {

// The window's region, which the system then owns; it cuts drawing and clicks alike.
void setWindowShape(QWidget& window, const std::optional<QRegion>& pixels, ShapeKind /*kind*/) {
    const auto hwnd = reinterpret_cast<HWND>(window.winId());
    if (!pixels) {
        SetWindowRgn(hwnd, nullptr, TRUE);
        return;
    }
    const auto count = static_cast<DWORD>(pixels->rectCount());
    std::vector<char> buffer(sizeof(RGNDATAHEADER) + count * sizeof(RECT));
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    data->rdh = {sizeof(RGNDATAHEADER), RDH_RECTANGLES, count, 0, {0, 0, 0, 0}};
    auto* rects = reinterpret_cast<RECT*>(data->Buffer);
    const QRect bounds = pixels->boundingRect();
    data->rdh.rcBound = {bounds.left(), bounds.top(), bounds.right() + 1, bounds.bottom() + 1};
    int i = 0;
    for (const QRect& r : *pixels) {
        rects[i++] = {r.left(), r.top(), r.right() + 1, r.bottom() + 1};
    }
    HRGN region = ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), data);
    if (region != nullptr && SetWindowRgn(hwnd, region, TRUE) == 0) {
        DeleteObject(region);
    }
}

} // namespace oruvel::platform
