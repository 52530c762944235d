#pragma once

#include <array>
#include <cstddef>

namespace oruvel::core {

enum class Bar { Read, Write };
inline constexpr std::array kBars{Bar::Read, Bar::Write};
inline constexpr std::size_t indexOf(Bar bar) {
    return bar == Bar::Read ? 0 : 1;
}

// The eight colours of the two bars.
enum class ColourRole {
    ReadBackground,
    ReadText,
    ReadFill,
    ReadFillText,
    WriteBackground,
    WriteText,
    WriteFill,
    WriteFillText,
};
inline constexpr std::size_t kColourRoleCount = 8;
inline constexpr std::size_t indexOf(ColourRole role) {
    return static_cast<std::size_t>(role);
}

struct BarColourRoles {
    ColourRole background;
    ColourRole text;
    ColourRole fill;
    ColourRole fillText;
};
inline constexpr BarColourRoles colourRolesOf(Bar bar) {
    return bar == Bar::Read ? BarColourRoles{ColourRole::ReadBackground, ColourRole::ReadText, ColourRole::ReadFill,
                                             ColourRole::ReadFillText}
                            : BarColourRoles{ColourRole::WriteBackground, ColourRole::WriteText, ColourRole::WriteFill,
                                             ColourRole::WriteFillText};
}

// How a bar's fill is drawn. Neither: no fill option is selected, and the bar keeps the fill it had.
enum class FillMode { Colour, Picture, Neither };

// How the monitor window shows itself on the desktop.
enum class WindowMode {
    Normal,
    BlendIntoDesktop, // the margin and bar backgrounds are keyed out
    Translucent,      // uniformly see-through
    Ghost,            // see-through and clicks pass through
};
inline constexpr std::array kWindowModes{WindowMode::Normal, WindowMode::BlendIntoDesktop, WindowMode::Translucent,
                                         WindowMode::Ghost};
inline constexpr std::size_t indexOf(WindowMode mode) {
    return static_cast<std::size_t>(mode);
}

} // namespace oruvel::core
