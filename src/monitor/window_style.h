#pragma once

#include "core/appearance.h"
#include "core/colour.h"

#include <cstdint>
#include <optional>

namespace oruvel::monitor {

// How the monitor window shows itself: its opacity, whether clicks pass through it, the colour whose pixels are cut
// out of it (blend mode) and whether it stays on top. A colour key and an opacity below 255 exclude each other.
struct WindowStyle {
    std::uint8_t opacity = 255;
    bool clickThrough = false;
    std::optional<core::Colour> colourKey;
    bool alwaysOnTop = false;
    bool operator==(const WindowStyle&) const = default;
};

// The style a window mode gives a window styled `now`: `level` is the mode's opacity (translucent and ghost), `key`
// the colour blend mode keys out. Blend mode keeps the click-through state the mode before it left; stay-on-top is
// no part of a mode.
constexpr WindowStyle styleOfMode(core::WindowMode mode, int level, core::Colour key, WindowStyle now) {
    const auto opacity = static_cast<std::uint8_t>(level & 0xFF);
    switch (mode) {
    case core::WindowMode::Normal:
        return {255, false, std::nullopt, now.alwaysOnTop};
    case core::WindowMode::Translucent:
        return {opacity, false, std::nullopt, now.alwaysOnTop};
    case core::WindowMode::Ghost:
        return {opacity, true, std::nullopt, now.alwaysOnTop};
    case core::WindowMode::BlendIntoDesktop:
        return {255, now.clickThrough, key, now.alwaysOnTop};
    }
    return now;
}

} // namespace oruvel::monitor
