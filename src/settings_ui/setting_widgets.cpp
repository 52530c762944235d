#include "settings_ui/setting_widgets.h"

#include "look/accessibility.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

#include <algorithm>

namespace oruvel::settings_ui {
namespace {

bool leftClickOn(const QWidget& w, const QMouseEvent& event) {
    return event.button() == Qt::LeftButton && w.rect().contains(event.position().toPoint()) && w.isEnabled();
}

bool isActivationKey(const QKeyEvent& event) {
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter || event.key() == Qt::Key_Space;
}

// The style's focus frame around a widget that has the keyboard.
void drawFocus(QWidget& w, QPainter& p) {
    QStyleOptionFocusRect focus;
    focus.initFrom(&w);
    focus.backgroundColor = w.palette().color(QPalette::Window);
    w.style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, &w);
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

SettingRadioButton::SettingRadioButton(QWidget* parent) : QRadioButton(parent) {
    connect(this, &QAbstractButton::toggled, this, &SettingRadioButton::placeTabStop);
}

void SettingRadioButton::placeTabStop() {
    if (!autoExclusive() || parentWidget() == nullptr) {
        return;
    }
    QList<SettingRadioButton*> group;
    for (SettingRadioButton* b : parentWidget()->findChildren<SettingRadioButton*>(Qt::FindDirectChildrenOnly)) {
        if (b->autoExclusive()) {
            group.append(b);
        }
    }
    const bool anySelected = std::any_of(group.begin(), group.end(), [](const auto* b) { return b->isChecked(); });
    for (SettingRadioButton* b : group) {
        const bool stop = b->isChecked() || !anySelected;
        const int policy = stop ? (b->focusPolicy() | Qt::TabFocus) : (b->focusPolicy() & ~Qt::TabFocus);
        b->setFocusPolicy(static_cast<Qt::FocusPolicy>(policy));
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
    placeTabStop();
}

ColourSwatch::ColourSwatch(QWidget* parent) : QAbstractButton(parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void ColourSwatch::setColour(const QColor& colour) {
    colour_ = colour;
    look::setAccessibleDescription(*this, QStringLiteral("颜色 %1").arg(colour.name().toUpper()));
    update();
}

void ColourSwatch::paintEvent(QPaintEvent* /*event*/) {
    QPainter p(this);
    p.fillRect(rect(), colour_);
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    if (hasFocus()) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        p.drawRect(rect().adjusted(2, 2, -3, -3));
    }
}

void ColourSwatch::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event); // the space bar clicks as on any button
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (leftClickOn(*this, *event)) {
        emit clicked();
    }
}

void ClickableLabel::keyPressEvent(QKeyEvent* event) {
    if (isActivationKey(*event) && focusPolicy() != Qt::NoFocus) {
        event->accept();
        emit clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

void ClickableLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (hasFocus()) {
        QPainter p(this);
        drawFocus(*this, p);
    }
}

} // namespace oruvel::settings_ui
