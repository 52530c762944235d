#include "settings_ui/picture_file.h"
#include "support/temp_dir.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

using namespace oruvel;
using test::TempDir;

namespace {

QByteArray encoded(const char* format, const QSize& size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(20, 200, 90));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

void write(const std::string& path, const QByteArray& bytes) {
    QFile f(QString::fromStdString(path));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A PNG whose header claims 100,000 x 100,000 pixels.
QByteArray bombPng() {
    QByteArray png = encoded("PNG", QSize(1, 1));
    const int ihdr = png.indexOf("IHDR");
    const unsigned char dims[8] = {0x00, 0x01, 0x86, 0xA0, 0x00, 0x01, 0x86, 0xA0};
    png.replace(ihdr + 4, 8, QByteArray(reinterpret_cast<const char*>(dims), 8));
    return png;
}

} // namespace

TEST(PictureFile, ReadsEachFormatOfTheFilter) {
    TempDir dir;
    for (const char* format : {"BMP", "JPG", "PNG", "ICO", "GIF"}) {
        const std::string path = dir.file(std::string("p.") + format);
        const QByteArray bytes = encoded(format, QSize(154, 12));
        if (bytes.isEmpty()) {
            continue; // this Qt cannot write the format; reading is what matters and is covered by shipped files
        }
        write(path, bytes);
        const auto image = settings_ui::loadPictureFile(QString::fromStdString(path));
        ASSERT_TRUE(image.has_value()) << format;
        EXPECT_EQ(image->size(), QSize(154, 12)) << format;
    }
}

TEST(PictureFile, RefusesBadFilesWithoutDecodingThem) {
    TempDir dir;
    const QByteArray jpeg = encoded("JPG", QSize(154, 12));
    write(dir.file("truncated.jpg"), jpeg.left(jpeg.size() / 3));
    write(dir.file("bomb.png"), bombPng());
    write(dir.file("empty.bmp"), QByteArray());
    QByteArray noise;
    for (int i = 0; i < 4096; ++i) {
        noise.append(static_cast<char>((i * 7919 + 13) % 251));
    }
    write(dir.file("noise.gif"), noise);
    write(dir.file("huge.bmp"), encoded("BMP", QSize(2000, 2000)));
    for (const char* name : {"bomb.png", "empty.bmp", "noise.gif", "huge.bmp", "missing.jpg"}) {
        EXPECT_FALSE(settings_ui::loadPictureFile(QString::fromStdString(dir.file(name))).has_value()) << name;
    }
    EXPECT_FALSE(settings_ui::loadPictureFile(QString::fromStdString(dir.path())).has_value()) << "a folder";
    EXPECT_FALSE(settings_ui::loadPictureFile(QString()).has_value());
    // A truncated JPEG may decode partly; it must not crash and must not be bigger than it claims.
    const auto partial = settings_ui::loadPictureFile(QString::fromStdString(dir.file("truncated.jpg")));
    if (partial) {
        EXPECT_EQ(partial->size(), QSize(154, 12));
    }
}
