#include "monitor/rate_bar.h"

#include "look/accessibility.h"
#include "look/system_palette.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace oruvel::monitor {

using look::systemColour;
using look::toQColor;
namespace {

QRect toQRect(Rect r) {
    return {r.left, r.top, r.width(), r.height()};
}

// A GDI line from `from` to `to` (axis-aligned), the end point excluded.
void lineTo(QPainter& dc, const QColor& colour, QPoint from, QPoint to) {
    if (from.y() == to.y()) {
        const int a = from.x() < to.x() ? from.x() : to.x() + 1;
        const int b = from.x() < to.x() ? to.x() - 1 : from.x();
        if (b >= a) {
            dc.fillRect(QRect(a, from.y(), b - a + 1, 1), colour);
        }
    } else if (from.x() == to.x()) {
        const int a = from.y() < to.y() ? from.y() : to.y() + 1;
        const int b = from.y() < to.y() ? to.y() - 1 : from.y();
        if (b >= a) {
            dc.fillRect(QRect(from.x(), a, 1, b - a + 1), colour);
        }
    }
}

void fillSolid(QPainter& dc, const QRect& r, const QColor& colour) {
    if (colour.isValid()) {
        dc.fillRect(r, colour);
    }
}

// The sunken border: shadow along the top and the left, light along the bottom and the right.
void drawSunkenBorder(QPainter& dc, Rect r) {
    const QColor shadow = systemColour(core::syscolour::kButtonShadow);
    const QColor light = systemColour(core::syscolour::kButtonHighlight);
    lineTo(dc, shadow, {r.left, r.bottom - 1}, {r.left, r.top});
    lineTo(dc, shadow, {r.left, r.top}, {r.right, r.top});
    lineTo(dc, light, {r.right - 1, r.top + 1}, {r.right - 1, r.bottom - 1});
    lineTo(dc, light, {r.right - 1, r.bottom - 1}, {r.left, r.bottom - 1});
}

} // namespace

RateBar::RateBar(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TransparentForMouseEvents); // the monitor window takes the mouse
    look::setAccessibleRole(*this, look::AccessibleRole::ProgressBar);
}

// A screen reader hears of a change once a second at most: the texts and values change only with the sampling tick.
void RateBar::setText(const QString& text) {
    if (text != text_) {
        assign(text_, text);
        look::announceNameChange(*this);
    }
}

void RateBar::setValue(std::int32_t value) {
    if (value != value_) {
        assign(value_, value);
        look::announceValueChange(*this, value);
    }
}

// Each setter changes the picture only when the value differs; the picture is composed once, when it is next shown.
void RateBar::invalidate() {
    dirty_ = true;
    update();
    emit pictureChanged();
}

// A picture set anew is drawn anew, even when it equals the last one.
void RateBar::setFillPicture(const QImage& picture) {
    barPicture_ = QImage();
    if (!picture.isNull() && qint64{picture.width()} * picture.height() <= kMaxPicturePixels) {
        // Opaque, as the bar shows it: a see-through pixel's colour is taken times its alpha.
        barPicture_ = QImage(picture.size(), QImage::Format_RGB32);
        barPicture_.fill(Qt::black);
        QPainter p(&barPicture_);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(0, 0, picture);
    }
    squeezedPicture_ = QImage();
    invalidate();
}

