#pragma once

#include "activity/disk_activity_window.h"
#include "core/disk_rate_sampler.h"
#include "core/format_bytes.h"
#include "core/rate_history.h"
#include "core/readout.h"
#include "core/settings_keys.h"
#include "monitor/monitor_look.h"
#include "platform/disk_list.h"
#include "platform/ini_write_queue.h"
#include "settings_ui/settings_window.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QIcon>
#include <QObject>
#include <QPoint>
#include <QTimer>

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace oruvel::core {
class Settings;
class LoginStartSwitch;
} // namespace oruvel::core
namespace oruvel::monitor {
class MonitorWindow;
}
namespace oruvel::settings_ui {
class DialogBackend;
}
namespace oruvel::tray {
class TrayIcon;
}

namespace oruvel::app {

class ProgramMenu;
class WindowGlue;
class WindowPlaces;

// What the gadget is given from outside: the program's folder, and the ways it reaches the system (replaced by
// fixtures in tests).
struct GadgetServices {
    std::string programFolder;
    core::DiskRateSampler::SourceOpener openDiskRates;
    platform::DiskLister listDisks;
    core::LoginStartSwitch* loginStart = nullptr;
    settings_ui::DialogBackend* dialogs = nullptr; // Qt's own when null
    settings_ui::SettingsWindow::PictureLoader loadPicture;
    // What the disk-activity window reads while it is open.
    activity::ActivityServices activity;
    // Where the window system has a window (the platform's answer when empty): a drag stores a place only when this
    // moved.
    std::function<std::optional<QPoint>(const QWidget&)> windowSystemPlace;
};

// The running gadget: it owns the disk rates and their one-second timer, the monitor, the settings window, the tray
// icon, the menu and the snapping of the windows, and keeps them in step with the settings. Every change of a
// setting, wherever it is made, is applied here.
class Gadget : public QObject {
    Q_OBJECT
public:
    Gadget(core::Settings& settings, WindowPlaces& places, GadgetServices services);
    ~Gadget() override;

    // Places the windows, opens the disk rates, shows the tray icon and the monitor (as stored) and starts sampling.
    void start();
    // One sampling cycle: rates, bar values and texts, tray picture and tooltip.
    void sampleRates();
    // Ends the program: stores the settings window's place, hides the tray icon and every window, and quits.
    void exit();
    bool isExiting() const { return exiting_; }

    void showSettings();
    // Opens the disk-activity window (built now, at its stored place and size), or brings it to the front.
    void showDiskActivity();
    activity::DiskActivityWindow* diskActivityWindow() const { return activityWindow_.get(); }
    // The last minute of the monitor's disk and the bytes moved since it was chosen (or the program started).
    const core::RateHistory& history() const { return history_; }
    // Shows a picture as a bar's fill from now on (the stored path is left as it is).
    void setFillPicture(core::Bar bar, const QImage& picture);
    // Puts both windows back to their first places and forgets the stored ones.
    void resetWindowPositions();
    // Stores where the settings window is, or would be when it has not been built.
    void saveSettingsWindowPlace();

    monitor::MonitorWindow& monitor() { return *monitor_; }
    // The settings window, built now when it has not been yet.
    settings_ui::SettingsWindow& settingsWindow();
    bool hasSettingsWindow() const { return settingsWindow_ != nullptr; }
    tray::TrayIcon& tray() { return *tray_; }
    ProgramMenu& menu() { return *menu_; }
    QTimer& sampleTimer() { return sampleTimer_; }
    bool isSampling() const { return sampler_.isOpen(); }

    // The tray picture chosen by the last sampling cycle.
    core::LoadBands currentTrayPicture() const { return readout_.last().loadBands; }
    // The tray tooltip: the program's caption, the disk instance and both bar texts, one per line (CR LF).
    QString trayToolTip() const;

private:
    void onSettingChanged(core::Key key);
    monitor::MonitorLook look() const;
    void applyMonitorVisibility();
    void popUpMenu(const QPoint& globalPos);
    void buildSettingsWindow();
    QPoint firstSettingsWindowPlace() const;
    // Moves a window to its stored place, or as near to it as lies wholly on a screen at the size it settles on.
    void restorePlace(QWidget& window, const QString& name, const QSize& settledSize);
    static QList<QRect> availableAreas();
    static constexpr int kFrameSettleMilliseconds = 300;
    // Without a notification area something of the program is always on screen: while the monitor is not, the
    // settings window stays up, and closing it shows the monitor again.
    void keepReachable();
    void onSettingsWindowClosed();
    // Neither a tray icon nor the monitor is on screen (and the program is not ending).
    bool onlyTheSettingsWindowLeadsBack() const;
    void showSaveState(const platform::ini::SaveState& state);
    void closeDiskActivity();
    void applyLoginStart();
    std::optional<QImage> loadStoredPicture(const std::string& path) const;

    core::Settings& settings_;
    WindowPlaces& places_;
    GadgetServices services_;
    core::DiskRateSampler sampler_;
    core::NumberSeparators separators_;
    core::Readout readout_;
    QTimer sampleTimer_;
    QTimer compositorWatch_; // while the settings window is up
    std::unique_ptr<settings_ui::SettingsWindow> settingsWindow_;
    std::unique_ptr<WindowGlue> glue_;
    std::unique_ptr<monitor::MonitorWindow> monitor_;
    std::optional<QPoint> dragStartPlace_; // where the window system had the monitor as a drag began
    std::unique_ptr<ProgramMenu> menu_; // outlives the tray icon, which may hold its menu
    std::unique_ptr<tray::TrayIcon> tray_;
    std::unique_ptr<activity::DiskActivityWindow> activityWindow_;
    core::RateHistory history_;
    QDateTime historySince_ = QDateTime::currentDateTime();
    QElapsedTimer sinceLastSample_;
    std::array<QPixmap, 9> trayPictures_; // in the legend's order
    std::array<QIcon, 9> trayIcons_;
    std::array<QString, 9> trayLegendNames_;
    QString saveProblem_; // shown at the foot of the settings window
    QString loginStartProblem_;
    bool revertingLoginStart_ = false;
    std::optional<core::LoadBands> shownTrayPicture_;
    int listener_ = -1;
    bool visibilityApplied_ = false;
    bool applyingChange_ = false;
    bool exiting_ = false;
    bool saveProblemTold_ = false;
    // False once the gadget is gone: news from the settings' writer thread is dropped then.
    std::shared_ptr<std::atomic_bool> alive_ = std::make_shared<std::atomic_bool>(true);
};

} // namespace oruvel::app
