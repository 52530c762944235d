#pragma once

#include "core/colour.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QRadioButton>

#include <functional>

namespace oruvel::settings_ui {

// Handler of a mouse release: (button mask, shift mask, x, y).
using MouseUpHandler = std::function<void(int, int, int, int)>;

// A check box with the value 0 (clear), 1 (ticked) or 2 (greyed). Setting the value from code or by keyboard fires
// Qt's change signals ("Click"); onMouseUp runs only for a mouse release over the box, after it has toggled.
class VbCheckBox : public QCheckBox {
    Q_OBJECT
public:
    using QCheckBox::QCheckBox;
    int value() const;
    void setValue(int v);
    MouseUpHandler onMouseUp;

protected:
    // The whole control takes the click, not only its box and caption.
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// An option button; onMouseUp as for VbCheckBox. setValue(false) may leave no button of the group selected.
class VbOptionButton : public QRadioButton {
    Q_OBJECT
public:
    using QRadioButton::QRadioButton;
    void setValue(bool selected);
    MouseUpHandler onMouseUp;

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// A picture box used as a colour swatch: its back colour is the colour.
class ColourSwatch : public QFrame {
    Q_OBJECT
public:
    explicit ColourSwatch(QWidget* parent = nullptr);
    core::Colour backColor() const { return colour_; }
    void setBackColor(core::Colour colour);
    std::function<void()> onClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    core::Colour colour_ = 0;
};

// A label or picture that reacts to a click (links, the logo).
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
    std::function<void()> onClick;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace oruvel::settings_ui
