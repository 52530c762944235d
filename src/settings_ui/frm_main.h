#pragma once

#include "core/format_bytes.h"
#include "core/settings_keys.h"
#include "core/window_position.h"
#include "monitor/magnetic_wnd.h"
#include "monitor/monitor_host.h"
#include "monitor/qt_snap_window_system.h"
#include "settings_ui/tick_readout.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QScrollBar;

namespace oruvel::core {
class Program;
class StartWithLoginPort;
}
namespace oruvel::monitor {
class FrmMonitor;
}

namespace oruvel::settings_ui {

class ClickableLabel;
class DialogBackend;
class RateTextBox;
class TrayPort;
class ColourSwatch;
class VbCheckBox;
class VbOptionButton;

// Why the settings window is being unloaded.
enum class UnloadMode {
    UserClose,  // the close box or the system menu
    FromCode,   // the exit command
    SessionEnd, // log-off, shutdown or a termination signal
};

// The settings window. Its controls are the program's live settings: every change is applied to the monitor and
// written to the settings file at once. It is only hidden when closed; it owns the sampling timer, the snapping
// object and the menu, and lives for the whole run.
class FrmMain : public QWidget, public monitor::MonitorHost, public core::PositionedWindow {
    Q_OBJECT
public:
    explicit FrmMain(core::Program& program);
    ~FrmMain() override;

    // Program-wide members.
    std::string sDrive;
    QString sBarFillGraphicLocation;
    QString sBarFillGraphicLocation2;

    // Controls, by their names.
    QGroupBox* FrameTab = nullptr;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QGroupBox* Frame4 = nullptr;
    VbCheckBox* Check1 = nullptr;
    VbCheckBox* Check2 = nullptr;
    VbCheckBox* Check3 = nullptr;
    VbCheckBox* Check4 = nullptr;
    VbCheckBox* Check5 = nullptr;
    VbCheckBox* Check7 = nullptr;
    VbCheckBox* Check8 = nullptr;
    VbCheckBox* Check12 = nullptr;
    std::map<int, ColourSwatch*> PicProgramColors; // items 0-3 and 6-9
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* Command6 = nullptr;
    VbOptionButton* Option1 = nullptr;
    VbOptionButton* Option2 = nullptr;
    VbOptionButton* Option3 = nullptr;
    VbOptionButton* Option4 = nullptr;
    std::array<VbOptionButton*, 4> OptionTrans{};
    std::array<QScrollBar*, 2> updFadeIn{};
    std::map<int, QLabel*> Label1; // items 0-7, 213 and 216
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    ClickableLabel* Label7 = nullptr;
    ClickableLabel* Image1 = nullptr;
    std::map<int, QLabel*> Image; // Image2 to Image10: the tray pictures
    RateTextBox* Text1 = nullptr;
    RateTextBox* Text2 = nullptr;
    QLabel* PB_Default = nullptr;
    QLabel* PB2_Default = nullptr;
    QTimer Timer1;
    QMenu* mMenu = nullptr;

    // The monitor window, created by the first handler that needs it; null once shutdown has begun and it is gone.
    monitor::FrmMonitor* FrmMonitor();
    monitor::FrmMonitor* existingMonitor() const { return monitor_.get(); }

    // Start-up and shutdown.
    void Form_Load();
    // The close request: true cancels the unload.
    bool Form_QueryUnload(UnloadMode mode);
    void Form_Unload();
    // Unloads the window the way `mode` says; false when the request was cancelled (the window is only hidden).
    bool Unload(UnloadMode mode);
    void MenuExit_Click();

    // Sampling cycle.
    void Timer1_Timer();
    // Number (2 to 10) of the image control last chosen for the tray.
    int trayImageNumber() const { return readout_.last().trayImage; }
    // The picture of image control `number` (2 to 10).
    const QImage& trayImage(int number) const { return trayPictures_[static_cast<std::size_t>(number)]; }
    // The tray icon control (set up by the program; null when there is none).
    TrayPort* SysTrayMain = nullptr;
    // Registers or removes the start at logon (set up by the program; null when there is none).
    core::StartWithLoginPort* startWithLogin = nullptr;
    // The dialogs the window opens (Qt's own unless replaced).
    DialogBackend* dialogs = nullptr;
    // Reads a picture file for a bar's fill; nullopt when it does not load as a picture.
    std::function<std::optional<QImage>(const QString&)> loadPicture;

