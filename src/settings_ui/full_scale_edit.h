#pragma once

#include <QLineEdit>

namespace oruvel::settings_ui {

// A full-scale rate box: typed characters pass through the key filter (editing keys and shortcuts act as in any
// line edit), every key release stores the text, and receiving the focus selects the whole text.
class FullScaleEdit : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

signals:
    void keyReleased();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
};

} // namespace oruvel::settings_ui
