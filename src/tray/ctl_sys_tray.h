#pragma once

#include "tray/cls_sys_tray_icon.h"

#include <string>

namespace oruvel::tray {

// The tray icon control that the settings window carries: forwards to its worker, raises the worker's events, and
// puts the icon back by itself when the notification area is recreated (AutoReload).
class ctlSysTray {
public:
    ctlSysTray(TrayShell& shell, Handle hookSurface, std::function<void()> letMessagesRun);

    TrayEvents events;

    bool AutoReload = true;
    Handle Icon() const { return msysIcon_.Icon(); }
    void Icon(Handle icon) { msysIcon_.Icon(icon); }
    const std::string& ToolTip() const { return msysIcon_.ToolTip(); }
    void ToolTip(const std::string& text) { msysIcon_.ToolTip(text); }
    const std::string& ToolTipTitle() const { return msysIcon_.ToolTipTitle(); }
    void ToolTipTitle(const std::string& text) { msysIcon_.ToolTipTitle(text); }
    bool ShowToolTip() const { return showToolTip_; }
    void ShowToolTip(bool show);
    void CloseTooltip() { msysIcon_.CloseTooltip(); }
    void Show() { msysIcon_.ShowIcon(); }
    void Hide() { msysIcon_.UnloadIcon(); }
    void Reload();

    clsSysTrayIcon& worker() { return msysIcon_; }

private:
    clsSysTrayIcon msysIcon_;
    bool showToolTip_ = false;
};

} // namespace oruvel::tray
