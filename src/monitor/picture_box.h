#pragma once

#include <QImage>
#include <QWidget>

#include <functional>

namespace oruvel::monitor {

// A child window that shows a picture composed elsewhere (a bar). Drawing goes into canvas(); flush() asks for a
// repaint only when the canvas differs from what is on screen, so an unchanged redraw costs no screen update.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    // The picture the size of the client area.
    QImage& canvas();
    void flush();

    // Called when the box needs its owner to redraw it (after a resize).
    std::function<void()> onRepaintNeeded;

    // Called after a flush changed what the box shows.
    std::function<void()> onFlushed;

    // Mouse events, as (button mask, shift mask, x, y) in pixels.
    std::function<void(const QPoint&)> onMousePress; // global position
    std::function<void(int, int, int, int)> onMouseMove;
    std::function<void(int, int, int, int)> onMouseUp;

    // How many times the screen was asked to update (for measuring wasted work).
    int flushCount() const { return flushCount_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage canvas_;
    QImage onScreen_;
    int flushCount_ = 0;
};

// Button and shift masks of a mouse event, as the handlers receive them (1 left, 2 right, 4 middle; 1 Shift,
// 2 Ctrl, 4 Alt).
int buttonMask(Qt::MouseButtons buttons);
int shiftMask(Qt::KeyboardModifiers modifiers);

} // namespace oruvel::monitor
