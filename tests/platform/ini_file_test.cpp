#include "platform/ini_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>

using oruvel::platform::ini::classifyLine;
using oruvel::platform::ini::kNativeLineEnding;
using oruvel::platform::ini::IniLine;
using oruvel::platform::ini::readValue;
using oruvel::platform::ini::writeValue;
using oruvel::test::readFile;
using oruvel::test::TempDir;
using oruvel::test::writeFile;

TEST(IniRead, MatchesNamesCaseInsensitivelyAndTrims) {
    TempDir dir;
    const auto path = dir.file("s.ini");
    writeFile(path, "[other]\ndrive=wrong\n [ MAIN ] \n  Drive =  sda  \nQuoted=\"  spaced  \"\nsingle='x'\n"
                    "half=\"open\nempty=\n");
    EXPECT_EQ(readValue(path, "main", "drive"), "sda");
    EXPECT_EQ(readValue(path, "Main", "DRIVE"), "sda");
    EXPECT_EQ(readValue(path, "main", "quoted"), "  spaced  ");
    EXPECT_EQ(readValue(path, "main", "single"), "x");
    EXPECT_EQ(readValue(path, "main", "half"), "\"open");
    EXPECT_EQ(readValue(path, "main", "empty"), "");
    EXPECT_EQ(readValue(path, "main", "missing"), "");
    EXPECT_EQ(readValue(path, "nosuch", "drive"), "");
    EXPECT_EQ(readValue(dir.file("none.ini"), "main", "drive"), "");
}

TEST(IniRead, HandlesLineEndsRepeatsAndLongValues) {
    TempDir dir;
    const auto path = dir.file("s.ini");
    const std::string longValue(300, 'v');
    writeFile(path, "[main]\r\nshow=0\r\nshow=1\r\nlong=" + longValue + "\r\n[main]\r\nlate=1\r\nlast=no-newline");
    EXPECT_EQ(readValue(path, "main", "show"), "0") << "the first of repeated keys counts";
    EXPECT_EQ(readValue(path, "main", "long"), std::string(254, 'v'));
    EXPECT_EQ(readValue(path, "main", "late"), "") << "only the first section of a name counts";

    writeFile(path, "[main]\nlast=no-newline");
    EXPECT_EQ(readValue(path, "main", "last"), "no-newline");

    // A cut never splits a UTF-8 character: 253 ASCII bytes then a 3-byte character.
    writeFile(path, "[main]\nu=" + std::string(253, 'a') + "\xE4\xB8\xAD" + "\n");
    EXPECT_EQ(readValue(path, "main", "u"), std::string(253, 'a'));
}

TEST(IniRead, SurvivesJunkFiles) {
    TempDir dir;
    const auto path = dir.file("s.ini");
    std::string junk;
    for (int i = 0; i < 5000; ++i) {
        junk += static_cast<char>((i * 7919) % 256);
    }
    writeFile(path, junk + "\n[main]\nshow=0\n");
    EXPECT_EQ(readValue(path, "main", "show"), "0");

    // A NUL inside a value ends it.
    writeFile(path, std::string("[main]\nkey=ab\0cd\n", 17));
    EXPECT_EQ(readValue(path, "main", "key"), "ab");

    // One line of a megabyte, then a normal key.
    writeFile(path, "[main]\nbig=" + std::string(1 << 20, 'x') + "\nshow=1\n");
    EXPECT_EQ(readValue(path, "main", "big"), std::string(254, 'x'));
    EXPECT_EQ(readValue(path, "main", "show"), "1");

    // Keys before any section belong to none.
    writeFile(path, "show=0\n");
    EXPECT_EQ(readValue(path, "main", "show"), "");

    // A folder in place of the file reads as missing.
    EXPECT_EQ(readValue(dir.path(), "main", "show"), "");
}

