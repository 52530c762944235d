// The whole program, as main assembles it, through 100,000 sampling cycles on fixture disk counters and an injected
// clock: the heap in use after the last cycle is what it was after cycle 1,000, and nothing leaks (the sanitizer
// build runs this under LeakSanitizer, which checks at exit that every picture, surface and string was released).
#include "look/tray_pictures.h"
#include "platform/linux/sysfs_disk_rate_source.h"
#include "support/fake_clock.h"
#include "support/gadget_fixture.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <random>

#if defined(__SANITIZE_ADDRESS__)
// From the sanitizer runtime (GCC ships no header that declares it).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

using namespace oruvel;

namespace {

std::size_t heapInUse() {
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
#endif
}

// Two whole disks and a partition whose counters grow by a pseudo-random amount each second, from idle to past the
// full scale, so the bars, texts, tray pictures and tooltips keep changing.
class FixtureDisks {
public:
    explicit FixtureDisks(test::TempDir& dir) : sys_(dir.file("block")) {
        for (const char* disk : {"sda", "nvme0n1"}) {
            std::filesystem::create_directories(sys_ + "/" + disk + "/device");
        }
        std::filesystem::create_directories(sys_ + "/sda1");
        advance();
    }

    const std::string& sysPath() const { return sys_; }
    test::FakeClock clock;

    // A pseudo-random second, or with `steady` one that moves every disk by the same amount each time.
    void advance(bool steady = false) {
        clock.now += 1.0;
        for (auto& [read, written] : sectors_) {
            // Up to 20 MB/s each way per disk (512-byte sectors), idle one second in eight.
            const bool idle = !steady && random_() % 8 == 0;
            read += idle ? 0 : steady ? 12345 : random_() % 40960;
            written += idle ? 0 : steady ? 23456 : random_() % 40960;
        }
        stat("sda", sectors_[0]);
        stat("sda1", sectors_[0]);
        stat("nvme0n1", sectors_[1]);
    }

private:
    void stat(const char* name, const std::pair<std::uint64_t, std::uint64_t>& s) const {
        test::writeFile(sys_ + "/" + name + "/stat", "1 0 " + std::to_string(s.first) + " 0 1 0 " +
                                                         std::to_string(s.second) + " 0 0 0 0 0 0 0 0 0 0\n");
    }

    std::string sys_;
    std::minstd_rand random_{20261208};
    // Counters that start high enough to keep their number of digits for the whole run, so the file's length does not
    // creep up with them.
    static constexpr std::uint64_t kStart = 1'000'000'000'000;
    std::array<std::pair<std::uint64_t, std::uint64_t>, 2> sectors_{{{kStart, kStart}, {kStart, kStart}}};
};

} // namespace

using LongRun = test::GadgetFixture;

TEST_F(LongRun, HundredThousandTicksHoldTheHeapSteady) {
    FixtureDisks disks(dir);
    openDiskRates = [&disks] { return std::make_unique<platform::SysfsDiskRateSource>(disks.sysPath(), disks.clock); };
    auto& gadget = start();
    monitor::MonitorWindow& monitor = gadget.monitor();

    std::array<int, look::kTrayLegendOrder.size()> picturesSeen{};
    int fullBars = 0;
    std::size_t heapAtThousand = 0;
    constexpr int kTicks = 100'000;
    for (int tick = 1; tick <= kTicks; ++tick) {
        // The cycles before each measurement show the same rates, so the same texts and pictures are alive then.
        const bool beforeMeasurement = tick % 1000 >= 998;
        disks.advance(beforeMeasurement);
        gadget.sampleRates();
        const auto* picture =
            std::find(look::kTrayLegendOrder.begin(), look::kTrayLegendOrder.end(), gadget.currentTrayPicture());
        ASSERT_NE(picture, look::kTrayLegendOrder.end());
        ++picturesSeen[static_cast<std::size_t>(picture - look::kTrayLegendOrder.begin())];
        fullBars += monitor.readBar().value() == 100 ? 1 : 0;
        if (tick == 1'000) {
            heapAtThousand = heapInUse();
        }
    }
    const std::size_t heapAtEnd = heapInUse();

    // Qt's font caches age on a wall-clock timer and reload glyphs and metrics now and then, so the two figures differ
    // by up to a few kilobytes either way (a run of 400,000 cycles stays level from cycle 40,000 on); a leak of one
    // 16-byte block every 200 cycles would already show.
    const auto drift = static_cast<long long>(heapAtEnd) - static_cast<long long>(heapAtThousand);
    RecordProperty("heapAfter1000", std::to_string(heapAtThousand));
    RecordProperty("heapAfter100000", std::to_string(heapAtEnd));
    EXPECT_LE(std::llabs(drift), 8192) << "bytes in use: " << heapAtThousand << " after cycle 1,000, " << heapAtEnd
                                       << " after cycle 100,000";
    for (std::size_t picture = 0; picture < picturesSeen.size(); ++picture) {
        EXPECT_GT(picturesSeen[picture], 0) << "tray picture " << picture << " never shown";
    }
    EXPECT_GT(fullBars, 0);
    EXPECT_LT(fullBars, kTicks);
    EXPECT_TRUE(monitor.readBar().text().startsWith(QStringLiteral("Drive Read: ")));
}
