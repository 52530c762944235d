#pragma once

#include <QLineEdit>

namespace oruvel::settings_ui {

// A full-scale rate box. Typed characters pass through the key filter (editing keys and shortcuts act as in any line
// edit); text put in any other way (a paste from the keyboard or the context menu, a drop) is taken only when what
// it adds is digits. Receiving the focus selects the whole text. textEdited() follows every change the user makes;
// keyReleased() every key released in the box, whether it changed anything or not.
class FullScaleEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit FullScaleEdit(QWidget* parent = nullptr);

signals:
    void keyReleased();

private:
    void fitText();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
};

} // namespace oruvel::settings_ui
