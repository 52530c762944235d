#pragma once

#include "core/appearance.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace oruvel::core {

inline constexpr std::string_view kSettingsFileName = "Oruvel_Settings.ini";
inline constexpr std::string_view kSettingsSection = "main";

// Every key of section "main", in the order the program reads them at start.
enum class Key : std::uint8_t {
    DiskInstance,
    ReadBarBackground,
    ReadBarText,
    ReadBarFill,
    ReadBarFillText,
    WriteBarBackground,
    WriteBarText,
    WriteBarFill,
    WriteBarFillText,
    BarBorder,
    ReadFillUsesColour,
    ReadFillUsesPicture,
    WriteFillUsesColour,
    WriteFillUsesPicture,
    AlwaysOnTop,
    TranslucentOpacity,
    GhostOpacity,
    TranslucentMode,
    GhostMode,
    BlendMode,
    NormalMode,
    StartWithLogin,
    CompactMode,
    ShowMonitor,
    DisableBarFill,
    HideBarText,
    RoundCorners,
    ReadFullScale,
    WriteFullScale,
    ReadFillPicturePath,
    WriteFillPicturePath,
    ActivityAutoScale,
    ActivityProcessCount,
    Count
};
inline constexpr std::size_t kKeyCount = static_cast<std::size_t>(Key::Count);
inline constexpr std::size_t indexOf(Key key) {
    return static_cast<std::size_t>(key);
}

// How a key's text is read.
enum class ValueForm : std::uint8_t {
    Instance, // disk counter instance name
    Colour,   // signed decimal 32-bit colour
    Box,      // check box "0"/"1" (2: greyed)
    Option,   // option button "True"/"False"
    Level,    // opacity 0..255; a count of list rows
    Rate,     // full-scale megabytes per second, text as typed
    Path,     // full path of a picture file, or empty
};

// What a change of a key affects.
enum class Effect : std::uint8_t {
    Look,           // how the monitor shows: layout, colours, fills, outline, border, window mode and levels, on top
    Visibility,     // whether the monitor is on screen
    Sampling,       // which disk is sampled
    StartWithLogin, // the start at login
    NextTick,       // nothing now: the next second's bars read it
    ActivityView,   // what the disk-activity window shows
};

struct KeyRow {
    Key key;
    std::string_view name;
    ValueForm form;
    std::string_view defaultText;
    Effect effect;
};

// Each key declared once: its stored name, form, default and what a change of it affects.
inline constexpr std::array<KeyRow, kKeyCount> kKeyTable{{
    {Key::DiskInstance, "drive", ValueForm::Instance, "_Total", Effect::Sampling},
    {Key::ReadBarBackground, "monitorprogressbar", ValueForm::Colour, "14737632", Effect::Look},
    {Key::ReadBarText, "monitorprogressbartext", ValueForm::Colour, "0", Effect::Look},
    {Key::ReadBarFill, "monitorprogressbarfill", ValueForm::Colour, "12632064", Effect::Look},
    {Key::ReadBarFillText, "monitorprogressbarfilltext", ValueForm::Colour, "0", Effect::Look},
    {Key::WriteBarBackground, "monitorprogressbar2", ValueForm::Colour, "14737632", Effect::Look},
    {Key::WriteBarText, "monitorprogressbartext2", ValueForm::Colour, "0", Effect::Look},
    {Key::WriteBarFill, "monitorprogressbarfill2", ValueForm::Colour, "49152", Effect::Look},
    {Key::WriteBarFillText, "monitorprogressbarfilltext2", ValueForm::Colour, "0", Effect::Look},
    {Key::BarBorder, "monitorprogressbarborder", ValueForm::Box, "0", Effect::Look},
    {Key::ReadFillUsesColour, "monitorprogressusebarfill", ValueForm::Option, "False", Effect::Look},
    {Key::ReadFillUsesPicture, "monitorprogressdontusebarfill", ValueForm::Option, "True", Effect::Look},
    {Key::WriteFillUsesColour, "monitorprogressusebarfill2", ValueForm::Option, "False", Effect::Look},
    {Key::WriteFillUsesPicture, "monitorprogressdontusebarfill2", ValueForm::Option, "True", Effect::Look},
    {Key::AlwaysOnTop, "ontop", ValueForm::Box, "0", Effect::Look},
    {Key::TranslucentOpacity, "transparencylevel", ValueForm::Level, "175", Effect::Look},
    {Key::GhostOpacity, "ghosttransparencylevel", ValueForm::Level, "175", Effect::Look},
    {Key::TranslucentMode, "enabletransparency", ValueForm::Option, "False", Effect::Look},
    {Key::GhostMode, "enableghost", ValueForm::Option, "False", Effect::Look},
    {Key::BlendMode, "blendtodesktop", ValueForm::Option, "False", Effect::Look},
    {Key::NormalMode, "normal", ValueForm::Option, "True", Effect::Look},
    {Key::StartWithLogin, "startwithwindows", ValueForm::Box, "0", Effect::StartWithLogin},
    {Key::CompactMode, "compact", ValueForm::Box, "0", Effect::Look},
    {Key::ShowMonitor, "show", ValueForm::Box, "1", Effect::Visibility},
    {Key::DisableBarFill, "disablebarfill", ValueForm::Box, "0", Effect::NextTick},
    {Key::HideBarText, "hidebartext", ValueForm::Box, "0", Effect::NextTick},
    {Key::RoundCorners, "roundcorners", ValueForm::Box, "1", Effect::Look},
    {Key::ReadFullScale, "readmax", ValueForm::Rate, "25", Effect::NextTick},
    {Key::WriteFullScale, "writemax", ValueForm::Rate, "25", Effect::NextTick},
    {Key::ReadFillPicturePath, "BarFillGraphicLocation", ValueForm::Path, "", Effect::NextTick},
    {Key::WriteFillPicturePath, "BarFillGraphicLocation2", ValueForm::Path, "", Effect::NextTick},
    // The disk-activity window: its graph's scale (0: the full-scale rates, 1: automatic), and how many of the
    // busiest programs it lists (0: no list, and no look at the processes).
    {Key::ActivityAutoScale, "activityautoscale", ValueForm::Box, "0", Effect::ActivityView},
    {Key::ActivityProcessCount, "activityprocesses", ValueForm::Level, "5", Effect::ActivityView},
}};

