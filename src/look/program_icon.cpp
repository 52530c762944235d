#include "look/program_icon.h"

#include "look/tray_pictures.h"

namespace oruvel::look {

QIcon programIcon() {
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64}) {
        icon.addPixmap(QPixmap::fromImage(trayPicture({core::LoadBand::Middle, core::LoadBand::Middle}, size)));
    }
    return icon;
}

} // namespace oruvel::look