    // Bar and window options.
    void Check1_MouseUp(int button, int shift, int x, int y);
    void Check2_MouseUp(int button, int shift, int x, int y);
    void Check3_MouseUp(int button, int shift, int x, int y);
    void Check4_MouseUp(int button, int shift, int x, int y) override;
    void Check5_MouseUp(int button, int shift, int x, int y);
    void Check7_MouseUp(int button, int shift, int x, int y);
    void Check8_Click();
    void Check12_Click();
    void OptionN_MouseUp();

    // Colour scheme.
    void SetAllColors();
    void SaveAllColors();
    void Command1_Click();
    void Command5_Click();

    // Menu commands, links and tray events.
    void MenuShowHide_Click();
    void MenuShowBarText_Click();
    void MenuReset_Click();
    void MenuSettings_Click();
    void MenuFacebook_Click();
    void menuHelp_Click();
    void menuquorlane_Click();
    void Image1_Click();
    void Label7_Click();
    void SysTrayMain_Click(int button, int shift, int x, int y);
    void SysTrayMain_DblClick(int button, int shift, int x, int y);
    void SysTrayMain_MouseMove(int button, int shift, int x, int y);
    // The tray tooltip: the caption up to "By", the disk instance and both bar texts, one per line (CR LF).
    QString trayToolTipText() const;

    // Colour swatches, fill pictures, full-scale boxes and position reset.
    void PicProgramColors_Click(int index);
    void TextN_KeyUp(int box);
    void Command2_Click();
    void Command6_Click();
    void Command4_Click();

    // Transparency options.
    void OptionTrans_Click(int index);
    void updFadeIn_Change(int index);
    void updFadeIn_Scroll(int index);

    QImage& defaultPictureRef(int bar) { return defaultPictures_[static_cast<std::size_t>(bar)]; }
    void showDefaultPicture(int bar);

    core::NumberSeparators numberSeparators() const { return separators_; }
    core::Program& program() { return program_; }

    // MonitorHost
    core::Colour swatchColour(int item) const override;
    int checkValue(int number) const override;
    bool optionSelected(int number) const override;
    bool transparencySelected(int item) const override;
    int fadeInValue(int item) const override;
    QImage defaultPicture(int bar) const override;
    monitor::cMagneticWnd* magneticWnd() override { return &oMagneticWnd; }
    monitor::QtSnapWindowSystem* snapWindowSystem() override { return &snapSystem_; }
    void popUpMenu(const QPoint& globalPos) override;
    QWidget* settingsWindow() override { return this; }

    // PositionedWindow
    std::string windowName() const override { return "FrmMain"; }
    int topTwips() const override;
    int leftTwips() const override;
    void moveTwips(int left, int top) override;

    // Fixed client size, in pixels.
    static constexpr int kClientWidth = 486;
    static constexpr int kClientHeight = 392;

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void buildControls();
    void buildMenu();
    void restoreControls();
    void writeKey(const core::SettingKey& key, const std::string& value);
    void setControlsEnabled(bool enabled, bool hiding);
    void followSettingsWindowMove(const QPoint& from, const QPoint& to);
    void chooseFillPicture(int bar);
    void toggleBox(VbCheckBox* box, void (FrmMain::*mouseUp)(int, int, int, int));
    // Moves this window without dragging glued windows along (only the user's moves do that).
    void moveFromCode(const QPoint& topLeft);

    core::Program& program_;
    monitor::QtSnapWindowSystem snapSystem_;

public:
    monitor::cMagneticWnd oMagneticWnd{snapSystem_};

private:
    std::unique_ptr<monitor::FrmMonitor> monitor_;
    std::array<QImage, 2> defaultPictures_;
    std::array<QImage, 11> trayPictures_; // by image control number, 2 to 10
    core::NumberSeparators separators_;
    TickReadout readout_;
    bool unloading_ = false;
    bool unloaded_ = false;
    QPoint lastPosition_;
    bool positionKnown_ = false;
    bool movingFromCode_ = false;
};

// The program's caption: "Oruvel v" + major.minor.revision.
QString programCaption();

} // namespace oruvel::settings_ui
