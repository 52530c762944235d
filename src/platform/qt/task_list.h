#pragma once

class QWidget;

namespace oruvel::platform {

// Keeps a top-level window out of the desktop's task lists and pagers, now and each time it is shown again: on X11 it
// carries the skip-taskbar and skip-pager states (a tool window alone still gets a task on some desktops) and does not
// demand attention as it appears; on Windows a tool window is out of the task bar already.
void keepOutOfTaskList(QWidget& window);

} // namespace oruvel::platform
