// Renders, without a display, pictures of the monitor in its layouts and fills and of the settings window, and the
// README's picture of both:
//   snapshot OUTPUT_FOLDER [BARS_FOLDER]
#include "app/gadget.h"
#include "app/window_places.h"
#include "core/settings.h"
#include "look/fonts.h"
#include "monitor/monitor_window.h"
#include "platform/disk_rate_source.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdio>

using namespace oruvel;

namespace {

// Hands out the rates the snapshot asks for.
class FixedRates final : public platform::DiskRateSource {
public:
    static inline double read = 0;
    static inline double write = 0;
    void select(std::string_view /*instance*/) override {}
    void collect() override {}
    double readRate() const override { return read; }
    double writeRate() const override { return write; }
};

QImage windowPicture(QWidget& w, const QRegion& shape) {
    QImage image = w.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    if (!shape.isEmpty()) {
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (!shape.contains(QPoint(x, y))) {
                    image.setPixel(x, y, qRgba(0, 0, 0, 0));
                }
            }
        }
    }
    return image;
}

bool save(const QImage& image, const QString& folder, const QString& name, int zoom) {
    const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".png");
    const QImage shown =
        zoom > 1 ? image.scaled(image.size() * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation) : image;
    if (!shown.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER [BARS_FOLDER]\n", argv[0]);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    look::installFontSubstitutes();

    QTemporaryDir scratch;
    core::Settings settings(scratch.filePath(QStringLiteral("Oruvel_Settings.ini")).toStdString());
    app::WindowPlaces places(
        std::make_unique<QSettings>(scratch.filePath(QStringLiteral("places.conf")), QSettings::IniFormat));
    app::GadgetServices services;
    services.programFolder = scratch.path().toStdString();
    services.openDiskRates = [] { return std::make_unique<FixedRates>(); };
    app::Gadget gadget(settings, places, services);
    gadget.start();
    gadget.sampleTimer().stop();
    monitor::MonitorWindow* m = &gadget.monitor();
    using core::Key;

    struct Variant {
        const char* name;
        int compact, rounded, border;
        bool colourFill;
    };
    const Variant variants[] = {{"normal", 0, 0, 0, false},       {"compact", 1, 1, 0, false},
                                {"rounded", 0, 1, 0, false},      {"border", 0, 1, 1, false},
                                {"picture-fill", 0, 1, 0, false}, {"colour-fill", 0, 1, 0, true}};
    bool ok = true;
    for (const Variant& v : variants) {
        settings.setNumber(Key::CompactMode, v.compact);
        settings.setNumber(Key::RoundCorners, v.rounded);
        settings.setNumber(Key::BarBorder, v.border);
        for (const core::Bar bar : core::kBars) {
            settings.setFillMode(bar, v.colourFill ? core::FillMode::Colour : core::FillMode::Picture);
        }
        for (const int percent : {0, 37, 100}) {
            FixedRates::read = percent / 100.0 * 25 * 1048576.0;
            FixedRates::write = percent / 100.0 * 0.8 * 25 * 1048576.0;
            gadget.sampleRates();
            QCoreApplication::processEvents();
            const QString name = QStringLiteral("monitor-%1-%2").arg(QLatin1String(v.name)).arg(percent);
            ok = save(windowPicture(*m, m->shapeRegion()), out, name, 4) && ok;
        }
    }
    // The monitor with each fill picture of a bars folder, 60 percent read and 30 percent write.
    if (argc == 3) {
        settings.setNumber(Key::CompactMode, 0);
        for (const core::Bar bar : core::kBars) {
            settings.setFillMode(bar, core::FillMode::Picture);
        }
        const QDir bars(QString::fromLocal8Bit(argv[2]));
        for (const QString& file : bars.entryList(QDir::Files, QDir::Name)) {
            const QImage picture(bars.filePath(file));
            if (picture.isNull()) {
                continue;
            }
            gadget.setFillPicture(core::Bar::Read, picture);
            gadget.setFillPicture(core::Bar::Write, picture);
            FixedRates::read = 0.6 * 25 * 1048576.0;
            FixedRates::write = 0.3 * 25 * 1048576.0;
            gadget.sampleRates();
            QCoreApplication::processEvents();
            ok = save(windowPicture(*m, m->shapeRegion()), out, QStringLiteral("monitor-fill-") + file, 4) && ok;
        }
    }
    // A compact monitor at rates of many gigabytes per second: the texts are drawn whole.
    settings.setNumber(Key::CompactMode, 1);
    FixedRates::read = 10.0 * 1073741824.0;
    FixedRates::write = 1.5 * 1073741824.0;
    gadget.sampleRates();
    QCoreApplication::processEvents();
    ok = save(windowPicture(*m, m->shapeRegion()), out, QStringLiteral("monitor-compact-10GiB"), 4) && ok;
    settings.setNumber(Key::CompactMode, 0);
    for (const core::Bar bar : core::kBars) {
        settings.setFillMode(bar, core::FillMode::Picture);
    }
    FixedRates::read = 0.37 * 25 * 1048576.0;
    FixedRates::write = 0.8 * 25 * 1048576.0;
    gadget.sampleRates();
    QCoreApplication::processEvents();
    const QImage monitorPicture = windowPicture(*m, m->shapeRegion());

    gadget.showSettings();
    QCoreApplication::processEvents();
    const QImage settingsPicture = windowPicture(gadget.settingsWindow(), QRegion());
    ok = save(settingsPicture, out, QStringLiteral("settings-window"), 1) && ok;

    // The README's picture: the monitor, twice its size, over the settings window.
    QImage readme(settingsPicture.width(), settingsPicture.height() + monitorPicture.height() * 2 + 24,
                  QImage::Format_ARGB32);
    readme.fill(QColor(58, 110, 165));
    {
        QPainter p(&readme);
        p.drawImage(QRect(QPoint((readme.width() - monitorPicture.width() * 2) / 2, 12), monitorPicture.size() * 2),
                    monitorPicture);
        p.drawImage(QPoint(0, monitorPicture.height() * 2 + 24), settingsPicture);
    }
    ok = save(readme, out, QStringLiteral("readme"), 1) && ok;
    gadget.exit();
    return ok ? 0 : 1;
}
