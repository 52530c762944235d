// Writes the application icon (the tray picture of a busy disk): make_icon SIZE FILE writes a PNG of that size;
// make_icon 0 FILE.ico writes the Windows programs' icon file with every size Windows asks for, each a PNG inside.
// resources/windows/oruvel.ico is made so: build/dev/tools/make_icon 0 resources/windows/oruvel.ico
#include "look/tray_pictures.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

QImage iconPicture(int size) {
    return oruvel::look::trayPicture({oruvel::core::LoadBand::Middle, oruvel::core::LoadBand::Middle}, size);
}

void appendLittleEndian(QByteArray& out, quint32 value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

// An ICO file: a header, a directory entry per picture, then each picture as a PNG.
bool writeIco(const QString& path) {
    const std::vector<int> sizes{16, 20, 24, 32, 40, 48, 64, 256};
    std::vector<QByteArray> pngs;
    for (const int size : sizes) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!iconPicture(size).save(&buffer, "PNG")) {
            return false;
        }
        pngs.push_back(png);
    }
    QByteArray out;
    appendLittleEndian(out, 0, 2);           // reserved
    appendLittleEndian(out, 1, 2);           // an icon
    appendLittleEndian(out, pngs.size(), 2); // its pictures
    quint32 offset = 6 + 16 * static_cast<quint32>(pngs.size());
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        appendLittleEndian(out, sizes[i] == 256 ? 0 : sizes[i], 1); // 0 is 256
        appendLittleEndian(out, sizes[i] == 256 ? 0 : sizes[i], 1);
        appendLittleEndian(out, 0, 1); // no palette
        appendLittleEndian(out, 0, 1);
        appendLittleEndian(out, 1, 2);  // planes
        appendLittleEndian(out, 32, 2); // bits per pixel
        appendLittleEndian(out, static_cast<quint32>(pngs[i].size()), 4);
        appendLittleEndian(out, offset, 4);
        offset += static_cast<quint32>(pngs[i].size());
    }
    for (const QByteArray& png : pngs) {
        out.append(png);
    }
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(out) == out.size();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SIZE FILE | %s 0 FILE.ico\n", argv[0], argv[0]);
        return 2;
    }
    const int size = std::atoi(argv[1]);
    const QString path = QString::fromLocal8Bit(argv[2]);
    if (size == 0 && path.endsWith(QLatin1String(".ico"))) {
        return writeIco(path) ? 0 : 1;
    }
    return iconPicture(size > 0 ? size : 64).save(path) ? 0 : 1;
}
