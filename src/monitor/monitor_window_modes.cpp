// The monitor's transparency modes, stay-on-top and the blend-mode colour key.
#include "look/system_palette.h"
#include "monitor/monitor_window.h"

#include <QPainter>
#include <QWindow>

#include <utility>

namespace oruvel::monitor {

using look::toQColor;

void MonitorWindow::setLook(const MonitorLook& look) {
    const MonitorLook before = std::exchange(look_, look);
    if (!restored_) {
        return;
    }
    const std::optional<core::WindowMode> mode = look_.windowMode;
    const bool modeChanged = before.windowMode != mode;
    const bool levelChanged = (mode == core::WindowMode::Translucent || mode == core::WindowMode::Ghost) &&
                              before.opacity(*mode) != look_.opacity(*mode);
    if (before.compact != look_.compact) {
        applyCompactLayout();
    } else if (modeChanged || look_.barsDiffer(before)) {
        applyAppearance();
    }
    if (modeChanged || levelChanged) {
        applyModeStyle();
    }
    // A look that may show again shows as stay-on-top brings it.
    if (before.alwaysOnTop != look_.alwaysOnTop || (look_.shown && !before.shown)) {
        applyAlwaysOnTop();
    }
}

void MonitorWindow::applyWindowMode() {
    if (look_.windowMode) {
        applyAppearance();
        applyModeStyle();
    }
}

void MonitorWindow::applyModeStyle() {
    const std::optional<core::WindowMode> mode = look_.windowMode;
    if (!mode || mode == core::WindowMode::BlendIntoDesktop) {
        return; // blend mode keys out once the bars show the key colour
    }
    style_ = styleOfMode(*mode, look_.opacity(*mode), marginColour_, style_);
    applyWindowStyle();
    if (mode == core::WindowMode::Ghost) {
        applyAlwaysOnTop();
    }
}

void MonitorWindow::applyAlwaysOnTop() {
    if (!look_.alwaysOnTop) {
        return;
    }
    style_.alwaysOnTop = *look_.alwaysOnTop;
    applyWindowStyle();
    if (look_.shown) {
        show();
    }
}

// Blend mode keys out the margin once the bars have been drawn in the key colour.
void MonitorWindow::finishBlendMode() {
    applyAlwaysOnTop();
    style_ = styleOfMode(core::WindowMode::BlendIntoDesktop, 255, marginColour_, style_);
    applyWindowStyle();
    emit blendModeFinished();
}

void MonitorWindow::applyWindowStyle() {
    if (appliedStyle_ == style_) {
        return;
    }
    const std::optional<WindowStyle> before = appliedStyle_;
    appliedStyle_ = style_;

    if (!before || before->opacity != style_.opacity) {
        setWindowOpacity(style_.opacity / 255.0);
    }
    QWindow* handle = windowHandle();
    if (handle == nullptr) {
        winId(); // the native window must exist to carry the flags
        handle = windowHandle();
    }
    if (handle != nullptr) {
        Qt::WindowFlags flags = handle->flags();
        flags.setFlag(Qt::WindowTransparentForInput, style_.clickThrough);
        flags.setFlag(Qt::WindowStaysOnTopHint, style_.alwaysOnTop);
        if (flags != handle->flags()) {
            handle->setFlags(flags);
        }
    }
    if (!before || before->colourKey != style_.colourKey) {
        updateShape();
    }
}

QRegion MonitorWindow::keyedOutRegion(core::Colour key) const {
    // Pixels of the key colour, across the window's margin and both bars, come out of the window's shape.
    const QRgb keyRgb = qRgb(core::redOf(key), core::greenOf(key), core::blueOf(key));
    QImage composed(size(), QImage::Format_RGB32);
    composed.fill(toQColor(marginColour_, palette().color(QPalette::Window)));
    for (RateBar* bar : bars_) {
        QPainter p(&composed);
        p.drawImage(bar->geometry().topLeft(), bar->image());
    }
    QVector<QRect> keep;
    for (int y = 0; y < composed.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(composed.constScanLine(y));
        int x = 0;
        while (x < composed.width()) {
            while (x < composed.width() && (row[x] & 0xFFFFFF) == (keyRgb & 0xFFFFFF)) {
                ++x;
            }
            const int start = x;
            while (x < composed.width() && (row[x] & 0xFFFFFF) != (keyRgb & 0xFFFFFF)) {
                ++x;
            }
            if (x > start) {
                keep.push_back(QRect(start, y, x - start, 1));
            }
        }
    }
    QRegion region;
    region.setRects(keep.constData(), static_cast<int>(keep.size()));
    return region;
}

void MonitorWindow::scheduleShapeUpdate() {
    if (!style_.colourKey || shapeUpdatePending_) {
        return;
    }
    shapeUpdatePending_ = true;
    QTimer::singleShot(0, this, [this] {
        shapeUpdatePending_ = false;
        updateShape();
    });
}

void MonitorWindow::updateShape() {
    QRegion shape = outline_.isEmpty() ? QRegion(rect()) : outline_;
    if (style_.colourKey) {
        shape &= keyedOutRegion(*style_.colourKey);
    }
    if (shape == appliedShape_) {
        return;
    }
    appliedShape_ = shape;
    if (shape == QRegion(rect())) {
        clearMask();
    } else {
        setMask(shape);
    }
}

} // namespace oruvel::monitor
