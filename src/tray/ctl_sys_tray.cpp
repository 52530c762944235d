#include "tray/ctl_sys_tray.h"

namespace oruvel::tray {

ctlSysTray::ctlSysTray(TrayShell& shell, Handle hookSurface, std::function<void()> letMessagesRun)
    : msysIcon_(shell, std::move(letMessagesRun)) {
    msysIcon_.PictureBox(hookSurface);
    const auto forward = [](TrayMouseHandler& mine) {
        return [&mine](int b, int s, int x, int y) {
            if (mine) {
                mine(b, s, x, y);
            }
        };
    };
    msysIcon_.events.Click = forward(events.Click);
    msysIcon_.events.DblClick = forward(events.DblClick);
    msysIcon_.events.MouseDown = forward(events.MouseDown);
    msysIcon_.events.MouseMove = forward(events.MouseMove);
    msysIcon_.events.MouseUp = forward(events.MouseUp);
    msysIcon_.events.TaskbarCreated = [this] {
        if (AutoReload) {
            Reload();
        }
        if (events.TaskbarCreated) {
            events.TaskbarCreated();
        }
    };
}

void ctlSysTray::ShowToolTip(bool show) {
    showToolTip_ = show;
    msysIcon_.ShowToolTip(show);
}

void ctlSysTray::Reload() {
    msysIcon_.UnloadIcon();
    msysIcon_.ShowIcon();
}

} // namespace oruvel::tray
