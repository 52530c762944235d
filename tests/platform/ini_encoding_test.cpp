// Settings files as other editors and the system's own profile functions leave them: byte order marks, UTF-16, lines
// ended by a CR alone. They read, and a write keeps their form.
#include "platform/ini_file.h"
#include "platform/utf16_text.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace oruvel::platform;
using oruvel::test::readFile;
using oruvel::test::TempDir;
using oruvel::test::writeFile;

namespace {

const std::string kUtf8Mark = "\xEF\xBB\xBF";

std::string utf16(const std::string& text, ByteOrder order) {
    return std::string(order == ByteOrder::Little ? "\xFF\xFE" : "\xFE\xFF") + utf16FromUtf8(text, order);
}

} // namespace

TEST(IniEncoding, MarkedAndCrOnlyFilesReadAndAWriteKeepsTheirForm) {
    TempDir dir;
    struct Case {
        const char* what;
        std::string before;
        std::string after; // after writing show=0 and a new key
    };
    const std::string picture = "D:\\图片\\bar1.jpg";
    const std::vector<Case> cases{
        {"UTF-8 with its mark", kUtf8Mark + "[main]\r\nshow=1\r\nreadpicture=" + picture + "\r\n",
         kUtf8Mark + "[main]\r\nshow=0\r\nreadpicture=" + picture + "\r\ncompact=1\r\n"},
        {"CR alone", "[main]\rshow=1\rreadpicture=" + picture + "\r",
         "[main]\rshow=0\rreadpicture=" + picture + "\rcompact=1\r"},
        {"UTF-16LE", utf16("[main]\r\nshow=1\r\nreadpicture=" + picture + "\r\n", ByteOrder::Little),
         utf16("[main]\r\nshow=0\r\nreadpicture=" + picture + "\r\ncompact=1\r\n", ByteOrder::Little)},
        {"UTF-16BE", utf16("[main]\nshow=1\nreadpicture=" + picture + "\n", ByteOrder::Big),
         utf16("[main]\nshow=0\nreadpicture=" + picture + "\ncompact=1\n", ByteOrder::Big)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = dir.file("s.ini");
        writeFile(path, c.before);
        EXPECT_EQ(ini::readValue(path, "main", "show"), "1");
        EXPECT_EQ(ini::readValue(path, "main", "readpicture"), picture);
        const std::vector<ini::KeyValue> changes{{"show", "0"}, {"compact", "1"}};
        ASSERT_TRUE(ini::writeValues(path, "main", changes));
        EXPECT_EQ(readFile(path), c.after) << "no second [main], the same encoding and line ends";
        EXPECT_EQ(ini::readValue(path, "main", "compact"), "1");
    }
}

TEST(IniEncoding, Utf16TextSurvivesTheRoundTripWhateverItHolds) {
    // Characters beyond the basic plane, a surrogate without its partner, and an odd last byte.
    const std::string units("\x3D\xD8\x00\xDE\x00\xD8\x41\x00\x42", 9);
    const std::string text = utf8FromUtf16(units, ByteOrder::Little);
    EXPECT_EQ(text.substr(0, 4), "\xF0\x9F\x98\x80");
    EXPECT_EQ(utf16FromUtf8(text, ByteOrder::Little), units.substr(0, 8));
    EXPECT_EQ(utf16FromUtf8("\xFF"
                            "a",
                            ByteOrder::Big),
              std::string("\xFF\xFD\x00"
                          "a",
                          4))
        << "a broken byte";
}

TEST(IniWriteValues, ManyKeysLandInOneReplaceInTheirOrder) {
    TempDir dir;
    const std::string path = dir.file("s.ini");
    writeFile(path, "; kept\n[other]\nshow=9\n[main]\nopacity=100\nghost=True\n\n[later]\nx=1\n");
    const std::vector<ini::KeyValue> changes{
        {"ghost", "False"}, {"normal", "True"}, {"OPACITY", "50"}, {"blend", "False"}, {"normal", "False"}};
    ASSERT_TRUE(ini::writeValues(path, "main", changes));
    EXPECT_EQ(readFile(path), "; kept\n[other]\nshow=9\n[main]\nopacity=50\nghost=False\nnormal=False\nblend=False\n\n"
                              "[later]\nx=1\n")
        << "keys changed where they stand, new ones after the section's last line in the order given, a repeated key "
           "with its last value";

    EXPECT_FALSE(ini::writeValues(path, "main", std::vector<ini::KeyValue>{{"show", "1"}, {"bad", "1\n[main]"}}));
    EXPECT_EQ(ini::readValue(path, "main", "show"), "") << "a batch with one value the file cannot hold writes nothing";
}

TEST(IniWriteValues, OnlyValuesThatReadBackExactlyAreHeldExactly) {
    EXPECT_TRUE(ini::holdsExactly("C:\\bars\\bar1.jpg"));
    EXPECT_TRUE(ini::holdsExactly(""));
    EXPECT_TRUE(ini::holdsExactly(std::string(ini::kMaxValueLength, 'x')));
    EXPECT_FALSE(ini::holdsExactly(std::string(ini::kMaxValueLength + 1, 'x'))) << "a read cuts it";
    EXPECT_FALSE(ini::holdsExactly("a\nb"));
    EXPECT_FALSE(ini::holdsExactly(" padded "));
    EXPECT_FALSE(ini::holdsExactly("\"quoted\""));
}
