// The settings: read once from the file, served from memory, each change stored at once and announced.
#include "core/settings.h"
#include "platform/ini_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

using namespace oruvel::core;
using oruvel::test::nativeLines;
using oruvel::test::readFile;
using oruvel::test::TempDir;
using oruvel::test::writeFile;

namespace {

struct SettingsFile : ::testing::Test {
    TempDir dir;
    std::string path = dir.file("Oruvel_Settings.ini");
    std::optional<Settings> settings;
    std::vector<std::string> announced;

    Settings& load(const std::string& text = "") {
        if (!text.empty()) {
            writeFile(path, text);
        }
        settings.emplace(path);
        settings->addListener([this](const SettingKey& key) { announced.emplace_back(key.name); });
        return *settings;
    }
    std::string stored(const SettingKey& key) {
        settings->flush();
        return oruvel::platform::ini::readValue(path, kSettingsSection, key.name);
    }
};

} // namespace

TEST_F(SettingsFile, NoFileGivesTheDefaultsAndWritesNothing) {
    Settings& s = load();
    EXPECT_EQ(s.text(keys::diskInstance), "_Total");
    EXPECT_EQ(s.number(keys::readBarBackground), 14737632);
    EXPECT_EQ(s.number(keys::writeBarFill), 49152);
    EXPECT_EQ(s.number(keys::roundCorners), 1);
    EXPECT_EQ(s.number(keys::showMonitor), 1);
    EXPECT_EQ(s.number(keys::translucentOpacity), 175);
    EXPECT_EQ(s.windowMode(), WindowMode::Normal);
    EXPECT_EQ(s.fillMode(Bar::Read), FillMode::Picture);
    EXPECT_EQ(s.text(keys::readFullScale), "25");
    EXPECT_EQ(s.text(keys::readFillPicturePath), "");
    EXPECT_EQ(s.textAtStart(keys::diskInstance), "");
    s.flush();
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(SettingsFile, StoredTextsConvertAsTheyAlwaysHave) {
    Settings& s = load("[main]\ntransparencylevel=300\nghosttransparencylevel=\nmonitorprogressbar=red\n"
                       "monitorprogressbartext= -16777216 \nmonitorprogressbarfill=2.5\nreadmax=0\nwritemax=abc\n"
                       "ontop=2\ncompact=\"1 \"\nshow=3\nroundcorners=0\nenableghost=1\nnormal=FALSE\n"
                       "BarFillGraphicLocation=/pictures/bar.jpg\nmonitorprogressdontusebarfill=yes\n"
                       "monitorprogressusebarfill2=TRUE\nmonitorprogressdontusebarfill2=0\ndrive=sdb\n");
    EXPECT_EQ(s.number(keys::translucentOpacity), 175) << "out of range";
    EXPECT_EQ(s.number(keys::ghostOpacity), 175) << "empty";
    EXPECT_EQ(s.number(keys::readBarBackground), 14737632) << "not a number";
    EXPECT_EQ(s.number(keys::readBarText), -16777216);
    EXPECT_EQ(s.number(keys::readBarFill), 2) << "halves to even";
    EXPECT_EQ(s.text(keys::readFullScale), "25") << "0 shows the default";
    EXPECT_EQ(s.text(keys::writeFullScale), "abc") << "any other text as it is";
    EXPECT_EQ(s.number(keys::alwaysOnTop), 2) << "a greyed box";
    EXPECT_EQ(s.number(keys::compactMode), 1);
    EXPECT_EQ(s.textAtStart(keys::compactMode), "1 ") << "the text itself is kept for what only exact 1 means";
    EXPECT_EQ(s.number(keys::showMonitor), 1) << "3 is no box value";
    EXPECT_EQ(s.number(keys::roundCorners), 0);
    EXPECT_EQ(s.windowMode(), WindowMode::Ghost);
    EXPECT_TRUE(s.option(keys::ghostMode));
    EXPECT_FALSE(s.option(keys::normalMode));
    EXPECT_EQ(s.text(keys::readFillPicturePath), "/pictures/bar.jpg");
    EXPECT_EQ(s.fillMode(Bar::Read), FillMode::Picture) << "yes does not convert";
    EXPECT_EQ(s.fillMode(Bar::Write), FillMode::Colour);
    EXPECT_EQ(s.text(keys::diskInstance), "sdb");
    EXPECT_TRUE(announced.empty()) << "reading announces nothing";
}

TEST_F(SettingsFile, OptionButtonsOfAGroupReadInOrder) {
    // Translucent True selects it; ghost True then takes over; normal False clears the default.
    EXPECT_EQ(load("[main]\nenabletransparency=True\nenableghost=True\nnormal=False\n").windowMode(),
              WindowMode::Ghost);
    // Every button False: no mode at all.
    EXPECT_EQ(load("[main]\nnormal=False\n").windowMode(), std::nullopt);
    // A later True clears an earlier one; a False after a True leaves the True.
    EXPECT_EQ(load("[main]\nblendtodesktop=True\nnormal=True\nenabletransparency=False\n").windowMode(),
              WindowMode::Normal);
    EXPECT_EQ(
        load("[main]\nmonitorprogressusebarfill=False\nmonitorprogressdontusebarfill=False\n").fillMode(Bar::Read),
        FillMode::Neither);
}

TEST_F(SettingsFile, ChangesAreKeptStoredAndAnnouncedOnce) {
    Settings& s = load("[main]\nforeign=kept\n");
    s.setNumber(keys::compactMode, 1);
    s.setNumber(keys::compactMode, 1);
    s.setText(keys::readFullScale, "120");
    s.setNumber(keys::writeBarFill, -1);
    EXPECT_EQ(s.number(keys::compactMode), 1);
    EXPECT_EQ(announced, (std::vector<std::string>{"compact", "readmax", "monitorprogressbarfill2"}))
        << "an unchanged value is stored again but not announced";
    EXPECT_EQ(stored(keys::compactMode), "1");
    EXPECT_EQ(stored(keys::readFullScale), "120");
    EXPECT_EQ(stored(keys::writeBarFill), "-1");
    EXPECT_EQ(oruvel::platform::ini::readValue(path, "main", "foreign"), "kept");

    announced.clear();
    s.setWindowMode(WindowMode::Translucent);
    EXPECT_EQ(announced, (std::vector<std::string>{"normal", "enabletransparency"})) << "the buttons that changed";
    EXPECT_EQ(stored(keys::normalMode), "False");
    EXPECT_EQ(stored(keys::blendMode), "False") << "all four are written together";
    EXPECT_EQ(stored(keys::translucentMode), "True");
    EXPECT_EQ(stored(keys::ghostMode), "False");

    s.setFillMode(Bar::Write, FillMode::Colour);
    EXPECT_EQ(s.fillMode(Bar::Write), FillMode::Colour);
    EXPECT_EQ(stored(keys::writeFillUsesColour), "True");
    EXPECT_EQ(stored(keys::writeFillUsesPicture), "False");
    EXPECT_EQ(s.fillMode(Bar::Read), FillMode::Picture);
}

TEST_F(SettingsFile, AListenerSeesTheNewValueAndMayChangeOthers) {
    Settings& s = load();
    s.addListener([&s](const SettingKey& key) {
        if (&key == &keys::showMonitor && s.number(key) == 0) {
            s.setNumber(keys::alwaysOnTop, 0);
        }
    });
    s.setNumber(keys::alwaysOnTop, 1);
    s.setNumber(keys::showMonitor, 0);
    EXPECT_EQ(s.number(keys::alwaysOnTop), 0);
    EXPECT_EQ(announced, (std::vector<std::string>{"ontop", "show", "ontop"}));
    EXPECT_EQ(stored(keys::alwaysOnTop), "0");
}

TEST_F(SettingsFile, AValueTheFileCannotHoldIsKeptButNotWritten) {
    Settings& s = load();
    s.setText(keys::readFillPicturePath, "/pictures/line\nbreak.jpg");
    EXPECT_EQ(s.text(keys::readFillPicturePath), "/pictures/line\nbreak.jpg");
    s.setText(keys::readFullScale, "25\n[main]\nshow=0");
    EXPECT_EQ(stored(keys::readFillPicturePath), "");
    EXPECT_EQ(stored(keys::showMonitor), "");
    s.setNumber(keys::showMonitor, 1);
    s.flush();
    EXPECT_EQ(readFile(path), nativeLines("[main]\nshow=1\n", oruvel::platform::ini::kNativeLineEnding));
}

TEST_F(SettingsFile, LongValuesAreCutAsTheFileReaderCutsThem) {
    Settings& s = load("[main]\nBarFillGraphicLocation=" + std::string(300, 'p') + "\n");
    EXPECT_EQ(s.text(keys::readFillPicturePath), std::string(254, 'p'));
}
