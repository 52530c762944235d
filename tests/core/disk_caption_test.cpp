#include "core/disk_caption.h"

#include <gtest/gtest.h>

using namespace oruvel::core;
using oruvel::platform::DiskInfo;

TEST(DiskCaption, DecimalSizesAsDisksAreSold) {
    EXPECT_EQ(decimalSize(0), "0 bytes");
    EXPECT_EQ(decimalSize(999), "999 bytes");
    EXPECT_EQ(decimalSize(1000), "1.0 kB");
    EXPECT_EQ(decimalSize(1000204886016ULL), "1.0 TB");
    EXPECT_EQ(decimalSize(500107862016ULL), "500.1 GB");
    EXPECT_EQ(decimalSize(999950000000ULL), "1.0 TB") << "rounding up to 1000 GB moves to the next unit";
    EXPECT_EQ(decimalSize(999949999999ULL), "999.9 GB");
    EXPECT_EQ(decimalSize(18446744073709551615ULL), "18.4 EB");
    EXPECT_EQ(decimalSize(256060514304ULL, ","), "256,1 GB");
}

TEST(DiskCaption, NameModelAndSize) {
    EXPECT_EQ(diskCaption({"nvme0n1", "Samsung SSD 980 1TB", 1000204886016ULL, {}}),
              "nvme0n1 \u2014 Samsung SSD 980 1TB (1.0 TB)");
    EXPECT_EQ(diskCaption({"sdb", "", 500107862016ULL, {}}), "sdb (500.1 GB)");
    EXPECT_EQ(diskCaption({"vda", "", 0, {}}), "vda");
}
