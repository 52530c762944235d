#include "monitor/bar_text.h"

#include <QPainter>
#include <QStaticText>
#include <gtest/gtest.h>

#include <cmath>

using oruvel::monitor::BarText;

namespace {

QFont barFont(bool antialiased) {
    QFont font(QStringLiteral("Verdana"));
    font.setPointSizeF(6.75);
    font.setBold(true);
    font.setHintingPreference(QFont::PreferFullHinting);
    if (!antialiased) {
        font.setStyleStrategy(QFont::NoAntialias);
    }
    return font;
}

// The text centred vertically in a strip of the given height, as the bars place it.
template <typename Draw>
QImage strip(int height, QSizeF size, Draw draw) {
    QImage image(160, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setPen(Qt::darkBlue);
    draw(p, QPointF(3, std::round((height - size.height()) / 2.0)));
    return image;
}

} // namespace

TEST(BarText, RateTextsArePlacedDirectlyWithTheSamePixelsAsAGeneralLayout) {
    for (const bool antialiased : {true, false}) {
        const QFont font = barFont(antialiased);
        BarText fast; // one for all the texts: later texts are placed from what earlier ones looked up
        for (const char* text : {" Drive Read: 117.74 MB/s ", " Drive Write: 0 Bytes/s ", " Drive Read: 1,023.99 KB/s ",
                                 " AVAWAY To. ", " Drive Write: 1.048.576,00 TB/s "}) {
            const QString s = QString::fromUtf8(text);
            fast.set(s, font);
            ASSERT_TRUE(fast.placedDirectly()) << text;
            QStaticText reference(s);
            reference.setTextFormat(Qt::PlainText);
            reference.prepare(QTransform(), font);
            EXPECT_DOUBLE_EQ(fast.size().width(), reference.size().width()) << text;
            EXPECT_DOUBLE_EQ(fast.size().height(), reference.size().height()) << text;
            for (const int height : {10, 12, 15}) {
                const QImage mine = strip(height, fast.size(), [&](QPainter& p, QPointF at) { fast.draw(p, at); });
                const QImage theirs = strip(height, reference.size(), [&](QPainter& p, QPointF at) {
                    p.setFont(font);
                    p.drawStaticText(at, reference);
                });
                EXPECT_EQ(mine, theirs) << text << " at height " << height << (antialiased ? "" : ", not smoothed");
            }
        }
    }
}

TEST(BarText, TextsNeedingShapingOrOtherFontsTakeTheGeneralLayout) {
    const QFont font = barFont(true);
    BarText text;
    text.set(QString::fromUtf8(" 读: 05.00 MB "), font);
    EXPECT_FALSE(text.placedDirectly());
    EXPECT_GT(text.size().width(), 40);
    text.set(QString::fromUtf8(" e\xCC\x81 "), font); // e and a combining acute accent
    EXPECT_FALSE(text.placedDirectly());
    text.set(QStringLiteral(" office "), font); // a ligature
    EXPECT_FALSE(text.placedDirectly());
    text.set(QStringLiteral(" Drive Read: 0 Bytes/s "), font);
    EXPECT_TRUE(text.placedDirectly()) << "back to the direct path when the text allows it";
    const double width = text.size().width();
    QFont larger = font;
    larger.setPointSizeF(12);
    text.set(QStringLiteral(" Drive Read: 0 Bytes/s "), larger);
    EXPECT_GT(text.size().width(), width) << "a new font is laid out anew";
}
