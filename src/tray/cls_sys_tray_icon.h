#pragma once

#include "tray/notify_record.h"

#include <functional>
#include <string>

namespace oruvel::tray {

// Performs the shell's notify requests for the tray control.
class TrayShell {
public:
    virtual ~TrayShell() = default;
    // One request (nim::kAdd, kModify or kDelete) with the record; true when the shell accepted it.
    virtual bool notify(int message, const NotifyRecord& record) = 0;
    // The hidden message window's lifetime.
    virtual Handle createMessageWindow() = 0;
    virtual void destroyMessageWindow(Handle window) = 0;
};

// Mouse events of the tray icon: (Button, Shift, X, Y).
using TrayMouseHandler = std::function<void(int, int, int, int)>;

struct TrayEvents {
    TrayMouseHandler Click, DblClick, MouseDown, MouseMove, MouseUp;
    std::function<void()> TaskbarCreated;
};

// Keeps one icon in the notification area through the shell and turns the shell's notifications into mouse events.
class clsSysTrayIcon {
public:
    clsSysTrayIcon(TrayShell& shell, std::function<void()> letMessagesRun);
    ~clsSysTrayIcon();

    TrayEvents events;

    Handle PictureBox() const { return hookSurface_; }
    void PictureBox(Handle surface);
    Handle Icon() const { return icon_; }
    void Icon(Handle icon);
    bool ShowToolTip() const { return balloon_; }
    void ShowToolTip(bool show);
    void CloseTooltip();
    const std::string& ToolTip() const { return tipText_; }
    void ToolTip(const std::string& text);
    const std::string& ToolTipTitle() const { return tipTitle_; }
    void ToolTipTitle(const std::string& text) { tipTitle_ = text; }
    void ShowIcon();
    void UnloadIcon();

    // A notification from the hook surface: `code` is the shell's notification code; x, y the cursor position.
    void hookNotification(int code, int button, int shift, int x, int y);
    // The alternative delivery route: lParam holds the code.
    void ProcessMessage(long& wParam, long& lParam, int x, int y);
    // Raises TaskbarCreated only for the caller "modSysTrayIcon".
    void TriggerTaskbarEvent(const std::string& strReserved);

    bool displayed() const { return mblnIconDisplayed; }
    const NotifyRecord& record() const { return record_; }

private:
    void dispatch(int code, int button, int shift, int x, int y, bool viaMessage);

    TrayShell& shell_;
    std::function<void()> letMessagesRun_;
    NotifyRecord record_;
    Handle messageWindow_ = 0;
    Handle hookSurface_ = 0;
    Handle icon_ = 0;
    bool mblnIconDisplayed = false;
    std::string tipText_;
    std::string tipTitle_;
    bool balloon_ = false;
};

} // namespace oruvel::tray
