#include "monitor/frm_monitor.h"

#include "core/program.h"
#include "core/twips.h"
#include "monitor/magnetic_wnd.h"
#include "monitor/monitor_host.h"
#include "monitor/picture_box.h"
#include "monitor/system_palette.h"
#include "monitor/qt_snap_window_system.h"
#include "monitor/theme_support.h"
#include "monitor/window_region.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace oruvel::monitor {

using core::twipsToPixels;

FrmMonitor::FrmMonitor(core::Program& program, MonitorHost& host)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint), program_(program), host_(host),
      backColor_(static_cast<core::Colour>(0x8000000F)) {
    setObjectName(QStringLiteral("FrmMonitor"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(QStringLiteral("Oruvel"));
    QFont font(QStringLiteral("Verdana"));
    font.setPointSizeF(6.75);
    font.setBold(true);
    // Whole-pixel glyph advances, as the bars' small bold text is drawn on the desktop it was designed for. Glyphs
    // then sit at whole-pixel positions, so each is rasterized and cached once rather than once per sub-pixel offset.
    font.setHintingPreference(QFont::PreferFullHinting);
    setFont(font);
    for (int i = 0; i < 2; ++i) {
        auto* box = new PictureBox(this);
        box->setObjectName(QStringLiteral("PB(%1)").arg(i));
        box->onRepaintNeeded = [this, i] { PB_Paint(i); };
        box->onMousePress = [this](const QPoint& global) { pressCursor_ = global; };
        box->onMouseMove = [this, box](int b, int s, int x, int y) {
            mouseMoved(b, s, box->mapToGlobal(QPoint(x, y)));
        };
        box->onMouseUp = [this, box](int b, int s, int x, int y) {
            mouseReleased(b, s, box->mapToGlobal(QPoint(x, y)));
        };
        box->onFlushed = [this] {
            if (style_.usesColourKey()) {
                updateShape();
            }
        };
        pb_[static_cast<std::size_t>(i)] = box;
    }
    const MonitorLayout design = optionLayout(false);
    applyLayout(design);
    timer1_.setInterval(250);
    connect(&timer1_, &QTimer::timeout, this, [this] { Timer1_Timer(); });
}

FrmMonitor::~FrmMonitor() { Form_Unload(); }

void FrmMonitor::Form_Initialize() {
    SetOnTopNow();
    program_.letMessagesRun();
}

void FrmMonitor::setUpBar(cProgressBar& bar, int index, const QImage& picture) {
    bar.DrawObject(pb_[static_cast<std::size_t>(index)]);
    bar.Min(0);
    bar.Max(100);
    bar.Tag(QStringLiteral("5"));
    bar.ShowText(true);
    bar.TextAlignX(0);
    bar.TextAlignY(1);
    bar.Font(pb_[static_cast<std::size_t>(index)]->font());
    bar.BackColor(16777215);
    bar.BarPicture(&picture);
}

void FrmMonitor::Form_Load() {
    if (program_.bExiting) {
        Form_Unload();
        return;
    }
    program_.letMessagesRun();
    FixThemeSupport(findChildren<QWidget*>());

    applyLayout(loadLayout(false));
    program_.letMessagesRun();

    setUpBar(PB1, 0, host_.defaultPicture(0));
    m_cProgress.insert(QStringLiteral("PB(0)"), &PB1);
    setUpBar(PB2, 1, host_.defaultPicture(1));
    m_cProgress.insert(QStringLiteral("PB(1)"), &PB2);

    const std::string compact = program_.readSetting(core::keys::compact);
    program_.letMessagesRun();
    if (compact == "1") {
        applyLayout(loadLayout(true));
        program_.letMessagesRun();
    }

    SetColors();
    program_.letMessagesRun();

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        const TwipPoint place = defaultPlace(area.left() + area.width(), area.top() + area.height(), Width(), Height());
        Move(place.left, place.top);
    }
    core::LoadWindowPosition(program_, *this);
    program_.letMessagesRun();

    if (cMagneticWnd* magnetic = host_.magneticWnd()) {
        magnetic->AddWindow(windowIdOf(this), windowIdOf(host_.settingsWindow()));
    }
    loaded_ = true;
    if (host_.transparencySelected(1)) {
        GoToGhostMode();
    }
    if (host_.transparencySelected(3)) {
        GoToNormalMode();
    }
}

void FrmMonitor::Form_Activate() {
    if (program_.bExiting) {
        Form_Unload();
        return;
    }
    program_.letMessagesRun();
    SetOnTopNow();
    program_.letMessagesRun();
    SetColors();
    program_.letMessagesRun();
}

void FrmMonitor::Form_Unload() {
    if (unloaded_) {
        return;
    }
    unloaded_ = true;
    if (cMagneticWnd* magnetic = host_.magneticWnd()) {
        magnetic->RemoveWindow(windowIdOf(this));
    }
    program_.letMessagesRun();
    timer1_.stop();
    program_.letMessagesRun();
    program_.letMessagesRun();
    hide();
}

void FrmMonitor::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (loaded_) {
        Form_Activate();
    }
}

