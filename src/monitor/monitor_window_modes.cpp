// The monitor's transparency modes, stay-on-top, and what it leaves out (its rounded corners, blend mode's key colour):
// by its shape, or by see-through pixels where a compositor shows them.
#include "look/system_palette.h"
#include "monitor/monitor_window.h"
#include "monitor/window_region.h"
#include "platform/qt/window_shape.h"

#include <QPainter>
#include <QPainterPath>
#include <QWindow>

#include <cmath>
#include <utility>

namespace oruvel::monitor {

using look::toQColor;

namespace {

// The width and height of the ellipse that rounds each corner, in logical pixels.
constexpr int kCornerEllipse = 7;

// The rounded outline, in rows of pixels of a window `size` pixels large at `ratio` pixels to a logical one.
QRegion roundedOutline(QSize size, qreal ratio) {
    const int ellipse = static_cast<int>(std::lround(kCornerEllipse * ratio));
    QRegion outline;
    for (const RegionSpan& s : roundRectSpans(size.width(), size.height(), ellipse, ellipse)) {
        outline += QRect(s.left, s.y, s.right - s.left, 1);
    }
    return outline;
}

// The pixels of `image` that show: not see-through, and not of the key colour, in rows of rectangles.
QRegion shownPixels(const QImage& image, std::optional<QRgb> key) {
    const auto shows = [key](QRgb pixel) {
        return qAlpha(pixel) != 0 && (!key || (pixel & 0xFFFFFF) != (*key & 0xFFFFFF));
    };
    QVector<QRect> keep;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        int x = 0;
        while (x < image.width()) {
            while (x < image.width() && !shows(row[x])) {
                ++x;
            }
            const int start = x;
            while (x < image.width() && shows(row[x])) {
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

} // namespace

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
    const bool seeThrough = surface_ == WindowSurface::SeeThrough;
    if (!before || before->colourKey != style_.colourKey) {
        if (seeThrough) {
            const QColor key = style_.colourKey ? toQColor(*style_.colourKey) : QColor();
            for (RateBar* bar : bars_) {
                bar->setKeyedOutColour(key);
            }
            update(); // the margin
        }
        updateShape();
    } else if (seeThrough && before->clickThrough != style_.clickThrough) {
        updateShape(true); // the window system gave the window's clicks back, or took them
    }
}

void MonitorWindow::paintMargin(QPainter& p) const {
    const QColor colour = toQColor(marginColour_, palette().color(QPalette::Window));
    if (surface_ == WindowSurface::Shaped) {
        p.fillRect(rect(), colour); // the shape cuts the corners
        return;
    }
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(rect(), Qt::transparent);
    if (!style_.colourKey || marginColour_ != *style_.colourKey) {
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillPath(outlinePath(), colour);
    }
    p.restore();
}

QPainterPath MonitorWindow::outlinePath() const {
    QPainterPath path;
    const qreal radius = look_.roundCorners ? kCornerEllipse / 2.0 : 0.0;
    path.addRoundedRect(QRectF(rect()), radius, radius);
    return path;
}

void MonitorWindow::applyOutline() {
    if (surface_ == WindowSurface::SeeThrough) {
        for (RateBar* bar : bars_) {
            bar->setOutline(look_.roundCorners ? outlinePath().translated(-QPointF(bar->pos())) : QPainterPath());
        }
        update();
    }
    updateShape();
}

QImage MonitorWindow::composedPixels() const {
    const qreal ratio = devicePixelRatioF();
    QImage composed(size() * ratio, QImage::Format_ARGB32_Premultiplied);
    composed.setDevicePixelRatio(ratio);
    composed.fill(Qt::transparent);
    QPainter p(&composed);
    paintMargin(p);
    for (RateBar* bar : bars_) {
        p.drawImage(bar->geometry().topLeft(), bar->image());
    }
    return composed;
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

void MonitorWindow::updateShape(bool reapply) {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = size() * ratio;
    QRegion shape(QRect(QPoint(0, 0), pixels));
    const bool seeThrough = surface_ == WindowSurface::SeeThrough;
    if (seeThrough || style_.colourKey) {
        const std::optional<QRgb> key =
            style_.colourKey ? std::optional<QRgb>(toQColor(*style_.colourKey).rgb()) : std::nullopt;
        shape = shownPixels(composedPixels(), key);
    }
    if (!seeThrough && look_.roundCorners) {
        shape &= roundedOutline(pixels, ratio);
    }
    if (shape == appliedShape_ && !reapply) {
        return;
    }
    appliedShape_ = shape;
    const bool whole = shape == QRegion(QRect(QPoint(0, 0), pixels));
    platform::setWindowShape(*this, whole ? std::nullopt : std::optional<QRegion>(shape),
                             seeThrough ? platform::ShapeKind::AroundSeeThroughPixels : platform::ShapeKind::Outline);
}

} // namespace oruvel::monitor
