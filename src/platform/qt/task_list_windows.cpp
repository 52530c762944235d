#include "platform/qt/task_list.h"

namespace oruvel::platform {

void keepOutOfTaskList(QWidget& /*window*/) {}

} // namespace oruvel::platform
