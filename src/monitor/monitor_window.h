#pragma once

#include "core/appearance.h"
#include "core/colour.h"
#include "core/window_position.h"
#include "monitor/monitor_layout.h"
#include "monitor/rate_bar.h"
#include "monitor/window_style.h"

#include <QRegion>
#include <QTimer>
#include <QWidget>

#include <array>
#include <optional>

namespace oruvel::core {
class Program;
}

namespace oruvel::monitor {

class MonitorSettingsSource;

// The stored name of the monitor's position values (MonitorWindow_x / _y in the registry would lose stored data).
inline constexpr const char* kMonitorWindowStoreName = "FrmMonitor";

// The floating monitor: a borderless window with the read bar on top of the write bar (side by side in compact
// mode). It reads its colours and modes from the settings window through MonitorSettingsSource.
class MonitorWindow : public QWidget, public core::PositionedWindow {
    Q_OBJECT
public:
    MonitorWindow(core::Program& program, MonitorSettingsSource& settings);
    ~MonitorWindow() override;

    RateBar& readBar() { return *bars_[0]; }
    RateBar& writeBar() { return *bars_[1]; }
    RateBar& bar(core::Bar which) { return *bars_[core::indexOf(which)]; }

    // Applies the layout, bars, colours and stored position, and registers with the snapper.
    void restore();
    bool isRestored() const { return restored_; }
    // Leaves the snapping set and hides; the window goes with the program.
    void shutDown();

    void enterGhostMode();
    void enterNormalMode();
    void applyAlwaysOnTop();
    // Pushes colours, outline, border and fills to the bars; in blend mode keys out the margin a moment later.
    void applyAppearance();
    void applyLayout(const MonitorLayout& layout);

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

    // PositionedWindow
    std::string windowName() const override { return kMonitorWindowStoreName; }
    int topTwips() const override;
    int leftTwips() const override;
    void moveTwips(int left, int top) override;

    bool isDragging() const { return dragging_; }

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void reapplyOnShow();
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
    void showContextMenu(const QPoint& global);

    core::Program& program_;
    MonitorSettingsSource& settings_;
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
