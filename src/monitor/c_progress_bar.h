#pragma once

#include "core/colour.h"
#include "monitor/bar_geometry.h"
#include "monitor/bar_text.h"
#include "monitor/pc_mem_dc.h"

#include <QFont>
#include <QString>

#include <memory>
#include <optional>

class QPainter;

namespace oruvel::monitor {

class PictureBox;

// Draws one horizontal or vertical progress bar into a picture box it does not own. Each picture is composed on an
// off-screen surface and copied in one step. The fill is a colour or a picture that the fill uncovers (anchored to the
// whole bar), the text is drawn twice so that the part over the fill has its own colour, and the bar can be segmented
// and bordered. Every property set but Tag redraws at once.
class cProgressBar {
public:
    cProgressBar();

    QString Tag() const { return tag_; }
    void Tag(const QString& sTag) { tag_ = sTag; }
    bool Segments() const { return segments_; }
    void Segments(bool bState);
    // Stored and redrawn; the themed look is not drawn here, the plain one is used.
    bool XpStyle() const { return themed_; }
    void XpStyle(bool bState);
    QString Text() const { return text_; }
    void Text(const QString& sText);
    int TextAlignX() const { return alignX_; }
    void TextAlignX(int eAlign);
    int TextAlignY() const { return alignY_; }
    void TextAlignY(int eAlign);
    bool ShowText() const { return showText_; }
    void ShowText(bool bState);
    // 100 times the fraction; nullopt when Max equals Min.
    std::optional<double> Percent() const;
    std::int32_t Min() const { return min_; }
    void Min(std::int32_t lMin);
    std::int32_t Max() const { return max_; }
    void Max(std::int32_t lMax);
    std::int32_t Value() const { return value_; }
    void Value(std::int32_t lValue);
    int BorderStyle() const { return borderStyle_; }
    void BorderStyle(int eStyle);
    int Appearance() const { return appearance_; }
    void Appearance(int eAppearance);
    PictureBox* DrawObject() const { return drawObject_; }
    void DrawObject(PictureBox* obj);
    core::Colour BackColor() const { return backColor_; }
    void BackColor(core::Colour colour);
    core::Colour ForeColor() const { return foreColor_; }
    void ForeColor(core::Colour colour);
    const QFont& Font() const { return font_; }
    void Font(const QFont& fnt);
    core::Colour BarColor() const { return barColor_; }
    void BarColor(core::Colour colour);
    core::Colour BarForeColor() const { return barForeColor_; }
    void BarForeColor(core::Colour colour);
    // A copy of the picture is taken now; a null picture removes it.
    void BarPicture(const QImage* pic);
    int BarPictureMode() const { return barPictureMode_; }
    void BarPictureMode(int eMode);
    int BackPictureMode() const { return backPictureMode_; }
    void BackPictureMode(int eMode);
    void Picture(const QImage* pic);

    // Redraws into the draw object; failures are swallowed (the visible bar then keeps its previous picture).
    void Draw();
    // Draws the whole bar into the rectangle (left, top, right, bottom) of `dc`. False when the bar could not be
    // drawn (Max equals Min): the target then shows what it showed before, unless there was no surface.
    bool DrawToDC(QPainter& dc, int lLeft, int lTop, int lRight, int lBottom);

    // While one is alive, redraws asked for by the bar's setters are counted but wait: the bar is drawn once, when
    // the last one ends, so a cycle that sets the value and then the text composes one picture, not two.
    class DeferredDraw {
    public:
        explicit DeferredDraw(cProgressBar& bar) : bar_(bar) { ++bar_.deferDepth_; }
        ~DeferredDraw();
        DeferredDraw(const DeferredDraw&) = delete;
        DeferredDraw& operator=(const DeferredDraw&) = delete;

    private:
        cProgressBar& bar_;
    };

    bool hasBarPicture() const { return barPicture_ != nullptr; }
    // How many redraws were asked for, and how many of them had to compose a new picture (a redraw of an
    // unchanged bar reuses the picture it composed last time).
    int drawCount() const { return drawCount_; }
    int composeCount() const { return composeCount_; }

private:
    // Composes the picture for the current state into the draw object, unless it already holds it.
    void compose();
    void SetPicture(const QImage* pic, std::unique_ptr<pcMemDC>& target);
    void fillWithPicture(QPainter& p, const pcMemDC& picture, int mode, int width, int height) const;
    // Draws the prepared text (one space, Text, one space) aligned in r.
    void drawText(QPainter& p, const Rect& r);

    PictureBox* drawObject_ = nullptr;
    pcMemDC surface_;
    std::unique_ptr<pcMemDC> backPicture_;
    std::unique_ptr<pcMemDC> barPicture_;
    int appearance_ = 1;
    int borderStyle_ = 1;
    QFont font_;
    core::Colour backColor_ = -1;
    core::Colour foreColor_ = 0;
    core::Colour barColor_ = -1;
    core::Colour barForeColor_ = 16777215;
    int barPictureMode_ = 1;
    int backPictureMode_ = 1;
    std::int32_t min_ = 0;
    std::int32_t max_ = 100;
    std::int32_t value_ = 0;
    int alignX_ = 1;
    int alignY_ = 1;
    bool showText_ = false;
    QString text_;
    bool segments_ = false;
    bool themed_ = false;
    QString tag_;
    // Everything a composed picture depends on, to tell when a redraw would give the same picture again.
    struct DrawState {
        QSize canvas;
        qint64 backPicture = 0;
        qint64 barPicture = 0;
        qint64 palette = 0;
        int appearance = 0, borderStyle = 0, barMode = 0, backMode = 0, alignX = 0, alignY = 0;
        core::Colour back = 0, fore = 0, bar = 0, barFore = 0;
        std::int32_t min = 0, max = 0, value = 0;
        bool showText = false, segments = false;
        QString text;
        QFont font;
        bool operator==(const DrawState&) const = default;
    };
    DrawState currentState(const QSize& canvas) const;

    int drawCount_ = 0;
    int composeCount_ = 0;
    int deferDepth_ = 0;
    bool drawDeferred_ = false;
    std::optional<DrawState> composed_;
    // The text laid out once per text and font, not at every draw.
    BarText textLayout_;
};

// Draws a border of one of the three looks (0 flat, 1 three-dimensional lines, 2 edge) on rectangle r.
void DrawBorder(QPainter& dc, int look, Rect r, bool raised);

// ConvertColor: a text colour as drawn; system colours from the desktop palette.
QColor ConvertColor(core::Colour colour);

} // namespace oruvel::monitor
