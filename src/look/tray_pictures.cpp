#include "look/tray_pictures.h"

#include <QPainter>
#include <QPainterPath>

#include <array>

namespace oruvel::look {
namespace {

QColor bandColour(core::LoadBand band) {
    static const std::array<QColor, 3> kColours{QColor(60, 200, 80), QColor(250, 190, 40), QColor(235, 60, 50)};
    return kColours[static_cast<std::size_t>(band)];
}

void drawBar(QPainter& p, const QRectF& slot, core::LoadBand band) {
    const double step = slot.height() / 3.0;
    const double h = step * (static_cast<int>(band) + 1);
    const QRectF filled(slot.left(), slot.bottom() - h, slot.width(), h);
    p.fillRect(slot, QColor(255, 255, 255, 40));
    p.fillRect(filled, bandColour(band));
    // Step marks show the level even to colour-blind eyes.
    p.setPen(QPen(QColor(20, 28, 40, 160), slot.height() / 16.0));
    for (int i = 1; i < 3; ++i) {
        const double y = slot.bottom() - step * i;
        p.drawLine(QPointF(slot.left(), y), QPointF(slot.right(), y));
    }
}

} // namespace

QImage trayPicture(core::LoadBands bands, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size / 16.0;
    QPainterPath frame;
    frame.addRoundedRect(QRectF(0.5 * s, 0.5 * s, 15 * s, 15 * s), 3 * s, 3 * s);
    p.fillPath(frame, QColor(34, 44, 58));
    p.setRenderHint(QPainter::Antialiasing, false);
    drawBar(p, QRectF(3 * s, 3 * s, 4 * s, 10 * s), bands.read);
    drawBar(p, QRectF(9 * s, 3 * s, 4 * s, 10 * s), bands.write);
    return image;
}

QString trayPictureName(core::LoadBands bands) {
    const auto band = [](core::LoadBand b) {
        return b == core::LoadBand::High     ? QStringLiteral("高")
               : b == core::LoadBand::Middle ? QStringLiteral("中")
                                             : QStringLiteral("低");
    };
    return QStringLiteral("读取 %1，写入 %2").arg(band(bands.read), band(bands.write));
}

} // namespace oruvel::look
