#pragma once

#include "core/settings_keys.h"

#include <array>

namespace oruvel::settings_ui {

// The colour swatches and the keys their colours are stored under, in the order the scheme is written.
struct SwatchKey {
    int item;
    const core::SettingKey* key;
};

inline constexpr std::array<SwatchKey, 8> kSwatchKeys{{
    {6, &core::keys::monitorprogressbar},
    {7, &core::keys::monitorprogressbartext},
    {2, &core::keys::monitorprogressbar2},
    {3, &core::keys::monitorprogressbartext2},
    {8, &core::keys::monitorprogressbarfill},
    {9, &core::keys::monitorprogressbarfilltext},
    {0, &core::keys::monitorprogressbarfill2},
    {1, &core::keys::monitorprogressbarfilltext2},
}};

} // namespace oruvel::settings_ui
