#include "platform/file_registry_store.h"
#include "platform/registry_hive.h"
#include "platform/registry_routines.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace oruvel::platform;
using oruvel::test::readFile;
using oruvel::test::TempDir;
using oruvel::test::writeFile;

namespace {

struct RegistryFixture : ::testing::Test {
    TempDir dir;
    FileRegistryStore store{dir.path() + "/registry"};

    RegistryKey at(const std::string& keyRoot, const std::string& subkey) {
        RegistryKey r(store);
        r.root = RegRoot::CurrentUser;
        r.parentPath = keyRoot;
        r.name = subkey;
        return r;
    }
};

} // namespace

TEST_F(RegistryFixture, ValuesNeedAnExistingKey) {
    auto r = at("Software\\Maker", "Product");
    EXPECT_FALSE(r.setValue("v", std::string("x"), reg::kSz));
    EXPECT_FALSE(r.exists());
    EXPECT_FALSE(std::filesystem::exists(store.hivePath(RegRoot::CurrentUser))) << "a failed set creates nothing";

    EXPECT_TRUE(r.createKey());
    EXPECT_TRUE(r.exists());
    EXPECT_TRUE(r.setValue("v", std::string("x"), reg::kSz));
    EXPECT_EQ(valueText(r.value("v")), "x");
    EXPECT_EQ(valueText(r.value("V")), "x") << "names are case-insensitive";
}

TEST_F(RegistryFixture, AllFiveTypesRoundTripThroughTheFile) {
    auto r = at("Software\\Maker", "Product");
    ASSERT_TRUE(r.createKey());
    const std::string longText(3000, 'L');
    const std::vector<std::uint8_t> bytes{0, 1, 2, 255, 0};
    ASSERT_TRUE(r.setValue("sz", std::string("hello \xE4\xB8\xAD"), reg::kSz));
    ASSERT_TRUE(r.setValue("num", std::int32_t{1234}, reg::kSz));
    ASSERT_TRUE(r.setValue("long", longText, reg::kSz));
    ASSERT_TRUE(r.setValue("bin", bytes, reg::kBinary));
    ASSERT_TRUE(r.setValue("dw", std::int32_t{-5}, reg::kDword));
    ASSERT_TRUE(r.setValue("dwtext", std::string("77"), reg::kDword));
    EXPECT_FALSE(r.setValue("dwbad", std::string("seven"), reg::kDword));
    ASSERT_TRUE(r.setValue("multi", std::string("a"), reg::kMultiSz));
    oruvel::test::setEnvironment("ORUVEL_TEST_VAR", "expanded-value-that-is-longer");
    ASSERT_TRUE(r.setValue("exp", std::string("<%ORUVEL_TEST_VAR%>%NOPE%"), reg::kExpandSz));

    // A fresh store object reads what the file holds.
    FileRegistryStore again(dir.path() + "/registry");
    RegistryKey r2(again);
    r2.parentPath = "software\\MAKER";
    r2.name = "product";
    EXPECT_EQ(std::get<std::string>(r2.value("sz")), "hello \xE4\xB8\xAD");
    EXPECT_EQ(std::get<std::string>(r2.value("num")), "1234");
    EXPECT_EQ(std::get<std::string>(r2.value("long")), longText);
    EXPECT_EQ(std::get<std::vector<std::uint8_t>>(r2.value("bin")), bytes);
    EXPECT_EQ(std::get<std::int32_t>(r2.value("dw")), -5);
    EXPECT_EQ(std::get<std::int32_t>(r2.value("dwtext")), 77);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(r2.value("dwbad")));
    EXPECT_EQ(std::get<std::string>(r2.value("multi")), "a");
    EXPECT_EQ(std::get<std::string>(r2.value("exp")), "<expanded-value-that-is-longer>%NOPE%");
    EXPECT_TRUE(std::holds_alternative<std::monostate>(r2.value("missing")));
    EXPECT_EQ(std::get<std::string>(r2.value("missing", std::string("dflt"))), "dflt");
    EXPECT_TRUE(r2.setValue("ignored", std::string("x"), 99)) << "an unknown type writes nothing";
    EXPECT_TRUE(std::holds_alternative<std::monostate>(r2.value("ignored")));

    const auto listed = r2.values(RegRoot::CurrentUser, "Software\\Maker\\Product");
    ASSERT_EQ(listed.size(), 8U);
    EXPECT_EQ(listed[3].second, "00 01 02 FF 00");
    EXPECT_EQ(listed[4].second, "-5");
}

TEST_F(RegistryFixture, DeletingKeysAndValues) {
    auto r = at("Software", "Maker");
    ASSERT_TRUE(r.createKey("Maker\\Product\\Deep"));
    EXPECT_EQ(r.subkeys(RegRoot::CurrentUser, "Software\\Maker"), std::vector<std::string>{"Product"});
    r.deleteKey("Maker");
    r.parentPath = "Software\\Maker\\Product";
    r.name = "Deep";
    EXPECT_TRUE(r.exists()) << "a key with subkeys stays";

    r.parentPath = "Software\\Maker";
    r.deleteKey("Product\\Deep");
    r.deleteKey("Product");
    r.deleteKey("Never");
    r.name = "Product";
    EXPECT_FALSE(r.exists());
    EXPECT_EQ(r.deleteValue("v"), reg::kFileNotFound);

    r.name = "";
    r.parentPath = "Software\\Maker";
    ASSERT_TRUE(r.setValue("v", std::string("1"), reg::kSz));
    EXPECT_EQ(r.deleteValue("v"), reg::kSuccess);
    EXPECT_EQ(r.deleteValue("v"), reg::kFileNotFound);
}

TEST_F(RegistryFixture, DamagedHiveIsSetAsideNotLost) {
    std::filesystem::create_directories(dir.path() + "/registry");
    const auto hive = store.hivePath(RegRoot::CurrentUser);
    writeFile(hive, "this is not a hive\n");
    auto r = at("Software", "X");
    EXPECT_TRUE(std::holds_alternative<std::monostate>(r.value("v")));
    ASSERT_TRUE(r.createKey());
    EXPECT_EQ(readFile(hive + ".damaged"), "this is not a hive\n");
    EXPECT_TRUE(r.exists());
}

TEST(RegistryHive, ParsesWhatItWritesAndSkipsBadLines) {
    RegistryHive hive;
    hive.createKey("A\\B with space\\C%");
    hive.findKey("a\\b with space\\c%")->values.emplace_back("name with\ttab", RegValue{reg::kSz, {'x', 0}});
    const std::string text = hive.serialize();
    auto back = RegistryHive::parse(text + "V junk\nK\nZ what\nV n 1 zz\n");
    ASSERT_TRUE(back.has_value());
    EXPECT_TRUE(back->hasKey("A\\B with space"));
    const auto* key = back->findKey("A\\B WITH SPACE\\C%");
    ASSERT_NE(key, nullptr);
    ASSERT_EQ(key->values.size(), 1U);
    EXPECT_EQ(key->values[0].first, "name with\ttab");
    EXPECT_FALSE(RegistryHive::parse("garbage").has_value());
}