const QImage& RateBar::pictureFor(int width) {
    if (pictureSpan_ <= width || barPicture_.isNull()) {
        return barPicture_;
    }
    // The picture as the wider bar tiles it, squeezed by width / span: whole tiles of that bar, so the pattern
    // stays anchored to the corner and a tile repeats as it would there.
    const QSize size(std::max(1, static_cast<int>(std::lround(double(barPicture_.width()) * width / pictureSpan_))),
                     barPicture_.height());
    if (squeezedPicture_.size() != size) {
        squeezedPicture_ = barPicture_.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return squeezedPicture_;
}

const QImage& RateBar::image() {
    // Composed in the screen's own pixels, so text and edges are as sharp at any scale as the window system draws.
    const qreal ratio = devicePixelRatioF();
    const QSize size = this->size().expandedTo(QSize(1, 1));
    const QSize pixels = size * ratio;
    if (!dirty_ && image_.size() == pixels && image_.devicePixelRatio() == ratio) {
        return image_;
    }
    dirty_ = false;
    if (image_.size() != pixels || image_.devicePixelRatio() != ratio) {
        image_ = QImage(pixels, seeThrough() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
        image_.setDevicePixelRatio(ratio);
        image_.fill(palette().color(QPalette::Window));
    }
    QPainter p(&image_);
    paint(p, QRect(QPoint(0, 0), size));
    p.end();
    if (keyedOut_.isValid()) {
        clearKeyedPixels();
    }
    if (!outline_.isEmpty()) {
        cutToOutline();
    }
    return image_;
}

void RateBar::setKeyedOutColour(const QColor& key) {
    if (key != keyedOut_) {
        keyedOut_ = key;
        image_ = QImage(); // the picture takes an alpha channel, or gives it up
        invalidate();
    }
}

void RateBar::setOutline(const QPainterPath& outline) {
    if (outline != outline_) {
        outline_ = outline;
        outlineMask_ = QImage();
        image_ = QImage();
        invalidate();
    }
}

void RateBar::cutToOutline() {
    if (outlineMask_.size() != image_.size() || outlineMask_.devicePixelRatio() != image_.devicePixelRatio()) {
        outlineMask_ = QImage(image_.size(), QImage::Format_ARGB32_Premultiplied);
        outlineMask_.setDevicePixelRatio(image_.devicePixelRatio());
        outlineMask_.fill(Qt::transparent);
        QPainter p(&outlineMask_);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillPath(outline_, Qt::black);
    }
    QPainter p(&image_);
    p.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    p.drawImage(QPoint(0, 0), outlineMask_);
}

void RateBar::clearKeyedPixels() {
    const QRgb key = keyedOut_.rgb() & 0xFFFFFF;
    for (int y = 0; y < image_.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image_.scanLine(y));
        for (int x = 0; x < image_.width(); ++x) {
            if ((row[x] & 0xFFFFFF) == key) {
                row[x] = 0;
            }
        }
    }
}

void RateBar::paintEvent(QPaintEvent* /*event*/) {
    QPainter p(this);
    p.setCompositionMode(QPainter::CompositionMode_Source); // a keyed-out pixel stays see-through
    p.drawImage(QPoint(0, 0), image());
}

void RateBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    invalidate();
}

void RateBar::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange) {
        invalidate();
    }
}

void RateBar::drawText(QPainter& p, const Rect& r) {
    const QString shown = QLatin1Char(' ') + text_ + QLatin1Char(' ');
    // Over the blend mode's key colour, smoothed glyph edges would mix with the key and show as dark fringes
    // on the desktop, so there the text is drawn crisp.
    QFont font = this->font();
    if (backColour_ == toQColor(core::kTransparencyKey)) {
        font.setStyleStrategy(QFont::NoAntialias);
    }
    textLayout_.set(shown, font);
    p.setFont(font);
    // Left-aligned and centred in height. A text wider than the bar (a rate of many gigabytes in the compact layout)
    // is drawn narrower to fit whole, rather than cut in its unit.
    const double y = std::round(r.top + (r.height() - textLayout_.size().height()) / 2.0);
    const double width = textLayout_.size().width();
    if (width <= r.width() || r.width() <= 0) {
        textLayout_.draw(p, QPointF(r.left, y));
        return;
    }
    p.save();
    p.translate(r.left, y);
    p.scale(r.width() / width, 1.0);
    textLayout_.draw(p, QPointF(0, 0));
    p.restore();
}

void RateBar::paint(QPainter& painter, const QRect& target) {
    const int w = target.width();
    const int h = target.height();
    QPainter& p = painter;
    p.save();
    p.translate(target.topLeft());
    const Rect outer{0, 0, w, h};
    fillSolid(p, toQRect(outer), backColour_);
    const Rect r = innerRect(outer, borderStyle_ == BorderStyle::Sunken);

    const bool withText = !text_.isEmpty();
    if (withText) {
        p.setClipRect(toQRect(r));
        p.setPen(textColour_);
        drawText(p, r);
    }

    const Rect fill = fillRect(r, barFraction(value_));
    // An empty bar (an idle disk) has nothing to fill and no text over a fill.
    if (fill.width() > 0 && fill.height() > 0) {
        p.setClipRect(toQRect(fill));
        if (!barPicture_.isNull()) {
            const QImage& picture = pictureFor(w);
            for (const Tile& t : tileBitmap(w, h, picture.width(), picture.height())) {
                p.drawImage(QPoint(t.dstX, t.dstY), picture, QRect(t.srcX, t.srcY, t.width, t.height));
            }
        } else {
            fillSolid(p, toQRect(fill), fillColour_);
        }
        if (withText) {
            p.setPen(fillTextColour_);
            drawText(p, r);
        }
    }
    p.setClipping(false);

    if (borderStyle_ == BorderStyle::Sunken) {
        drawSunkenBorder(p, outer);
    }
    p.restore();
}

} // namespace oruvel::monitor
