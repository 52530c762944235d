#include "monitor/offscreen_surface.h"

#include <QPainter>

namespace oruvel::monitor {

void OffscreenSurface::setWidth(int value) {
    if (value != width_) {
        width_ = value;
        ensureSize(width_, height_);
    }
}

void OffscreenSurface::setHeight(int value) {
    if (value != height_) {
        height_ = value;
        ensureSize(width_, height_);
    }
}

QImage* OffscreenSurface::ensureSize(int width, int height) {
    if (surface_.isNull()) {
        if (width > 0 && height > 0) {
            create(width, height);
        }
    } else if (width > width_ || height > height_) {
        create(width, height);
    }
    return surface_.isNull() ? nullptr : &surface_;
}

void OffscreenSurface::create(int width, int height) {
    reset();
    if (qint64{width} * height > kMaxPixels) {
        return;
    }
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) {
        return;
    }
    surface_ = std::move(image);
    width_ = width;
    height_ = height;
}

void OffscreenSurface::reset() {
    surface_ = QImage();
    width_ = 0;
    height_ = 0;
}

void OffscreenSurface::drawTo(QPainter& dst, int xSrc, int ySrc, int widthSrc, int heightSrc, int xDst,
                              int yDst) const {
    if (surface_.isNull()) {
        return;
    }
    const int w = widthSrc > 0 ? widthSrc : width_;
    const int h = heightSrc > 0 ? heightSrc : height_;
    dst.drawImage(QPoint(xDst, yDst), surface_, QRect(xSrc, ySrc, w, h));
}

void OffscreenSurface::assign(const QImage& picture) {
    setWidth(picture.width());
    setHeight(picture.height());
    QImage* surface = ensureSize(picture.width(), picture.height());
    if (surface == nullptr) {
        return;
    }
    QPainter p(surface);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, picture);
}

} // namespace oruvel::monitor
