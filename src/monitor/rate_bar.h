#pragma once

#include "monitor/bar_geometry.h"
#include "monitor/bar_text.h"

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QString>
#include <QWidget>

#include <optional>

class QPainter;

namespace oruvel::monitor {

enum class BorderStyle { None, Sunken };

// One bar of the monitor: a value from 0 to 100 and a text, drawn left-aligned and centred in height. The fill is a
// colour or a picture tiled from the bar's top-left corner that the fill uncovers; the text is drawn twice so that
// the part over the fill has its own colour; an optional sunken border. The picture is composed once per change and
// kept, so a repaint of an unchanged bar only copies it. It takes no mouse input.
// To assistive technology it is a progress bar named by its text.
class RateBar : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString text READ text)
    Q_PROPERTY(int value READ value)
public:
    explicit RateBar(QWidget* parent = nullptr);

    QString text() const { return text_; }
    void setText(const QString& text);
    // 0 to 100; values outside show as an empty or a full bar.
    std::int32_t value() const { return value_; }
    void setValue(std::int32_t value);
    BorderStyle borderStyle() const { return borderStyle_; }
    void setBorderStyle(BorderStyle style) { assign(borderStyle_, style); }
    // An invalid background or fill colour draws nothing there.
    QColor backgroundColour() const { return backColour_; }
    void setBackgroundColour(const QColor& colour) { assign(backColour_, colour); }
    QColor textColour() const { return textColour_; }
    void setTextColour(const QColor& colour) { assign(textColour_, colour); }
    QColor fillColour() const { return fillColour_; }
    void setFillColour(const QColor& colour) { assign(fillColour_, colour); }
    QColor fillTextColour() const { return fillTextColour_; }
    void setFillTextColour(const QColor& colour) { assign(fillTextColour_, colour); }
    // An opaque copy of the picture is taken now; a null picture, or one of more than kMaxPicturePixels, removes it
    // (the fill colour is drawn again).
    void setFillPicture(const QImage& picture);
    bool hasFillPicture() const { return !barPicture_.isNull(); }
    // The width, in pixels, of the bar the picture is laid out over; a narrower bar shows that bar's picture
    // squeezed to its width, so a full bar always shows the picture's right end. 0: the bar's own width.
    void setPictureSpan(int pixels) { assign(pictureSpan_, pixels); }
    static constexpr qint64 kMaxPicturePixels = 16LL * 1024 * 1024;
    // Pixels of `key` are left see-through, for a window that shows its pixels' alpha; an invalid colour keys out
    // nothing.
    void setKeyedOutColour(const QColor& key);
    // Pixels outside `outline` (in the bar's coordinates) are left see-through, its edge smoothed, for a window with
    // rounded corners that shows its pixels' alpha; an empty path cuts nothing.
    void setOutline(const QPainterPath& outline);

    // The bar's picture at its size in the screen's pixels (its device pixel ratio set), composed now if a change is
    // pending.
    const QImage& image();
    // Draws the whole bar into `target` of `painter`.
    void paint(QPainter& painter, const QRect& target);

signals:
    // A change is pending: the picture will differ once composed.
    void pictureChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Each setter changes the picture only when the value differs.
    template <typename T> void assign(T& member, const T& value) {
        if (member == value) {
            return;
        }
        member = value;
        invalidate();
    }
    void invalidate();
    // Draws the prepared text (one space, the text, one space) aligned in r.
    void drawText(QPainter& p, const Rect& r);
    // The fill picture as a bar `width` pixels wide shows it: squeezed when its span is wider, kept until either
    // changes.
    const QImage& pictureFor(int width);
    void clearKeyedPixels();
    // Whether the picture has see-through pixels.
    bool seeThrough() const { return keyedOut_.isValid() || !outline_.isEmpty(); }
    // Leaves the picture's pixels outside the outline see-through, through a mask kept until the outline or the size
    // changes.
    void cutToOutline();

    QImage barPicture_; // opaque, so each redraw only copies it
    QImage squeezedPicture_;
    int pictureSpan_ = 0;
    BorderStyle borderStyle_ = BorderStyle::Sunken;
    QColor backColour_;
    QColor textColour_{Qt::black};
    QColor fillColour_;
    QColor fillTextColour_{Qt::white};
    std::int32_t value_ = 0;
    QString text_;
    QImage image_;
    QColor keyedOut_;
    QPainterPath outline_;
    QImage outlineMask_;
    bool dirty_ = true;
    // The text laid out once per text and font, not at every draw.
    BarText textLayout_;
};

} // namespace oruvel::monitor
