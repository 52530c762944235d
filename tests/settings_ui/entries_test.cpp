#include "support/settings_fixture.h"

#include "monitor/monitor_layout.h"
#include "settings_ui/rate_text_box.h"
#include "settings_ui/vb_controls.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

using namespace oruvel;

using Entries = test::SettingsFixture;

TEST_F(Entries, SwatchClickStoresTheChosenColourAndCancelRewritesUnchanged) {
    auto& frm = start();
    dialogs.colours.push_back(16711680); // blue 255
    frm.PicProgramColors_Click(9);
    ASSERT_EQ(dialogs.colourRequests.size(), 1U);
    EXPECT_EQ(dialogs.colourRequests[0].title, QStringLiteral("选择颜色"));
    EXPECT_EQ(dialogs.colourRequests[0].initial, 0);
    EXPECT_EQ(dialogs.colourRequests[0].flags, 0x1U | 0x100U | 0x2U) << "flags 258: any colour, full open";
    EXPECT_EQ(setting(core::keys::monitorprogressbarfilltext), "16711680");
    EXPECT_EQ(setting(core::keys::monitorprogressbarfill), "12632064");
    EXPECT_EQ(monitor().PB1.BarForeColor(), 16711680);

    test::writeFile(program.settingsPath(), "[main]\n");
    dialogs.colours.push_back(std::nullopt);
    frm.PicProgramColors_Click(2);
    EXPECT_EQ(frm.swatchColour(2), 14737632);
    EXPECT_EQ(setting(core::keys::monitorprogressbar2), "14737632") << "the keys are rewritten on cancel";
    EXPECT_EQ(setting(core::keys::monitorprogressbarfilltext), "16711680");
    EXPECT_EQ(setting(core::keys::show), "1") << "and the show state re-applied";
}

TEST_F(Entries, FullScaleBoxesFilterKeysAndStoreOnEveryRelease) {
    auto& frm = start();
    frm.show();
    frm.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frm));
    frm.Text1->setFocus();
    frm.Text1->clear();
    QTest::keyClicks(frm.Text1, QStringLiteral("100"));
    EXPECT_EQ(frm.Text1->text(), QStringLiteral("100"));
    EXPECT_EQ(setting(core::keys::readmax), "100");

    QTest::keyClicks(frm.Text1, QStringLiteral(".-aZ "));
    EXPECT_EQ(frm.Text1->text(), QStringLiteral("100"));
    test::writeFile(program.settingsPath(), "[main]\n");
    QTest::keyClick(frm.Text1, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(setting(core::keys::readmax), "100") << "a refused key is still followed by a store";

    QTest::keyClick(frm.Text1, Qt::Key_Backspace);
    EXPECT_EQ(setting(core::keys::readmax), "10");
    frm.Text1->selectAll();
    QTest::keyClick(frm.Text1, Qt::Key_Delete);
    EXPECT_EQ(setting(core::keys::readmax), "");

    // Four "." (five fields, only possible by pasting) block every typed character, backspace too.
    frm.Text1->setText(QStringLiteral("1.2.3.4.5"));
    frm.Text1->end(false);
    QTest::keyClick(frm.Text1, Qt::Key_Backspace);
    QTest::keyClick(frm.Text1, Qt::Key_7);
    EXPECT_EQ(frm.Text1->text(), QStringLiteral("1.2.3.4.5"));
    frm.Text1->home(false);
    QTest::keyClick(frm.Text1, Qt::Key_Delete);
    EXPECT_EQ(frm.Text1->text(), QStringLiteral(".2.3.4.5")) << "Delete has no character and still works";

    // Tabbing in selects all, so the next digit replaces the text.
    frm.Text2->setText(QStringLiteral("25"));
    frm.Text1->setFocus();
    QTest::keyClick(frm.Text1, Qt::Key_Tab);
    ASSERT_TRUE(frm.Text2->hasFocus());
    QTest::keyClick(frm.Text2, Qt::Key_5);
    EXPECT_EQ(frm.Text2->text(), QStringLiteral("5"));
    EXPECT_EQ(setting(core::keys::writemax), "5");
}

