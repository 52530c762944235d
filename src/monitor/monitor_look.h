#pragma once

#include "core/appearance.h"
#include "core/colour.h"

#include <array>
#include <optional>

namespace oruvel::monitor {

// What the monitor shows, as the settings give it.
struct MonitorLook {
    std::array<core::Colour, core::kColourRoleCount> colours{};
    bool barBorder = false;
    bool roundCorners = true;
    std::array<core::FillMode, 2> fills{core::FillMode::Picture, core::FillMode::Picture};
    // nullopt when no mode is selected.
    std::optional<core::WindowMode> windowMode = core::WindowMode::Normal;
    int translucentOpacity = 175;
    int ghostOpacity = 175;
    // nullopt for an undecided (greyed) box: the stay-on-top state is then left as it is.
    std::optional<bool> alwaysOnTop = false;
    // The compact layout; nullopt for a greyed box, which keeps the layout there is.
    std::optional<bool> compact = false;
    // False while the show-monitor setting hides the monitor, and until it has been applied: nothing else may show the
    // monitor then.
    bool shown = false;

    core::Colour colour(core::ColourRole role) const { return colours[core::indexOf(role)]; }
    core::FillMode fill(core::Bar bar) const { return fills[core::indexOf(bar)]; }
    // Opacity 0-255 of the translucent or the ghost mode.
    int opacity(core::WindowMode mode) const {
        return mode == core::WindowMode::Ghost ? ghostOpacity : translucentOpacity;
    }
    bool operator==(const MonitorLook&) const = default;
    // Whether the bars' colours, fills, border or outline differ.
    bool barsDiffer(const MonitorLook& other) const {
        return colours != other.colours || barBorder != other.barBorder || roundCorners != other.roundCorners ||
               fills != other.fills;
    }
};

} // namespace oruvel::monitor
