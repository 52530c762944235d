#pragma once

#include <QImage>
#include <QWidget>


namespace oruvel::monitor {

// The child widget that shows a bar composed by its BarRenderer; it takes no mouse input (the monitor window does).
// Drawing goes into canvas(); flush() asks for a repaint only when the canvas differs from what is on screen, so an
// unchanged redraw costs no screen update.
class BarCanvas : public QWidget {
    Q_OBJECT
public:
    explicit BarCanvas(QWidget* parent = nullptr);

    // The picture the size of the client area.
    QImage& canvas();
    void flush();

    // How many times the screen was asked to update (for measuring wasted work).
    int flushCount() const { return flushCount_; }

signals:
    // The canvas was resized: its owner draws it again.
    void resized();
    // A flush changed what the canvas shows.
    void flushed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage canvas_;
    QImage onScreen_;
    int flushCount_ = 0;
};

} // namespace oruvel::monitor
