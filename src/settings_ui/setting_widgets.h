#pragma once

#include "core/colour.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QRadioButton>

namespace oruvel::settings_ui {

// A check box with the value 0 (clear), 1 (ticked) or 2 (greyed), as stored. Setting the value from code or by
// keyboard fires Qt's change signals; mouseReleased() is emitted only for a mouse release over the box, after it has
// toggled. Settings that are applied on mouseReleased() alone are not applied by keyboard toggles.
class SettingCheckBox : public QCheckBox {
    Q_OBJECT
public:
    using QCheckBox::QCheckBox;
    int value() const;
    void setValue(int v);

signals:
    void mouseReleased();

protected:
    // The whole control takes the click, not only its box and caption.
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// An option button; mouseReleased() as for SettingCheckBox. setSelected(false) may leave no button of the group
// selected.
class SettingRadioButton : public QRadioButton {
    Q_OBJECT
public:
    using QRadioButton::QRadioButton;
    void setSelected(bool selected);

signals:
    void mouseReleased();

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// A colour swatch: a framed square filled with its colour; a left click on it emits clicked().
class ColourSwatch : public QFrame {
    Q_OBJECT
public:
    explicit ColourSwatch(QWidget* parent = nullptr);
    core::Colour colour() const { return colour_; }
    void setColour(core::Colour colour);

signals:
    void clicked();

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

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace oruvel::settings_ui
