#pragma once

#include <QIcon>

namespace oruvel::look {

// The program's icon, the tray picture of two busy disks, drawn at the sizes title bars and task lists ask for (up
// to 64 pixels; a desktop scales it up where it wants more).
QIcon programIcon();

} // namespace oruvel::look
