#include "core/readout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using oruvel::core::NumberSeparators;
using oruvel::core::Readout;

namespace {

constexpr double kMb = 1048576.0;

struct Call {
    double read = 117.74 * kMb;
    double write = 5 * kMb;
    bool compact = false;
    std::string readScale = "100";
    std::string writeScale = "25";
    NumberSeparators separators;

    const Readout::Shown& on(Readout& readout) const {
        return readout.compute(read, write, compact, readScale, writeScale, separators);
    }
};

void expectSame(const Readout::Shown& a, const Readout::Shown& b) {
    EXPECT_EQ(a.texts.read, b.texts.read);
    EXPECT_EQ(a.texts.write, b.texts.write);
    EXPECT_EQ(a.readPercent, b.readPercent);
    EXPECT_EQ(a.writePercent, b.writePercent);
    EXPECT_EQ(a.loadBands, b.loadBands);
}

} // namespace

TEST(Readout, EachChangedInputGivesTheResultsOfAFreshReadout) {
    Readout readout;
    Call call;
    const Readout::Shown first = call.on(readout);
    EXPECT_EQ(first.texts.read, "Drive Read: 117.74 MB/s");
    EXPECT_EQ(first.texts.write, "Drive Write: 5.00 MB/s");
    EXPECT_EQ(first.readPercent, 100);
    EXPECT_EQ(first.writePercent, 20);
    EXPECT_EQ(first.loadBands, (oruvel::core::LoadBands{oruvel::core::LoadBand::High, oruvel::core::LoadBand::Low}));
    expectSame(call.on(readout), first);

    // Each input on its own must lead to results worked out anew, equal to those of a readout that never saw the
    // earlier inputs.
    const std::vector<std::pair<const char*, std::function<void(Call&)>>> changes{
        {"read rate", [](Call& c) { c.read = 2 * kMb; }},
        {"write rate", [](Call& c) { c.write = 20 * kMb; }},
        {"full scale of reads", [](Call& c) { c.readScale = std::string("4"); }},
        {"full scale of writes", [](Call& c) { c.writeScale = std::string("1000"); }},
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
    for (const auto& [what, change] : changes) {
        change(call);
        SCOPED_TRACE(what);
        const Readout::Shown& shown = call.on(readout);
        Readout fresh;
        expectSame(shown, call.on(fresh));
    }
    EXPECT_EQ(call.on(readout).texts.read, "读: 2048,00 MB");
    EXPECT_EQ(call.on(readout).readPercent, 100);
}

TEST(Readout, ANonNumberRateIsNeverTakenForTheLastOne) {
    Readout readout;
    Call call;
    call.read = std::nan("");
    EXPECT_EQ(call.on(readout).texts.read, "Drive Read: 0 Bytes/s");
    EXPECT_EQ(call.on(readout).readPercent, 0);
    call.read = 4 * kMb;
    EXPECT_EQ(call.on(readout).texts.read, "Drive Read: 4.00 MB/s") << "NaN never equals the next rate";
}
