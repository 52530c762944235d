// Writes the application icon (the tray picture of a busy disk) as a PNG: make_icon SIZE FILE
#include "look/tray_pictures.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SIZE FILE\n", argv[0]);
        return 2;
    }
    const int size = std::atoi(argv[1]);
    return oruvel::look::trayPicture({oruvel::core::LoadBand::Middle, oruvel::core::LoadBand::Middle},
                                     size > 0 ? size : 64)
                   .save(QString::fromLocal8Bit(argv[2]))
               ? 0
               : 1;
}
