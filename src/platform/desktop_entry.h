#pragma once

#include "platform/login_start_registry.h"

#include <string>
#include <string_view>

namespace oruvel::platform {

// One argument of an Exec line, quoted as the Desktop Entry specification requires: in double quotes, with `"`,
// backquote, `$` and `\` escaped by a backslash, and `%` doubled (it starts field codes).
std::string quoteExecArgument(std::string_view argument);

// A value escaped as a desktop-entry string (`\` as `\\`, line breaks and tabs as `\n`, `\r`, `\t`).
std::string escapeDesktopString(std::string_view value);

// The autostart entry that starts the task's program with its arguments in its working directory.
std::string autostartEntryText(const LoginStart& task);

} // namespace oruvel::platform
