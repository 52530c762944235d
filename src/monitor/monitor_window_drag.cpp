// Dragging the monitor, its context menu and the snapping glue of its own drag loop.
#include "monitor/monitor_window.h"

#include "look/accessibility.h"
#include "monitor/qt_snap_window_system.h"
#include "monitor/window_snapper.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace oruvel::monitor {

void MonitorWindow::mousePressEvent(QMouseEvent* event) {
    event->accept();
    pressCursor_ = event->globalPosition().toPoint();
}

// A move with the left button alone starts a drag; the window then follows the pointer.
void MonitorWindow::mouseMoveEvent(QMouseEvent* event) {
    const QPoint global = event->globalPosition().toPoint();
    if (dragging_) {
        dragMoveTo(global);
    } else if (event->buttons() == Qt::LeftButton) {
        if (!pressCursor_) {
            pressCursor_ = global;
        }
        beginDrag();
    }
}

void MonitorWindow::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint global = event->globalPosition().toPoint();
    pressCursor_.reset();
    if (dragging_) {
        dragMoveTo(global);
        endDrag();
    } else if (event->button() == Qt::RightButton) {
        emit contextMenuRequested(global);
    }
}

// The menu key and Shift+F10 open the menu of a monitor that has the keyboard, at its middle.
void MonitorWindow::keyPressEvent(QKeyEvent* event) {
    if (look::isMenuKey(*event)) {
        event->accept();
        emit contextMenuRequested(mapToGlobal(rect().center()));
        return;
    }
    QWidget::keyPressEvent(event);
}

// The drag runs from the first move with the left button alone until its release; the window follows the pointer
// through the snapping rules and its position is saved when the button goes up.
void MonitorWindow::beginDrag() {
    dragging_ = true;
    // The pointer may outrun the window it drags: the moves and the release come here wherever the pointer is.
    grabMouse();
    const QPoint cursor = *pressCursor_;
    pressCursor_.reset();
    dragGrabOffset_ = frameGeometry().topLeft() - cursor;
    snapSystem_.setCursor(cursor);
    snapper_.beginMove(windowIdOf(this));
    emit dragStarted();
}

void MonitorWindow::dragMoveTo(const QPoint& global) {
    const QRect frame = frameGeometry();
    Rect proposed{global.x() + dragGrabOffset_.x(), global.y() + dragGrabOffset_.y(), 0, 0};
    proposed.right = proposed.left + frame.width();
    proposed.bottom = proposed.top + frame.height();
    snapSystem_.setCursor(global);
    snapper_.constrainMove(windowIdOf(this), proposed);
    move(proposed.left, proposed.top);
}

void MonitorWindow::endDrag() {
    dragging_ = false;
    releaseMouse();
    snapper_.endMove(windowIdOf(this));
    snapSystem_.setCursor(std::nullopt);
    emit dragFinished();
}

} // namespace oruvel::monitor
