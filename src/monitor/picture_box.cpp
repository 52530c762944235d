#include "monitor/picture_box.h"

#include <QMouseEvent>
#include <QPainter>

#include <cstring>

namespace oruvel::monitor {

int buttonMask(Qt::MouseButtons buttons) {
    return ((buttons & Qt::LeftButton) ? 1 : 0) | ((buttons & Qt::RightButton) ? 2 : 0) |
           ((buttons & Qt::MiddleButton) ? 4 : 0);
}

int shiftMask(Qt::KeyboardModifiers modifiers) {
    return ((modifiers & Qt::ShiftModifier) ? 1 : 0) | ((modifiers & Qt::ControlModifier) ? 2 : 0) |
           ((modifiers & Qt::AltModifier) ? 4 : 0);
}

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

QImage& PictureBox::canvas() {
    const QSize size = this->size().expandedTo(QSize(1, 1));
    if (canvas_.size() != size) {
        QImage resized(size, QImage::Format_RGB32);
        resized.fill(palette().color(QPalette::Window));
        canvas_ = std::move(resized);
    }
    return canvas_;
}

void PictureBox::flush() {
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
    if (onFlushed) {
        onFlushed();
    }
}

void PictureBox::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QImage& shown = onScreen_.isNull() ? canvas() : onScreen_;
    p.drawImage(event->rect().topLeft(), shown, event->rect());
}

void PictureBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    canvas();
    if (onRepaintNeeded) {
        onRepaintNeeded();
    }
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (onMousePress) {
        onMousePress(event->globalPosition().toPoint());
    }
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
    if (onMouseMove) {
        const QPoint pos = event->position().toPoint();
        onMouseMove(buttonMask(event->buttons()), shiftMask(event->modifiers()), pos.x(), pos.y());
    }
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    if (onMouseUp) {
        const QPoint pos = event->position().toPoint();
        onMouseUp(buttonMask(event->button()), shiftMask(event->modifiers()), pos.x(), pos.y());
    }
}

} // namespace oruvel::monitor
