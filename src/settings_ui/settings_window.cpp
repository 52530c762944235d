#include "settings_ui/settings_window.h"

#include "core/program.h"
#include "core/twips.h"
#include "core/value_conversion.h"
#include "monitor/monitor_window.h"
#include "oruvel_version.h"
#include "platform/platform_services.h"
#include "settings_ui/colour_roles.h"
#include "settings_ui/dialogs.h"
#include "settings_ui/full_scale_edit.h"
#include "settings_ui/picture_file.h"
#include "settings_ui/setting_widgets.h"
#include "settings_ui/tray_pictures.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLocale>
#include <QMenu>
#include <QMoveEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>

namespace oruvel::settings_ui {

using core::Bar;
using core::WindowMode;

QString programCaption() {
    return QStringLiteral("Oruvel v%1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision);
}

SettingsWindow::SettingsWindow(core::Program& program) : QWidget(nullptr), program_(program) {
    setObjectName(QStringLiteral("settingsWindow"));
    QFont font(QStringLiteral("Verdana"));
    font.setPointSize(8);
    setFont(font);
    setFixedSize(kClientWidth, kClientHeight);
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    const QLocale locale;
    separators_.decimal = locale.decimalPoint().toStdString();
    separators_.grouping = locale.groupSeparator().toStdString();
    buildControls();
    connectControls();
    buildContextMenu();
    snapSystem_.track(this);
    sampleTimer_.setInterval(1000);
    connect(&sampleTimer_, &QTimer::timeout, this, &SettingsWindow::sampleRates);
    dialogs_ = &qtDialogBackend();
    loadPicture_ = loadPictureFile;
    listDisks_ = platform::listPhysicalDisks;
}

SettingsWindow::~SettingsWindow() {
    sampleTimer_.stop();
    monitor_.reset();
}

monitor::MonitorWindow* SettingsWindow::monitor() {
    if (!monitor_) {
        if (program_.isExiting()) {
            return nullptr;
        }
        monitor_ = std::make_unique<monitor::MonitorWindow>(program_, *this);
        snapSystem_.track(monitor_.get());
        monitor_->restore();
    }
    return monitor_.get();
}

void SettingsWindow::store(const core::SettingKey& key, const std::string& value) {
    // A value that cannot be stored (read-only folder, full disk) leaves the file as it was; the setting still
    // applies for this run.
    program_.writeSetting(key, value);
}

void SettingsWindow::start() {
    if (program_.isExiting()) {
        requestShutdown(ShutdownReason::ExitCommand);
        return;
    }
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect s = screen->geometry();
        moveFromCode({s.left() + (s.width() - frameGeometry().width()) / 2,
                      s.top() + (s.height() - frameGeometry().height()) / 2});
    }
    setWindowTitle(programCaption());
    core::restoreWindowPosition(program_, *this);

    diskInstance_ = program_.readSetting(core::keys::diskInstance);
    if (diskInstance_.empty()) {
        diskInstance_ = std::string(core::keys::diskInstance.defaultText);
        store(core::keys::diskInstance, diskInstance_);
    }
    program_.diskRates().open(diskInstance_);

    hide();
    restoreControls();

    windowSnapper_.addWindow(monitor::windowIdOf(this));
    windowSnapper_.setSnapDistance(5);

    // The icon starts with the picture of two idle disks.
    shownTrayPicture_ = core::LoadBands{};
    emit trayIconChanged(trayIcons_[0]);
    emit trayIconVisibilityRequested(true);

    fillPicturePaths_ = {QString::fromStdString(program_.readSetting(core::keys::readFillPicturePath)),
                         QString::fromStdString(program_.readSetting(core::keys::writeFillPicturePath))};
    for (const Bar bar : core::kBars) {
        const QString& path = fillPicturePaths_[core::indexOf(bar)];
        if (!path.isEmpty() && loadPicture_) {
            if (const auto picture = loadPicture_(path)) {
                fillPictures_[core::indexOf(bar)] = *picture;
                showFillPicturePreview(bar);
            }
        }
    }

    applyMonitorVisibility();
    if (showMonitorCheckBox->value() == 2) {
        // An undecided box neither shows nor hides; the monitor comes up as stay-on-top brings it.
        if (monitor::MonitorWindow* m = monitor()) {
            m->applyAlwaysOnTop();
        }
    }
    applyCompactMode();
    sampleTimer_.start();
}

void SettingsWindow::restoreControls() {
    for (const ColourRoleKey& c : kColourRoleKeys) {
        if (const auto v = core::toInt32(program_.readSetting(*c.key))) {
            colourSwatch(c.role)->setColour(*v);
        }
    }
    const auto restoreBox = [this](SettingCheckBox* box, const core::SettingKey& key) {
        if (const auto v = core::toBoxValue(program_.readSetting(key))) {
            box->setValue(*v);
        }
    };
    const auto restoreOption = [this](SettingRadioButton* option, const core::SettingKey& key) {
        if (const auto v = core::toBoolean(program_.readSetting(key))) {
            option->setSelected(*v);
        }
    };
    const auto restoreLevel = [this](QScrollBar* bar, const core::SettingKey& key) {
        if (const auto v = core::toLevel(program_.readSetting(key))) {
            bar->setValue(*v);
        }
    };
    restoreBox(barBorderCheckBox, core::keys::barBorder);
    restoreOption(readFillColourRadioButton, core::keys::readFillUsesColour);
    restoreOption(readFillPictureRadioButton, core::keys::readFillUsesPicture);
    restoreOption(writeFillColourRadioButton, core::keys::writeFillUsesColour);
    restoreOption(writeFillPictureRadioButton, core::keys::writeFillUsesPicture);
    restoreBox(alwaysOnTopCheckBox, core::keys::alwaysOnTop);
    restoreLevel(translucentOpacityScrollBar, core::keys::translucentOpacity);
    restoreLevel(ghostOpacityScrollBar, core::keys::ghostOpacity);
    restoreOption(windowModeRadioButton(WindowMode::Translucent), core::keys::translucentMode);
    restoreOption(windowModeRadioButton(WindowMode::Ghost), core::keys::ghostMode);
    restoreOption(windowModeRadioButton(WindowMode::BlendIntoDesktop), core::keys::blendMode);
    restoreOption(windowModeRadioButton(WindowMode::Normal), core::keys::normalMode);
    restoreBox(startWithLoginCheckBox, core::keys::startWithLogin);
    restoreBox(compactModeCheckBox, core::keys::compactMode);
    restoreBox(showMonitorCheckBox, core::keys::showMonitor);
    restoreBox(disableBarFillCheckBox, core::keys::disableBarFill);
    restoreBox(hideBarTextCheckBox, core::keys::hideBarText);
    restoreBox(roundCornersCheckBox, core::keys::roundCorners);
    const auto restoreRate = [this](FullScaleEdit* box, const core::SettingKey& key) {
        const std::string stored = program_.readSetting(key);
        box->setText(stored.empty() || stored == "0" ? QStringLiteral("25") : QString::fromStdString(stored));
    };
    restoreRate(readFullScaleEdit, core::keys::readFullScale);
    restoreRate(writeFullScaleEdit, core::keys::writeFullScale);
}

bool SettingsWindow::requestShutdown(ShutdownReason reason) {
    if (shutDown_) {
        return true;
    }
    if (reason == ShutdownReason::UserClose) {
        hide();
        return false;
    }
    program_.beginExit();
    sampleTimer_.stop();
    finishShutdown();
    return true;
}

// Saves the position, hides the tray icon and every window, and quits; each setting was stored when it changed.
void SettingsWindow::finishShutdown() {
    shutDown_ = true;
    program_.diskRates().close();
    core::saveWindowPosition(program_, *this);
    emit trayIconVisibilityRequested(false);
    if (monitor_) {
        monitor_->shutDown();
    }
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != this && w != monitor_.get() && w->isVisible()) {
            w->hide();
        }
    }
    hide();
    QCoreApplication::quit();
}

