#pragma once

#include <QIcon>

namespace oruvel::look {

// The program's icon, the tray picture of two busy disks, drawn at the size title bars and task lists ask for.
QIcon programIcon();

} // namespace oruvel::look
