#include "settings_ui/full_scale_edit.h"

#include "settings_ui/full_scale_key_filter.h"

#include <QKeyEvent>

namespace oruvel::settings_ui {

void FullScaleEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    selectAll();
}

void FullScaleEdit::keyPressEvent(QKeyEvent* event) {
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

void FullScaleEdit::keyReleaseEvent(QKeyEvent* event) {
    QLineEdit::keyReleaseEvent(event);
    if (!event->isAutoRepeat()) {
        emit keyReleased();
    }
}

} // namespace oruvel::settings_ui
