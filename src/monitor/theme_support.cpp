#include "monitor/theme_support.h"

#include "monitor/button_state_logic.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QStyle>
#include <QVariant>

namespace oruvel::monitor {
namespace {

bool initialised = false;

QIcon stateIcon(const QAbstractButton& button) {
    ButtonCondition c;
    c.enabled = button.isEnabled();
    c.hot = button.underMouse();
    c.pushed = button.isDown();
    c.value = button.isCheckable() && button.isChecked();
    c.focused = button.hasFocus();
    c.hasDownPicture = button.property("downPicture").isValid();
    c.hasDisabledPicture = button.property("disabledPicture").isValid();
    switch (buttonLook(c).picture) {
    case ButtonPicture::DownPicture:
        return button.property("downPicture").value<QIcon>();
    case ButtonPicture::DisabledPicture:
        return button.property("disabledPicture").value<QIcon>();
    case ButtonPicture::Picture:
        break;
    }
    return button.property("picture").value<QIcon>();
}

} // namespace

void InitThemeSupport() { initialised = true; }

bool themeSupportInitialised() { return initialised; }

bool FixThemeSupport(const QList<QWidget*>& controls) {
    if (!initialised) {
        return false;
    }
    for (QWidget* w : controls) {
        if (auto* frame = qobject_cast<QGroupBox*>(w)) {
            frame->setAutoFillBackground(false);
        } else if (auto* button = qobject_cast<QAbstractButton*>(w);
                   button != nullptr && button->property("graphicalStyle").toBool()) {
            button->setIcon(stateIcon(*button));
        }
    }
    return true;
}

} // namespace oruvel::monitor
