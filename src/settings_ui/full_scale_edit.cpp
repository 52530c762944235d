#include "settings_ui/full_scale_edit.h"

#include "settings_ui/full_scale_key_filter.h"

#include <QKeyEvent>
#include <QValidator>

#include <algorithm>

namespace oruvel::settings_ui {

namespace {

// Takes a change of the text when what it adds to the text before it is digits, or a decimal point that is then the
// text's only one: a deletion, a typed digit, a pasted number such as 1.5. The text before is the last one the box
// held, however it got there.
class AddedDigitsValidator final : public QValidator {
public:
    explicit AddedDigitsValidator(QLineEdit& edit) : QValidator(&edit), before_(edit.text()) {
        connect(&edit, &QLineEdit::textChanged, this, [this](const QString& text) { before_ = text; });
    }

    State validate(QString& text, int& /*pos*/) const override {
        qsizetype prefix = 0;
        while (prefix < text.size() && prefix < before_.size() && text[prefix] == before_[prefix]) {
            ++prefix;
        }
        qsizetype suffix = 0;
        while (suffix < text.size() - prefix && suffix < before_.size() - prefix &&
               text[text.size() - 1 - suffix] == before_[before_.size() - 1 - suffix]) {
            ++suffix;
        }
        for (qsizetype i = prefix; i < text.size() - suffix; ++i) {
            const bool digit = text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9');
            if (!digit && !(text[i] == QLatin1Char('.') && text.count(QLatin1Char('.')) == 1)) {
                return Invalid;
            }
        }
        return Acceptable;
    }

private:
    QString before_;
};

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

FullScaleEdit::FullScaleEdit(QWidget* parent) : QLineEdit(parent) {
    setValidator(new AddedDigitsValidator(*this));
    connect(this, &QLineEdit::textChanged, this, &FullScaleEdit::fitText);
}

// The box is narrow: a number longer than it holds is drawn narrower, so every digit shows, never only its tail.
void FullScaleEdit::fitText() {
    QFont narrowed = font();
    narrowed.setStretch(QFont::Unstretched);
    const int needed = QFontMetrics(narrowed).horizontalAdvance(text());
    const int room = contentsRect().width() - textMargins().left() - textMargins().right() - 4;
    if (needed > room && room > 0) {
        narrowed.setStretch(std::max<int>(QFont::UltraCondensed, room * QFont::Unstretched / needed));
    }
    if (narrowed != font()) {
        setFont(narrowed);
    }
    setToolTip(text().isEmpty() ? QString() : text() + QStringLiteral(" MB/s"));
}

void FullScaleEdit::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    fitText();
}

void FullScaleEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    selectAll();
}

void FullScaleEdit::keyPressEvent(QKeyEvent* event) {
    const char16_t typed = typedCharacter(*event);
    if (typed != 0 && !acceptsTypedCharacter(text().toStdString(), typed, selectedText().toStdString())) {
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