void FrmMonitor::closeEvent(QCloseEvent* event) {
    // The monitor goes only with the program; a close request from the desktop hides nothing.
    event->ignore();
}

void FrmMonitor::paintEvent(QPaintEvent* /*event*/) {
    QPainter p(this);
    p.fillRect(rect(), toQColor(backColor_, palette().color(QPalette::Window)));
}

void FrmMonitor::SetColors() {
    PB1.ForeColor(host_.swatchColour(7));
    PB1.BackColor(host_.swatchColour(6));
    PB2.ForeColor(host_.swatchColour(3));
    PB2.BackColor(host_.swatchColour(2));
    program_.letMessagesRun();

    const int w = width();
    const int h = height();
    const int ellipse = host_.checkValue(8) == 1 ? 7 : 0;
    QRegion outline;
    for (const RegionSpan& s : roundRectSpans(w, h, ellipse, ellipse)) {
        outline += QRect(s.left, s.y, s.right - s.left, 1);
    }
    outline_ = outline;
    updateShape();
    program_.letMessagesRun();

    const int border = host_.checkValue(1) == 1 ? 1 : 0;
    PB1.BorderStyle(border);
    PB2.BorderStyle(border);
    program_.letMessagesRun();

    // Each bar's fill: its colour option, then its picture option (with neither, the fill stays as it was).
    const auto applyFill = [this](cProgressBar& bar, int barIndex, int colourOption, int fillItem, int textItem) {
        const QImage picture = host_.defaultPicture(barIndex);
        if (host_.optionSelected(colourOption)) {
            bar.BarPicture(nullptr);
            bar.BarColor(host_.swatchColour(fillItem));
            bar.BarForeColor(host_.swatchColour(textItem));
        }
        if (host_.optionSelected(colourOption + 1)) {
            bar.BarForeColor(host_.swatchColour(textItem));
            bar.BarPicture(&picture);
        }
        program_.letMessagesRun();
    };
    applyFill(PB1, 0, 1, 8, 9);
    applyFill(PB2, 1, 3, 0, 1);

    if (host_.transparencySelected(2)) {
        BackColor(core::kTransparencyKey);
        program_.letMessagesRun();
        PB1.BackColor(core::kTransparencyKey);
        PB1.ForeColor(16777215);
        PB2.BackColor(core::kTransparencyKey);
        PB2.ForeColor(16777215);
        timer1_.start();
    }
    program_.letMessagesRun();
    for (int i = 0; i < 2; ++i) {
        PB_Paint(i);
        program_.letMessagesRun();
    }
}

void FrmMonitor::PB_Paint(int index) { (index == 0 ? PB1 : PB2).Draw(); }

void FrmMonitor::BackColor(core::Colour colour) {
    backColor_ = colour;
    update();
}

int FrmMonitor::Width() const { return core::pixelsToTwips(width()); }
int FrmMonitor::Height() const { return core::pixelsToTwips(height()); }
// The size is pinned in the window's size hints, so a window manager keeps exactly the layout's size even while it
// is still taking the window over.
void FrmMonitor::Width(int twips) { setFixedSize(twipsToPixels(twips), height()); }
void FrmMonitor::Height(int twips) { setFixedSize(width(), twipsToPixels(twips)); }
int FrmMonitor::topTwips() const { return core::pixelsToTwips(frameGeometry().top()); }
int FrmMonitor::leftTwips() const { return core::pixelsToTwips(frameGeometry().left()); }

void FrmMonitor::Move(int leftTwips, int topTwips) { move(twipsToPixels(leftTwips), twipsToPixels(topTwips)); }

TwipRect FrmMonitor::barGeometry(int index) const {
    const QRect g = pb_[static_cast<std::size_t>(index)]->geometry();
    return {core::pixelsToTwips(g.left()), core::pixelsToTwips(g.top()), core::pixelsToTwips(g.width()),
            core::pixelsToTwips(g.height())};
}

void FrmMonitor::setBarGeometry(int index, const TwipRect& r) {
    pb_[static_cast<std::size_t>(index)]->setGeometry(twipsToPixels(r.left), twipsToPixels(r.top),
                                                      twipsToPixels(r.width), twipsToPixels(r.height));
}

void FrmMonitor::applyLayout(const MonitorLayout& layout) {
    setFixedSize(twipsToPixels(layout.width), twipsToPixels(layout.height));
    setBarGeometry(0, layout.bar[0]);
    setBarGeometry(1, layout.bar[1]);
}

} // namespace oruvel::monitor
