// Prints, once a second, the texts the monitor's bars would show for a disk instance, with the raw rates, so they can
// be compared with other tools (iostat -d 1); with --activity, every disk's figures of the disk-activity window in
// iostat -dx's columns.
#include "core/disk_rate_sampler.h"
#include "core/format_bytes.h"
#include "platform/disk_activity_source.h"
#include "platform/disk_rate_source.h"

#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

oruvel::core::NumberSeparators localeSeparators() {
    std::setlocale(LC_NUMERIC, "");
    const std::lconv* lc = std::localeconv();
    oruvel::core::NumberSeparators sep;
    if (lc != nullptr && lc->decimal_point != nullptr && lc->decimal_point[0] != '\0') {
        sep.decimal = lc->decimal_point;
    }
    if (lc != nullptr && lc->thousands_sep != nullptr && lc->thousands_sep[0] != '\0') {
        sep.grouping = lc->thousands_sep;
    }
    std::setlocale(LC_NUMERIC, "C");
    return sep;
}

// Every disk's activity, once a second, in the units iostat -dx prints.
int printActivity(long seconds) {
    using namespace oruvel;
    const auto source = platform::openDiskActivitySource();
    source->collect();
    auto next = std::chrono::steady_clock::now();
    for (long i = 1; i <= seconds; ++i) {
        next += std::chrono::seconds(1);
        std::this_thread::sleep_until(next);
        source->collect();
        std::printf("%3ld  Device  r/s  rkB/s  r_await  w/s  wkB/s  w_await  in_flight  %%util\n", i);
        for (const platform::DiskActivityReading& d : source->disks()) {
            const platform::DiskActivity& a = d.activity;
            std::printf("     %s  %.2f  %.2f  %.2f  %.2f  %.2f  %.2f  %.0f  %.2f\n", d.name.c_str(), a.readsPerSecond,
                        a.readRate / 1024, a.readAwaitMilliseconds, a.writesPerSecond, a.writeRate / 1024,
                        a.writeAwaitMilliseconds, a.inFlight, a.busyPercent);
        }
        std::fflush(stdout);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--activity" && std::strtol(argv[2], nullptr, 10) > 0) {
        return printActivity(std::strtol(argv[2], nullptr, 10));
    }
    if (argc != 3) {
        std::fprintf(stderr,
                     "usage: %s INSTANCE SECONDS   (INSTANCE is _Total or a disk name such as sda)\n"
                     "       %s --activity SECONDS\n",
                     argv[0], argv[0]);
        return 2;
    }
    const std::string instance = argv[1];
    const long seconds = std::strtol(argv[2], nullptr, 10);
    if (seconds <= 0) {
        std::fprintf(stderr, "SECONDS must be a positive number\n");
        return 2;
    }
    const auto sep = localeSeparators();

    using namespace oruvel;
    core::DiskRateSampler rates([] { return platform::openDiskRateSource(); });
    rates.open(instance);
    rates.sample();

    auto next = std::chrono::steady_clock::now();
    for (long i = 1; i <= seconds; ++i) {
        next += std::chrono::seconds(1);
        std::this_thread::sleep_until(next);
        rates.sample();
        const double r = rates.readRate();
        const double w = rates.writeRate();
        std::printf("%3ld  Drive Read: %s/s  Drive Write: %s/s  read_bytes_per_s=%.0f write_bytes_per_s=%.0f\n", i,
                    core::formatBytes(r, true, sep).c_str(), core::formatBytes(w, true, sep).c_str(), r, w);
        std::fflush(stdout);
    }
    rates.close();
    return 0;
}
