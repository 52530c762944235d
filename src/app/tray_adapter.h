#pragma once

#include "settings_ui/tray_port.h"
#include "tray/ctl_sys_tray.h"
#include "tray/qt_tray_shell.h"

namespace oruvel::core {
class Program;
}
namespace oruvel::settings_ui {
class FrmMain;
}

namespace oruvel::app {

// Connects the settings window to its tray icon control: the control's events go to the window's tray handlers, and
// the window's icon changes reach the notification area. The platform gives no hover event for the icon, so the
// tooltip is rebuilt (the same four lines) each time the sampling cycle sets the icon; only a changed text is sent.
class TrayAdapter final : public settings_ui::TrayPort {
public:
    TrayAdapter(settings_ui::FrmMain& frmMain, core::Program& program);

    void Show() override { SysTrayMain_.Show(); }
    void Hide() override { SysTrayMain_.Hide(); }
    void setIcon(int number, const QImage& picture) override;
    void setToolTip(const QString& text) override { SysTrayMain_.ToolTip(text.toStdString()); }
    bool available() const override { return shell_.available(); }

    tray::ctlSysTray& control() { return SysTrayMain_; }
    tray::QtTrayShell& shell() { return shell_; }

private:
    settings_ui::FrmMain& frmMain_;
    tray::QtTrayShell shell_;
    tray::ctlSysTray SysTrayMain_;
    std::array<bool, 11> registered_{};
};

} // namespace oruvel::app
