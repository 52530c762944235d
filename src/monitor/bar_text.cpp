#include "monitor/bar_text.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>

namespace oruvel::monitor {
namespace {

// Characters whose glyphs sit one after another with no shaping: printable Latin-1 and Latin Extended, no combining
// marks, and no 'f', which starts the ligatures (fi, fl, ff) that fonts form by default.
bool needsNoShaping(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) {
        return c.unicode() >= 0x20 && c.unicode() < 0x0250 && c != QLatin1Char('f');
    });
    return true;
}

} // namespace

void BarText::set(const QString& text, const QFont& font) {
    if (prepared_ && text == text_ && font == font_) {
        return;
    }
    if (!prepared_ || font != font_) {
        raw_ = QRawFont::fromFont(font);
        glyphs_.fill(kUnknownGlyph);
        advances_.clear();
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

quint32 BarText::glyphOf(char16_t c) {
    quint32& glyph = glyphs_[c];
    if (glyph == kUnknownGlyph) {
        const QChar ch(c);
        int count = 1;
        if (!raw_.glyphIndexesForChars(&ch, 1, &glyph, &count) || count != 1) {
            glyph = 0;
        }
    }
    return glyph;
}

double BarText::kernedAdvance(quint32 glyph, quint32 next) {
    if (advances_.size() > 4096) {
        advances_.clear(); // texts of many different characters: start over rather than grow
    }
    const std::uint64_t key = (std::uint64_t{glyph} << 32U) | next;
    const auto found = advances_.find(key);
    if (found != advances_.end()) {
        return found->second;
    }
    // Kerning adjusts a glyph's advance by the pair it forms with the next one, so the pair alone gives it.
    const std::array<quint32, 2> pair{glyph, next};
    std::array<QPointF, 2> advance;
    raw_.advancesForGlyphIndexes(pair.data(), advance.data(), next == kNoNextGlyph ? 1 : 2, QRawFont::KernedAdvances);
    advances_.emplace(key, advance[0].x());
    return advance[0].x();
}

bool BarText::placeDirectly() {
    if (!raw_.isValid() || !needsNoShaping(text_)) {
        return false;
    }
    QList<quint32> glyphs;
    glyphs.reserve(text_.size());
    for (const QChar c : text_) {
        const quint32 g = glyphOf(c.unicode());
        if (g == 0) {
            return false; // not in this font: a fallback font would draw it
        }
        glyphs.append(g);
    }
    QList<QPointF> positions;
    positions.reserve(glyphs.size());
    double x = 0;
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        positions.append(QPointF(x, ascent_));
        x += kernedAdvance(glyphs[i], i + 1 < glyphs.size() ? glyphs[i + 1] : kNoNextGlyph);
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
