#pragma once

#include <cstdint>

namespace oruvel::core {

// A colour as stored: red in the low byte, green in the second, blue in the third. With the top bit set it names a
// system colour by its low bits instead.
using Colour = std::int32_t;

inline constexpr Colour makeColour(int red, int green, int blue) {
    return static_cast<Colour>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
inline constexpr bool isSystemColour(Colour c) {
    return c < 0;
}
inline constexpr int redOf(Colour c) {
    return c & 0xFF;
}
inline constexpr int greenOf(Colour c) {
    return (c >> 8) & 0xFF;
}
inline constexpr int blueOf(Colour c) {
    return (c >> 16) & 0xFF;
}
// The system colour index of a system colour value (its low 5 bits for brushes).
inline constexpr int systemColourIndex(Colour c) {
    return c & 0x1F;
}

// System colour indices the program uses.
namespace syscolour {
inline constexpr int kWindow = 5;
inline constexpr int kWindowText = 8;
inline constexpr int kHighlight = 13;
inline constexpr int kButtonFace = 15;
inline constexpr int kButtonShadow = 16;
inline constexpr int kButtonText = 18;
inline constexpr int kButtonHighlight = 20;
inline constexpr int kDarkShadow = 21;
inline constexpr int kLight = 22;
} // namespace syscolour

// The stored value that names a system colour.
inline constexpr Colour systemColourValue(int index) {
    return static_cast<Colour>(0x80000000U | static_cast<std::uint32_t>(index));
}

inline constexpr Colour kWhite = 16777215;

// The colour that makes pixels of the monitor see-through in blend mode (red 1, green 0, blue 0).
inline constexpr Colour kTransparencyKey = 1;

} // namespace oruvel::core
