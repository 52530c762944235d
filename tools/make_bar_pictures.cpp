// Writes the bar fill pictures shipped in the bars folder beside the programs (154 x 12 pixels each):
//   make_bar_pictures OUTPUT_FOLDER
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <cstdio>
#include <functional>

namespace {

constexpr int kWidth = 154;
constexpr int kHeight = 12;

// A soft light on the upper half and a shade at the bottom edge, for depth.
void gloss(QPainter& p, int strength) {
    QLinearGradient g(0, 0, 0, kHeight);
    g.setColorAt(0.0, QColor(255, 255, 255, strength));
    g.setColorAt(0.45, QColor(255, 255, 255, strength / 6));
    g.setColorAt(0.55, QColor(0, 0, 0, 0));
    g.setColorAt(1.0, QColor(0, 0, 0, strength * 2 / 3));
    p.fillRect(0, 0, kWidth, kHeight, g);
}

void across(QPainter& p, std::initializer_list<std::pair<double, QColor>> stops) {
    QLinearGradient g(0, 0, kWidth, 0);
    for (const auto& [at, colour] : stops) {
        g.setColorAt(at, colour);
    }
    p.fillRect(0, 0, kWidth, kHeight, g);
}

struct Picture {
    const char* name;
    std::function<void(QPainter&)> paint;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(out)) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    const Picture pictures[] = {
        {"bar1.jpg",
         [](QPainter& p) {
             across(p, {{0.0, QColor(24, 170, 40)}, {0.45, QColor(230, 220, 30)}, {0.75, QColor(235, 120, 20)},
                        {1.0, QColor(140, 10, 10)}});
             gloss(p, 90);
         }},
        {"bar2.jpg",
         [](QPainter& p) {
             across(p, {{0.0, QColor(70, 150, 230)}, {0.6, QColor(110, 190, 250)}, {1.0, QColor(170, 230, 255)}});
             gloss(p, 110);
         }},
        {"bar3.jpg",
         [](QPainter& p) {
             across(p, {{0.0, QColor(180, 130, 230)}, {0.5, QColor(235, 130, 200)}, {1.0, QColor(255, 160, 150)}});
             gloss(p, 90);
         }},
        {"bar4.jpg",
         [](QPainter& p) {
             across(p, {{0.0, QColor(150, 158, 168)}, {1.0, QColor(205, 212, 220)}});
             gloss(p, 140);
         }},
        {"bar5.jpg",
         [](QPainter& p) {
             across(p, {{0.0, QColor(80, 200, 170)}, {1.0, QColor(170, 240, 200)}});
             gloss(p, 100);
         }},
        {"bar6.bmp",
         [](QPainter& p) {
             across(p, {{0.0, QColor(230, 40, 40)}, {0.2, QColor(240, 150, 30)}, {0.4, QColor(230, 230, 40)},
                        {0.6, QColor(40, 200, 70)}, {0.8, QColor(40, 120, 230)}, {1.0, QColor(140, 60, 200)}});
             gloss(p, 80);
         }},
    };
    for (const Picture& pic : pictures) {
        QImage image(kWidth, kHeight, QImage::Format_RGB32);
        {
            QPainter p(&image);
            pic.paint(p);
        }
        const QString path = out + QLatin1Char('/') + QString::fromLatin1(pic.name);
        if (!image.save(path, nullptr, 95)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
