#include "app/gadget.h"

#include "app/program_menu.h"
#include "app/window_glue.h"
#include "app/window_places.h"
#include "core/login_start_switch.h"
#include "core/settings.h"
#include "core/settings_location.h"
#include "look/tray_pictures.h"
#include "monitor/monitor_window.h"
#include "platform/file_ops.h"
#include "platform/login_start_registry.h"
#include "platform/qt/desktop_state.h"
#include "platform/qt/task_list.h"
#include "tray/tray_icon.h"

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QScreen>

#include <algorithm>
#include <cstdio>

namespace oruvel::app {

using core::Bar;
using core::BoxState;
using core::Key;
using core::WindowMode;

Gadget::Gadget(core::Settings& settings, WindowPlaces& places, GadgetServices services)
    : settings_(settings), places_(places), services_(std::move(services)), sampler_(services_.openDiskRates) {
    if (!services_.windowSystemPlace) {
        services_.windowSystemPlace = platform::windowSystemPlace;
    }
    const QLocale locale;
    separators_.decimal = locale.decimalPoint().toStdString();
    separators_.grouping = locale.groupSeparator().toStdString();

    // The settings window's legend shows each tray picture at its 16 pixels; the tray icon draws it at the size the
    // notification area asks for.
    for (std::size_t i = 0; i < look::kTrayLegendOrder.size(); ++i) {
        trayPictures_[i] = QPixmap::fromImage(look::trayPicture(look::kTrayLegendOrder[i]));
        trayIcons_[i] = look::trayIcon(look::kTrayLegendOrder[i]);
        trayLegendNames_[i] = look::trayPictureName(look::kTrayLegendOrder[i]);
    }

    glue_ = std::make_unique<WindowGlue>();
    monitor_ = std::make_unique<monitor::MonitorWindow>(
        glue_->snapper(), glue_->system(),
        platform::seeThroughPixelsShow() ? monitor::WindowSurface::SeeThrough : monitor::WindowSurface::Shaped);
    platform::keepOutOfTaskList(*monitor_); // a gadget, not a task
    monitor_->setLook(look());
    tray_ = std::make_unique<tray::TrayIcon>();
    menu_ = std::make_unique<ProgramMenu>(settings_, services_.listDisks, separators_.decimal);
    tray_->setMenu(menu_->menu());

    sampleTimer_.setInterval(1000);
    connect(&sampleTimer_, &QTimer::timeout, this, &Gadget::sampleRates);
    // Whether the see-through modes can show is asked while the settings window is up, so a compositing manager
    // started or ended meanwhile is told.
    compositorWatch_.setInterval(2000);
    connect(&compositorWatch_, &QTimer::timeout, this, [this] {
        if (settingsWindow_ != nullptr && settingsWindow_->isVisible()) {
            settingsWindow_->showNoCompositorNote(!platform::compositorRunning());
        } else {
            compositorWatch_.stop();
        }
    });
    connect(monitor_.get(), &monitor::MonitorWindow::contextMenuRequested, this, &Gadget::popUpMenu);
    // A place is stored only when the window system moved the window: where a compositor ignores a program's moves
    // (sway, weston) or nothing can be known (native Wayland), Qt's idea of the place is not where the window is.
    connect(monitor_.get(), &monitor::MonitorWindow::dragStarted, this,
            [this] { dragStartPlace_ = services_.windowSystemPlace(*monitor_); });
    connect(monitor_.get(), &monitor::MonitorWindow::dragFinished, this, [this] {
        const std::optional<QPoint> now = services_.windowSystemPlace(*monitor_);
        if (now && dragStartPlace_ && *now != *dragStartPlace_) {
            places_.save(kMonitorPlace, monitor_->frameGeometry().topLeft());
        }
    });
    connect(monitor_.get(), &monitor::MonitorWindow::blendModeFinished, this, &Gadget::applyMonitorVisibility);
    // Queued: a menu or the end of the program must not run inside the tray icon's own event handling.
    connect(tray_.get(), &tray::TrayIcon::contextMenuRequested, this, &Gadget::popUpMenu, Qt::QueuedConnection);
    connect(tray_.get(), &tray::TrayIcon::doubleClicked, this, &Gadget::showSettings, Qt::QueuedConnection);
    connect(menu_.get(), &ProgramMenu::showSettingsRequested, this, &Gadget::showSettings);
    connect(menu_.get(), &ProgramMenu::diskActivityRequested, this, &Gadget::showDiskActivity);
    connect(menu_.get(), &ProgramMenu::resetPositionsRequested, this, &Gadget::resetWindowPositions);
    connect(menu_.get(), &ProgramMenu::exitRequested, this, &Gadget::exit);
    listener_ = settings_.addListener([this](Key key) { onSettingChanged(key); });
    // The writer thread's news is shown on this thread, while the gadget still exists.
    settings_.setSaveListener([this, alive = alive_](const platform::ini::SaveState& state) {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [this, alive, state] {
                if (*alive) {
                    showSaveState(state);
                }
            },
            Qt::QueuedConnection);
    });
}

