// Where the windows were left: the values kept per user, and the places of earlier versions taken over once.
#include "app/window_places.h"
#include "support/temp_dir.h"

#include <QFile>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace oruvel;
using test::TempDir;

namespace {

struct Places : ::testing::Test {
    TempDir dir;
    QString storePath = QString::fromStdString(dir.file("places.conf"));
    app::WindowPlaces places{std::make_unique<QSettings>(storePath, QSettings::IniFormat)};

    QString stored(const char* name) const {
        return QSettings(storePath, QSettings::IniFormat).value(QString::fromLatin1(name)).toString();
    }
};

} // namespace

TEST_F(Places, NothingStoredLeavesTheWindowAndSavePairsXWithTheTop) {
    EXPECT_EQ(places.place(app::kMonitorPlace), std::nullopt);
    places.save(app::kMonitorPlace, QPoint(200, 100));
    EXPECT_EQ(stored("FrmMonitor_x"), QStringLiteral("1500")) << "x holds the top, in twips";
    EXPECT_EQ(stored("FrmMonitor_y"), QStringLiteral("3000"));
    EXPECT_EQ(places.place(app::kMonitorPlace), QPoint(200, 100));
    EXPECT_EQ(places.place(app::kSettingsWindowPlace), std::nullopt);
}

TEST_F(Places, AMissingOrUnreadableValueCountsAsZero) {
    {
        QSettings raw(storePath, QSettings::IniFormat);
        raw.setValue(QStringLiteral("FrmMain_x"), QStringLiteral("2250.5"));
        raw.setValue(QStringLiteral("FrmMonitor_y"), QStringLiteral("left of here"));
        raw.setValue(QStringLiteral("FrmMonitor_x"), 3000); // a number rather than text
    }
    EXPECT_EQ(places.place(app::kSettingsWindowPlace), QPoint(0, 150)) << "2250 twips, halves to even";
    EXPECT_EQ(places.place(app::kMonitorPlace), QPoint(0, 200));
}

TEST_F(Places, ForgetRemovesBothWindows) {
    places.save(app::kSettingsWindowPlace, QPoint(1, 2));
    places.save(app::kMonitorPlace, QPoint(3, 4));
    places.forget();
    EXPECT_EQ(stored("FrmMain_x"), QString());
    EXPECT_EQ(stored("FrmMonitor_y"), QString());
    EXPECT_EQ(places.place(app::kMonitorPlace), std::nullopt);
    places.save(app::kMonitorPlace, QPoint(3, 4));
    EXPECT_EQ(stored("FrmMonitor_x"), QStringLiteral("60"));
}

// The hive file of earlier versions: a header, "K path" for keys and "V name type hex" for values (type 1 is text).
TEST_F(Places, APlaceInTheOldHiveFileComesBackOnce) {
    const QString hive = QString::fromStdString(dir.file("HKEY_CURRENT_USER.hive"));
    test::writeFile(hive.toStdString(), "ORUVEL-HIVE 1\n"
                                        "K Software\n"
                                        "K Software\\Quorlane\n"
                                        "V FrmMain_x 1 3330303000\n"      // "300"
                                        "K software\\quorlane\\oruvel\n"  // any letter case
                                        "V FrmMonitor_x 1 3135303000\n"   // "1500"
                                        "V FrmMonitor_y 1 333030300000\n" // "3000", NUL-padded
                                        "V FrmMain_y 4 05000000\n"        // a number: not a place
                                        "V Other 1 3100\n"
                                        "K Software\\Other\n"
                                        "V FrmMain_x 1 3900\n");
    EXPECT_TRUE(places.importHive(hive));
    EXPECT_EQ(places.place(app::kMonitorPlace), QPoint(200, 100));
    EXPECT_EQ(places.place(app::kSettingsWindowPlace), std::nullopt) << "only the product's key counts";
    EXPECT_EQ(stored("Other"), QString());
    EXPECT_FALSE(QFile::exists(hive)) << "renamed, so it is taken once";
    EXPECT_TRUE(QFile::exists(hive + QStringLiteral(".imported")));

    places.forget();
    QFile::rename(hive + QStringLiteral(".imported"), hive);
    places.save(app::kSettingsWindowPlace, QPoint(7, 8));
    EXPECT_FALSE(places.importHive(hive)) << "a store with places of its own takes nothing";
    EXPECT_EQ(places.place(app::kMonitorPlace), std::nullopt);
}

