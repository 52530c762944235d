#include "settings_ui/common_dialog_logic.h"
#include "settings_ui/rate_entry_logic.h"

#include <gtest/gtest.h>

using namespace oruvel::settings_ui;

TEST(RateEntry, KeyFilter) {
    EXPECT_EQ(FieldCount("", "."), 1);
    EXPECT_EQ(FieldCount("1.2.3", "."), 3);
    EXPECT_EQ(FieldCount("a b", ""), 2) << "an empty separator counts as a blank";
    for (const char c : std::string("0123456789")) {
        EXPECT_EQ(filterRateKey("25", c), c);
    }
    for (const int c : {8, 3, 24, 23}) {
        EXPECT_EQ(filterRateKey("25", c), c);
    }
    for (const int c : {int{'.'}, int{'-'}, int{'a'}, int{' '}, 22, 1, 0x4E2D}) {
        EXPECT_EQ(filterRateKey("25", c), 0) << c;
    }
    EXPECT_EQ(filterRateKey("1.2.3.4", '5'), '5') << "four fields still take digits";
    EXPECT_EQ(filterRateKey("1.2.3.4.5", '5'), 0);
    EXPECT_EQ(filterRateKey("1.2.3.4.5", 8), 0);
    EXPECT_TRUE(IsBetween('5', '0', '9'));
    EXPECT_FALSE(IsBetween('/', '0', '9'));
}

TEST(CommonDialogLogic, FilterAndFlags) {
    EXPECT_EQ(convertFilter("a|b"), std::string("a\0b\0\0", 5));
    EXPECT_EQ(convertFilter("Pictures:*.jpg"), std::string("Pictures\0*.jpg\0\0", 16)) << "\":\" splits too";
    const auto entries = filterEntries("图片文件 (*.jpg *.bmp *.gif *.ico)|*.jpg;*.bmp;*.gif;*.ico|All|*.*");
    ASSERT_EQ(entries.size(), 2U);
    EXPECT_EQ(entries[0].first, "图片文件 (*.jpg *.bmp *.gif *.ico)");
    EXPECT_EQ(entries[0].second, (std::vector<std::string>{"*.jpg", "*.bmp", "*.gif", "*.ico"}));
    EXPECT_TRUE(filterEntries("").empty());

    EXPECT_EQ(colourDialogFlags(258), 0x1U | 0x100U | 0x2U);
    EXPECT_EQ(colourDialogFlags(0x4 | 0x10 | 0x20), 0x1U | 0x80U | 0x4U) << "no hook or template bits";
    EXPECT_EQ(openDialogFlags(0x1000 | 0x200 | 0x40, false), 0x1000U | 0x200U | 0x80000U);
    EXPECT_EQ(openDialogFlags(0x40, true), 0x40U);
}
