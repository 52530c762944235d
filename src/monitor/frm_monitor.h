#pragma once

#include "core/colour.h"
#include "core/window_position.h"
#include "monitor/c_progress_bar.h"
#include "monitor/monitor_layout.h"
#include "monitor/window_style.h"

#include <QMap>
#include <QRegion>
#include <QTimer>
#include <QWidget>

#include <array>
#include <memory>
#include <optional>

namespace oruvel::core {
class Program;
}

namespace oruvel::monitor {

class MonitorHost;
class PictureBox;

// The floating monitor: a borderless window with the read bar on top of the write bar (side by side in compact
// mode). It reads its colours and modes from the settings window through MonitorHost.
class FrmMonitor : public QWidget, public core::PositionedWindow {
    Q_OBJECT
public:
    FrmMonitor(core::Program& program, MonitorHost& host);
    ~FrmMonitor() override;

    // The bar objects: PB1 draws the read bar PB(0), PB2 the write bar PB(1).
    cProgressBar PB1;
    cProgressBar PB2;
    // Keeps the two bar objects by name ("PB(0)", "PB(1)").
    QMap<QString, cProgressBar*> m_cProgress;

    // Handlers, in the order the window runs them.
    void Form_Initialize();
    void Form_Load();
    void Form_Activate();
    void Form_Unload();
    bool loaded() const { return loaded_; }

    void DragForm();
    void GoToGhostMode();
    void GoToNormalMode();
    void SetOnTopNow();
    void SetColors();
    void PB_Paint(int index);

    // Geometry in twips.
    int Width() const;
    int Height() const;
    void Width(int twips);
    void Height(int twips);
    void Move(int leftTwips, int topTwips);
    TwipRect barGeometry(int index) const;
    void setBarGeometry(int index, const TwipRect& r);
    PictureBox& PB(int index) { return *pb_[static_cast<std::size_t>(index)]; }

    // The window's own back colour (the margin around the bars); 1 after blend mode has been applied.
    core::Colour BackColor() const { return backColor_; }
    void BackColor(core::Colour colour);

    // Layered-window state (the extended style and layered attributes) and the z-order band.
    std::uint32_t GetWindowLong(int index) const;
    void SetWindowLong(int index, std::uint32_t value);
    void SetLayeredWindowAttributes(core::Colour key, std::uint8_t alpha, std::uint32_t flags);
    const WindowStyle& windowStyle() const { return style_; }
    // The region the window occupies: the outline, less the colour-keyed pixels in blend mode.
    const QRegion& shapeRegion() const { return appliedShape_; }
    QTimer& Timer1() { return timer1_; }

    // PositionedWindow
    std::string windowName() const override { return "FrmMonitor"; }
    int topTwips() const override;
    int leftTwips() const override;
    void moveTwips(int left, int top) override { Move(left, top); }

    // Mouse handlers (button mask, shift mask, x, y).
    void Form_MouseMove(int button, int shift, int x, int y);
    void Form_MouseUp(int button, int shift, int x, int y);
    bool dragging() const { return dragging_; }

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Timer1_Timer();
    void setUpBar(cProgressBar& bar, int index, const QImage& picture);
    void applyLayout(const MonitorLayout& layout);
    void applyWindowStyle();
    void updateShape();
    QRegion keyedOutRegion(core::Colour key) const;
    void dragMoveTo(const QPoint& global);
    void endDrag();
    void mouseMoved(int button, int shift, const QPoint& global);
    void mouseReleased(int button, int shift, const QPoint& global);

    core::Program& program_;
    MonitorHost& host_;
    std::array<PictureBox*, 2> pb_{};
    QTimer timer1_;
    core::Colour backColor_;
    WindowStyle style_;
    WindowStyle appliedStyle_;
    bool styleApplied_ = false;
    QRegion outline_;
    QRegion appliedShape_;
    bool loaded_ = false;
    bool unloaded_ = false;
    bool dragging_ = false;
    QPoint dragGrabOffset_;
    QPoint lastCursor_;
    // Where the button went down: the point of the window that stays under the pointer while dragging.
    std::optional<QPoint> pressCursor_;
};

// Adds the layered style to a window and makes `colour` its transparency key.
void SetTransparentColor(FrmMonitor& window, core::Colour colour);

} // namespace oruvel::monitor
