#pragma once

#include <QImage>

class QPainter;

namespace oruvel::monitor {

// An off-screen drawing surface that only grows: bars are composed on it and copied to the screen in one step, and
// fill pictures are kept on one so a redraw never decodes an image.
class pcMemDC {
public:
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Records the size; creates the surface only while none exists and both recorded sizes are positive.
    void Width(int value);
    void Height(int value);

    // Makes sure a surface of at least width x height exists (a larger request replaces it by one of exactly the asked
    // size) and returns it; null when none exists or none could be made.
    QImage* hDC(int width, int height);

    // Copies from the surface to `dst`: the source size is widthSrc/heightSrc when positive, else the recorded size.
    void Draw(QPainter& dst, int xSrc, int ySrc, int widthSrc, int heightSrc, int xDst, int yDst) const;

    // Makes the surface a copy of the picture (a null picture leaves no surface).
    void CreateFromPicture(const QImage& picture);

    bool hasSurface() const { return !surface_.isNull(); }
    const QImage& surface() const { return surface_; }
    QSize surfaceSize() const { return surface_.size(); }

    // Largest surface made, in pixels; a larger request leaves no surface.
    static constexpr qint64 kMaxPixels = 16LL * 1024 * 1024;

private:
    void CreateSurface(int width, int height);
    void DestroySurface();

    QImage surface_;
    int width_ = 0;
    int height_ = 0;
};

} // namespace oruvel::monitor
