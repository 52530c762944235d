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

namespace oruvel::monitor {

class QtSnapWindowSystem;
class WindowSnapper;

// The floating monitor: a borderless window with the read bar on top of the write bar (side by side in compact
// mode). It shows the look it is given; a drag moves it through the window snapper.
class MonitorWindow : public QWidget {
    Q_OBJECT
public:
    MonitorWindow(WindowSnapper& snapper, QtSnapWindowSystem& snapSystem);
    ~MonitorWindow() override;

    RateBar& readBar() { return *bars_[0]; }
    RateBar& writeBar() { return *bars_[1]; }
    RateBar& bar(core::Bar which) { return *bars_[core::indexOf(which)]; }

    // The look and fill pictures to apply from now on; nothing is applied until asked.
    void setLook(const MonitorLook& look) { look_ = look; }
    const MonitorLook& look() const { return look_; }
    void setFillPicture(core::Bar bar, const QImage& picture) { fillPictures_[core::indexOf(bar)] = picture; }

    // Lays the window out as it loads (the compact layout only when `compact`), gives the bars their pictures,
    // applies the look and moves it to its default place at the bottom of the work area.
    void restore(bool compact);
    // Moves to the default place: on the bottom of the work area, one window width in from its right edge.
    void moveToDefaultPlace();
    // Ends the restore: applies the stored window mode; from now on a show applies stay-on-top and the look again.
    void finishRestore();
    bool isRestored() const { return restored_; }
    // Hides for good; the window goes with the program.
    void shutDown();

    void enterGhostMode();
    void enterNormalMode();
    // Applies the stay-on-top setting, and shows the window unless the look hides it.
    void applyAlwaysOnTop();
    // Pushes colours, outline, border and fills to the bars; in blend mode keys out the margin a moment later.
    void applyAppearance();
    void applyLayout(const MonitorLayout& layout);
    // Applies the translucent mode's opacity (clicks are taken).
    void applyTranslucentOpacity();

    int widthTwips() const;
    int heightTwips() const;
    // Bar geometry in twips, relative to the window.
    TwipRect barGeometry(core::Bar which) const;

    // The window's own colour (the margin around the bars); the transparency key once blend mode has been applied.
    core::Colour marginColour() const { return marginColour_; }
    void setMarginColour(core::Colour colour);

    void setOpacity(std::uint8_t opacity);
    void setClickThrough(bool clickThrough);
    void setColourKey(core::Colour key);
    const WindowStyle& windowStyle() const { return style_; }
    // The region the window occupies: the outline, less the colour-keyed pixels in blend mode.
    const QRegion& shapeRegion() const { return appliedShape_; }
    bool isBlendPending() const { return blendKeyTimer_.isActive(); }

    bool isDragging() const { return dragging_; }

signals:
    // A right click on the window, at a screen position.
    void contextMenuRequested(QPoint globalPos);
    // The user dropped the window after dragging it.
    void dragFinished();
    // Blend mode keyed out the margin.
    void blendModeFinished();

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void finishBlendMode();
    void setUpBar(core::Bar which);
    void applyFill(core::Bar which);
    void applyWindowStyle();
    void updateShape();
    // In blend mode the shape follows the bars' pixels; a cycle's changes are worked into it once.
    void scheduleShapeUpdate();
    QRegion keyedOutRegion(core::Colour key) const;
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
    QRegion outline_;
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
