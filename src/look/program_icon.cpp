#include "look/program_icon.h"

#include "look/tray_pictures.h"

namespace oruvel::look {

QIcon programIcon() {
    return trayIcon({core::LoadBand::Middle, core::LoadBand::Middle});
}

} // namespace oruvel::look
