#pragma once

#include "core/appearance.h"

#include <array>
#include <string_view>

namespace oruvel::core {

inline constexpr std::string_view kSettingsFileName = "Oruvel_Settings.ini";
inline constexpr std::string_view kSettingsSection = "main";

// How a key's text is read.
enum class ValueForm {
    Instance, // disk counter instance name
    Colour,   // signed decimal 32-bit colour
    Box,      // check box "0"/"1"
    Option,   // option button "True"/"False"
    Level,    // opacity 0..255
    Rate,     // full-scale megabytes per second, text as typed
    Path,     // full path of a picture file, or empty
};

struct SettingKey {
    std::string_view name;
    ValueForm form;
    std::string_view defaultText;
};

// Every key of section "main", declared once with its form and default.
namespace keys {
inline constexpr SettingKey diskInstance{"drive", ValueForm::Instance, "_Total"};
inline constexpr SettingKey readBarBackground{"monitorprogressbar", ValueForm::Colour, "14737632"};
inline constexpr SettingKey readBarText{"monitorprogressbartext", ValueForm::Colour, "0"};
inline constexpr SettingKey readBarFill{"monitorprogressbarfill", ValueForm::Colour, "12632064"};
inline constexpr SettingKey readBarFillText{"monitorprogressbarfilltext", ValueForm::Colour, "0"};
inline constexpr SettingKey writeBarBackground{"monitorprogressbar2", ValueForm::Colour, "14737632"};
inline constexpr SettingKey writeBarText{"monitorprogressbartext2", ValueForm::Colour, "0"};
inline constexpr SettingKey writeBarFill{"monitorprogressbarfill2", ValueForm::Colour, "49152"};
inline constexpr SettingKey writeBarFillText{"monitorprogressbarfilltext2", ValueForm::Colour, "0"};
inline constexpr SettingKey barBorder{"monitorprogressbarborder", ValueForm::Box, "0"};
inline constexpr SettingKey readFillUsesColour{"monitorprogressusebarfill", ValueForm::Option, "False"};
inline constexpr SettingKey readFillUsesPicture{"monitorprogressdontusebarfill", ValueForm::Option, "True"};
inline constexpr SettingKey writeFillUsesColour{"monitorprogressusebarfill2", ValueForm::Option, "False"};
inline constexpr SettingKey writeFillUsesPicture{"monitorprogressdontusebarfill2", ValueForm::Option, "True"};
inline constexpr SettingKey alwaysOnTop{"ontop", ValueForm::Box, "0"};
inline constexpr SettingKey translucentOpacity{"transparencylevel", ValueForm::Level, "175"};
inline constexpr SettingKey ghostOpacity{"ghosttransparencylevel", ValueForm::Level, "175"};
inline constexpr SettingKey translucentMode{"enabletransparency", ValueForm::Option, "False"};
inline constexpr SettingKey ghostMode{"enableghost", ValueForm::Option, "False"};
inline constexpr SettingKey blendMode{"blendtodesktop", ValueForm::Option, "False"};
inline constexpr SettingKey normalMode{"normal", ValueForm::Option, "True"};
inline constexpr SettingKey startWithLogin{"startwithwindows", ValueForm::Box, "0"};
inline constexpr SettingKey compactMode{"compact", ValueForm::Box, "0"};
inline constexpr SettingKey showMonitor{"show", ValueForm::Box, "1"};
inline constexpr SettingKey disableBarFill{"disablebarfill", ValueForm::Box, "0"};
inline constexpr SettingKey hideBarText{"hidebartext", ValueForm::Box, "0"};
inline constexpr SettingKey roundCorners{"roundcorners", ValueForm::Box, "1"};
inline constexpr SettingKey readFullScale{"readmax", ValueForm::Rate, "25"};
inline constexpr SettingKey writeFullScale{"writemax", ValueForm::Rate, "25"};
inline constexpr SettingKey readFillPicturePath{"BarFillGraphicLocation", ValueForm::Path, ""};
inline constexpr SettingKey writeFillPicturePath{"BarFillGraphicLocation2", ValueForm::Path, ""};
} // namespace keys

// Every key, in the order the program reads them at start.
inline constexpr std::array<const SettingKey*, 31> kAllSettingKeys{
    &keys::diskInstance,
    &keys::readBarBackground,
    &keys::readBarText,
    &keys::readBarFill,
    &keys::readBarFillText,
    &keys::writeBarBackground,
    &keys::writeBarText,
    &keys::writeBarFill,
    &keys::writeBarFillText,
    &keys::barBorder,
    &keys::readFillUsesColour,
    &keys::readFillUsesPicture,
    &keys::writeFillUsesColour,
    &keys::writeFillUsesPicture,
    &keys::alwaysOnTop,
    &keys::translucentOpacity,
    &keys::ghostOpacity,
    &keys::translucentMode,
    &keys::ghostMode,
    &keys::blendMode,
    &keys::normalMode,
    &keys::startWithLogin,
    &keys::compactMode,
    &keys::showMonitor,
    &keys::disableBarFill,
    &keys::hideBarText,
    &keys::roundCorners,
    &keys::readFullScale,
    &keys::writeFullScale,
    &keys::readFillPicturePath,
    &keys::writeFillPicturePath,
};

// Option buttons of one group: at most one of them holds True.
inline constexpr std::array<const SettingKey*, 4> kWindowModeKeys{&keys::normalMode, &keys::blendMode,
                                                                  &keys::translucentMode, &keys::ghostMode};
inline constexpr std::array<const SettingKey*, 2> kReadFillKeys{&keys::readFillUsesColour, &keys::readFillUsesPicture};
inline constexpr std::array<const SettingKey*, 2> kWriteFillKeys{&keys::writeFillUsesColour,
                                                                 &keys::writeFillUsesPicture};
inline constexpr const std::array<const SettingKey*, 2>& fillKeysOf(Bar bar) {
    return bar == Bar::Read ? kReadFillKeys : kWriteFillKeys;
}
inline constexpr const SettingKey& fillPicturePathKey(Bar bar) {
    return bar == Bar::Read ? keys::readFillPicturePath : keys::writeFillPicturePath;
}
inline constexpr const SettingKey& fullScaleKey(Bar bar) {
    return bar == Bar::Read ? keys::readFullScale : keys::writeFullScale;
}

// The colour roles and the keys their colours are stored under, in the order the scheme is written.
struct ColourRoleKey {
    ColourRole role;
    const SettingKey* key;
};
inline constexpr std::array<ColourRoleKey, kColourRoleCount> kColourRoleKeys{{
    {ColourRole::ReadBackground, &keys::readBarBackground},
    {ColourRole::ReadText, &keys::readBarText},
    {ColourRole::WriteBackground, &keys::writeBarBackground},
    {ColourRole::WriteText, &keys::writeBarText},
    {ColourRole::ReadFill, &keys::readBarFill},
    {ColourRole::ReadFillText, &keys::readBarFillText},
    {ColourRole::WriteFill, &keys::writeBarFill},
    {ColourRole::WriteFillText, &keys::writeBarFillText},
}};
inline constexpr const SettingKey& colourKey(ColourRole role) {
    for (const ColourRoleKey& c : kColourRoleKeys) {
        if (c.role == role) {
            return *c.key;
        }
    }
    return keys::readBarBackground;
}

} // namespace oruvel::core
