#pragma once

#include "core/colour.h"
#include "monitor/bar_geometry.h"
#include "monitor/bar_text.h"
#include "monitor/offscreen_surface.h"

#include <QFont>
#include <QString>

#include <memory>
#include <optional>

class QPainter;

namespace oruvel::monitor {

class BarCanvas;

enum class BorderStyle { None, Sunken, Raised };
enum class BorderLook { Flat, Bevel, Edge };
enum class PictureMode { Stretch, Tile };

// Draws one horizontal or vertical bar into a canvas it does not own, modelled on QProgressBar. Each picture is
// composed on an off-screen surface and copied in one step. The fill is a colour or a picture that the fill uncovers
// (anchored to the whole bar), the text is drawn twice so that the part over the fill has its own colour, and the bar
// can be segmented and bordered. Every property set redraws at once.
class BarRenderer {
public:
    BarRenderer();

    bool isSegmented() const { return segments_; }
    void setSegmented(bool segmented);
    QString text() const { return text_; }
    void setText(const QString& text);
    // Horizontal: left, centre or right; vertical: top, centre or bottom.
    void setTextAlignment(Qt::Alignment alignment);
    bool isTextVisible() const { return showText_; }
    void setTextVisible(bool visible);
    // 100 times the fraction; nullopt when maximum equals minimum.
    std::optional<double> percent() const;
    std::int32_t minimum() const { return min_; }
    void setMinimum(std::int32_t minimum);
    std::int32_t maximum() const { return max_; }
    void setMaximum(std::int32_t maximum);
    void setRange(std::int32_t minimum, std::int32_t maximum);
    std::int32_t value() const { return value_; }
    void setValue(std::int32_t value);
    BorderStyle borderStyle() const { return borderStyle_; }
    void setBorderStyle(BorderStyle style);
    BorderLook borderLook() const { return borderLook_; }
    void setBorderLook(BorderLook look);
    BarCanvas* canvas() const { return canvas_; }
    void setCanvas(BarCanvas* canvas);
    core::Colour backgroundColour() const { return backColor_; }
    void setBackgroundColour(core::Colour colour);
    core::Colour textColour() const { return foreColor_; }
    void setTextColour(core::Colour colour);
    const QFont& font() const { return font_; }
    void setFont(const QFont& font);
    core::Colour fillColour() const { return barColor_; }
    void setFillColour(core::Colour colour);
    core::Colour fillTextColour() const { return barForeColor_; }
    void setFillTextColour(core::Colour colour);
    // A copy of the picture is taken now; a null picture removes it (the fill colour is drawn again).
    void setFillPicture(const QImage& picture);
    bool hasFillPicture() const { return barPicture_ != nullptr; }
    PictureMode fillPictureMode() const { return barPictureMode_; }
    void setFillPictureMode(PictureMode mode);

    // Redraws into the canvas; failures are swallowed (the visible bar then keeps its previous picture).
    void redraw();
    // Draws the whole bar into `target` of `painter`. False when the bar could not be drawn (maximum equals
    // minimum): the target then shows what it showed before, unless there was no surface.
    bool paint(QPainter& painter, const QRect& target);

    // While one is alive, redraws asked for by the bar's setters are counted but wait: the bar is drawn once, when
    // the last one ends, so a cycle that sets the value and then the text composes one picture, not two.
    class DeferredRedraw {
    public:
        explicit DeferredRedraw(BarRenderer& bar) : bar_(bar) { ++bar_.deferDepth_; }
        ~DeferredRedraw();
        DeferredRedraw(const DeferredRedraw&) = delete;
        DeferredRedraw& operator=(const DeferredRedraw&) = delete;

    private:
        BarRenderer& bar_;
    };

    // How many redraws were asked for, and how many of them had to compose a new picture (a redraw of an
    // unchanged bar reuses the picture it composed last time).
    int drawCount() const { return drawCount_; }
    int composeCount() const { return composeCount_; }

private:
    // Composes the picture for the current state into the draw object, unless it already holds it.
    void compose();
    void fillWithPicture(QPainter& p, const OffscreenSurface& picture, int width, int height) const;
    // Draws the prepared text (one space, Text, one space) aligned in r.
    void drawText(QPainter& p, const Rect& r);

    BarCanvas* canvas_ = nullptr;
    OffscreenSurface surface_;
    std::unique_ptr<OffscreenSurface> barPicture_;
    BorderLook borderLook_ = BorderLook::Bevel;
    BorderStyle borderStyle_ = BorderStyle::Sunken;
    QFont font_;
    core::Colour backColor_ = -1;
    core::Colour foreColor_ = 0;
    core::Colour barColor_ = -1;
    core::Colour barForeColor_ = 16777215;
    PictureMode barPictureMode_ = PictureMode::Tile;
    std::int32_t min_ = 0;
    std::int32_t max_ = 100;
    std::int32_t value_ = 0;
    int alignX_ = 1;
    int alignY_ = 1;
    bool showText_ = false;
    QString text_;
    bool segments_ = false;
    // Everything a composed picture depends on, to tell when a redraw would give the same picture again.
    struct RenderKey {
        QSize canvas;
        qint64 barPicture = 0;
        qint64 palette = 0;
        BorderLook borderLook = BorderLook::Flat;
        BorderStyle borderStyle = BorderStyle::None;
        PictureMode barMode = PictureMode::Stretch;
        int alignX = 0, alignY = 0;
        core::Colour back = 0, fore = 0, bar = 0, barFore = 0;
        std::int32_t min = 0, max = 0, value = 0;
        bool showText = false, segments = false;
        QString text;
        QFont font;
        bool operator==(const RenderKey&) const = default;
    };
    RenderKey currentState(const QSize& canvas) const;

    int drawCount_ = 0;
    int composeCount_ = 0;
    int deferDepth_ = 0;
    bool drawDeferred_ = false;
    std::optional<RenderKey> composed_;
    // The text laid out once per text and font, not at every draw.
    BarText textLayout_;
};

// Draws a border of one of the three looks (0 flat, 1 three-dimensional lines, 2 edge) on rectangle r.
void drawBorder(QPainter& dc, int look, Rect r, bool raised);

// ConvertColor: a text colour as drawn; system colours from the desktop palette.
QColor textColourFor(core::Colour colour);

} // namespace oruvel::monitor
