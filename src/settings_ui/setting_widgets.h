#pragma once

#include <QAbstractButton>
#include <QCheckBox>
#include <QColor>
#include <QLabel>
#include <QRadioButton>

namespace oruvel::settings_ui {

// A check box with the value 0 (clear), 1 (ticked) or 2 (greyed), as stored. A click, with the mouse or the space
// bar, moves it between clear and ticked only; clicked() follows it.
class SettingCheckBox : public QCheckBox {
    Q_OBJECT
public:
    using QCheckBox::QCheckBox;
    int value() const;
    void setValue(int v);

protected:
    // The whole control takes the click, not only its box and caption.
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
    void nextCheckState() override;
};

// An option button; setSelected(false) may leave no button of the group selected. Tab stops at the selected button of
// its group (any of them while none is), and the arrow keys move within the group.
class SettingRadioButton : public QRadioButton {
    Q_OBJECT
public:
    explicit SettingRadioButton(QWidget* parent = nullptr);
    void setSelected(bool selected);

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }

private:
    void placeTabStop();
};

// A colour swatch: a framed square filled with its colour, a button that clicked() when it is clicked with the left
// button or, while it has the keyboard, with the space bar or Enter. Assistive technology reads its colour.
class ColourSwatch : public QAbstractButton {
    Q_OBJECT
public:
    explicit ColourSwatch(QWidget* parent = nullptr);
    QColor colour() const { return colour_; }
    void setColour(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QColor colour_{Qt::black};
};

// A label or picture that reacts to a click (links, the logo); one that takes the keyboard (a link) reacts to Enter
// and the space bar too.
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace oruvel::settings_ui
