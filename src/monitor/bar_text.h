#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QRawFont>
#include <QSizeF>
#include <QStaticText>
#include <QString>

class QPainter;

namespace oruvel::monitor {

// One line of bar text, laid out once per text and font. A text that the font itself covers and that needs no shaping
// (Latin letters, digits and signs without ligatures: the bars' rate texts) is placed straight from the font's kerned advances, which
// gives the same pixels as a general text layout for a fraction of its cost; anything else (the Chinese compact
// captions, glyphs from fallback fonts) is laid out by QStaticText.
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

    bool prepared_ = false;
    QString text_;
    QFont font_;
    QRawFont raw_;
    QGlyphRun run_;
    bool direct_ = false;
    double ascent_ = 0;
    double lineHeight_ = 0;
    QStaticText layout_;
    QSizeF size_;
};

} // namespace oruvel::monitor
