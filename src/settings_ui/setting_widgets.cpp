#include "settings_ui/setting_widgets.h"

#include <QMouseEvent>
#include <QPainter>

namespace oruvel::settings_ui {
namespace {

bool leftClickOn(const QWidget& w, const QMouseEvent& event) {
    return event.button() == Qt::LeftButton && w.rect().contains(event.position().toPoint()) && w.isEnabled();
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

void SettingCheckBox::nextCheckState() {
    setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
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

ColourSwatch::ColourSwatch(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::Box);
    setCursor(Qt::PointingHandCursor);
}

void ColourSwatch::setColour(const QColor& colour) {
    colour_ = colour;
    update();
}

void ColourSwatch::paintEvent(QPaintEvent* event) {
    {
        QPainter p(this);
        p.fillRect(rect(), colour_);
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