TEST(IniWrite, CreatesFileAndSectionAndKeepsOtherBytes) {
    TempDir dir;
    const auto path = dir.file("s.ini");
    ASSERT_TRUE(writeValue(path, "main", "drive", "_Total"));
    const auto native = [](const std::string& t) { return oruvel::test::nativeLines(t, kNativeLineEnding); };
    EXPECT_EQ(readFile(path), native("[main]\ndrive=_Total\n"));

    ASSERT_TRUE(writeValue(path, "main", "show", "1"));
    ASSERT_TRUE(writeValue(path, "main", "DRIVE", "sda"));
    EXPECT_EQ(readFile(path), native("[main]\ndrive=sda\nshow=1\n")) << "the file's own spelling of a key stays";

    const std::string original = "; comment\r\n[other]\r\nA = 1\r\n\r\n[main]\r\nx=1\r\n  y = 2 \r\n\r\n[tail]\r\nz=3";
    writeFile(path, original);
    ASSERT_TRUE(writeValue(path, "main", "new", "v"));
    EXPECT_EQ(readFile(path),
              "; comment\r\n[other]\r\nA = 1\r\n\r\n[main]\r\nx=1\r\n  y = 2 \r\nnew=v\r\n\r\n[tail]\r\nz=3");
    ASSERT_TRUE(writeValue(path, "main", "y", "20"));
    EXPECT_EQ(readFile(path),
              "; comment\r\n[other]\r\nA = 1\r\n\r\n[main]\r\nx=1\r\ny=20\r\nnew=v\r\n\r\n[tail]\r\nz=3");
    ASSERT_TRUE(writeValue(path, "extra", "k", ""));
    EXPECT_EQ(readFile(path), "; comment\r\n[other]\r\nA = 1\r\n\r\n[main]\r\nx=1\r\ny=20\r\nnew=v\r\n\r\n[tail]\r\n"
                              "z=3\r\n[extra]\r\nk=\r\n");
    EXPECT_EQ(readValue(path, "extra", "k"), "");
}

TEST(IniWrite, InsertsIntoLastSectionWithoutLineEnd) {
    TempDir dir;
    const auto path = dir.file("s.ini");
    const auto native = [](const std::string& t) { return oruvel::test::nativeLines(t, kNativeLineEnding); };
    writeFile(path, "[main]\nx=1");
    ASSERT_TRUE(writeValue(path, "main", "y", "2"));
    EXPECT_EQ(readFile(path), "[main]\nx=1\ny=2\n") << "the file's own line ends are kept";
    writeFile(path, "[main]");
    ASSERT_TRUE(writeValue(path, "main", "y", "2"));
    EXPECT_EQ(readFile(path), native("[main]\ny=2\n")) << "a file without line ends takes the system's";
}

TEST(IniWrite, RefusesWhatWouldBreakTheFile) {
    TempDir dir;
    const auto path = dir.file("s.ini");
    writeFile(path, "[main]\nshow=1\n");
    EXPECT_FALSE(writeValue(path, "main", "show", "0\r\n[main]\nshow=1"));
    EXPECT_FALSE(writeValue(path, "main", "show", "0\ninjected=1"));
    EXPECT_FALSE(writeValue(path, "main", "show", std::string("0\0x", 3)));
    EXPECT_FALSE(writeValue(path, "main", "a=b", "1"));
    EXPECT_FALSE(writeValue(path, "main", "", "1"));
    EXPECT_FALSE(writeValue(path, "ma]in", "k", "1"));
    EXPECT_FALSE(writeValue(path, "main", "[k", "1"));
    EXPECT_EQ(readFile(path), "[main]\nshow=1\n");

    EXPECT_FALSE(writeValue(dir.path(), "main", "k", "1")) << "a folder is not replaced";
    EXPECT_FALSE(writeValue(dir.file("no/such/folder/s.ini"), "main", "k", "1"));
}

TEST(IniLines, Classification) {
    EXPECT_EQ(classifyLine("[main]").kind, IniLine::Kind::Section);
    EXPECT_EQ(classifyLine("[a]b]").name, "a]b");
    EXPECT_EQ(classifyLine("[open").kind, IniLine::Kind::Other);
    EXPECT_EQ(classifyLine(";k=v").kind, IniLine::Kind::Other);
    EXPECT_EQ(classifyLine("no equals").kind, IniLine::Kind::Other);
    const IniLine e = classifyLine(" k = a=b ");
    EXPECT_EQ(e.kind, IniLine::Kind::Entry);
    EXPECT_EQ(e.name, "k");
    EXPECT_EQ(e.value, "a=b");
    EXPECT_EQ(classifyLine("k=\"\"").value, "");
    EXPECT_EQ(classifyLine("k=\"").value, "\"");
}
