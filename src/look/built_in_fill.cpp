#include "look/built_in_fill.h"

#include <QLinearGradient>
#include <QPainter>

namespace oruvel::look {

QImage builtInFillPicture() {
    QImage image(154, 12, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient across(0, 0, 154, 0);
    across.setColorAt(0.0, QColor(24, 170, 40));
    across.setColorAt(0.45, QColor(230, 220, 30));
    across.setColorAt(0.75, QColor(235, 120, 20));
    across.setColorAt(1.0, QColor(140, 10, 10));
    p.fillRect(image.rect(), across);
    // A soft highlight on the upper half and a shade at the bottom give the bar some depth.
    QLinearGradient shade(0, 0, 0, 12);
    shade.setColorAt(0.0, QColor(255, 255, 255, 90));
    shade.setColorAt(0.45, QColor(255, 255, 255, 10));
    shade.setColorAt(0.55, QColor(0, 0, 0, 0));
    shade.setColorAt(1.0, QColor(0, 0, 0, 60));
    p.fillRect(image.rect(), shade);
    return image;
}

} // namespace oruvel::look
