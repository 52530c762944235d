// The settings: read once from the file, served from memory, each change stored at once and announced.
#include "core/settings.h"
#include "core/unsaved_settings.h"
#include "core/value_conversion.h"
#include "platform/ini_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <optional>
#include <span>

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
        settings->addListener([this](Key key) { announced.emplace_back(rowOf(key).name); });
        return *settings;
    }
    std::string stored(Key key) {
        settings->flush();
        return oruvel::platform::ini::readValue(path, kSettingsSection, rowOf(key).name);
    }
};

} // namespace

TEST_F(SettingsFile, NoFileGivesTheDefaultsAndWritesNothing) {
    Settings& s = load();
    EXPECT_EQ(s.text(Key::DiskInstance), "_Total");
    EXPECT_EQ(s.number(Key::ReadBarBackground), 14737632);
    EXPECT_EQ(s.number(Key::WriteBarFill), 49152);
    EXPECT_EQ(s.number(Key::RoundCorners), 1);
    EXPECT_EQ(s.number(Key::ShowMonitor), 1);
    EXPECT_EQ(s.number(Key::TranslucentOpacity), 175);
    EXPECT_EQ(s.windowMode(), WindowMode::Normal);
    EXPECT_EQ(s.fillMode(Bar::Read), FillMode::Picture);
    EXPECT_EQ(s.text(Key::ReadFullScale), "25");
    EXPECT_EQ(s.text(Key::ReadFillPicturePath), "");
    EXPECT_EQ(s.textAtStart(Key::DiskInstance), "");
    s.flush();
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(SettingsFile, StoredTextsConvertAsTheyAlwaysHave) {
    Settings& s = load("[main]\ntransparencylevel=300\nghosttransparencylevel=\nmonitorprogressbar=red\n"
                       "monitorprogressbartext= -16777216 \nmonitorprogressbarfill=2.5\nreadmax=0\nwritemax=abc\n"
                       "ontop=2\ncompact=\"1 \"\nshow=3\nroundcorners=0\nenableghost=1\nnormal=FALSE\n"
                       "BarFillGraphicLocation=/pictures/bar.jpg\nmonitorprogressdontusebarfill=yes\n"
                       "monitorprogressusebarfill2=TRUE\nmonitorprogressdontusebarfill2=0\ndrive=sdb\n");
    EXPECT_EQ(s.number(Key::TranslucentOpacity), 175) << "out of range";
    EXPECT_EQ(s.number(Key::GhostOpacity), 175) << "empty";
    EXPECT_EQ(s.number(Key::ReadBarBackground), 14737632) << "not a number";
    EXPECT_EQ(s.number(Key::ReadBarText), -16777216);
    EXPECT_EQ(s.number(Key::ReadBarFill), 2) << "halves to even";
    EXPECT_EQ(s.text(Key::ReadFullScale), "25") << "0 shows the default";
    EXPECT_EQ(s.text(Key::WriteFullScale), "abc") << "any other text as it is";
    EXPECT_EQ(s.number(Key::AlwaysOnTop), 2) << "a greyed box";
    EXPECT_EQ(s.number(Key::CompactMode), 1);
    EXPECT_EQ(s.textAtStart(Key::CompactMode), "1 ") << "the text itself is kept for what only exact 1 means";
    EXPECT_EQ(s.number(Key::ShowMonitor), 1) << "3 is no box value";
    EXPECT_EQ(s.number(Key::RoundCorners), 0);
    EXPECT_EQ(s.windowMode(), WindowMode::Ghost);
    EXPECT_TRUE(s.option(Key::GhostMode));
    EXPECT_FALSE(s.option(Key::NormalMode));
    EXPECT_EQ(s.text(Key::ReadFillPicturePath), "/pictures/bar.jpg");
    EXPECT_EQ(s.fillMode(Bar::Read), FillMode::Picture) << "yes does not convert";
    EXPECT_EQ(s.fillMode(Bar::Write), FillMode::Colour);
    EXPECT_EQ(s.text(Key::DiskInstance), "sdb");
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
    s.setNumber(Key::CompactMode, 1);
    s.setNumber(Key::CompactMode, 1);
    s.setText(Key::ReadFullScale, "120");
    s.setNumber(Key::WriteBarFill, -1);
    EXPECT_EQ(s.number(Key::CompactMode), 1);
    EXPECT_EQ(announced, (std::vector<std::string>{"compact", "readmax", "monitorprogressbarfill2"}))
        << "an unchanged value is stored again but not announced";
    EXPECT_EQ(stored(Key::CompactMode), "1");
    EXPECT_EQ(stored(Key::ReadFullScale), "120");
    EXPECT_EQ(stored(Key::WriteBarFill), "-1");
    EXPECT_EQ(oruvel::platform::ini::readValue(path, "main", "foreign"), "kept");

    announced.clear();
    s.setWindowMode(WindowMode::Translucent);
    EXPECT_EQ(announced, (std::vector<std::string>{"enabletransparency", "normal"})) << "the buttons that changed";
    // The mode's level first, then the four buttons in the order the choice has always written them.
    s.flush();
    // (The file began with LF line ends, which a write keeps.)
    EXPECT_EQ(readFile(path), "[main]\nforeign=kept\ncompact=1\nreadmax=120\nmonitorprogressbarfill2=-1\n"
                              "transparencylevel=175\nenabletransparency=True\nenableghost=False\n"
                              "blendtodesktop=False\nnormal=False\n");
    EXPECT_EQ(stored(Key::NormalMode), "False");
    EXPECT_EQ(stored(Key::BlendMode), "False") << "all four are written together";
    EXPECT_EQ(stored(Key::TranslucentMode), "True");
    EXPECT_EQ(stored(Key::GhostMode), "False");

    s.setFillMode(Bar::Write, FillMode::Colour);
    EXPECT_EQ(s.fillMode(Bar::Write), FillMode::Colour);
    EXPECT_EQ(stored(Key::WriteFillUsesColour), "True");
    EXPECT_EQ(stored(Key::WriteFillUsesPicture), "False");
    EXPECT_EQ(s.fillMode(Bar::Read), FillMode::Picture);
}

// Hiding the monitor puts it back in the normal mode and off the top: one change, each key told once, after all of
// them hold their new values.
TEST_F(SettingsFile, HidingTheMonitorIsOneChangeThatListenersOnlyWatch) {
    Settings& s = load();
    s.setWindowMode(WindowMode::Ghost);
    s.setNumber(Key::AlwaysOnTop, 1);
    std::vector<std::string> seen;
    s.addListener([&s, &seen](Key) {
        seen.push_back(std::string(booleanText(s.option(Key::NormalMode))) + "/" +
                       std::to_string(s.number(Key::AlwaysOnTop)));
    });
    announced.clear();
    s.setNumber(Key::ShowMonitor, 0);
    EXPECT_EQ(announced, (std::vector<std::string>{"show", "enableghost", "normal", "ontop"}));
    EXPECT_EQ(seen, (std::vector<std::string>(4, "True/0"))) << "every listener sees the whole change";
    EXPECT_EQ(stored(Key::ShowMonitor), "0");
    EXPECT_EQ(stored(Key::NormalMode), "True");
    EXPECT_EQ(stored(Key::GhostMode), "False");
    EXPECT_EQ(stored(Key::AlwaysOnTop), "0");

    // While hidden, a mode other than normal is not taken.
    announced.clear();
    s.setWindowMode(WindowMode::Translucent);
    EXPECT_EQ(s.windowMode(), WindowMode::Normal);
    EXPECT_TRUE(announced.empty());
    EXPECT_EQ(stored(Key::TranslucentMode), "False");

    // Shown again, the monitor keeps the normal mode; a greyed show box does not count as hidden.
    s.setNumber(Key::ShowMonitor, 2);
    s.setWindowMode(WindowMode::Ghost);
    s.setNumber(Key::AlwaysOnTop, 1);
    EXPECT_EQ(s.windowMode(), WindowMode::Ghost);
    EXPECT_EQ(s.box(Key::AlwaysOnTop), BoxState::Ticked);
}

TEST_F(SettingsFile, AListenerThatChangesTheSettingsIsCaught) {
    Settings& s = load();
    s.addListener([&s](Key key) {
        if (key == Key::CompactMode) {
            s.setNumber(Key::AlwaysOnTop, 1);
        }
    });
    EXPECT_DEBUG_DEATH(s.setNumber(Key::CompactMode, 1), "a settings listener changed the settings");
}

TEST_F(SettingsFile, AValueTheFileCannotGiveBackIsRefusedNotReportedSaved) {
    Settings& s = load("[main]\nBarFillGraphicLocation=/pictures/bar1.jpg\n");
    const std::string longest = std::string("/").append(250, 'p');
    for (const std::string& value : {std::string("/pictures/line\nbreak.jpg"), longest + "p.jpg",
                                     std::string("/pictures/nul\0.jpg", 19), std::string("/pictures/trailing ")}) {
        EXPECT_FALSE(s.setText(Key::ReadFillPicturePath, value));
        EXPECT_EQ(s.text(Key::ReadFillPicturePath), "/pictures/bar1.jpg") << "the old value stays";
    }
    EXPECT_FALSE(s.setText(Key::ReadFullScale, "25\n[main]\nshow=0"));
    EXPECT_TRUE(announced.empty());
    s.setNumber(Key::ShowMonitor, 1);
    s.flush();
    EXPECT_FALSE(s.saveState().unsaved);
    EXPECT_EQ(readFile(path), "[main]\nBarFillGraphicLocation=/pictures/bar1.jpg\nshow=1\n");
    EXPECT_TRUE(s.setText(Key::ReadFillPicturePath, longest));
    EXPECT_EQ(stored(Key::ReadFillPicturePath), longest);
}

namespace {

// Counts the replaces of the file, as the disk sees them.
struct CountedWrites {
    std::atomic<int> replaces{0};
    oruvel::platform::ini::WriteQueue::Writer writer() {
        return [this](const std::string& path, std::string_view section,
                      std::span<const oruvel::platform::ini::KeyValue> entries) {
            ++replaces;
            return oruvel::platform::ini::writeValues(path, section, entries);
        };
    }
};

} // namespace

TEST_F(SettingsFile, AModeChoiceOrAColourSchemeIsOneReplaceOfTheFile) {
    CountedWrites disk;
    Settings s(path, disk.writer());
    s.setWindowMode(WindowMode::Translucent);
    s.flush();
    EXPECT_EQ(disk.replaces, 1) << "the level and the four mode keys together";
    EXPECT_EQ(oruvel::platform::ini::readValue(path, "main", "enabletransparency"), "True");
    {
        const Settings::Batch batch(s);
        s.setFillMode(Bar::Read, FillMode::Colour);
        for (const ColourRoleKey& c : kColourRoleKeys) {
            s.setNumber(c.key, 255);
        }
    }
    s.flush();
    EXPECT_EQ(disk.replaces, 2);
    EXPECT_EQ(oruvel::platform::ini::readValue(path, "main", rowOf(kColourRoleKeys[0].key).name), "255");
}

TEST_F(SettingsFile, ChangesThatNeverLandedAreHandedBackAndApplyAtTheNextStart) {
    Settings& s = load("[main]\nreadmax=25\nshow=1\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    s.setText(Key::ReadFullScale, "100");
    s.setNumber(Key::ShowMonitor, 1); // what the file holds already is no lost change
    s.setNumber(Key::CompactMode, 1);
    s.flush();
    EXPECT_TRUE(s.saveState().unsaved);
    const std::vector<oruvel::platform::ini::KeyValue> left = s.finishWrites();
    EXPECT_EQ(left, (std::vector<oruvel::platform::ini::KeyValue>{{"readmax", "100"}, {"compact", "1"}}));

    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    announced.clear();
    Settings& next = load();
    next.applyUnsaved(left);
    EXPECT_EQ(announced, (std::vector<std::string>{"readmax", "compact"})) << "applied as changes";
    EXPECT_EQ(next.text(Key::ReadFullScale), "100");
    EXPECT_EQ(next.number(Key::CompactMode), 1);
    EXPECT_EQ(stored(Key::ReadFullScale), "100");
    EXPECT_EQ(stored(Key::CompactMode), "1");
}

TEST_F(SettingsFile, AFileWhereWritesWereCutShortLosesOnlyTheirLeftovers) {
#ifdef _WIN32
    const std::string leftover = path + ".1234.0.tmp";
#else
    const std::string leftover = path + ".partial-Ab12Cd";
#endif
    writeFile(path, "[main]\nshow=1\n");
    writeFile(leftover, "[main]\nsh");
    load();
    EXPECT_FALSE(std::filesystem::exists(leftover));
    EXPECT_EQ(settings->number(Key::ShowMonitor), 1);
}

TEST_F(SettingsFile, LongValuesAreCutAsTheFileReaderCutsThem) {
    Settings& s = load("[main]\nBarFillGraphicLocation=" + std::string(300, 'p') + "\n");
    EXPECT_EQ(s.text(Key::ReadFillPicturePath), std::string(254, 'p'));
}

TEST(UnsavedSettings, KeptForTheirOwnSettingsFileAndTakenOnce) {
    TempDir dir;
    const std::string settingsPath = dir.file("portable/Oruvel_Settings.ini");
    const std::string file = unsavedSettingsFile(dir.file("config"), settingsPath);
    EXPECT_NE(file, unsavedSettingsFile(dir.file("config"), dir.file("other/Oruvel_Settings.ini")));
    EXPECT_EQ(unsavedSettingsFile("", settingsPath), "") << "no user folder, no file";

    ASSERT_TRUE(keepUnsaved(file, settingsPath, {{"readmax", "100"}, {"compact", "1"}}));
    ASSERT_TRUE(keepUnsaved(file, settingsPath, {{"readmax", "200"}})); // a later run adds to what waits
    EXPECT_TRUE(takeUnsaved(file, dir.file("other/Oruvel_Settings.ini")).empty()) << "another file's changes";
    EXPECT_EQ(takeUnsaved(file, settingsPath),
              (std::vector<oruvel::platform::ini::KeyValue>{{"compact", "1"}, {"readmax", "200"}}));
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_TRUE(takeUnsaved(file, settingsPath).empty());
}
