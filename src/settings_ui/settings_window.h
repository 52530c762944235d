#pragma once

#include "core/appearance.h"
#include "core/format_bytes.h"
#include "core/sampling.h"
#include "core/settings_keys.h"
#include "core/window_position.h"
#include "monitor/monitor_settings_source.h"
#include "monitor/qt_snap_window_system.h"
#include "monitor/window_snapper.h"
#include "platform/disk_list.h"
#include "settings_ui/tick_readout.h"
#include "ui_settings_window.h"

#include <QIcon>
#include <QImage>
#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QLabel;
class QMenu;
class QScrollBar;

namespace oruvel::core {
class Program;
class StartWithLoginPort;
} // namespace oruvel::core
namespace oruvel::monitor {
class MonitorWindow;
}

namespace oruvel::settings_ui {

class DialogBackend;

// The stored name of the settings window's position values.
inline constexpr const char* kSettingsWindowStoreName = "FrmMain";

// Why the program is asked to end (or only to close the settings window).
enum class ShutdownReason {
    UserClose,   // the close box or the system menu: the window is only hidden
    ExitCommand, // the menu's exit command
    SessionEnd,  // log-off, shutdown or a termination signal
};

// The settings window. Its controls are the program's live settings: every change is applied to the monitor and
// written to the settings file at once. It is only hidden when closed; it owns the sampling timer, the window snapper
// and the program's menu, and lives for the whole run.
class SettingsWindow : public QWidget,
                       public Ui_SettingsWindow,
                       public monitor::MonitorSettingsSource,
                       public core::PositionedWindow {
    Q_OBJECT
public:
    explicit SettingsWindow(core::Program& program);
    ~SettingsWindow() override;

    // The controls of the form (settings_window.ui) are public members, named for their settings; these arrays index
    // them by type.
    std::array<ColourSwatch*, core::kColourRoleCount> colourSwatches{};
    std::array<QLabel*, core::kColourRoleCount> colourLabels{};
    // Indexed by core::WindowMode.
    std::array<SettingRadioButton*, 4> windowModeRadioButtons{};
    std::array<QLabel*, 9> trayLegendLabels{}; // in kTrayLegendOrder

    SettingRadioButton* windowModeRadioButton(core::WindowMode mode) const {
        return windowModeRadioButtons[core::indexOf(mode)];
    }
    ColourSwatch* colourSwatch(core::ColourRole role) const { return colourSwatches[core::indexOf(role)]; }
    QScrollBar* opacityScrollBar(core::WindowMode mode) const;
    QMenu* contextMenu() const { return contextMenu_; }
    QTimer& sampleTimer() { return sampleTimer_; }

    // The monitor window, created by the first handler that needs it; null once shutdown has begun and it is gone.
    monitor::MonitorWindow* monitor();
    monitor::MonitorWindow* monitorIfCreated() const { return monitor_.get(); }

    // Centres the window, restores its position and the controls, opens the counters, shows the tray icon, loads the
    // fill pictures, applies the options and starts sampling.
    void start();
    // Ends the program (or only hides the window for a user's close); false when only hidden.
    bool requestShutdown(ShutdownReason reason);

    // The tray picture chosen by the last sampling cycle.
    core::LoadBands currentTrayPicture() const { return readout_.last().loadBands; }
    // The tray tooltip: the caption up to "By", the disk instance and both bar texts, one per line (CR LF).
    QString trayToolTip() const;

    // Registers or removes the start at login (set up by the program; null when there is none).
    void setStartWithLogin(core::StartWithLoginPort* port) { startWithLogin_ = port; }
    // The dialogs the window opens (Qt's own unless replaced).
    void setDialogBackend(DialogBackend* dialogs) { dialogs_ = dialogs; }
    // Reads a picture file for a bar's fill; nullopt when it does not load as a picture.
    using PictureLoader = std::function<std::optional<QImage>(const QString&)>;
    void setPictureLoader(PictureLoader loader) { loadPicture_ = std::move(loader); }
    // Lists the disks the disk menu offers (the system's unless replaced).
    void setDiskLister(platform::DiskLister lister) { listDisks_ = std::move(lister); }
    QMenu* diskMenu() const { return diskMenu_; }

    // The path of a bar's fill picture as last chosen or stored (empty: the built-in picture).
    const QString& fillPicturePath(core::Bar bar) const { return fillPicturePaths_[core::indexOf(bar)]; }
    // Shows a picture as a bar's fill from now on (the stored path is left as it is).
    void setFillPicture(core::Bar bar, const QImage& picture);

    const std::string& diskInstance() const { return diskInstance_; }
    core::NumberSeparators numberSeparators() const { return separators_; }
    core::Program& program() { return program_; }

    // MonitorSettingsSource
    core::Colour colour(core::ColourRole role) const override;
    bool barBorder() const override;
    bool roundCorners() const override;
    std::optional<bool> alwaysOnTop() const override;
    core::FillMode fillMode(core::Bar bar) const override;
    std::optional<core::WindowMode> windowMode() const override;
    int opacity(core::WindowMode mode) const override;
    QImage fillPicture(core::Bar bar) const override { return fillPictures_[core::indexOf(bar)]; }
    monitor::WindowSnapper* windowSnapper() override { return &windowSnapper_; }
    monitor::QtSnapWindowSystem* snapWindowSystem() override { return &snapSystem_; }
    void popUpContextMenu(const QPoint& globalPos) override;
    void applyMonitorVisibility() override;
    // Nothing shows the monitor before start-up has applied the show-monitor setting, so a hidden one never flashes.
    bool monitorShown() const override { return monitorVisibilityApplied_ && showMonitorCheckBox->value() != 0; }
    QWidget* settingsWindow() override { return this; }

    // PositionedWindow
    std::string windowName() const override { return kSettingsWindowStoreName; }
    int topTwips() const override;
    int leftTwips() const override;
    void moveTwips(int left, int top) override;

    // Fixed client size, in pixels.
    static constexpr int kClientWidth = 486;
    static constexpr int kClientHeight = 392;

public slots:
    // One sampling cycle: counters, bar values and texts, tray picture and tooltip.
    void sampleRates();
    void exitProgram();

    // Options.
    void onBarBorderClicked();
    void onStartWithLoginClicked();
    void applyCompactMode();
    void onDisableBarFillClicked();
    void onHideBarTextClicked();
    void onRoundCornersToggled();
    void onAlwaysOnTopToggled();
    void onFillModeClicked();

    // Colour scheme.
    void applyAppearance();
    void saveAppearance();
    void restoreDefaultColours();
    void randomizeColours();
    void chooseColour(core::ColourRole role);

    // Fill pictures, full scales and positions.
    void chooseFillPicture(core::Bar bar);
    void storeFullScale(core::Bar bar);
    void resetWindowPositions();

    // Window modes.
    void applyWindowMode(core::WindowMode mode);
    void applyOpacity(core::WindowMode mode);

    // Menu commands, links and tray events.
    void toggleMonitor();
    void toggleBarText();
    void showSettings();
    void openMakerSocialPage();
    void openOnlineHelp();
    void openWebsite();
    void onTrayContextMenuRequested(const QPoint& globalPos);
    void onTrayDoubleClicked();
    void refreshTrayToolTip();
    // Reads `instance` ("_Total" or a disk's name) from the next sampling cycle on, and stores it.
    void selectDiskInstance(const std::string& instance);

signals:
    void trayIconVisibilityRequested(bool visible);
    // The tray picture changed (the icon to show).
    void trayIconChanged(const QIcon& icon);
    void trayToolTipChanged(const QString& text);

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void buildControls();
    void connectControls();
    void buildContextMenu();
    // The disk menu, built anew each time it opens so that disks plugged in since show up.
    void populateDiskMenu();
    void restoreControls();
    void finishShutdown();
    void store(const core::SettingKey& key, const std::string& value);
    void setAppearanceControlsEnabled(bool enabled, bool includeOpacity);
    void followSettingsWindowMove(const QPoint& from, const QPoint& to);
    void showFillPicturePreview(core::Bar bar);
    void toggleFromMenu(SettingCheckBox* box, void (SettingsWindow::*apply)());
    // Moves this window without dragging glued windows along (only the user's moves do that).
    void moveFromCode(const QPoint& topLeft);

    core::Program& program_;
    monitor::QtSnapWindowSystem snapSystem_;
    monitor::WindowSnapper windowSnapper_{snapSystem_};
    std::unique_ptr<monitor::MonitorWindow> monitor_;
    QMenu* contextMenu_ = nullptr;
    QMenu* diskMenu_ = nullptr;
    platform::DiskLister listDisks_;
    QTimer sampleTimer_;
    core::StartWithLoginPort* startWithLogin_ = nullptr;
    DialogBackend* dialogs_ = nullptr;
    PictureLoader loadPicture_;
    std::string diskInstance_;
    std::array<QString, 2> fillPicturePaths_;
    std::array<QImage, 2> fillPictures_;
    std::array<QIcon, 9> trayIcons_; // in kTrayLegendOrder
    std::optional<core::LoadBands> shownTrayPicture_;
    core::NumberSeparators separators_;
    TickReadout readout_;
    bool monitorVisibilityApplied_ = false;
    bool shutDown_ = false;
    QPoint lastPosition_;
    bool positionKnown_ = false;
    bool movingFromCode_ = false;
};

// The program's caption: "Oruvel v" + major.minor.revision.
QString programCaption();

} // namespace oruvel::settings_ui
