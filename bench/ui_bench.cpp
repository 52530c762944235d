// Drawing and sampling costs, on Qt's offscreen platform.
#include "app/gadget.h"
#include "app/window_places.h"
#include "core/settings.h"
#include "look/built_in_fill.h"
#include "look/fonts.h"
#include "monitor/rate_bar.h"
#include "platform/disk_rate_source.h"

#include <QApplication>
#include <QPainter>
#include <QSettings>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace oruvel;

namespace {

void drawBar(benchmark::State& state) {
    monitor::RateBar bar;
    bar.resize(154, 12);
    QFont font(QStringLiteral("Verdana"));
    font.setPointSizeF(6.75);
    font.setBold(true);
    bar.setFont(font);
    bar.setText(QStringLiteral("Drive Read: 117.74 MB/s"));
    bar.setBackgroundColour(QColor(224, 224, 224));
    bar.setFillColour(QColor(0, 192, 192));
    const QImage picture = look::builtInFillPicture();
    if (state.range(0) == 1) {
        bar.setFillPicture(picture);
    }
    bar.setBorderStyle(monitor::BorderStyle::Sunken);
    QImage target(154, 12, QImage::Format_RGB32);
    int value = 0;
    for (auto _ : state) {
        bar.setValue(value);
        QPainter p(&target);
        bar.paint(p, QRect(0, 0, 154, 12));
        benchmark::DoNotOptimize(target);
        value = (value + 7) % 101;
    }
    state.SetLabel(state.range(0) == 0 ? "colour fill" : "picture fill");
}
BENCHMARK(drawBar)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

class SteppingRates final : public platform::DiskRateSource {
public:
    void select(std::string_view /*instance*/) override {}
    void collect() override { step_ += 1048576.0; }
    double readRate() const override { return step_; }
    double writeRate() const override { return 2 * step_; }

private:
    double step_ = 0;
};

void wholeTick(benchmark::State& state) {
    QTemporaryDir dir;
    core::Settings settings(dir.filePath(QStringLiteral("Oruvel_Settings.ini")).toStdString());
    app::WindowPlaces places(
        std::make_unique<QSettings>(dir.filePath(QStringLiteral("places.conf")), QSettings::IniFormat));
    app::GadgetServices services;
    services.programFolder = dir.path().toStdString();
    services.openDiskRates = [] { return std::make_unique<SteppingRates>(); };
    app::Gadget gadget(settings, places, services);
    gadget.start();
    gadget.sampleTimer().stop();
    for (auto _ : state) {
        gadget.sampleRates();
    }
    gadget.exit();
}
BENCHMARK(wholeTick)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    look::installFontSubstitutes();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