TEST_F(Entries, FillPictureDialogStartsOnTheShippedPictureAndStoresTheChoice) {
    auto& frm = start();
    QImage picture(154, 12, QImage::Format_RGB32);
    picture.fill(QColor(10, 20, 30));
    const std::string path = dir.file("write.png");
    ASSERT_TRUE(picture.save(QString::fromStdString(path)));

    dialogs.files.push_back(QString::fromStdString(path));
    frm.Command2_Click();
    ASSERT_EQ(dialogs.openRequests.size(), 1U);
    EXPECT_EQ(dialogs.openRequests[0].initialFile, QString::fromStdString(dir.path() + "/bars/bar1.jpg"));
    EXPECT_EQ(dialogs.openRequests[0].title, QStringLiteral("选择栏填充图形 - 建议154 x 12像素"));
    EXPECT_EQ(setting(core::keys::BarFillGraphicLocation2), path);
    EXPECT_EQ(setting(core::keys::monitorprogressdontusebarfill2), "True");
    EXPECT_EQ(setting(core::keys::monitorprogressusebarfill2), "False");
    EXPECT_EQ(frm.defaultPicture(1).pixel(5, 5), picture.pixel(5, 5));
    EXPECT_EQ(setting(core::keys::BarFillGraphicLocation), "") << "the read bar is left alone";
    EXPECT_NE(frm.defaultPicture(0).pixel(5, 5), picture.pixel(5, 5));

    // The next dialog opens on the stored path; a file that is no picture changes only the path member.
    const std::string junk = dir.file("junk.jpg");
    test::writeFile(junk, "not a picture at all");
    dialogs.files.push_back(QString::fromStdString(junk));
    frm.Command2_Click();
    EXPECT_EQ(dialogs.openRequests[1].initialFile, QString::fromStdString(path));
    EXPECT_EQ(frm.sBarFillGraphicLocation2, QString::fromStdString(junk));
    EXPECT_EQ(setting(core::keys::BarFillGraphicLocation2), path);
    EXPECT_EQ(frm.defaultPicture(1).pixel(5, 5), picture.pixel(5, 5));

    // Cancel: nothing changes.
    frm.Command6_Click();
    EXPECT_EQ(frm.sBarFillGraphicLocation, QString());
}

TEST_F(Entries, StoredFillPictureIsLoadedAtStartAndABadOneLeavesTheBuiltInPicture) {
    QImage picture(20, 12, QImage::Format_RGB32);
    picture.fill(QColor(1, 2, 3));
    const std::string path = dir.file("read.bmp");
    ASSERT_TRUE(picture.save(QString::fromStdString(path)));
    writeSettings("[main]\nBarFillGraphicLocation=" + path + "\nBarFillGraphicLocation2=" + dir.file("missing.jpg") +
                  "\n");
    auto& frm = start();
    EXPECT_EQ(frm.defaultPicture(0).size(), QSize(20, 12));
    EXPECT_EQ(frm.defaultPicture(1).size(), QSize(154, 12));
    EXPECT_EQ(frm.sBarFillGraphicLocation2.toStdString(), dir.file("missing.jpg"));
}

TEST_F(Entries, ResetPutsBothWindowsBackAndForgetsThePositions) {
    auto& frm = start();
    monitor().move(10, 10);
    monitor().Form_MouseMove(0, 0, 0, 0);
    core::SaveWindowPosition(program, monitor(), "150", "150");
    frm.moveTwips(0, 0);
    frm.Command4_Click();
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const monitor::TwipPoint expected =
        monitor::defaultPlace(area.right() + 1, area.bottom() + 1, monitor().Width(), monitor().Height());
    EXPECT_EQ(monitor().leftTwips(), expected.left);
    EXPECT_EQ(monitor().topTwips(), expected.top);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(frm.frameGeometry().left(), screen.width() / 2 - frm.frameGeometry().width() / 2);
    EXPECT_EQ(stored("FrmMonitor_x"), "");

    monitor().hide();
    frm.MenuReset_Click();
    EXPECT_EQ(monitor().leftTwips(), expected.left) << "the menu command does the same, also when hidden";
}
