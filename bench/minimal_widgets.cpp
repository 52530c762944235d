// The smallest Qt Widgets program that shows a window: the memory baseline the peer comparison measures against.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Drive Read: 0 Bytes/s"));
    label.setWindowFlags(Qt::FramelessWindowHint);
    label.show();
    return QApplication::exec();
}
