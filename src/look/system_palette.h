#pragma once

#include "core/colour.h"

#include <QColor>

namespace oruvel::look {

// The desktop's colour for a system colour index (the operating system's numbering), from the application palette.
// Unknown indices give an invalid colour.
QColor systemColour(int index);

// A stored colour as a QColor: RGB colours as they are, system colours (top bit set) from the desktop palette by
// their low 5 bits. Unknown system colours give `fallback`.
QColor toQColor(core::Colour colour, const QColor& fallback = QColor(Qt::white));

// A stored text colour as drawn: RGB as it is, system colours by their low byte (unknown ones white).
QColor textColour(core::Colour colour);

// The stored form of a QColor (red in the low byte).
core::Colour fromQColor(const QColor& colour);

} // namespace oruvel::look
