#pragma once

#include "core/colour.h"

#include <cstdint>

namespace oruvel::monitor {

// The monitor's layered-window state, kept in the operating system's terms so each mode's transitions stay exact.
namespace style {
inline constexpr std::uint32_t kLayered = 0x80000;    // per-window opacity or colour key
inline constexpr std::uint32_t kTransparent = 0x20;   // mouse input passes through
inline constexpr std::uint32_t kColourKeyFlag = 1;    // the colour key is used
inline constexpr std::uint32_t kAlphaFlag = 2;        // the constant opacity is used
inline constexpr int kExStyleIndex = -20;
} // namespace style

struct WindowStyle {
    std::uint32_t exStyle = 0;
    core::Colour colourKey = 0;
    std::uint8_t alpha = 255;
    std::uint32_t layeredFlags = 0;
    bool topmost = false;
    bool operator==(const WindowStyle&) const = default;

    // What the window shows as a result.
    bool layered() const { return (exStyle & style::kLayered) != 0; }
    bool clickThrough() const { return layered() && (exStyle & style::kTransparent) != 0; }
    double opacity() const { return layered() && (layeredFlags & style::kAlphaFlag) != 0 ? alpha / 255.0 : 1.0; }
    bool usesColourKey() const { return layered() && (layeredFlags & style::kColourKeyFlag) != 0; }
};

} // namespace oruvel::monitor
