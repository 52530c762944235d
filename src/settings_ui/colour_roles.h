#pragma once

#include "core/appearance.h"
#include "core/settings_keys.h"

#include <array>

namespace oruvel::settings_ui {

// The colour roles and the keys their colours are stored under, in the order the scheme is written.
struct ColourRoleKey {
    core::ColourRole role;
    const core::SettingKey* key;
};

inline constexpr std::array<ColourRoleKey, core::kColourRoleCount> kColourRoleKeys{{
    {core::ColourRole::ReadBackground, &core::keys::readBarBackground},
    {core::ColourRole::ReadText, &core::keys::readBarText},
    {core::ColourRole::WriteBackground, &core::keys::writeBarBackground},
    {core::ColourRole::WriteText, &core::keys::writeBarText},
    {core::ColourRole::ReadFill, &core::keys::readBarFill},
    {core::ColourRole::ReadFillText, &core::keys::readBarFillText},
    {core::ColourRole::WriteFill, &core::keys::writeBarFill},
    {core::ColourRole::WriteFillText, &core::keys::writeBarFillText},
}};

} // namespace oruvel::settings_ui
