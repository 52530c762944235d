#include "monitor/bar_text.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace oruvel::monitor {
namespace {

// Characters whose glyphs sit one after another with no shaping: printable Latin-1 and Latin Extended, no combining
// marks, and no 'f', which starts the ligatures (fi, fl, ff) that fonts form by default.
bool needsNoShaping(const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() >= 0x0250 || c == QLatin1Char('f')) {
            return false;
        }
    }
    return true;
}

} // namespace

void BarText::set(const QString& text, const QFont& font) {
    if (prepared_ && text == text_ && font == font_) {
        return;
    }
    if (!prepared_ || font != font_) {
        raw_ = QRawFont::fromFont(font);
        const QFontMetricsF metrics(font);
        ascent_ = metrics.ascent();
        lineHeight_ = std::ceil(metrics.height()); // a text line's height, as a general layout gives it
    }
    prepared_ = true;
    text_ = text;
    font_ = font;
    direct_ = placeDirectly();
    if (!direct_) {
        layout_.setText(text);
        layout_.setTextFormat(Qt::PlainText);
        layout_.setPerformanceHint(QStaticText::AggressiveCaching);
        layout_.prepare(QTransform(), font);
        size_ = layout_.size();
    }
}

bool BarText::placeDirectly() {
    if (!raw_.isValid() || !needsNoShaping(text_)) {
        return false;
    }
    const QList<quint32> glyphs = raw_.glyphIndexesForString(text_);
    if (glyphs.size() != text_.size()) {
        return false;
    }
    for (const quint32 g : glyphs) {
        if (g == 0) {
            return false; // not in this font: a fallback font would draw it
        }
    }
    const QList<QPointF> advances = raw_.advancesForGlyphIndexes(glyphs, QRawFont::KernedAdvances);
    QList<QPointF> positions;
    positions.reserve(advances.size());
    double x = 0;
    for (const QPointF& advance : advances) {
        positions.append(QPointF(x, ascent_));
        x += advance.x();
    }
    run_.setRawFont(raw_);
    run_.setGlyphIndexes(glyphs);
    run_.setPositions(positions);
    size_ = QSizeF(x, lineHeight_);
    return true;
}

void BarText::draw(QPainter& p, const QPointF& topLeft) const {
    if (direct_) {
        p.drawGlyphRun(topLeft, run_);
    } else {
        p.drawStaticText(topLeft, layout_);
    }
}

} // namespace oruvel::monitor