TEST_F(Places, ABrokenOrMissingHiveTakesNothing) {
    EXPECT_FALSE(places.importHive(QString::fromStdString(dir.file("missing.hive"))));
    const std::string junk = dir.file("junk.hive");
    test::writeFile(junk, std::string("\0\xff K\nV FrmMain_x 1 zz\nV\nK", 24));
    EXPECT_FALSE(places.importHive(QString::fromStdString(junk)));
    EXPECT_EQ(places.place(app::kSettingsWindowPlace), std::nullopt);
}

#ifndef _WIN32
TEST(UserPlaceStore, LivesInTheFolderGivenAndSomethingThatIsNoFileIsNeverWaitedOn) {
    TempDir dir;
    const std::string config = dir.file("config");
    {
        app::WindowPlaces places(app::WindowPlaces::openUserStore(config));
        places.save(app::kMonitorPlace, QPoint(10, 20));
    }
    EXPECT_TRUE(QFile::exists(QString::fromStdString(config + "/Quorlane/Oruvel.conf")));

    // A named pipe where the file would be (and where the old hive would be): the start goes on at once, and the
    // places are kept for the run.
    const std::string pipe = config + "/Quorlane/Oruvel.conf";
    QFile::remove(QString::fromStdString(pipe));
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::filesystem::create_directories(config + "/Oruvel/registry");
    ASSERT_EQ(::mkfifo((config + "/Oruvel/registry/HKEY_CURRENT_USER.hive").c_str(), 0600), 0);
    app::WindowPlaces places(app::WindowPlaces::openUserStore(config));
    EXPECT_FALSE(places.importHive(QString::fromStdString(config + "/Oruvel/registry/HKEY_CURRENT_USER.hive")));
    places.save(app::kMonitorPlace, QPoint(30, 40));
    EXPECT_EQ(places.place(app::kMonitorPlace), QPoint(30, 40));
    EXPECT_TRUE(std::filesystem::is_fifo(pipe));

    app::WindowPlaces nowhere(app::WindowPlaces::openUserStore("")); // no folder of the user's own at all
    nowhere.save(app::kMonitorPlace, QPoint(1, 2));
    EXPECT_EQ(nowhere.place(app::kMonitorPlace), QPoint(1, 2));
}
#endif

TEST(PlaceOnScreen, APlaceOnAScreenIsKeptToThePixelAndOthersComeBackWhole) {
    const QList<QRect> screens{QRect(0, 0, 1920, 1050), QRect(1920, 0, 1280, 1024)};
    const QSize monitor(154, 24);
    EXPECT_EQ(app::placeOnScreen(QRect(QPoint(1766, 1026), monitor), screens), QPoint(1766, 1026)) << "to the pixel";
    EXPECT_EQ(app::placeOnScreen(QRect(QPoint(3046, 0), monitor), screens), QPoint(3046, 0)) << "the second screen";
    EXPECT_EQ(app::placeOnScreen(QRect(QPoint(6666, 6666), monitor), screens), QPoint(3200 - 154, 1024 - 24))
        << "99999 twips: into the nearest screen's corner";
    EXPECT_EQ(app::placeOnScreen(QRect(QPoint(-138, -21), monitor), screens), QPoint(0, 0));
    EXPECT_EQ(app::placeOnScreen(QRect(QPoint(1900, 500), monitor), screens), QPoint(1920, 500))
        << "across two screens: into the one it covers most";
    EXPECT_EQ(app::placeOnScreen(QRect(QPoint(1800, 1040), monitor), screens), QPoint(1766, 1026));

    // A smaller screen than the one the place was stored on; a window larger than the screen keeps its corner in it.
    const QList<QRect> small{QRect(0, 0, 640, 480)};
    EXPECT_EQ(app::placeOnScreen(QRect(QPoint(1000, 700), monitor), small), QPoint(640 - 154, 480 - 24));
    EXPECT_EQ(app::placeOnScreen(QRect(QPoint(300, 200), QSize(800, 600)), small), QPoint(0, 0));
    EXPECT_EQ(app::placeOnScreen(QRect(QPoint(5, 5), monitor), {}), QPoint(5, 5)) << "no screen known";
}
