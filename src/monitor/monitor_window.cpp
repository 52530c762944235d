#include "monitor/monitor_window.h"

#include "look/accessibility.h"

#include "core/twips.h"
#include "look/built_in_fill.h"
#include "look/system_palette.h"
#include "monitor/qt_snap_window_system.h"
#include "monitor/window_snapper.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace oruvel::monitor {

using look::builtInFillPicture;
using look::textColour;
using look::toQColor;

using core::Bar;
using core::twipsToPixels;

MonitorWindow::MonitorWindow(WindowSnapper& snapper, QtSnapWindowSystem& snapSystem, WindowSurface surface)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint), snapper_(snapper),
      snapSystem_(snapSystem), fillPictures_{builtInFillPicture(), builtInFillPicture()},
      marginColour_(core::systemColourValue(core::syscolour::kButtonFace)), surface_(surface) {
    setObjectName(QStringLiteral("monitorWindow"));
    if (surface_ == WindowSurface::SeeThrough) {
        setAttribute(Qt::WA_TranslucentBackground); // before the native window exists, which then takes an alpha
    }
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(QStringLiteral("Oruvel"));
    look::setAccessibleRole(*this, look::AccessibleRole::Window);
    QFont font(QStringLiteral("Verdana"));
    font.setPointSizeF(6.75);
    font.setBold(true);
    // Whole-pixel glyph advances, as the bars' small bold text is drawn on the desktop it was designed for. Glyphs
    // then sit at whole-pixel positions, so each is rasterized and cached once rather than once per sub-pixel offset.
    font.setHintingPreference(QFont::PreferFullHinting);
    setFont(font);
    for (const Bar which : core::kBars) {
        auto* bar = new RateBar(this);
        bar->setObjectName(which == Bar::Read ? QStringLiteral("readBar") : QStringLiteral("writeBar"));
        connect(bar, &RateBar::pictureChanged, this, &MonitorWindow::scheduleShapeUpdate);
        // The compact bar shows the fill picture of the full-width bar, so a full compact bar ends as a full one.
        bar->setPictureSpan(twipsToPixels(kBarWidthTwips));
        bars_[core::indexOf(which)] = bar;
    }
    applyLayout(optionLayout(false));
    blendKeyTimer_.setInterval(250);
    blendKeyTimer_.setSingleShot(true);
    connect(&blendKeyTimer_, &QTimer::timeout, this, &MonitorWindow::finishBlendMode);
    applyAlwaysOnTop();
}

MonitorWindow::~MonitorWindow() {
    shutDown();
}

void MonitorWindow::setUpBar(Bar which) {
    RateBar& b = bar(which);
    b.setBackgroundColour(toQColor(core::kWhite));
    b.setFillPicture(fillPictures_[core::indexOf(which)]);
}

void MonitorWindow::restore(bool compact) {
    applyLayout(loadLayout(false));
    setUpBar(Bar::Read);
    setUpBar(Bar::Write);
    if (compact) {
        applyLayout(loadLayout(true));
    }
    applyAppearance();
    moveToDefaultPlace();
}

void MonitorWindow::moveToDefaultPlace() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        const QSize settled = settledSize();
        const TwipPoint place =
            defaultPlace(area.left() + area.width(), area.top() + area.height(), core::pixelsToTwips(settled.width()),
                         core::pixelsToTwips(settled.height()));
        move(twipsToPixels(place.left), twipsToPixels(place.top));
    }
}

QSize MonitorWindow::settledSize() const {
    if (!look_.compact) {
        return size();
    }
    const MonitorLayout layout = optionLayout(*look_.compact);
    return {twipsToPixels(layout.width), twipsToPixels(layout.height)};
}

void MonitorWindow::finishRestore() {
    restored_ = true;
    if (look_.windowMode == core::WindowMode::Ghost || look_.windowMode == core::WindowMode::Normal) {
        applyModeStyle();
    }
}

