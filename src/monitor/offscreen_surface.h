#pragma once

#include <QImage>

class QPainter;

namespace oruvel::monitor {

// An off-screen drawing surface that only grows: bars are composed on it and copied to the screen in one step, and
// fill pictures are kept on one so a redraw never decodes an image.
class OffscreenSurface {
public:
    int width() const { return width_; }
    int height() const { return height_; }
    // Records the size; creates the surface only while none exists and both recorded sizes are positive.
    void setWidth(int value);
    void setHeight(int value);

    // Makes sure a surface of at least width x height exists (a larger request replaces it by one of exactly the asked
    // size) and returns it; null when none exists or none could be made.
    QImage* ensureSize(int width, int height);

    // Copies from the surface to `dst`: the source size is widthSrc/heightSrc when positive, else the recorded size.
    void drawTo(QPainter& dst, int xSrc, int ySrc, int widthSrc, int heightSrc, int xDst, int yDst) const;

    // Makes the surface a copy of the picture (a null picture leaves no surface).
    void assign(const QImage& picture);

    bool hasSurface() const { return !surface_.isNull(); }
    const QImage& surface() const { return surface_; }
    QSize surfaceSize() const { return surface_.size(); }

    // Largest surface made, in pixels; a larger request leaves no surface.
    static constexpr qint64 kMaxPixels = 16LL * 1024 * 1024;

private:
    void create(int width, int height);
    void reset();

    QImage surface_;
    int width_ = 0;
    int height_ = 0;
};

} // namespace oruvel::monitor
