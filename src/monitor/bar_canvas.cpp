#include "monitor/bar_canvas.h"

#include <QPaintEvent>
#include <QPainter>

#include <cstring>

namespace oruvel::monitor {

BarCanvas::BarCanvas(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

QImage& BarCanvas::canvas() {
    const QSize size = this->size().expandedTo(QSize(1, 1));
    if (canvas_.size() != size) {
        QImage resized(size, QImage::Format_RGB32);
        resized.fill(palette().color(QPalette::Window));
        canvas_ = std::move(resized);
    }
    return canvas_;
}

void BarCanvas::flush() {
    if (canvas_ == onScreen_) {
        return;
    }
    // A copy of its own: sharing the canvas's pixels would make the next drawing detach the canvas, and a detached
    // image needs a new paint engine each time.
    if (onScreen_.size() == canvas_.size() && onScreen_.format() == canvas_.format() &&
        onScreen_.bytesPerLine() == canvas_.bytesPerLine()) {
        std::memcpy(onScreen_.bits(), canvas_.constBits(), static_cast<std::size_t>(canvas_.sizeInBytes()));
    } else {
        onScreen_ = canvas_.copy();
    }
    ++flushCount_;
    update();
    emit flushed();
}

void BarCanvas::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QImage& shown = onScreen_.isNull() ? canvas() : onScreen_;
    p.drawImage(event->rect().topLeft(), shown, event->rect());
}

void BarCanvas::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    canvas();
    emit resized();
}

} // namespace oruvel::monitor
