#include "platform/linux/sysfs_disks.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace oruvel::platform;
using oruvel::test::TempDir;
using oruvel::test::writeFile;

TEST(SysfsDisks, WholeDisksWithModelAndSizeSortedByName) {
    TempDir dir;
    const std::string block = dir.file("block");
    const auto device = [&](const std::string& sysName) {
        std::filesystem::create_directories(block + "/" + sysName + "/device");
    };
    device("sda");
    writeFile(block + "/sda/device/model", "  WDC WD10EZEX-08W  \n");
    writeFile(block + "/sda/size", "1953525168\n");
    device("nvme0n1");
    writeFile(block + "/nvme0n1/size", "junk\n");
    device("cciss!c0d0"); // the kernel's "cciss/c0d0"
    writeFile(block + "/cciss!c0d0/device/model", std::string("odd\x01model\nsecond line"));
    writeFile(block + "/cciss!c0d0/size", "99999999999999999999\n"); // past what 64 bits hold in bytes
    for (const char* other : {"sda1", "loop0", "dm-0", "zram0"}) {
        std::filesystem::create_directories(block + "/" + other);
        writeFile(block + "/" + other + "/size", "100\n");
    }

    const std::vector<DiskInfo> expected{{"cciss/c0d0", "odd model", 0, {}},
                                         {"nvme0n1", "", 0, {}},
                                         {"sda", "WDC WD10EZEX-08W", 1953525168ULL * 512, {}}};
    EXPECT_EQ(readSysfsDisks(block), expected);
    EXPECT_TRUE(isWholeDisk(block, "cciss/c0d0"));
    EXPECT_FALSE(isWholeDisk(block, "sda1"));
    EXPECT_FALSE(isWholeDisk(block, ".."));
    EXPECT_FALSE(isWholeDisk(block, ""));

    EXPECT_TRUE(readSysfsDisks(dir.file("missing")).empty()) << "no tree, no disks";
}