// Each key has its row, in the order of the enumeration: a key added without one does not compile.
inline constexpr bool everyKeyHasItsRow() {
    for (std::size_t i = 0; i < kKeyTable.size(); ++i) {
        if (indexOf(kKeyTable[i].key) != i || kKeyTable[i].name.empty()) {
            return false;
        }
    }
    return true;
}
static_assert(everyKeyHasItsRow(), "every Key needs its row in kKeyTable, in the enumeration's order");

inline constexpr const KeyRow& rowOf(Key key) {
    return kKeyTable[indexOf(key)];
}

// A check box's three states as stored.
enum class BoxState : std::uint8_t { Clear = 0, Ticked = 1, Greyed = 2 };

// Option buttons of one group: at most one of them holds True.
inline constexpr std::array kWindowModeKeys{Key::NormalMode, Key::BlendMode, Key::TranslucentMode, Key::GhostMode};
// The order a choice of mode writes them in.
inline constexpr std::array kWindowModeWriteOrder{Key::TranslucentMode, Key::GhostMode, Key::BlendMode,
                                                  Key::NormalMode};
inline constexpr Key windowModeKey(WindowMode mode) {
    return kWindowModeKeys[indexOf(mode)];
}
inline constexpr std::array<Key, 2> fillKeysOf(Bar bar) {
    return bar == Bar::Read ? std::array{Key::ReadFillUsesColour, Key::ReadFillUsesPicture}
                            : std::array{Key::WriteFillUsesColour, Key::WriteFillUsesPicture};
}
inline constexpr Key fillPicturePathKey(Bar bar) {
    return bar == Bar::Read ? Key::ReadFillPicturePath : Key::WriteFillPicturePath;
}

// The colour roles and the keys their colours are stored under, in the order the scheme is written.
struct ColourRoleKey {
    ColourRole role;
    Key key;
};
inline constexpr std::array<ColourRoleKey, kColourRoleCount> kColourRoleKeys{{
    {ColourRole::ReadBackground, Key::ReadBarBackground},
    {ColourRole::ReadText, Key::ReadBarText},
    {ColourRole::WriteBackground, Key::WriteBarBackground},
    {ColourRole::WriteText, Key::WriteBarText},
    {ColourRole::ReadFill, Key::ReadBarFill},
    {ColourRole::ReadFillText, Key::ReadBarFillText},
    {ColourRole::WriteFill, Key::WriteBarFill},
    {ColourRole::WriteFillText, Key::WriteBarFillText},
}};
inline constexpr Key colourKey(ColourRole role) {
    for (const ColourRoleKey& c : kColourRoleKeys) {
        if (c.role == role) {
            return c.key;
        }
    }
    return kColourRoleKeys.front().key; // every role has its key
}

} // namespace oruvel::core
