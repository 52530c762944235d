#pragma once

#include "monitor/bar_geometry.h"
#include "monitor/bar_text.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <QWidget>

#include <optional>

class QPainter;

namespace oruvel::monitor {

enum class BorderStyle { None, Sunken, Raised };
enum class BorderLook { Flat, Bevel, Edge };
enum class PictureMode { Stretch, Tile };

// One horizontal (or vertical) bar of the monitor, modelled on QProgressBar: a value between minimum and maximum and
// a text. The fill is a colour or a picture that the fill uncovers (anchored to the whole bar); the text is drawn
// twice so that the part over the fill has its own colour; the bar can be segmented and bordered. The picture is
// composed once per change and kept, so a repaint of an unchanged bar only copies it. It takes no mouse input.
class RateBar : public QWidget {
    Q_OBJECT
public:
    explicit RateBar(QWidget* parent = nullptr);

    bool isSegmented() const { return segments_; }
    void setSegmented(bool segmented) { assign(segments_, segmented); }
    QString text() const { return text_; }
    void setText(const QString& text) { assign(text_, text); }
    // Horizontal: left, centre or right; vertical: top, centre or bottom.
    void setTextAlignment(Qt::Alignment alignment) { assign(alignment_, alignment); }
    bool isTextVisible() const { return showText_; }
    void setTextVisible(bool visible) { assign(showText_, visible); }
    // 100 times the fraction; nullopt when maximum equals minimum.
    std::optional<double> percent() const;
    std::int32_t minimum() const { return min_; }
    void setMinimum(std::int32_t minimum) { assign(min_, minimum); }
    std::int32_t maximum() const { return max_; }
    void setMaximum(std::int32_t maximum) { assign(max_, maximum); }
    void setRange(std::int32_t minimum, std::int32_t maximum);
    std::int32_t value() const { return value_; }
    void setValue(std::int32_t value) { assign(value_, value); }
    BorderStyle borderStyle() const { return borderStyle_; }
    void setBorderStyle(BorderStyle style) { assign(borderStyle_, style); }
    BorderLook borderLook() const { return borderLook_; }
    void setBorderLook(BorderLook look) { assign(borderLook_, look); }
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
    static constexpr qint64 kMaxPicturePixels = 16LL * 1024 * 1024;
    PictureMode fillPictureMode() const { return barPictureMode_; }
    void setFillPictureMode(PictureMode mode) { assign(barPictureMode_, mode); }

    // The bar's picture at its size, composed now if a change is pending. While maximum equals minimum nothing can
    // be drawn and the picture stays what it was.
    const QImage& image();
    // Draws the whole bar into `target` of `painter`; false (and nothing drawn) when maximum equals minimum.
    bool paint(QPainter& painter, const QRect& target);

    // How many changes asked for a repaint, and how many pictures were composed (for measuring wasted work).
    int updateRequests() const { return updateRequests_; }
    int composeCount() const { return composeCount_; }

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
    void fillWithPicture(QPainter& p, int width, int height) const;
    // Draws the prepared text (one space, the text, one space) aligned in r.
    void drawText(QPainter& p, const Rect& r);

    QImage barPicture_; // opaque, so each redraw only copies it
    BorderLook borderLook_ = BorderLook::Bevel;
    BorderStyle borderStyle_ = BorderStyle::Sunken;
    QColor backColour_;
    QColor textColour_{Qt::black};
    QColor fillColour_;
    QColor fillTextColour_{Qt::white};
    PictureMode barPictureMode_ = PictureMode::Tile;
    std::int32_t min_ = 0;
    std::int32_t max_ = 100;
    std::int32_t value_ = 0;
    Qt::Alignment alignment_ = Qt::AlignCenter;
    bool showText_ = false;
    QString text_;
    bool segments_ = false;
    QImage image_;
    bool dirty_ = true;
    int updateRequests_ = 0;
    int composeCount_ = 0;
    // The text laid out once per text and font, not at every draw.
    BarText textLayout_;
};

// Draws a border of one of the three looks on rectangle r.
void drawBorder(QPainter& dc, BorderLook look, Rect r, bool raised);

} // namespace oruvel::monitor
