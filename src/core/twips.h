#pragma once

#include <cmath>

namespace oruvel::core {

// Window sizes and positions are kept in twips: 1,440 per inch, 15 per (logical) pixel.
inline constexpr int kTwipsPerPixel = 15;

inline constexpr int pixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }

// Twips to pixels, to the nearest pixel.
inline int twipsToPixels(double twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }

} // namespace oruvel::core
