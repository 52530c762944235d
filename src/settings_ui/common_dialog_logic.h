#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace oruvel::settings_ui {

// Dialog flag bits the program may pass, and those the dialogs are opened with.
namespace dlg {
inline constexpr std::uint32_t kReadOnly = 0x1;
inline constexpr std::uint32_t kHideReadOnly = 0x4;
inline constexpr std::uint32_t kEnableTemplate = 0x40;
inline constexpr std::uint32_t kAllowMultiSelect = 0x200;
inline constexpr std::uint32_t kFileMustExist = 0x1000;
inline constexpr std::uint32_t kExplorer = 0x80000;

inline constexpr std::uint32_t kRgbInit = 0x1;
inline constexpr std::uint32_t kFullOpen = 0x2;
inline constexpr std::uint32_t kPreventFullOpen = 0x4;
inline constexpr std::uint32_t kSolidColour = 0x80;
inline constexpr std::uint32_t kAnyColour = 0x100;
} // namespace dlg

// Every "|" and ":" of a filter text becomes one NUL, and two NULs end it.
std::string convertFilter(std::string_view filter);

// The (description, patterns) pairs of a filter text; patterns are split at ";". A description without patterns
// is dropped.
std::vector<std::pair<std::string, std::vector<std::string>>> filterEntries(std::string_view filter);

// Flags the file-open dialog is given for the caller's flags (the four switches, Explorer style with multiple
// selection, the template bit when an instance is set).
std::uint32_t openDialogFlags(std::uint32_t flags, bool haveInstance);

// Flags the colour dialog is given: always an initial colour, any colour or solid colours only, full open or
// prevent full open; hook and template bits are never passed.
std::uint32_t colourDialogFlags(std::uint32_t flags);

} // namespace oruvel::settings_ui