// The settings window costs memory that a gadget left alone never needs: it is built when it is first shown.
void Gadget::buildSettingsWindow() {
    settingsWindow_ = std::make_unique<settings_ui::SettingsWindow>(settings_);
    if (services_.dialogs != nullptr) {
        settingsWindow_->setDialogBackend(services_.dialogs);
    }
    if (services_.loadPicture) {
        settingsWindow_->setPictureLoader(services_.loadPicture);
    }
    settingsWindow_->setPicturesFolder(
        QString::fromStdString(core::picturesFolder(services_.programFolder, platform::isFolder)));
    settingsWindow_->setTrayLegend(trayPictures_, trayLegendNames_);
    if (platform::loginStartPlace() == platform::LoginStartPlace::AutostartFolder) {
        settingsWindow_->setStartWithLoginCaption(QStringLiteral("登录时自动运行")); // the form's caption names Windows
    }
    for (const Bar bar : core::kBars) {
        settingsWindow_->showFillPicture(bar, monitor_->fillPicture(bar));
    }
    if (!saveProblem_.isEmpty()) {
        settingsWindow_->showSaveProblem(saveProblem_);
    }
    if (!loginStartProblem_.isEmpty()) {
        settingsWindow_->showLoginStartProblem(loginStartProblem_);
    }
    connect(settingsWindow_.get(), &settings_ui::SettingsWindow::fillPictureChosen, this, &Gadget::setFillPicture);
    connect(settingsWindow_.get(), &settings_ui::SettingsWindow::resetPositionsRequested, this,
            &Gadget::resetWindowPositions);
    connect(settingsWindow_.get(), &settings_ui::SettingsWindow::menuRequested, this, &Gadget::popUpMenu,
            Qt::QueuedConnection);
    connect(settingsWindow_.get(), &settings_ui::SettingsWindow::closed, this, &Gadget::onSettingsWindowClosed);
    glue_->addSettingsWindow(*settingsWindow_);
    glue_->moveFromCode(*settingsWindow_, firstSettingsWindowPlace());
}

settings_ui::SettingsWindow& Gadget::settingsWindow() {
    if (settingsWindow_ == nullptr) {
        buildSettingsWindow();
    }
    return *settingsWindow_;
}

Gadget::~Gadget() {
    *alive_ = false;
    settings_.setSaveListener({});
    settings_.removeListener(listener_);
    sampleTimer_.stop();
}

void Gadget::start() {
    if (exiting_) {
        return;
    }
    const core::Settings::Batch batch(settings_); // what the start writes lands in one replace of the file
    if (settings_.textAtStart(Key::DiskInstance).empty()) {
        settings_.store(Key::DiskInstance);
    }
    sampler_.open(settings_.text(Key::DiskInstance));
    settings_.writeBackRestored();

    // The icon starts with the picture of two idle disks.
    shownTrayPicture_ = core::LoadBands{};
    tray_->setIcon(trayIcons_[0]);
    tray_->setToolTip(trayToolTip()); // the caption and the disk from the start, before any rate is read
    tray_->show();

    for (const Bar bar : core::kBars) {
        if (const auto picture = loadStoredPicture(settings_.text(core::fillPicturePathKey(bar)))) {
            setFillPicture(bar, *picture);
        }
    }

    monitor_->setLook(look());
    monitor_->restore(settings_.textAtStart(Key::CompactMode) == "1");
    restorePlace(*monitor_, kMonitorPlace, monitor_->settledSize());
    glue_->addMonitor(*monitor_);
    monitor_->finishRestore();
    monitor_->applyWindowMode();
    settings_.settleHiddenMonitor();
    // From here the monitor may show. An undecided show box neither shows nor hides it: it comes up as stay-on-top
    // brings it.
    visibilityApplied_ = true;
    monitor_->setLook(look());

    settings_.store(Key::ShowMonitor);
    applyMonitorVisibility();
    settings_.store(Key::CompactMode);
    monitor_->applyCompactLayout();
    // The scheme as a start has always written it.
    for (const core::ColourRoleKey& c : core::kColourRoleKeys) {
        settings_.store(c.key);
    }
    settings_.store(Key::BarBorder);
    for (const Bar bar : core::kBars) {
        for (const Key key : core::fillKeysOf(bar)) {
            settings_.store(key);
        }
    }
    sampleTimer_.start();
}

