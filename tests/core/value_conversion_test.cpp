#include "core/settings_keys.h"
#include "core/value_conversion.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace oruvel::core;

TEST(ValueConversion, IntegersTakeSignBlanksAndRoundHalvesToEven) {
    EXPECT_EQ(toInt32("14737632"), 14737632);
    EXPECT_EQ(toInt32("  -42 "), -42);
    EXPECT_EQ(toInt32("+7"), 7);
    EXPECT_EQ(toInt32("2.5"), 2);
    EXPECT_EQ(toInt32("3.5"), 4);
    EXPECT_EQ(toInt32("-2.5"), -2);
    EXPECT_EQ(toInt32("2.50001"), 3);
    EXPECT_EQ(toInt32("2.4999"), 2);
    EXPECT_EQ(toInt32(".5"), 0);
    EXPECT_EQ(toInt32("7."), 7);
    EXPECT_EQ(toInt32("2147483647"), 2147483647);
    EXPECT_EQ(toInt32("-2147483648"), -2147483647 - 1);
    EXPECT_FALSE(toInt32("2147483648"));
    EXPECT_FALSE(toInt32("2147483647.5")) << "rounds up past the range";
    EXPECT_FALSE(toInt32("99999999999999999999999"));
    for (const char* bad : {"", " ", "red", "1e3", "1 2", "--1", "+", ".", "0x10", "12abc"}) {
        EXPECT_FALSE(toInt32(bad)) << bad;
    }
    EXPECT_EQ(toInt16("32767"), 32767);
    EXPECT_FALSE(toInt16("32768"));
}

TEST(ValueConversion, BooleansAcceptWordsInAnyCaseOrNumbers) {
    EXPECT_EQ(toBoolean("True"), true);
    EXPECT_EQ(toBoolean("TRUE"), true);
    EXPECT_EQ(toBoolean("false"), false);
    EXPECT_EQ(toBoolean("1"), true);
    EXPECT_EQ(toBoolean("-3.5"), true);
    EXPECT_EQ(toBoolean("0"), false);
    EXPECT_EQ(toBoolean("0.000"), false);
    EXPECT_FALSE(toBoolean("yes"));
    EXPECT_FALSE(toBoolean(""));
    EXPECT_EQ(booleanText(true), "True");
    EXPECT_EQ(booleanText(false), "False");
}

TEST(ValueConversion, ControlsRefuseValuesOutsideTheirRange) {
    EXPECT_EQ(toLevel("175"), 175);
    EXPECT_EQ(toLevel("0"), 0);
    EXPECT_EQ(toLevel("255"), 255);
    EXPECT_FALSE(toLevel("300"));
    EXPECT_FALSE(toLevel("-1"));
    EXPECT_FALSE(toLevel(""));
    EXPECT_EQ(toBoxValue("2"), 2);
    EXPECT_FALSE(toBoxValue("3"));
    EXPECT_FALSE(toBoxValue("1 x"));
}

TEST(SettingKeys, EachKeyIsDeclaredOnceWithAConvertibleDefault) {
    std::set<std::string> names;
    for (const KeyRow& key : kKeyTable) {
        EXPECT_TRUE(names.insert(std::string(key.name)).second) << key.name;
        switch (key.form) {
        case ValueForm::Colour:
            EXPECT_TRUE(toInt32(key.defaultText)) << key.name;
            break;
        case ValueForm::Box:
            EXPECT_TRUE(toBoxValue(key.defaultText)) << key.name;
            break;
        case ValueForm::Level:
            EXPECT_TRUE(toLevel(key.defaultText)) << key.name;
            break;
        case ValueForm::Option:
            EXPECT_TRUE(toBoolean(key.defaultText)) << key.name;
            break;
        default:
            break;
        }
    }
    EXPECT_EQ(names.size(), kKeyCount);
}
