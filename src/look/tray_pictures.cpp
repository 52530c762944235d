#include "look/tray_pictures.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>

namespace oruvel::look {
namespace {

QColor bandColour(core::LoadBand band) {
    static const std::array<QColor, 3> kColours{QColor(60, 200, 80), QColor(250, 190, 40), QColor(235, 60, 50)};
    return kColours[static_cast<std::size_t>(band)];
}

// A bar in a slot of whole pixels: one, two or three equal steps filled, the step marks one pixel or more thick.
void drawBar(QPainter& p, const QRect& slot, core::LoadBand band) {
    const auto stepTop = [&slot](int steps) { return slot.top() + slot.height() * (3 - steps) / 3; };
    p.fillRect(slot, QColor(255, 255, 255, 40));
    const int top = stepTop(static_cast<int>(band) + 1);
    p.fillRect(QRect(slot.left(), top, slot.width(), slot.bottom() + 1 - top), bandColour(band));
    // Step marks show the level even to colour-blind eyes.
    const int mark = std::max(1, slot.height() / 16);
    for (int i = 1; i < 3; ++i) {
        p.fillRect(QRect(slot.left(), stepTop(i) - mark / 2, slot.width(), mark), QColor(20, 28, 40, 160));
    }
}

// Draws the tray picture at any size, for icons the desktop asks for at its own size (28 or 33 pixels at 1.25 and
// 1.5): drawn afresh there, not a 16-pixel picture scaled.
class TrayPictureEngine : public QIconEngine {
public:
    explicit TrayPictureEngine(core::LoadBands bands) : bands_(bands) {}
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode /*mode*/, QIcon::State /*state*/) override {
        const int size = std::min(rect.width(), rect.height());
        const qreal ratio = painter->device() != nullptr ? painter->device()->devicePixelRatioF() : 1.0;
        QImage picture = trayPicture(bands_, static_cast<int>(std::lround(size * ratio)));
        picture.setDevicePixelRatio(ratio);
        painter->drawImage(
            QPointF(rect.left() + (rect.width() - size) / 2.0, rect.top() + (rect.height() - size) / 2.0), picture);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        paint(&p, image.rect(), mode, state);
        p.end();
        return QPixmap::fromImage(image);
    }
    QList<QSize> availableSizes(QIcon::Mode /*mode*/, QIcon::State /*state*/) override {
        return {{16, 16}, {22, 22}, {24, 24}, {32, 32}, {48, 48}, {64, 64}};
    }
    QIconEngine* clone() const override { return new TrayPictureEngine(bands_); }
    QString key() const override { return QStringLiteral("oruvel-tray-picture"); }

private:
    core::LoadBands bands_;
};

} // namespace

QImage trayPicture(core::LoadBands bands, int size) {
    size = std::max(size, 1);
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Laid out on a grid of 16, each edge on a whole pixel at any size.
    const double s = size / 16.0;
    const auto px = [s](double v) { return static_cast<int>(std::lround(v * s)); };
    QPainterPath frame;
    frame.addRoundedRect(QRectF(0.5 * s, 0.5 * s, 15 * s, 15 * s), 3 * s, 3 * s);
    p.fillPath(frame, QColor(34, 44, 58));
    p.setRenderHint(QPainter::Antialiasing, false);
    const int top = px(3);
    const int height = px(13) - top;
    drawBar(p, QRect(px(3), top, px(7) - px(3), height), bands.read);
    drawBar(p, QRect(size - px(7), top, px(7) - px(3), height), bands.write);
    return image;
}

QIcon trayIcon(core::LoadBands bands) {
    return QIcon(new TrayPictureEngine(bands));
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
