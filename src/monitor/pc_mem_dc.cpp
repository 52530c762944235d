#include "monitor/pc_mem_dc.h"

#include <QPainter>

namespace oruvel::monitor {

void pcMemDC::Width(int value) {
    if (value != width_) {
        width_ = value;
        hDC(width_, height_);
    }
}

void pcMemDC::Height(int value) {
    if (value != height_) {
        height_ = value;
        hDC(width_, height_);
    }
}

QImage* pcMemDC::hDC(int width, int height) {
    if (surface_.isNull()) {
        if (width > 0 && height > 0) {
            CreateSurface(width, height);
        }
    } else if (width > width_ || height > height_) {
        CreateSurface(width, height);
    }
    return surface_.isNull() ? nullptr : &surface_;
}

void pcMemDC::CreateSurface(int width, int height) {
    DestroySurface();
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

void pcMemDC::DestroySurface() {
    surface_ = QImage();
    width_ = 0;
    height_ = 0;
}

void pcMemDC::Draw(QPainter& dst, int xSrc, int ySrc, int widthSrc, int heightSrc, int xDst, int yDst) const {
    if (surface_.isNull()) {
        return;
    }
    const int w = widthSrc > 0 ? widthSrc : width_;
    const int h = heightSrc > 0 ? heightSrc : height_;
    dst.drawImage(QPoint(xDst, yDst), surface_, QRect(xSrc, ySrc, w, h));
}

void pcMemDC::CreateFromPicture(const QImage& picture) {
    Width(picture.width());
    Height(picture.height());
    QImage* surface = hDC(picture.width(), picture.height());
    if (surface == nullptr) {
        return;
    }
    QPainter p(surface);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, picture);
}

} // namespace oruvel::monitor
