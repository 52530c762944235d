// Renders, without a display, pictures of the monitor in its layouts and fills and of the settings window:
//   snapshot OUTPUT_FOLDER
#include "core/program.h"
#include "monitor/fonts.h"
#include "monitor/monitor_window.h"
#include "platform/disk_counter_source.h"
#include "platform/file_registry_store.h"
#include "settings_ui/setting_widgets.h"
#include "settings_ui/settings_window.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdio>

using namespace oruvel;

namespace {

// Hands out the rates the snapshot asks for.
class FixedRates final : public platform::DiskCounterSource {
public:
    static inline double read = 0;
    static inline double write = 0;
    platform::CounterHandle addCounter(std::string_view path) override {
        return path.find("Read") != std::string_view::npos ? 1 : 2;
    }
    void collect() override {}
    double counterValue(platform::CounterHandle h) const override { return h == 1 ? read : write; }
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
    monitor::installFontSubstitutes();

    QTemporaryDir scratch;
    core::Program program(scratch.path().toStdString(),
                          std::make_unique<platform::FileRegistryStore>(scratch.path().toStdString() + "/reg"),
                          [] { return std::make_unique<FixedRates>(); });
    settings_ui::SettingsWindow window(program);
    window.start();
    window.sampleTimer().stop();

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
        window.compactModeCheckBox->setValue(v.compact);
        window.applyCompactMode();
        window.roundCornersCheckBox->setValue(v.rounded);
        window.barBorderCheckBox->setValue(v.border);
        (v.colourFill ? window.readFillColourRadioButton : window.readFillPictureRadioButton)->setSelected(true);
        (v.colourFill ? window.writeFillColourRadioButton : window.writeFillPictureRadioButton)->setSelected(true);
        window.applyAppearance();
        for (const int percent : {0, 37, 100}) {
            FixedRates::read = percent / 100.0 * 25 * 1048576.0;
            FixedRates::write = percent / 100.0 * 0.8 * 25 * 1048576.0;
            window.sampleRates();
            QCoreApplication::processEvents();
            monitor::MonitorWindow* m = window.monitor();
            const QString name = QStringLiteral("monitor-%1-%2").arg(QLatin1String(v.name)).arg(percent);
            ok = save(windowPicture(*m, m->shapeRegion()), out, name, 4) && ok;
        }
    }
    // The monitor with each fill picture of a bars folder, 60 percent read and 30 percent write.
    if (argc == 3) {
        window.compactModeCheckBox->setValue(0);
        window.applyCompactMode();
        window.readFillPictureRadioButton->setSelected(true);
        window.writeFillPictureRadioButton->setSelected(true);
        const QDir bars(QString::fromLocal8Bit(argv[2]));
        for (const QString& file : bars.entryList(QDir::Files, QDir::Name)) {
            const QImage picture(bars.filePath(file));
            if (picture.isNull()) {
                continue;
            }
            window.setFillPicture(core::Bar::Read, picture);
            window.setFillPicture(core::Bar::Write, picture);
            window.applyAppearance();
            FixedRates::read = 0.6 * 25 * 1048576.0;
            FixedRates::write = 0.3 * 25 * 1048576.0;
            window.sampleRates();
            QCoreApplication::processEvents();
            monitor::MonitorWindow* m = window.monitor();
            ok = save(windowPicture(*m, m->shapeRegion()), out, QStringLiteral("monitor-fill-") + file, 4) && ok;
        }
    }
    window.showSettings();
    QCoreApplication::processEvents();
    ok = save(windowPicture(window, QRegion()), out, QStringLiteral("settings-window"), 1) && ok;
    window.requestShutdown(settings_ui::ShutdownReason::ExitCommand);
    return ok ? 0 : 1;
}
