// The monitor's transparency modes, stay-on-top and the blend-mode colour key.
#include "core/program.h"
#include "monitor/frm_monitor.h"
#include "monitor/monitor_host.h"
#include "monitor/picture_box.h"
#include "monitor/system_palette.h"

#include <QPainter>
#include <QWindow>

namespace oruvel::monitor {

std::uint32_t FrmMonitor::GetWindowLong(int index) const { return index == style::kExStyleIndex ? style_.exStyle : 0; }

void FrmMonitor::SetWindowLong(int index, std::uint32_t value) {
    if (index != style::kExStyleIndex) {
        return;
    }
    style_.exStyle = value;
    applyWindowStyle();
}

void FrmMonitor::SetLayeredWindowAttributes(core::Colour key, std::uint8_t alpha, std::uint32_t flags) {
    style_.colourKey = key;
    style_.alpha = alpha;
    style_.layeredFlags = flags;
    applyWindowStyle();
}

void FrmMonitor::GoToGhostMode() {
    SetWindowLong(style::kExStyleIndex, style::kLayered | style::kTransparent);
    SetLayeredWindowAttributes(0, static_cast<std::uint8_t>(host_.fadeInValue(1) & 0xFF), style::kAlphaFlag);
    SetOnTopNow();
    program_.letMessagesRun();
}

void FrmMonitor::GoToNormalMode() {
    if (!host_.transparencySelected(3)) {
        return;
    }
    SetWindowLong(style::kExStyleIndex, style::kLayered);
    SetLayeredWindowAttributes(0, 255, style::kAlphaFlag);
}

void FrmMonitor::SetOnTopNow() {
    const int value = host_.checkValue(12);
    if (value != 0 && value != 1) {
        return;
    }
    style_.topmost = value == 1;
    applyWindowStyle();
    show();
}

void FrmMonitor::Timer1_Timer() {
    SetOnTopNow();
    program_.letMessagesRun();
    SetTransparentColor(*this, BackColor());
    program_.letMessagesRun();
    host_.Check4_MouseUp(0, 0, 0, 0);
    program_.letMessagesRun();
    timer1_.stop();
}

void SetTransparentColor(FrmMonitor& window, core::Colour colour) {
    window.SetWindowLong(style::kExStyleIndex, window.GetWindowLong(style::kExStyleIndex) | style::kLayered);
    window.SetLayeredWindowAttributes(colour, 0, style::kColourKeyFlag);
}

void FrmMonitor::applyWindowStyle() {
    if (styleApplied_ && style_ == appliedStyle_) {
        return;
    }
    const WindowStyle before = appliedStyle_;
    const bool first = !styleApplied_;
    appliedStyle_ = style_;
    styleApplied_ = true;

    if (first || before.opacity() != style_.opacity()) {
        setWindowOpacity(style_.opacity());
    }
    QWindow* handle = windowHandle();
    if (handle == nullptr) {
        winId(); // the native window must exist to carry the flags
        handle = windowHandle();
    }
    if (handle != nullptr) {
        Qt::WindowFlags flags = handle->flags();
        flags.setFlag(Qt::WindowTransparentForInput, style_.clickThrough());
        flags.setFlag(Qt::WindowStaysOnTopHint, style_.topmost);
        if (flags != handle->flags()) {
            handle->setFlags(flags);
        }
    }
    if (first || before.usesColourKey() != style_.usesColourKey() || before.colourKey != style_.colourKey) {
        updateShape();
    }
}

QRegion FrmMonitor::keyedOutRegion(core::Colour key) const {
    // Pixels of the key colour, across the window's margin and both bars, come out of the window's shape.
    const QRgb keyRgb = qRgb(core::redOf(key), core::greenOf(key), core::blueOf(key));
    QImage composed(size(), QImage::Format_RGB32);
    composed.fill(toQColor(backColor_, palette().color(QPalette::Window)));
    for (PictureBox* box : pb_) {
        QPainter p(&composed);
        p.drawImage(box->geometry().topLeft(), box->canvas());
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

void FrmMonitor::updateShape() {
    QRegion shape = outline_.isEmpty() ? QRegion(rect()) : outline_;
    if (style_.usesColourKey()) {
        shape &= keyedOutRegion(style_.colourKey);
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
