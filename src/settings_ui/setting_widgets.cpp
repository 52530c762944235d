#include "settings_ui/setting_widgets.h"

#include "monitor/system_palette.h"

#include <QMouseEvent>
#include <QPainter>

namespace oruvel::settings_ui {
namespace {

bool releasedOver(const QWidget& w, const QMouseEvent& event) {
    return w.rect().contains(event.position().toPoint());
}

bool leftClickOn(const QWidget& w, const QMouseEvent& event) {
    return event.button() == Qt::LeftButton && releasedOver(w, event) && w.isEnabled();
}

} // namespace

int SettingCheckBox::value() const {
    switch (checkState()) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    default:
        return 0;
    }
}

void SettingCheckBox::setValue(int v) {
    setCheckState(v == 1 ? Qt::Checked : (v == 2 ? Qt::PartiallyChecked : Qt::Unchecked));
}

void SettingCheckBox::mouseReleaseEvent(QMouseEvent* event) {
    QCheckBox::mouseReleaseEvent(event);
    // A user's click moves between clear and ticked only.
    if (checkState() == Qt::PartiallyChecked && event->button() == Qt::LeftButton) {
        setCheckState(Qt::Checked);
    }
    if (releasedOver(*this, *event)) {
        emit mouseReleased();
    }
}

void SettingRadioButton::setSelected(bool selected) {
    if (selected) {
        setChecked(true);
        return;
    }
    const bool exclusive = autoExclusive();
    setAutoExclusive(false);
    setChecked(false);
    setAutoExclusive(exclusive);
}

void SettingRadioButton::mouseReleaseEvent(QMouseEvent* event) {
    QRadioButton::mouseReleaseEvent(event);
    if (releasedOver(*this, *event)) {
        emit mouseReleased();
    }
}

ColourSwatch::ColourSwatch(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::Box);
    setCursor(Qt::PointingHandCursor);
}

void ColourSwatch::setColour(core::Colour colour) {
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
    if (leftClickOn(*this, *event)) {
        emit clicked();
    }
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (leftClickOn(*this, *event)) {
        emit clicked();
    }
}

} // namespace oruvel::settings_ui
