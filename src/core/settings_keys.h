#pragma once

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
inline constexpr SettingKey drive{"drive", ValueForm::Instance, "_Total"};
inline constexpr SettingKey monitorprogressbar{"monitorprogressbar", ValueForm::Colour, "14737632"};
inline constexpr SettingKey monitorprogressbartext{"monitorprogressbartext", ValueForm::Colour, "0"};
inline constexpr SettingKey monitorprogressbarfill{"monitorprogressbarfill", ValueForm::Colour, "12632064"};
inline constexpr SettingKey monitorprogressbarfilltext{"monitorprogressbarfilltext", ValueForm::Colour, "0"};
inline constexpr SettingKey monitorprogressbar2{"monitorprogressbar2", ValueForm::Colour, "14737632"};
inline constexpr SettingKey monitorprogressbartext2{"monitorprogressbartext2", ValueForm::Colour, "0"};
inline constexpr SettingKey monitorprogressbarfill2{"monitorprogressbarfill2", ValueForm::Colour, "49152"};
inline constexpr SettingKey monitorprogressbarfilltext2{"monitorprogressbarfilltext2", ValueForm::Colour, "0"};
inline constexpr SettingKey monitorprogressbarborder{"monitorprogressbarborder", ValueForm::Box, "0"};
inline constexpr SettingKey monitorprogressusebarfill{"monitorprogressusebarfill", ValueForm::Option, "False"};
inline constexpr SettingKey monitorprogressdontusebarfill{"monitorprogressdontusebarfill", ValueForm::Option, "True"};
inline constexpr SettingKey monitorprogressusebarfill2{"monitorprogressusebarfill2", ValueForm::Option, "False"};
inline constexpr SettingKey monitorprogressdontusebarfill2{"monitorprogressdontusebarfill2", ValueForm::Option,
                                                           "True"};
inline constexpr SettingKey ontop{"ontop", ValueForm::Box, "0"};
inline constexpr SettingKey transparencylevel{"transparencylevel", ValueForm::Level, "175"};
inline constexpr SettingKey ghosttransparencylevel{"ghosttransparencylevel", ValueForm::Level, "175"};
inline constexpr SettingKey enabletransparency{"enabletransparency", ValueForm::Option, "False"};
inline constexpr SettingKey enableghost{"enableghost", ValueForm::Option, "False"};
inline constexpr SettingKey blendtodesktop{"blendtodesktop", ValueForm::Option, "False"};
inline constexpr SettingKey normal{"normal", ValueForm::Option, "True"};
inline constexpr SettingKey startwithwindows{"startwithwindows", ValueForm::Box, "0"};
inline constexpr SettingKey compact{"compact", ValueForm::Box, "0"};
inline constexpr SettingKey show{"show", ValueForm::Box, "1"};
inline constexpr SettingKey disablebarfill{"disablebarfill", ValueForm::Box, "0"};
inline constexpr SettingKey hidebartext{"hidebartext", ValueForm::Box, "0"};
inline constexpr SettingKey roundcorners{"roundcorners", ValueForm::Box, "1"};
inline constexpr SettingKey readmax{"readmax", ValueForm::Rate, "25"};
inline constexpr SettingKey writemax{"writemax", ValueForm::Rate, "25"};
inline constexpr SettingKey BarFillGraphicLocation{"BarFillGraphicLocation", ValueForm::Path, ""};
inline constexpr SettingKey BarFillGraphicLocation2{"BarFillGraphicLocation2", ValueForm::Path, ""};
} // namespace keys

inline constexpr std::array kAllSettingKeys{
    keys::drive,
    keys::monitorprogressbar,
    keys::monitorprogressbartext,
    keys::monitorprogressbarfill,
    keys::monitorprogressbarfilltext,
    keys::monitorprogressbar2,
    keys::monitorprogressbartext2,
    keys::monitorprogressbarfill2,
    keys::monitorprogressbarfilltext2,
    keys::monitorprogressbarborder,
    keys::monitorprogressusebarfill,
    keys::monitorprogressdontusebarfill,
    keys::monitorprogressusebarfill2,
    keys::monitorprogressdontusebarfill2,
    keys::ontop,
    keys::transparencylevel,
    keys::ghosttransparencylevel,
    keys::enabletransparency,
    keys::enableghost,
    keys::blendtodesktop,
    keys::normal,
    keys::startwithwindows,
    keys::compact,
    keys::show,
    keys::disablebarfill,
    keys::hidebartext,
    keys::roundcorners,
    keys::readmax,
    keys::writemax,
    keys::BarFillGraphicLocation,
    keys::BarFillGraphicLocation2,
};

} // namespace oruvel::core
