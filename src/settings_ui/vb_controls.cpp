#include "settings_ui/vb_controls.h"

#include "monitor/picture_box.h"
#include "monitor/system_palette.h"

#include <QMouseEvent>
#include <QPainter>

namespace oruvel::settings_ui {
namespace {

void raiseMouseUp(const MouseUpHandler& handler, const QWidget& w, const QMouseEvent& event) {
    const QPoint pos = event.position().toPoint();
    if (handler && w.rect().contains(pos)) {
        handler(monitor::buttonMask(event.button()), monitor::shiftMask(event.modifiers()), pos.x(), pos.y());
    }
}

} // namespace

int VbCheckBox::value() const {
    switch (checkState()) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    default:
        return 0;
    }
}

void VbCheckBox::setValue(int v) {
    setCheckState(v == 1 ? Qt::Checked : (v == 2 ? Qt::PartiallyChecked : Qt::Unchecked));
}

void VbCheckBox::mouseReleaseEvent(QMouseEvent* event) {
    QCheckBox::mouseReleaseEvent(event);
    // A user's click moves between clear and ticked only.
    if (checkState() == Qt::PartiallyChecked && event->button() == Qt::LeftButton) {
        setCheckState(Qt::Checked);
    }
    raiseMouseUp(onMouseUp, *this, *event);
}

void VbOptionButton::setValue(bool selected) {
    if (selected) {
        setChecked(true);
        return;
    }
    const bool exclusive = autoExclusive();
    setAutoExclusive(false);
    setChecked(false);
    setAutoExclusive(exclusive);
}

void VbOptionButton::mouseReleaseEvent(QMouseEvent* event) {
    QRadioButton::mouseReleaseEvent(event);
    raiseMouseUp(onMouseUp, *this, *event);
}

ColourSwatch::ColourSwatch(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::Box);
    setCursor(Qt::PointingHandCursor);
}

void ColourSwatch::setBackColor(core::Colour colour) {
    colour_ = colour;
    update();
}

void ColourSwatch::paintEvent(QPaintEvent* event) {
    {
        QPainter p(this);
        p.fillRect(rect(), monitor::toQColor(colour_, palette().color(QPalette::Window)));
    }
    QFrame::paintEvent(event);
}

void ColourSwatch::mouseReleaseEvent(QMouseEvent* event) {
    QFrame::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && isEnabled() &&
        onClick) {
        onClick();
    }
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && isEnabled() &&
        onClick) {
        onClick();
    }
}

} // namespace oruvel::settings_ui