void MonitorWindow::setFillPicture(Bar bar, const QImage& picture) {
    fillPictures_[core::indexOf(bar)] = picture;
    if (restored_) {
        applyAppearance();
    }
}

void MonitorWindow::applyCompactLayout() {
    if (look_.compact) {
        applyLayout(optionLayout(*look_.compact));
    }
    applyAppearance();
}

void MonitorWindow::shutDown() {
    if (shutDown_) {
        return;
    }
    shutDown_ = true;
    snapper_.removeWindow(windowIdOf(this));
    blendKeyTimer_.stop();
    hide();
}

void MonitorWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shutDown_) {
        hide();
    } else if (restored_) {
        applyAlwaysOnTop();
        applyAppearance();
    }
}

void MonitorWindow::closeEvent(QCloseEvent* event) {
    // The monitor goes only with the program; a close request from the desktop hides nothing.
    event->ignore();
}

void MonitorWindow::paintEvent(QPaintEvent* /*event*/) {
    QPainter p(this);
    paintMargin(p);
}

void MonitorWindow::applyFill(Bar which) {
    RateBar& b = bar(which);
    const core::BarColourRoles roles = core::colourRolesOf(which);
    switch (look_.fill(which)) {
    case core::FillMode::Colour:
        b.setFillPicture(QImage());
        b.setFillColour(toQColor(look_.colour(roles.fill), QColor()));
        b.setFillTextColour(textColour(look_.colour(roles.fillText)));
        break;
    case core::FillMode::Picture:
        b.setFillTextColour(textColour(look_.colour(roles.fillText)));
        b.setFillPicture(fillPictures_[core::indexOf(which)]);
        break;
    case core::FillMode::Neither:
        break; // the fill stays as it was
    }
}

void MonitorWindow::applyAppearance() {
    for (const Bar which : core::kBars) {
        const core::BarColourRoles roles = core::colourRolesOf(which);
        bar(which).setTextColour(textColour(look_.colour(roles.text)));
        bar(which).setBackgroundColour(toQColor(look_.colour(roles.background), QColor()));
    }
    applyOutline();

    const BorderStyle border = look_.barBorder ? BorderStyle::Sunken : BorderStyle::None;
    readBar().setBorderStyle(border);
    writeBar().setBorderStyle(border);
    applyFill(Bar::Read);
    applyFill(Bar::Write);

    if (look_.windowMode == core::WindowMode::BlendIntoDesktop) {
        setMarginColour(core::kTransparencyKey);
        for (const Bar which : core::kBars) {
            bar(which).setBackgroundColour(toQColor(core::kTransparencyKey));
            bar(which).setTextColour(Qt::white);
        }
        blendKeyTimer_.start();
    }
}

void MonitorWindow::setMarginColour(core::Colour colour) {
    marginColour_ = colour;
    update();
}

int MonitorWindow::widthTwips() const {
    return core::pixelsToTwips(width());
}
int MonitorWindow::heightTwips() const {
    return core::pixelsToTwips(height());
}
TwipRect MonitorWindow::barGeometry(Bar which) const {
    const QRect g = bars_[core::indexOf(which)]->geometry();
    return {core::pixelsToTwips(g.left()), core::pixelsToTwips(g.top()), core::pixelsToTwips(g.width()),
            core::pixelsToTwips(g.height())};
}

// The size is pinned in the window's size hints, so a window manager keeps exactly the layout's size even while it
// is still taking the window over.
void MonitorWindow::applyLayout(const MonitorLayout& layout) {
    setFixedSize(twipsToPixels(layout.width), twipsToPixels(layout.height));
    for (const Bar which : core::kBars) {
        const TwipRect& r = layout.bar[core::indexOf(which)];
        bars_[core::indexOf(which)]->setGeometry(twipsToPixels(r.left), twipsToPixels(r.top), twipsToPixels(r.width),
                                                 twipsToPixels(r.height));
    }
}

} // namespace oruvel::monitor
