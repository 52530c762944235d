// Drawing and sampling costs, on Qt's offscreen platform.
#include "core/program.h"
#include "monitor/built_in_fill.h"
#include "monitor/fonts.h"
#include "monitor/monitor_window.h"
#include "monitor/rate_bar.h"
#include "platform/disk_counter_source.h"
#include "platform/file_registry_store.h"
#include "settings_ui/settings_window.h"

#include <QApplication>
#include <QPainter>
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
    bar.setTextVisible(true);
    bar.setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    bar.setText(QStringLiteral("Drive Read: 117.74 MB/s"));
    bar.setBackgroundColour(14737632);
    bar.setFillColour(12632064);
    const QImage picture = monitor::builtInFillPicture();
    if (state.range(0) == 1) {
        bar.setFillPicture(picture);
    }
    bar.setSegmented(state.range(0) == 2);
    bar.setBorderStyle(monitor::BorderStyle::Sunken);
    QImage target(154, 12, QImage::Format_RGB32);
    int value = 0;
    for (auto _ : state) {
        bar.setValue(value);
        QPainter p(&target);
        benchmark::DoNotOptimize(bar.paint(p, QRect(0, 0, 154, 12)));
        value = (value + 7) % 101;
    }
    state.SetLabel(state.range(0) == 0 ? "colour fill" : (state.range(0) == 1 ? "picture fill" : "segments"));
}
BENCHMARK(drawBar)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

class SteppingRates final : public platform::DiskCounterSource {
public:
    platform::CounterHandle addCounter(std::string_view path) override {
        return path.find("Read") != std::string_view::npos ? 1 : 2;
    }
    void collect() override { step_ += 1048576.0; }
    double counterValue(platform::CounterHandle h) const override { return h == 1 ? step_ : 2 * step_; }

private:
    double step_ = 0;
};

void wholeTick(benchmark::State& state) {
    QTemporaryDir dir;
    core::Program program(dir.path().toStdString(),
                          std::make_unique<platform::FileRegistryStore>(dir.path().toStdString() + "/reg"),
                          [] { return std::make_unique<SteppingRates>(); });
    settings_ui::SettingsWindow window(program);
    window.start();
    window.sampleTimer().stop();
    for (auto _ : state) {
        window.sampleRates();
    }
    window.requestShutdown(settings_ui::ShutdownReason::ExitCommand);
}
BENCHMARK(wholeTick)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    monitor::installFontSubstitutes();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
