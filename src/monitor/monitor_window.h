#pragma once

#include "core/appearance.h"
#include "core/colour.h"
#include "monitor/monitor_layout.h"
#include "monitor/monitor_look.h"
#include "monitor/rate_bar.h"
#include "monitor/window_style.h"

#include <QImage>
#include <QRegion>
#include <QTimer>
#include <QWidget>

#include <array>
#include <optional>

class QPainter;
class QPainterPath;

namespace oruvel::monitor {

class QtSnapWindowSystem;
class WindowSnapper;

// How the window leaves out what it does not show (the rounded corners, blend mode's key colour): by the window
// system's shape alone, or, where a compositor shows windows' alpha, by see-through pixels too, which are smooth at
// the corners and right where a compositor ignores shapes.
enum class WindowSurface { Shaped, SeeThrough };

// The floating monitor: a borderless window with the read bar on top of the write bar (side by side in compact
// mode). It shows the look it is given; a drag moves it through the window snapper.
class MonitorWindow : public QWidget {
    Q_OBJECT
public:
    MonitorWindow(WindowSnapper& snapper, QtSnapWindowSystem& snapSystem,
                  WindowSurface surface = WindowSurface::Shaped);
    ~MonitorWindow() override;

    RateBar& readBar() { return *bars_[0]; }
    RateBar& writeBar() { return *bars_[1]; }
    RateBar& bar(core::Bar which) { return *bars_[core::indexOf(which)]; }

    // Shows the look from now on: once restored, what differs from the last look is applied, in a fixed order
    // (layout, outline, colours and fills, window style, stay-on-top). Before, it is only kept for the restore.
    void setLook(const MonitorLook& look);
    const MonitorLook& look() const { return look_; }
    // The picture a bar's fill shows when the look asks for a picture.
    void setFillPicture(core::Bar bar, const QImage& picture);
    const QImage& fillPicture(core::Bar bar) const { return fillPictures_[core::indexOf(bar)]; }

    // Lays the window out as it loads (the compact layout only when `compact`), gives the bars their pictures,
    // applies the look and moves it to its default place at the bottom of the work area.
    void restore(bool compact);
    // Moves to the default place: on the bottom of the work area, one window width in from its right edge, for the
    // size the window settles on (so a first start and a reset agree).
    void moveToDefaultPlace();
    // The size the window has once a start is over: the layout the compact box gives, or while that box is undecided
    // the one it has now. Places are checked against it, so a window stored on an edge comes back on it.
    QSize settledSize() const;
    // Ends the restore: applies the stored window mode; from now on a show applies stay-on-top and the look again.
    void finishRestore();
    // Applies the look's window mode and its style, as a start does.
    void applyWindowMode();
    // Lays the window out as the compact box says (a greyed box keeps the layout), and applies the look.
    void applyCompactLayout();
    // Hides for good; the window goes with the program.
    void shutDown();

    int widthTwips() const;
    int heightTwips() const;
    // Bar geometry in twips, relative to the window.
    TwipRect barGeometry(core::Bar which) const;

    // The window's own colour (the margin around the bars); the transparency key once blend mode has been applied.
    core::Colour marginColour() const { return marginColour_; }

    const WindowStyle& windowStyle() const { return style_; }
    WindowSurface surface() const { return surface_; }
    // The region the window occupies, in its device pixels: the outline, less the colour-keyed pixels in blend mode.
    const QRegion& shapeRegion() const { return appliedShape_; }
    bool isBlendPending() const { return blendKeyTimer_.isActive(); }

    bool isDragging() const { return dragging_; }

signals:
    // A right click on the window, or the menu key while it has the keyboard, at a screen position.
    void contextMenuRequested(QPoint globalPos);
    // The user began dragging the window, and dropped it.
    void dragStarted();
    void dragFinished();
    // Blend mode keyed out the margin.
    void blendModeFinished();

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Stay-on-top as the look says; shows the window unless the look hides it.
    void applyAlwaysOnTop();
    // Colours, outline, border and fills to the bars; in blend mode keys out the margin a moment later.
    void applyAppearance();
    void applyLayout(const MonitorLayout& layout);
    // The style of the look's window mode, for the modes whose style is set at once (blend keys out later).
    void applyModeStyle();
    void setMarginColour(core::Colour colour);
    void finishBlendMode();
    void setUpBar(core::Bar which);
    void applyFill(core::Bar which);
    void applyWindowStyle();
    // Works the outline and the key colour into the window's shape; `reapply` gives it to the window system even
    // when it did not change.
    void updateShape(bool reapply = false);
    // In blend mode the shape follows the bars' pixels; a cycle's changes are worked into it once.
    void scheduleShapeUpdate();
    // The margin, as the window shows it: in the margin colour, see-through where the surface leaves it out.
    void paintMargin(QPainter& painter) const;
    // The window's outline: its rectangle, its corners rounded as the look says.
    QPainterPath outlinePath() const;
    // Gives the window the look's outline: through its shape, and on a see-through surface its bars' pixels.
    void applyOutline();
    // The window's pixels as shown: the margin and both bars, in device pixels.
    QImage composedPixels() const;
    void beginDrag();
    void dragMoveTo(const QPoint& global);
    void endDrag();

    WindowSnapper& snapper_;
    QtSnapWindowSystem& snapSystem_;
    MonitorLook look_;
    std::array<QImage, 2> fillPictures_;
    std::array<RateBar*, 2> bars_{};
    QTimer blendKeyTimer_;
    core::Colour marginColour_;
    WindowStyle style_;
    std::optional<WindowStyle> appliedStyle_;
    WindowSurface surface_;
    QRegion appliedShape_;
    bool shapeUpdatePending_ = false;
    bool restored_ = false;
    bool shutDown_ = false;
    bool dragging_ = false;
    QPoint dragGrabOffset_;
    // Where the left button went down: the point of the window that stays under the pointer while dragging.
    std::optional<QPoint> pressCursor_;
};

} // namespace oruvel::monitor
