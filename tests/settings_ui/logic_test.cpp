#include "settings_ui/file_filter.h"
#include "settings_ui/full_scale_key_filter.h"

#include <gtest/gtest.h>

using namespace oruvel::settings_ui;

TEST(FullScaleKeyFilter, TypedCharacters) {
    EXPECT_EQ(fieldCount("", "."), 1);
    EXPECT_EQ(fieldCount("1.2.3", "."), 3);
    EXPECT_EQ(fieldCount("a b", ""), 2) << "an empty separator counts as a blank";
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
}

TEST(FileFilter, SplitsDescriptionsAndPatterns) {
    const auto entries = filterEntries("图片文件 (*.jpg *.bmp *.gif *.ico)|*.jpg;*.bmp;*.gif;*.ico|All|*.*");
    ASSERT_EQ(entries.size(), 2U);
    EXPECT_EQ(entries[0].first, "图片文件 (*.jpg *.bmp *.gif *.ico)");
    EXPECT_EQ(entries[0].second, (std::vector<std::string>{"*.jpg", "*.bmp", "*.gif", "*.ico"}));
    EXPECT_TRUE(filterEntries("").empty());
}