void SettingsWindow::exitProgram() {
    requestShutdown(ShutdownReason::ExitCommand);
}

void SettingsWindow::closeEvent(QCloseEvent* event) {
    if (shutDown_ || requestShutdown(ShutdownReason::UserClose)) {
        event->accept();
    } else {
        event->ignore();
    }
}

void SettingsWindow::sampleRates() {
    if (size() != QSize(kClientWidth, kClientHeight)) {
        resize(kClientWidth, kClientHeight);
    }
    core::DiskRateSampler& rates = program_.diskRates();
    rates.sample();
    const TickReadout::Shown& shown =
        readout_.compute(rates.readRate(), rates.writeRate(), compactModeCheckBox->value() != 0,
                         readFullScaleEdit->text(), writeFullScaleEdit->text(), separators_);

    bool textsChanged = false;
    if (monitor::MonitorWindow* m = monitor()) {
        const bool emptyBars = disableBarFillCheckBox->value() != 0;
        m->readBar().setValue(emptyBars ? 0 : shown.readPercent);
        m->writeBar().setValue(emptyBars ? 0 : shown.writePercent);
        const bool hideText = hideBarTextCheckBox->value() == 1;
        const QString readText = hideText ? QString() : shown.readText;
        const QString writeText = hideText ? QString() : shown.writeText;
        textsChanged = m->readBar().text() != readText || m->writeBar().text() != writeText;
        m->readBar().setText(readText);
        m->writeBar().setText(writeText);
    }

    if (shownTrayPicture_ != shown.loadBands) {
        shownTrayPicture_ = shown.loadBands;
        const auto* at = std::find(kTrayLegendOrder.begin(), kTrayLegendOrder.end(), shown.loadBands);
        emit trayIconChanged(trayIcons_[static_cast<std::size_t>(at - kTrayLegendOrder.begin())]);
    }
    // The platform gives no hover event for the tray icon, so the tooltip follows the bar texts it shows; an idle
    // cycle, which changes no text, builds none.
    if (textsChanged) {
        refreshTrayToolTip();
    }
}

