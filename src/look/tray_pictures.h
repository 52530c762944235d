#pragma once

#include "core/readout.h"

#include <QIcon>
#include <QImage>
#include <QString>

#include <array>

namespace oruvel::look {

// The tray picture of a pair of load bands: a pair of small bars, read on the left and write on the right, each one,
// two or three steps high and green, amber or red by its band, on a dark rounded square. size is the edge in pixels;
// at any size the bars and their steps lie on whole pixels, the write bar the mirror of the read bar.
QImage trayPicture(core::LoadBands bands, int size = 16);

// The tray picture as an icon, drawn afresh at whatever size a desktop asks for it.
QIcon trayIcon(core::LoadBands bands);

// What a tray picture tells, for assistive technology: "读取 低，写入 高".
QString trayPictureName(core::LoadBands bands);

// The order of the nine pictures in the settings window's legend.
inline constexpr std::array<core::LoadBands, 9> kTrayLegendOrder{{
    {core::LoadBand::Low, core::LoadBand::Low},
    {core::LoadBand::Middle, core::LoadBand::Low},
    {core::LoadBand::High, core::LoadBand::Low},
    {core::LoadBand::Low, core::LoadBand::Middle},
    {core::LoadBand::Low, core::LoadBand::High},
    {core::LoadBand::Middle, core::LoadBand::Middle},
    {core::LoadBand::High, core::LoadBand::High},
    {core::LoadBand::Middle, core::LoadBand::High},
    {core::LoadBand::High, core::LoadBand::Middle},
}};

} // namespace oruvel::look
