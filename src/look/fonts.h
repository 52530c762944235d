#pragma once

namespace oruvel::look {

// Lets the program's font names (Verdana, Tahoma) fall back to fonts a Linux desktop has, with a CJK font for the
// Chinese captions. Call once after the application object exists.
void installFontSubstitutes();

} // namespace oruvel::look
