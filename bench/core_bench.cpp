#include "core/format_bytes.h"
#include "core/settings_keys.h"
#include "platform/disk_rates.h"
#include "platform/ini_file.h"
#include "platform/linux/proc_disk_counter_source.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::string diskstatsText(int devices) {
    std::string text;
    for (int i = 0; i < devices; ++i) {
        text += "   8   " + std::to_string(i) + " sd" + std::to_string(i) +
                " 182734 41231 9921002 67321 231007 190331 18823440 401223 0 251002 489441 0 0 0 0 11422 20897\n";
    }
    return text;
}

void parseDevices(benchmark::State& state) {
    const std::string text = diskstatsText(static_cast<int>(state.range(0)));
    std::vector<oruvel::platform::DiskSample> out;
    for (auto _ : state) {
        oruvel::platform::parseDiskstats(text, out);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(parseDevices)->Arg(16)->Arg(1000);

void collectRealDiskstats(benchmark::State& state) {
    const oruvel::platform::SteadyClock clock;
    oruvel::platform::ProcDiskCounterSource source("/proc/diskstats", "/sys/block", clock);
    const auto read = source.addCounter("\\PhysicalDisk(_Total)\\Disk Read Bytes/sec");
    const auto write = source.addCounter("\\PhysicalDisk(_Total)\\Disk Write Bytes/sec");
    for (auto _ : state) {
        source.collect();
        benchmark::DoNotOptimize(source.counterValue(read) + source.counterValue(write));
    }
}
BENCHMARK(collectRealDiskstats);

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
        for (const auto& key : oruvel::core::kAllSettingKeys) {
            out << key.name << "=" << key.defaultText << "\n";
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
