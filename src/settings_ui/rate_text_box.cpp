#include "settings_ui/rate_text_box.h"

#include "settings_ui/rate_entry_logic.h"

#include <QKeyEvent>

namespace oruvel::settings_ui {

void RateTextBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    selectAll();
}

void RateTextBox::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->text();
    if (typed.isEmpty()) {
        QLineEdit::keyPressEvent(event); // keys without a character (arrows, Delete, Shift+Insert)
        return;
    }
    const int code = typed.at(0).unicode();
    if (filterRateKey(text().toStdString(), code) == 0) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void RateTextBox::keyReleaseEvent(QKeyEvent* event) {
    QLineEdit::keyReleaseEvent(event);
    if (!event->isAutoRepeat() && onKeyUp) {
        onKeyUp();
    }
}

} // namespace oruvel::settings_ui