// A stored picture that is not where it was stored, from a program folder that has been moved since, is taken from
// today's pictures folder; the stored path stays as it is.
std::optional<QImage> Gadget::loadStoredPicture(const std::string& path) const {
    if (path.empty() || !services_.loadPicture) {
        return std::nullopt;
    }
    if (auto picture = services_.loadPicture(QString::fromStdString(path))) {
        return picture;
    }
    if (platform::isRegularFile(path)) {
        return std::nullopt; // there, but no picture
    }
    const std::string moved =
        core::shippedPictureNow(path, core::picturesFolder(services_.programFolder, platform::isFolder));
    return moved.empty() ? std::nullopt : services_.loadPicture(QString::fromStdString(moved));
}

void Gadget::sampleRates() {
    sampler_.sample();
    // The minute just past is kept from what the tick reads anyway; the window reads more only while it is open.
    const double seconds = sinceLastSample_.isValid() ? static_cast<double>(sinceLastSample_.restart()) / 1000.0 : 0.0;
    if (!sinceLastSample_.isValid()) {
        sinceLastSample_.start();
    }
    history_.push(sampler_.readRate(), sampler_.writeRate(), seconds);
    if (activityWindow_ != nullptr) {
        activityWindow_->sample();
    }
    const core::Readout::Shown& shown =
        readout_.compute(sampler_.readRate(), sampler_.writeRate(), settings_.box(Key::CompactMode) != BoxState::Clear,
                         settings_.text(Key::ReadFullScale), settings_.text(Key::WriteFullScale), separators_);

    const bool emptyBars = settings_.box(Key::DisableBarFill) != BoxState::Clear;
    monitor_->readBar().setValue(emptyBars ? 0 : shown.readPercent);
    monitor_->writeBar().setValue(emptyBars ? 0 : shown.writePercent);
    const bool hideText = settings_.box(Key::HideBarText) == BoxState::Ticked;
    const QString readText = hideText ? QString() : QString::fromStdString(shown.texts.read);
    const QString writeText = hideText ? QString() : QString::fromStdString(shown.texts.write);
    const bool textsChanged = monitor_->readBar().text() != readText || monitor_->writeBar().text() != writeText;
    monitor_->readBar().setText(readText);
    monitor_->writeBar().setText(writeText);

    if (shownTrayPicture_ != shown.loadBands) {
        shownTrayPicture_ = shown.loadBands;
        const auto* at = std::find(look::kTrayLegendOrder.begin(), look::kTrayLegendOrder.end(), shown.loadBands);
        tray_->setIcon(trayIcons_[static_cast<std::size_t>(at - look::kTrayLegendOrder.begin())]);
    }
    // The platform gives no hover event for the tray icon, so the tooltip follows the bar texts it shows; an idle
    // cycle, which changes no text, builds none.
    if (textsChanged) {
        tray_->setToolTip(trayToolTip());
    }
}

QString Gadget::trayToolTip() const {
    QStringList lines{settings_ui::programCaption(),
                      QStringLiteral("Drive: ") + QString::fromStdString(settings_.text(Key::DiskInstance)),
                      monitor_->readBar().text(), monitor_->writeBar().text()};
    return lines.join(QStringLiteral("\r\n"));
}

void Gadget::exit() {
    if (exiting_) {
        return;
    }
    exiting_ = true;
    sampleTimer_.stop();
    sampler_.close();
    saveSettingsWindowPlace();
    closeDiskActivity();
    tray_->hide();
    monitor_->shutDown();
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != settingsWindow_.get() && w != monitor_.get() && w->isVisible()) {
            w->hide();
        }
    }
    if (settingsWindow_ != nullptr) {
        settingsWindow_->hide();
    }
    QCoreApplication::quit();
}

void Gadget::showSettings() {
    if (exiting_) {
        return;
    }
    settingsWindow();
    const bool wasHidden = !settingsWindow_->isVisible();
    settingsWindow_->showNoCompositorNote(!platform::compositorRunning());
    compositorWatch_.start();
    settingsWindow_->showInFront();
    if (wasHidden) {
        // The window manager frames the window once it is shown; a frame that then reaches off the screen is moved in.
        QTimer::singleShot(kFrameSettleMilliseconds, this, [this] {
            const QRect frame = settingsWindow_->frameGeometry();
            const QPoint inside = placeOnScreen(frame, availableAreas());
            if (settingsWindow_->isVisible() && inside != frame.topLeft()) {
                glue_->moveFromCode(*settingsWindow_, inside);
            }
        });
    }
}

