#include "settings_ui/picture_file.h"

#include <QFileInfo>
#include <QImageReader>

namespace oruvel::settings_ui {

std::optional<QImage> loadPictureFile(const QString& path) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile() || !info.isReadable() || info.size() == 0 ||
        info.size() > kMaxPictureFileBytes) {
        return std::nullopt;
    }
    QImageReader reader(path);
    QImageReader::setAllocationLimit(8); // megabytes; a decompression bomb is refused before it allocates
    reader.setDecideFormatFromContent(true);
    const QSize size = reader.size();
    if (size.isValid() && qint64{size.width()} * size.height() > kMaxPicturePixels) {
        return std::nullopt;
    }
    QImage image = reader.read();
    if (image.isNull() || qint64{image.width()} * image.height() > kMaxPicturePixels) {
        return std::nullopt;
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace oruvel::settings_ui
