#include "monitor/rate_bar.h"

#include "monitor/system_palette.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace oruvel::monitor {
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

} // namespace

void drawBorder(QPainter& dc, BorderLook look, Rect r, bool raised) {
    const int l = r.left;
    const int t = r.top;
    const int rr = r.right;
    const int b = r.bottom;
    switch (look) {
    case BorderLook::Flat: {
        const QColor black(Qt::black);
        lineTo(dc, black, {l, t}, {rr - 1, t});
        lineTo(dc, black, {rr - 1, t}, {rr - 1, b - 1});
        lineTo(dc, black, {rr - 1, b - 1}, {l, b - 1});
        lineTo(dc, black, {l, b - 1}, {l, t});
        break;
    }
    case BorderLook::Bevel: {
        const QColor shadow = systemColour(core::syscolour::kButtonShadow);
        const QColor light = systemColour(core::syscolour::kButtonHighlight);
        if (!raised) {
            lineTo(dc, shadow, {l, b - 1}, {l, t});
            lineTo(dc, shadow, {l, t}, {rr, t});
            lineTo(dc, light, {rr - 1, t + 1}, {rr - 1, b - 1});
            lineTo(dc, light, {rr - 1, b - 1}, {l, b - 1});
        } else {
            lineTo(dc, light, {l, b - 2}, {l, t});
            lineTo(dc, light, {l, t}, {rr - 1, t});
            lineTo(dc, shadow, {rr - 1, t}, {rr - 1, b - 1});
            lineTo(dc, shadow, {rr - 1, b - 1}, {l - 1, b - 1});
        }
        break;
    }
    case BorderLook::Edge: {
        // Two rings: outer and inner, each with a top-left and a bottom-right colour.
        using namespace core::syscolour;
        const int outerTL = raised ? kLight : kButtonShadow;
        const int outerBR = raised ? kDarkShadow : kButtonHighlight;
        const int innerTL = raised ? kButtonHighlight : kDarkShadow;
        const int innerBR = raised ? kButtonShadow : kLight;
        const auto ring = [&](int inset, int tl, int br) {
            const QRect q(l + inset, t + inset, rr - l - 2 * inset, b - t - 2 * inset);
            if (q.width() <= 0 || q.height() <= 0) {
                return;
            }
            dc.fillRect(QRect(q.left(), q.top(), q.width(), 1), systemColour(tl));
            dc.fillRect(QRect(q.left(), q.top(), 1, q.height()), systemColour(tl));
            dc.fillRect(QRect(q.left(), q.bottom(), q.width(), 1), systemColour(br));
            dc.fillRect(QRect(q.right(), q.top(), 1, q.height()), systemColour(br));
        };
        ring(0, outerTL, outerBR);
        ring(1, innerTL, innerBR);
        break;
    }
    }
}

RateBar::RateBar(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TransparentForMouseEvents); // the monitor window takes the mouse
}

// Each setter changes the picture only when the value differs; the picture is composed once, when it is next shown.
void RateBar::invalidate() {
    dirty_ = true;
    ++updateRequests_;
    update();
    emit pictureChanged();
}

void RateBar::setRange(std::int32_t minimum, std::int32_t maximum) {
    setMinimum(minimum);
    setMaximum(maximum);
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
    invalidate();
}

std::optional<double> RateBar::percent() const {
    const auto f = barFraction(value_, min_, max_);
    return f ? std::optional<double>(*f * 100.0) : std::nullopt;
}

const QImage& RateBar::image() {
    const QSize size = this->size().expandedTo(QSize(1, 1));
    if (!dirty_ && image_.size() == size) {
        return image_;
    }
    dirty_ = false;
    if (image_.size() != size) {
        image_ = QImage(size, QImage::Format_RGB32);
        image_.fill(palette().color(QPalette::Window));
    }
    // Drawn over the last picture, which stays as it was when nothing can be drawn; the image keeps its paint engine.
    QPainter p(&image_);
    if (paint(p, image_.rect())) {
        ++composeCount_;
    }
    return image_;
}

void RateBar::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.drawImage(event->rect().topLeft(), image(), event->rect());
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
    // The text is clipped to r.
    const QSizeF size = textLayout_.size();
    double x = r.left;
    if ((alignment_ & Qt::AlignHCenter) != 0) {
        x = r.left + (r.width() - size.width()) / 2.0;
    } else if ((alignment_ & Qt::AlignRight) != 0) {
        x = r.right - size.width();
    }
    double y = r.top;
    if ((alignment_ & Qt::AlignVCenter) != 0) {
        y = r.top + (r.height() - size.height()) / 2.0;
    } else if ((alignment_ & Qt::AlignBottom) != 0) {
        y = r.bottom - size.height();
    }
    textLayout_.draw(p, QPointF(std::round(x), std::round(y)));
}

void RateBar::fillWithPicture(QPainter& p, int width, int height) const {
    if (barPictureMode_ == PictureMode::Tile) {
        for (const Tile& t : tileBitmap(0, 0, width, height, barPicture_.width(), barPicture_.height(), 0, 0)) {
            p.drawImage(QPoint(t.dstX, t.dstY), barPicture_, QRect(t.srcX, t.srcY, t.width, t.height));
        }
        return;
    }
    p.drawImage(QRect(0, 0, width, height), barPicture_);
}

bool RateBar::paint(QPainter& painter, const QRect& target) {
    const auto f = barFraction(value_, min_, max_);
    if (!f) {
        return false; // nothing is drawn
    }
    const int w = target.width();
    const int h = target.height();
    const bool horizontal = isHorizontalBar(w, h);
    QPainter& p = painter;
    p.save();
    p.translate(target.topLeft());
    Rect r{0, 0, w, h};

    fillSolid(p, toQRect(r), backColour_);
    const int snapPeriod = segments_ ? kSegmentChunk + kSegmentSpace : 0;

    const Rect outer = r;
    r = innerRect(r, static_cast<int>(borderStyle_), static_cast<int>(borderLook_), false);

    const bool withText = showText_ && !text_.isEmpty();
    if (withText) {
        p.setClipRect(toQRect(r));
        p.setPen(textColour_);
        drawText(p, r);
    }

    const Rect fill = fillRect(r, *f, horizontal, snapPeriod);

    // An empty bar (an idle disk) has nothing to fill and no text over a fill.
    if (fill.width() > 0 && fill.height() > 0) {
        p.setClipRect(toQRect(fill));
        if (!barPicture_.isNull()) {
            fillWithPicture(p, w, h);
        } else {
            fillSolid(p, toQRect(fill), fillColour_);
        }
        if (segments_) {
            for (const Rect& gap : segmentGaps(fill, r, horizontal)) {
                fillSolid(p, toQRect(gap), backColour_);
            }
        }
        if (withText) {
            p.setPen(fillTextColour_);
            drawText(p, r);
        }
    }
    p.setClipping(false);

    if (borderStyle_ != BorderStyle::None) {
        drawBorder(p, borderLook_, outer, borderStyle_ == BorderStyle::Raised);
    }

    p.restore();
    return true;
}

} // namespace oruvel::monitor