core::Colour SettingsWindow::colour(core::ColourRole role) const {
    return colourSwatch(role)->colour();
}
bool SettingsWindow::barBorder() const {
    return barBorderCheckBox->value() == 1;
}
bool SettingsWindow::roundCorners() const {
    return roundCornersCheckBox->value() == 1;
}

std::optional<bool> SettingsWindow::alwaysOnTop() const {
    const int value = alwaysOnTopCheckBox->value();
    return value == 0 || value == 1 ? std::optional<bool>(value == 1) : std::nullopt;
}

core::FillMode SettingsWindow::fillMode(Bar bar) const {
    const bool read = bar == Bar::Read;
    if ((read ? readFillColourRadioButton : writeFillColourRadioButton)->isChecked()) {
        return core::FillMode::Colour;
    }
    if ((read ? readFillPictureRadioButton : writeFillPictureRadioButton)->isChecked()) {
        return core::FillMode::Picture;
    }
    return core::FillMode::Neither;
}

std::optional<WindowMode> SettingsWindow::windowMode() const {
    for (const WindowMode mode : core::kWindowModes) {
        if (windowModeRadioButton(mode)->isChecked()) {
            return mode;
        }
    }
    return std::nullopt;
}

QScrollBar* SettingsWindow::opacityScrollBar(WindowMode mode) const {
    return mode == WindowMode::Ghost ? ghostOpacityScrollBar : translucentOpacityScrollBar;
}

int SettingsWindow::opacity(WindowMode mode) const {
    return opacityScrollBar(mode)->value();
}

void SettingsWindow::popUpContextMenu(const QPoint& globalPos) {
    contextMenu_->exec(globalPos);
}

// The window manager moves the settings window; a monitor glued to it follows, keeping its offset, and the glue is
// worked out again where the move leaves them.
void SettingsWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    const QPoint now = frameGeometry().topLeft();
    if (positionKnown_ && now != lastPosition_ && isVisible() && !movingFromCode_) {
        followSettingsWindowMove(lastPosition_, now);
    }
    lastPosition_ = now;
    positionKnown_ = true;
}

void SettingsWindow::followSettingsWindowMove(const QPoint& from, const QPoint& to) {
    const QPoint delta = to - from;
    std::vector<std::pair<monitor::WindowId, monitor::Point>> moves;
    for (const monitor::WindowId follower : windowSnapper_.followersOf(monitor::windowIdOf(this))) {
        const monitor::Rect r = snapSystem_.windowRect(follower);
        moves.push_back({follower, {r.left + delta.x(), r.top + delta.y()}});
    }
    if (!moves.empty()) {
        snapSystem_.moveWindows(moves);
    }
    windowSnapper_.updateGlue();
}

int SettingsWindow::topTwips() const {
    return core::pixelsToTwips(frameGeometry().top());
}
int SettingsWindow::leftTwips() const {
    return core::pixelsToTwips(frameGeometry().left());
}
void SettingsWindow::moveTwips(int left, int top) {
    moveFromCode({core::twipsToPixels(left), core::twipsToPixels(top)});
}

void SettingsWindow::moveFromCode(const QPoint& topLeft) {
    movingFromCode_ = true;
    move(topLeft);
    movingFromCode_ = false;
    lastPosition_ = frameGeometry().topLeft();
}

} // namespace oruvel::settings_ui
