#pragma once

#include <QImage>

namespace oruvel::look {

// The bars' built-in fill picture: 154 x 12 pixels, green on the left through yellow to dark red on the right.
QImage builtInFillPicture();

} // namespace oruvel::look
