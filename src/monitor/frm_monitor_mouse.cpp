// Dragging the monitor, its context menu and the snapping glue of its own drag loop.
#include "core/program.h"
#include "core/window_position.h"
#include "monitor/frm_monitor.h"
#include "monitor/magnetic_wnd.h"
#include "monitor/monitor_host.h"
#include "monitor/picture_box.h"
#include "monitor/qt_snap_window_system.h"

#include <QMouseEvent>

namespace oruvel::monitor {

void FrmMonitor::mousePressEvent(QMouseEvent* event) {
    event->accept();
    pressCursor_ = event->globalPosition().toPoint();
}

void FrmMonitor::mouseMoveEvent(QMouseEvent* event) {
    mouseMoved(buttonMask(event->buttons()), shiftMask(event->modifiers()), event->globalPosition().toPoint());
}

void FrmMonitor::mouseReleaseEvent(QMouseEvent* event) {
    mouseReleased(buttonMask(event->button()), shiftMask(event->modifiers()), event->globalPosition().toPoint());
}

void FrmMonitor::mouseMoved(int button, int shift, const QPoint& global) {
    if (dragging_) {
        dragMoveTo(global);
        return;
    }
    const QPoint local = mapFromGlobal(global);
    lastCursor_ = global;
    Form_MouseMove(button, shift, local.x(), local.y());
}

void FrmMonitor::mouseReleased(int button, int shift, const QPoint& global) {
    pressCursor_.reset();
    if (dragging_) {
        dragMoveTo(global);
        endDrag();
        return;
    }
    const QPoint local = mapFromGlobal(global);
    lastCursor_ = global;
    Form_MouseUp(button, shift, local.x(), local.y());
}

void FrmMonitor::Form_MouseMove(int button, int /*shift*/, int /*x*/, int /*y*/) {
    if (button == 1) {
        DragForm();
    }
}

void FrmMonitor::Form_MouseUp(int button, int /*shift*/, int /*x*/, int /*y*/) {
    if (button != 2) {
        return;
    }
    if (QWidget* settings = host_.settingsWindow(); settings != nullptr && settings->isVisible()) {
        settings->raise();
    }
    program_.letMessagesRun();
    host_.popUpMenu(lastCursor_);
    program_.letMessagesRun();
}

// The drag runs from the first move with the left button alone until its release; the window follows the pointer
// through the snapping rules and its position is saved when the button goes up.
void FrmMonitor::DragForm() {
    if (dragging_) {
        return;
    }
    dragging_ = true;
    const QPoint cursor = pressCursor_.value_or(lastCursor_);
    pressCursor_.reset();
    dragGrabOffset_ = frameGeometry().topLeft() - cursor;
    if (cMagneticWnd* magnetic = host_.magneticWnd()) {
        bool handled = false;
        long result = 0;
        if (QtSnapWindowSystem* system = host_.snapWindowSystem()) {
            system->setCursor(cursor);
        }
        magnetic->zSubclass_Proc(true, handled, result, windowIdOf(this), wm::kEnterSizeMove, 0, nullptr);
    }
}

void FrmMonitor::dragMoveTo(const QPoint& global) {
    const QRect frame = frameGeometry();
    Rect proposed{global.x() + dragGrabOffset_.x(), global.y() + dragGrabOffset_.y(), 0, 0};
    proposed.right = proposed.left + frame.width();
    proposed.bottom = proposed.top + frame.height();
    if (cMagneticWnd* magnetic = host_.magneticWnd(); magnetic != nullptr && magnetic->isRegistered(windowIdOf(this))) {
        if (QtSnapWindowSystem* system = host_.snapWindowSystem()) {
            system->setCursor(global);
        }
        bool handled = false;
        long result = 0;
        magnetic->zSubclass_Proc(false, handled, result, windowIdOf(this), wm::kMoving, 0, &proposed);
    }
    move(proposed.left, proposed.top);
}

void FrmMonitor::endDrag() {
    dragging_ = false;
    if (cMagneticWnd* magnetic = host_.magneticWnd()) {
        bool handled = false;
        long result = 0;
        magnetic->zSubclass_Proc(true, handled, result, windowIdOf(this), wm::kExitSizeMove, 0, nullptr);
        if (QtSnapWindowSystem* system = host_.snapWindowSystem()) {
            system->setCursor(std::nullopt);
        }
    }
    core::SaveWindowPosition(program_, *this, std::to_string(topTwips()), std::to_string(leftTwips()));
    program_.letMessagesRun();
}

} // namespace oruvel::monitor
