#pragma once

#include <QImage>
#include <QString>

#include <optional>

namespace oruvel::settings_ui {

// Largest picture accepted for a bar fill, in pixels, and largest file read.
inline constexpr qint64 kMaxPicturePixels = 1024LL * 1024LL;
inline constexpr qint64 kMaxPictureFileBytes = 16LL * 1024 * 1024;

// Reads a picture file (BMP, GIF, JPEG, ICO, PNG) for a bar's fill. A file that is missing, unreadable, a folder,
// empty, corrupt, or claims more than kMaxPicturePixels is refused without decoding it.
std::optional<QImage> loadPictureFile(const QString& path);

} // namespace oruvel::settings_ui
