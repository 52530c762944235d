#include "core/format_bytes.h"

#include <gtest/gtest.h>

#include <limits>

using namespace oruvel::core;

TEST(formatBytes, WorkedExamples) {
    const NumberSeparators en;
    struct Row {
        double v;
        const char* units;
        const char* fixed;
    };
    const Row rows[] = {
        {0, "0 Bytes", "00.00 MB"},
        {512.6, "513 Bytes", "00.00 MB"},
        {1023.4, "1,023 Bytes", "00.00 MB"},
        {1023.6, "1,024 Bytes", "00.00 MB"},
        {1024, "1.00 KB", "00.00 MB"},
        {1536, "1.50 KB", "00.00 MB"},
        {1048575, "1,024.00 KB", "01.00 MB"},
        {5242880, "5.00 MB", "05.00 MB"},
        {123456789, "117.74 MB", "117.74 MB"},
        {1500000000, "1.40 GB", "1430.51 MB"},
        {1073741824, "1.00 GB", "1024.00 MB"},
        {1099511627776.0, "1.00 TB", "1048576.00 MB"},
        {1099511627776.0 * 2048, "2,048.00 TB", "2147483648.00 MB"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(formatBytes(r.v, true, en), r.units) << r.v;
        EXPECT_EQ(formatFixedMegabytes(r.v, en), r.fixed) << r.v;
    }
    EXPECT_EQ(formatBytes(1234567.891, false, en), "1,234,567.89");
    EXPECT_EQ(formatBytes(0.5, false, en), "0.50");
}

TEST(formatBytes, FollowsTheLocaleSeparators) {
    const NumberSeparators de{".", ","};
    EXPECT_EQ(formatBytes(1536, true, de), "1,50 KB");
    EXPECT_EQ(formatBytes(1048575, true, de), "1.024,00 KB");
    EXPECT_EQ(formatFixedMegabytes(1500000000, de), "1430,51 MB");
    const NumberSeparators fr{"\xE2\x80\xAF", ","};
    EXPECT_EQ(formatBytes(1023.4, true, fr), "1\xE2\x80\xAF"
                                             "023 Bytes");
}

TEST(formatBytes, NegativeAndNonFiniteValuesShowZero) {
    const NumberSeparators en;
    EXPECT_EQ(formatBytes(-5, true, en), "0 Bytes");
    EXPECT_EQ(formatBytes(std::numeric_limits<double>::quiet_NaN(), true, en), "0 Bytes");
    EXPECT_EQ(formatFixedMegabytes(std::numeric_limits<double>::infinity(), en), "00.00 MB");
    EXPECT_FALSE(formatBytes(std::numeric_limits<double>::max(), true, en).empty());
}

TEST(formatBytes, HugeCountsKeepEveryDigitOnBothSidesOfTheIntegerLimit) {
    const NumberSeparators en;
    // 2^50 and 2^60 bytes: the hundredths fall below and above 10^18 respectively.
    EXPECT_EQ(formatBytes(1125899906842624.0, false, en), "1,125,899,906,842,624.00");
    EXPECT_EQ(formatBytes(1152921504606846976.0, false, en), "1,152,921,504,606,846,976.00");
    EXPECT_EQ(formatBytes(1152921504606846976.0, true, en), "1,048,576.00 TB");
}
