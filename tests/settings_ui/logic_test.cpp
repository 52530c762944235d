#include "settings_ui/full_scale_key_filter.h"

#include <gtest/gtest.h>

using namespace oruvel::settings_ui;

TEST(FullScaleKeyFilter, TypedCharacters) {
    EXPECT_EQ(fieldCount("", "."), 1);
    EXPECT_EQ(fieldCount("1.2.3", "."), 3);
    EXPECT_EQ(fieldCount("a b", ""), 2) << "an empty separator counts as a blank";
    for (const char16_t c : std::u16string(u"0123456789")) {
        EXPECT_TRUE(acceptsTypedCharacter("25", c));
    }
    EXPECT_TRUE(acceptsTypedCharacter("25", kBackspace));
    for (const char16_t c : {u'-', u'a', u' ', u',', char16_t{22}, char16_t{1}, u'中'}) {
        EXPECT_FALSE(acceptsTypedCharacter("25", c)) << int{c};
    }
    EXPECT_TRUE(acceptsTypedCharacter("1", u'.')) << "1.5 is typed as it reads";
    EXPECT_TRUE(acceptsTypedCharacter("", u'.'));
    EXPECT_FALSE(acceptsTypedCharacter("1.5", u'.')) << "one decimal point";
    EXPECT_TRUE(acceptsTypedCharacter("1.5", u'.', "1.5")) << "it replaces the selected text";
    EXPECT_TRUE(acceptsTypedCharacter("1.5", u'.', ".5"));
    EXPECT_FALSE(acceptsTypedCharacter("1.5", u'.', "5"));
    EXPECT_TRUE(acceptsTypedCharacter("1.2.3.4", '5')) << "four fields still take digits";
    EXPECT_FALSE(acceptsTypedCharacter("1.2.3.4.5", '5'));
    EXPECT_FALSE(acceptsTypedCharacter("1.2.3.4.5", kBackspace));
}
