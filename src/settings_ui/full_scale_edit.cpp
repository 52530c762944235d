#include "settings_ui/full_scale_edit.h"

#include "settings_ui/full_scale_key_filter.h"

#include <QKeyEvent>

namespace oruvel::settings_ui {

namespace {

constexpr char16_t kBackspace = 0x08;

// The character a key press types into the box, or 0 when the key edits or moves instead (arrows, Home, End,
// Delete, whose text on X11 and Wayland is U+007F, and the line edit's shortcuts such as Ctrl+A/C/V/X/Z).
// Backspace counts as typed: the key filter decides on it like on a digit.
char16_t typedCharacter(const QKeyEvent& event) {
    const QString text = event.text();
    if (text.isEmpty()) {
        return 0;
    }
    const QChar first = text.at(0);
    if (first == QChar(kBackspace)) {
        return kBackspace;
    }
    constexpr auto kShortcutModifiers = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if ((event.modifiers() & kShortcutModifiers) != 0 || !first.isPrint()) {
        return 0;
    }
    return first.unicode();
}

} // namespace

void FullScaleEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    selectAll();
}

void FullScaleEdit::keyPressEvent(QKeyEvent* event) {
    const char16_t typed = typedCharacter(*event);
    if (typed != 0 && filterRateKey(text().toStdString(), typed) == 0) {
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
