#include "tray/cls_sys_tray_icon.h"

namespace oruvel::tray {

clsSysTrayIcon::clsSysTrayIcon(TrayShell& shell, std::function<void()> letMessagesRun)
    : shell_(shell), letMessagesRun_(std::move(letMessagesRun)) {
    ShowIcon(); // nothing yet: no icon and no hook surface
}

clsSysTrayIcon::~clsSysTrayIcon() { UnloadIcon(); }

void clsSysTrayIcon::ShowIcon() {
    UnloadIcon();
    if (hookSurface_ == 0 || icon_ == 0 || record_.hWnd != 0) {
        return;
    }
    messageWindow_ = shell_.createMessageWindow();
    record_.cbSize = NotifyRecord::kSize;
    record_.hWnd = hookSurface_;
    record_.uID = 1;
    record_.uFlags = nif::kMessage | nif::kIcon | nif::kTip;
    record_.uCallbackMessage = NotifyRecord::kCallbackMessage;
    record_.hIcon = icon_;
    mblnIconDisplayed = shell_.notify(nim::kAdd, record_);
}

void clsSysTrayIcon::UnloadIcon() {
    if (mblnIconDisplayed) {
        shell_.notify(nim::kDelete, record_);
        record_.hWnd = 0;
        mblnIconDisplayed = false;
        shell_.destroyMessageWindow(messageWindow_);
        messageWindow_ = 0;
        return;
    }
    record_.hWnd = 0;
}

void clsSysTrayIcon::ToolTip(const std::string& text) {
    tipText_ = text;
    if (!mblnIconDisplayed) {
        return;
    }
    record_.setTip(text);
    record_.cbSize = NotifyRecord::kSize;
    record_.uID = 1;
    record_.uFlags = nif::kMessage | nif::kIcon | nif::kTip;
    shell_.notify(nim::kModify, record_);
}

void clsSysTrayIcon::Icon(Handle icon) {
    icon_ = icon;
    if (mblnIconDisplayed) {
        record_.hIcon = icon;
        shell_.notify(nim::kModify, record_);
    }
}

void clsSysTrayIcon::PictureBox(Handle surface) {
    hookSurface_ = surface;
    if (mblnIconDisplayed) {
        record_.hWnd = surface;
        shell_.notify(nim::kModify, record_);
    }
}

void clsSysTrayIcon::ShowToolTip(bool show) {
    balloon_ = show;
    if (!show || !mblnIconDisplayed) {
        return;
    }
    // The balloon shows the tooltip text under the tooltip title.
    record_.setInfo(tipText_);
    record_.setInfoTitle(tipTitle_);
    record_.dwInfoFlags = 1;
    record_.uTimeout = 30000;
    record_.dwState = 0;
    record_.dwStateMask = 0;
    record_.uFlags = nif::kMessage | nif::kIcon | nif::kTip | nif::kInfo;
    shell_.notify(nim::kModify, record_);
    record_.uFlags = nif::kMessage | nif::kIcon | nif::kTip;
}

void clsSysTrayIcon::CloseTooltip() {
    if (!mblnIconDisplayed) {
        return;
    }
    record_.szTip.clear();
    record_.szInfo.clear();
    record_.szInfoTitle.clear();
    record_.cbSize = NotifyRecord::kSize;
    record_.uID = 1;
    record_.uFlags = nif::kTip | nif::kInfo;
    shell_.notify(nim::kModify, record_);
}

void clsSysTrayIcon::dispatch(int code, int button, int shift, int x, int y, bool viaMessage) {
    const auto raise = [&](const TrayMouseHandler& handler, int b, int s) {
        if (handler) {
            handler(b, s, x, y);
        }
    };
    const int s = viaMessage ? 0 : shift;
    switch (code) {
    case 0x200:
        raise(events.MouseMove, viaMessage ? 0 : button, s);
        break;
    case 0x201:
    case 0x204:
    case 0x207:
        raise(events.MouseDown, code == 0x201 ? 1 : (code == 0x204 ? 2 : 4), s);
        break;
    case 0x202:
    case 0x205:
    case 0x208: {
        const int b = code == 0x202 ? 1 : (code == 0x205 ? 2 : 4);
        raise(events.MouseUp, b, s);
        if (!viaMessage) {
            if (letMessagesRun_) {
                letMessagesRun_();
            }
            raise(events.Click, b, s);
        }
        break;
    }
    case 0x203:
    case 0x206:
    case 0x209:
        raise(events.DblClick, code == 0x203 ? 1 : (code == 0x206 ? 2 : 4), s);
        break;
    default:
        break;
    }
}

void clsSysTrayIcon::hookNotification(int code, int button, int shift, int x, int y) {
    dispatch(code, button, shift, x, y, false);
}

void clsSysTrayIcon::ProcessMessage(long& /*wParam*/, long& lParam, int x, int y) {
    dispatch(static_cast<int>(lParam), 0, 0, x, y, true);
}

void clsSysTrayIcon::TriggerTaskbarEvent(const std::string& strReserved) {
    if (strReserved == "modSysTrayIcon" && events.TaskbarCreated) {
        events.TaskbarCreated();
    }
}

} // namespace oruvel::tray
