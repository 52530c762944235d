#pragma once

#include <QIcon>

namespace oruvel::look {

// The program's icon, the tray picture of two busy disks, drawn at each size title bars, task lists and docks ask for.
QIcon programIcon();

} // namespace oruvel::look
