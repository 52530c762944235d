#include "app/tray_adapter.h"

#include "core/program.h"
#include "settings_ui/frm_main.h"

#include <QPixmap>

namespace oruvel::app {

namespace {
constexpr tray::Handle kHookSurface = 1;
}

TrayAdapter::TrayAdapter(settings_ui::FrmMain& frmMain, core::Program& program)
    : frmMain_(frmMain), SysTrayMain_(shell_, kHookSurface, [&program] { program.letMessagesRun(); }) {
    shell_.onNotification = [this](int code, QPoint cursor) {
        SysTrayMain_.worker().hookNotification(code, 0, 0, cursor.x(), cursor.y());
    };
    shell_.onTaskbarCreated = [this] { SysTrayMain_.worker().TriggerTaskbarEvent("modSysTrayIcon"); };
    SysTrayMain_.events.Click = [this](int b, int s, int x, int y) { frmMain_.SysTrayMain_Click(b, s, x, y); };
    SysTrayMain_.events.DblClick = [this](int b, int s, int x, int y) { frmMain_.SysTrayMain_DblClick(b, s, x, y); };
    SysTrayMain_.events.MouseMove = [this](int b, int s, int x, int y) { frmMain_.SysTrayMain_MouseMove(b, s, x, y); };
    // The control starts with the picture of the low/low pair, as the settings window carries it.
    setIcon(2, frmMain_.trayImage(2));
    frmMain_.SysTrayMain = this;
}

void TrayAdapter::setIcon(int number, const QImage& picture) {
    if (number < 2 || number > 10) {
        return;
    }
    auto& known = registered_[static_cast<std::size_t>(number)];
    if (!known) {
        shell_.setIconPicture(static_cast<tray::Handle>(number), QIcon(QPixmap::fromImage(picture)));
        known = true;
    }
    SysTrayMain_.Icon(static_cast<tray::Handle>(number));
    if (SysTrayMain_.worker().displayed()) {
        const std::string tip = frmMain_.trayToolTipText().toStdString();
        if (tip != SysTrayMain_.ToolTip()) {
            SysTrayMain_.ToolTip(tip);
        }
    }
}

} // namespace oruvel::app
