#include "core/format_bytes.h"
#include "core/settings_keys.h"
#include "platform/disk_stat.h"
#include "platform/ini_file.h"
#include "platform/linux/sysfs_disk_rate_source.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

void parseStat(benchmark::State& state) {
    const std::string text =
        "  182734    41231  9921002    67321   231007   190331 18823440   401223        0   251002   489441\n";
    for (auto _ : state) {
        benchmark::DoNotOptimize(oruvel::platform::parseDiskStat(text));
    }
}
BENCHMARK(parseStat);

// One collection of every whole disk of this machine, as each second of the program takes it.
void collectRealDisks(benchmark::State& state) {
    const oruvel::platform::SteadyClock clock;
    oruvel::platform::SysfsDiskRateSource source("/sys/block", clock);
    for (auto _ : state) {
        source.collect();
        benchmark::DoNotOptimize(source.readRate() + source.writeRate());
    }
}
BENCHMARK(collectRealDisks);

void formatBytes(benchmark::State& state) {
    const oruvel::core::NumberSeparators sep;
    double v = 123456789.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(oruvel::core::formatBytes(v, true, sep));
        v += 1.0;
    }
}
BENCHMARK(formatBytes);

// A settings file as the program leaves it, in a scratch folder.
struct SettingsFile {
    std::string folder;
    std::string path;
    SettingsFile() {
        std::string pattern = (std::filesystem::temp_directory_path() / "oruvel-bench-XXXXXX").string();
        folder = ::mkdtemp(pattern.data()) != nullptr ? pattern : ".";
        path = folder + "/Oruvel_Settings.ini";
        std::ofstream out(path);
        out << "[main]\n";
        for (const auto& row : oruvel::core::kKeyTable) {
            out << row.name << "=" << row.defaultText << "\n";
        }
    }
    ~SettingsFile() { std::filesystem::remove_all(folder); }
};

void readIni(benchmark::State& state) {
    const SettingsFile file;
    for (auto _ : state) {
        benchmark::DoNotOptimize(oruvel::platform::ini::readValue(file.path, "main", "writemax"));
    }
}
BENCHMARK(readIni);

void writeIni(benchmark::State& state) {
    const SettingsFile file;
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            oruvel::platform::ini::writeValue(file.path, "main", "readmax", std::to_string(i++ % 100)));
    }
}
BENCHMARK(writeIni)->Unit(benchmark::kMicrosecond);

} // namespace
