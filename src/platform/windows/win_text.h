#pragma once

#include <string>
#include <string_view>

namespace oruvel::platform {

// UTF-8 (the program's text) to and from UTF-16 (the system's wide text).
std::wstring toWide(std::string_view utf8);
std::string toUtf8(std::wstring_view wide);

} // namespace oruvel::platform
