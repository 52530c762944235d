#pragma once

#include "core/colour.h"

#include <cstdint>
#include <optional>

namespace oruvel::monitor {

// How the monitor window shows itself: its opacity, whether clicks pass through it, the colour whose pixels are cut
// out of it (blend mode) and whether it stays on top. A colour key and an opacity below 255 exclude each other: the
// last one set wins.
struct WindowStyle {
    std::uint8_t opacity = 255;
    bool clickThrough = false;
    std::optional<core::Colour> colourKey;
    bool alwaysOnTop = false;
    bool operator==(const WindowStyle&) const = default;
};

} // namespace oruvel::monitor