void Gadget::showDiskActivity() {
    if (exiting_) {
        return;
    }
    if (activityWindow_ == nullptr) {
        activityWindow_ = std::make_unique<activity::DiskActivityWindow>(settings_, services_.activity, separators_);
        activityWindow_->seedHistory(settings_.text(Key::DiskInstance), history_, historySince_);
        if (const std::optional<QRect> frame = places_.frame(kDiskActivityPlace)) {
            const QSize size = frame->size().expandedTo(activityWindow_->minimumSizeHint());
            activityWindow_->resize(size);
            activityWindow_->move(placeOnScreen(QRect(frame->topLeft(), size), availableAreas()));
        } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect s = screen->availableGeometry();
            activityWindow_->move(s.center() - activityWindow_->rect().center());
        }
        connect(activityWindow_.get(), &activity::DiskActivityWindow::closed, this, &Gadget::closeDiskActivity,
                Qt::QueuedConnection);
        activityWindow_->sample(); // the disks are listed at once; their rates come with the next second
    }
    activityWindow_->show();
    activityWindow_->raise();
    activityWindow_->activateWindow();
}

// A closed window reads nothing: it is dropped, and its place and size kept for the next time.
void Gadget::closeDiskActivity() {
    if (activityWindow_ == nullptr) {
        return;
    }
    places_.saveFrame(kDiskActivityPlace, QRect(activityWindow_->pos(), activityWindow_->size()));
    activityWindow_.reset(); // its close has been handled: this runs from the event loop, or at the exit
}

void Gadget::saveSettingsWindowPlace() {
    places_.save(kSettingsWindowPlace,
                 settingsWindow_ != nullptr ? settingsWindow_->frameGeometry().topLeft() : firstSettingsWindowPlace());
}

// Its stored place as far as it lies on a screen, else the middle of the screen; the window is placed before the
// window manager frames it, so its size is its own.
QPoint Gadget::firstSettingsWindowPlace() const {
    const QSize size(settings_ui::SettingsWindow::kClientWidth, settings_ui::SettingsWindow::kClientHeight);
    if (const std::optional<QPoint> place = places_.place(kSettingsWindowPlace)) {
        return placeOnScreen(QRect(*place, size), availableAreas());
    }
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect s = screen->geometry();
        return {s.left() + (s.width() - size.width()) / 2, s.top() + (s.height() - size.height()) / 2};
    }
    return {};
}

void Gadget::restorePlace(QWidget& window, const QString& name, const QSize& settledSize) {
    const std::optional<QPoint> place = places_.place(name);
    if (!place) {
        return;
    }
    const QSize frame = window.frameGeometry().size() - window.size() + settledSize;
    glue_->moveFromCode(window, placeOnScreen(QRect(*place, frame), availableAreas()));
}

QList<QRect> Gadget::availableAreas() {
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens()) {
        areas << screen->availableGeometry();
    }
    return areas;
}

bool Gadget::onlyTheSettingsWindowLeadsBack() const {
    return !exiting_ && !tray_->isAvailable() && !monitor_->isVisible();
}

void Gadget::keepReachable() {
    if (onlyTheSettingsWindowLeadsBack()) {
        showSettings();
    }
}

void Gadget::onSettingsWindowClosed() {
    if (onlyTheSettingsWindowLeadsBack()) {
        settings_.setNumber(Key::ShowMonitor, 1);
    }
}

void Gadget::resetWindowPositions() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        monitor_->moveToDefaultPlace();
        if (settingsWindow_ != nullptr) {
            const QRect s = screen->geometry();
            const QRect frame = settingsWindow_->frameGeometry();
            glue_->moveFromCode(*settingsWindow_, {s.left() + s.width() / 2 - frame.width() / 2,
                                                   s.top() + s.height() / 2 - frame.height() / 2});
        }
    }
    places_.forget();
}

void Gadget::popUpMenu(const QPoint& globalPos) {
    if (settingsWindow_ != nullptr && settingsWindow_->isVisible()) {
        settingsWindow_->raise();
    }
    menu_->popUp(globalPos);
}

void Gadget::showSaveState(const platform::ini::SaveState& state) {
    const QString file = QDir::toNativeSeparators(QString::fromStdString(settings_.path()));
    const QString reason = QString::fromStdString(state.reason);
    if (state.unsaved && !saveProblemTold_) {
        // Once for each time the changes stop landing, not at every retry or new reason.
        std::fprintf(stderr, "Oruvel: settings not saved to %s: %s (kept, tried again)\n", qPrintable(file),
                     qPrintable(reason));
    }
    saveProblemTold_ = state.unsaved;
    saveProblem_ = state.unsaved ? QStringLiteral("设置未保存到 %1：%2").arg(file, reason) : QString();
    if (settingsWindow_ != nullptr) {
        settingsWindow_->showSaveProblem(saveProblem_);
    }
}

void Gadget::setFillPicture(Bar bar, const QImage& picture) {
    monitor_->setFillPicture(bar, picture);
    if (settingsWindow_ != nullptr) {
        settingsWindow_->showFillPicture(bar, picture);
    }
}

} // namespace oruvel::app
