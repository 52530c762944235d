// The tray control: any sequence of notifications and tooltips is decoded without trouble, and the shell never
// receives a tooltip of more than 127 characters or a request for an icon that is not shown.
#include "tray/ctl_sys_tray.h"

#include <string>

namespace {

class CheckingShell final : public oruvel::tray::TrayShell {
public:
    bool shown = false;
    bool notify(int message, const oruvel::tray::NotifyRecord& record) override {
        std::size_t chars = 0;
        for (const char c : record.szTip) {
            chars += (static_cast<unsigned char>(c) & 0xC0U) != 0x80U ? 1 : 0;
        }
        if (chars > oruvel::tray::NotifyRecord::kTipChars || (message == oruvel::tray::nim::kModify && !shown)) {
            __builtin_trap();
        }
        shown = message == oruvel::tray::nim::kAdd ? true : (message == oruvel::tray::nim::kDelete ? false : shown);
        return true;
    }
    oruvel::tray::Handle createMessageWindow() override { return 1; }
    void destroyMessageWindow(oruvel::tray::Handle) override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, unsigned long size) {
    CheckingShell shell;
    oruvel::tray::ctlSysTray tray(shell, 5, [] {});
    int clicks = 0;
    tray.events.Click = [&](int, int, int, int) { ++clicks; };
    for (unsigned long i = 0; i + 2 < size; i += 3) {
        const int op = data[i] % 8;
        const int code = 0x1F0 + data[i + 1] % 40;
        switch (op) {
        case 0:
            tray.Show();
            break;
        case 1:
            tray.Hide();
            break;
        case 2:
            tray.Icon(data[i + 2]);
            break;
        case 3:
            tray.ToolTip(std::string(reinterpret_cast<const char*>(data + i), size - i));
            break;
        case 4:
            tray.worker().hookNotification(code, data[i + 2] % 8, 0, 1, 1);
            break;
        case 5: {
            long w = 0;
            long l = code;
            tray.worker().ProcessMessage(w, l, 1, 1);
            break;
        }
        case 6:
            tray.worker().TriggerTaskbarEvent(data[i + 2] % 2 == 0 ? "modSysTrayIcon" : "other");
            break;
        default:
            tray.CloseTooltip();
            break;
        }
    }
    return 0;
}
