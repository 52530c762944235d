// Where the windows were left: the values kept per user, and the places of earlier versions taken over once.
#include "app/window_places.h"
#include "support/temp_dir.h"

#include <QFile>
#include <gtest/gtest.h>

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
