#include "app/tick_readout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using oruvel::core::NumberSeparators;
using oruvel::app::TickReadout;

namespace {

constexpr double kMb = 1048576.0;

struct Call {
    double read = 117.74 * kMb;
    double write = 5 * kMb;
    bool compact = false;
    std::string readScale = "100";
    std::string writeScale = "25";
    NumberSeparators separators;

    const TickReadout::Shown& on(TickReadout& readout) const {
        return readout.compute(read, write, compact, readScale, writeScale, separators);
    }
};

void expectSame(const TickReadout::Shown& a, const TickReadout::Shown& b) {
    EXPECT_EQ(a.readText, b.readText);
    EXPECT_EQ(a.writeText, b.writeText);
    EXPECT_EQ(a.readPercent, b.readPercent);
    EXPECT_EQ(a.writePercent, b.writePercent);
    EXPECT_EQ(a.loadBands, b.loadBands);
}

} // namespace

TEST(TickReadout, WorksResultsOutAgainOnlyWhenAnInputChanged) {
    TickReadout readout;
    Call call;
    const TickReadout::Shown first = call.on(readout);
    EXPECT_EQ(first.readText, QStringLiteral("Drive Read: 117.74 MB/s"));
    EXPECT_EQ(first.writeText, QStringLiteral("Drive Write: 5.00 MB/s"));
    EXPECT_EQ(first.readPercent, 100);
    EXPECT_EQ(first.writePercent, 20);
    EXPECT_EQ(first.loadBands, (oruvel::core::LoadBands{oruvel::core::LoadBand::High, oruvel::core::LoadBand::Low}));
    call.on(readout);
    EXPECT_EQ(readout.computations(), 1) << "an idle second gives the same inputs again";

    // Each input on its own must lead to results worked out anew, equal to those of a readout that never saw the
    // earlier inputs.
    const std::vector<std::pair<const char*, std::function<void(Call&)>>> changes{
        {"read rate", [](Call& c) { c.read = 2 * kMb; }},
        {"write rate", [](Call& c) { c.write = 20 * kMb; }},
        {"full scale of reads", [](Call& c) { c.readScale = "4"; }},
        {"full scale of writes", [](Call& c) { c.writeScale = "1000"; }},
        {"decimal point",
         [](Call& c) {
             c.separators = NumberSeparators{",", ","};
         }},
        {"grouping",
         [](Call& c) {
             c.separators = NumberSeparators{".", ","};
             c.read = 2048 * kMb;
         }},
        {"compact layout", [](Call& c) { c.compact = true; }},
    };
    int expected = 1;
    for (const auto& [what, change] : changes) {
        change(call);
        const TickReadout::Shown& shown = call.on(readout);
        EXPECT_EQ(readout.computations(), ++expected) << what;
        TickReadout fresh;
        expectSame(shown, call.on(fresh));
    }
    EXPECT_EQ(call.on(readout).readText, QStringLiteral("读: 2048,00 MB"));
    EXPECT_EQ(call.on(readout).readPercent, 100);
}

TEST(TickReadout, ANonNumberRateIsNeverTakenForTheLastOne) {
    TickReadout readout;
    Call call;
    call.read = std::nan("");
    EXPECT_EQ(call.on(readout).readText, QStringLiteral("Drive Read: 0 Bytes/s"));
    EXPECT_EQ(call.on(readout).readPercent, 0);
    EXPECT_EQ(readout.computations(), 2);
}
