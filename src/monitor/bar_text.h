#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QRawFont>
#include <QSizeF>
#include <QStaticText>
#include <QString>

#include <array>
#include <cstdint>
#include <unordered_map>

class QPainter;

namespace oruvel::monitor {

// One line of bar text, laid out once per text and font. A text that the font itself covers and that needs no shaping
// (Latin letters, digits and signs without ligatures: the bars' rate texts) is placed straight from the font's kerned
// advances, which gives the same pixels as a general text layout for a fraction of its cost; anything else (the Chinese
// compact captions, glyphs from fallback fonts) is laid out by QStaticText.
class BarText {
public:
    // Lays the text out unless it and the font are what was laid out last.
    void set(const QString& text, const QFont& font);
    QSizeF size() const { return size_; }
    // Draws with the painter's pen, the top left of the line at `topLeft`.
    void draw(QPainter& p, const QPointF& topLeft) const;
    // Whether the last text took the direct path (for tests).
    bool placedDirectly() const { return direct_; }

private:
    bool placeDirectly();
    // Glyph of a character below U+0250 in the current font, and the advance of a glyph kerned against the one that
    // follows it; both looked up in the font once and then kept, since the rate texts use a few dozen characters.
    quint32 glyphOf(char16_t c);
    double kernedAdvance(quint32 glyph, quint32 next);

    bool prepared_ = false;
    QString text_;
    QFont font_;
    QRawFont raw_;
    QGlyphRun run_;
    bool direct_ = false;
    double ascent_ = 0;
    double lineHeight_ = 0;
    QStaticText layout_;
    static constexpr quint32 kUnknownGlyph = 0xFFFFFFFFU;
    static constexpr quint32 kNoNextGlyph = 0xFFFFFFFFU;
    std::array<quint32, 0x250> glyphs_{};
    std::unordered_map<std::uint64_t, double> advances_;
    QSizeF size_;
};

} // namespace oruvel::monitor
