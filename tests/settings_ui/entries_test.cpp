#include "support/settings_fixture.h"

#include "monitor/monitor_layout.h"
#include "settings_ui/full_scale_edit.h"
#include "settings_ui/setting_widgets.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTest>

using namespace oruvel;

using Entries = test::SettingsFixture;

TEST_F(Entries, SwatchClickStoresTheChosenColourAndCancelRewritesUnchanged) {
    auto& window = start();
    dialogs.colours.push_back(16711680); // blue 255
    window.chooseColour(core::ColourRole::ReadFillText);
    ASSERT_EQ(dialogs.colourRequests.size(), 1U);
    EXPECT_EQ(dialogs.colourRequests[0].title, QStringLiteral("选择颜色"));
    EXPECT_EQ(dialogs.colourRequests[0].initial, 0);
    EXPECT_TRUE(dialogs.colourRequests[0].fullOpen);
    EXPECT_EQ(setting(core::keys::readBarFillText), "16711680");
    EXPECT_EQ(setting(core::keys::readBarFill), "12632064");
    EXPECT_EQ(monitor().readBar().fillTextColour(), 16711680);

    writeSettings("[main]\n");
    dialogs.colours.push_back(std::nullopt);
    window.chooseColour(core::ColourRole::WriteBackground);
    EXPECT_EQ(window.colour(core::ColourRole::WriteBackground), 14737632);
    EXPECT_EQ(setting(core::keys::writeBarBackground), "14737632") << "the keys are rewritten on cancel";
    EXPECT_EQ(setting(core::keys::readBarFillText), "16711680");
    EXPECT_EQ(setting(core::keys::showMonitor), "1") << "and the show state re-applied";
}

TEST_F(Entries, FullScaleBoxesFilterKeysAndStoreOnEveryRelease) {
    auto& window = start();
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.readFullScaleEdit->setFocus();
    window.readFullScaleEdit->clear();
    QTest::keyClicks(window.readFullScaleEdit, QStringLiteral("100"));
    EXPECT_EQ(window.readFullScaleEdit->text(), QStringLiteral("100"));
    EXPECT_EQ(setting(core::keys::readFullScale), "100");

    QTest::keyClicks(window.readFullScaleEdit, QStringLiteral(".-aZ "));
    EXPECT_EQ(window.readFullScaleEdit->text(), QStringLiteral("100"));
    writeSettings("[main]\n");
    QTest::keyClick(window.readFullScaleEdit, Qt::Key_Period);
    EXPECT_EQ(setting(core::keys::readFullScale), "100") << "a refused key is still followed by a store";

    // Editing keys act as in any line edit. X11 and Wayland give Delete the text U+007F.
    window.readFullScaleEdit->home(false);
    QTest::keyClick(window.readFullScaleEdit, Qt::Key_Delete, Qt::NoModifier);
    QKeyEvent deleteWithText(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f"));
    QApplication::sendEvent(window.readFullScaleEdit, &deleteWithText);
    EXPECT_EQ(window.readFullScaleEdit->text(), QStringLiteral("0"));
    QTest::keyClick(window.readFullScaleEdit, Qt::Key_End);
    QTest::keyClick(window.readFullScaleEdit, Qt::Key_Left);
    QTest::keyClick(window.readFullScaleEdit, Qt::Key_3);
    EXPECT_EQ(window.readFullScaleEdit->text(), QStringLiteral("30"));
    QTest::keyClick(window.readFullScaleEdit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(window.readFullScaleEdit, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(window.readFullScaleEdit->text(), QString());
    QTest::keyClick(window.readFullScaleEdit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window.readFullScaleEdit->text(), QStringLiteral("30"));
    QTest::keyClick(window.readFullScaleEdit, Qt::Key_End);
    QTest::keyClick(window.readFullScaleEdit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(window.readFullScaleEdit->text(), QStringLiteral("3030")) << "the toolkit's paste is not filtered";
    EXPECT_EQ(setting(core::keys::readFullScale), "3030");
    window.readFullScaleEdit->setText(QStringLiteral("100"));

    QTest::keyClick(window.readFullScaleEdit, Qt::Key_Backspace);
    EXPECT_EQ(setting(core::keys::readFullScale), "10");
    window.readFullScaleEdit->selectAll();
    QTest::keyClick(window.readFullScaleEdit, Qt::Key_Delete);
    EXPECT_EQ(setting(core::keys::readFullScale), "");

    // Four "." (five fields, only possible by pasting) block every typed character, backspace too.
    window.readFullScaleEdit->setText(QStringLiteral("1.2.3.4.5"));
    window.readFullScaleEdit->end(false);
    QTest::keyClick(window.readFullScaleEdit, Qt::Key_Backspace);
    QTest::keyClick(window.readFullScaleEdit, Qt::Key_7);
    EXPECT_EQ(window.readFullScaleEdit->text(), QStringLiteral("1.2.3.4.5"));
    window.readFullScaleEdit->home(false);
    QTest::keyClick(window.readFullScaleEdit, Qt::Key_Delete);
    EXPECT_EQ(window.readFullScaleEdit->text(), QStringLiteral(".2.3.4.5"))
        << "Delete has no character and still works";

    // Tabbing in selects all, so the next digit replaces the text.
    window.writeFullScaleEdit->setText(QStringLiteral("25"));
    window.readFullScaleEdit->setFocus();
    QTest::keyClick(window.readFullScaleEdit, Qt::Key_Tab);
    ASSERT_TRUE(window.writeFullScaleEdit->hasFocus());
    QTest::keyClick(window.writeFullScaleEdit, Qt::Key_5);
    EXPECT_EQ(window.writeFullScaleEdit->text(), QStringLiteral("5"));
    EXPECT_EQ(setting(core::keys::writeFullScale), "5");
}

TEST_F(Entries, FillPictureDialogStartsOnTheShippedPictureAndStoresTheChoice) {
    auto& window = start();
    QImage picture(154, 12, QImage::Format_RGB32);
    picture.fill(QColor(10, 20, 30));
    const std::string path = dir.file("write.png");
    ASSERT_TRUE(picture.save(QString::fromStdString(path)));

    dialogs.files.push_back(QString::fromStdString(path));
    window.chooseFillPicture(core::Bar::Write);
    ASSERT_EQ(dialogs.openRequests.size(), 1U);
    EXPECT_EQ(dialogs.openRequests[0].initialFile, QString::fromStdString(dir.path() + "/bars/bar1.jpg"));
    EXPECT_EQ(dialogs.openRequests[0].title, QStringLiteral("选择栏填充图形 - 建议154 x 12像素"));
    EXPECT_EQ(setting(core::keys::writeFillPicturePath), path);
    EXPECT_EQ(setting(core::keys::writeFillUsesPicture), "True");
    EXPECT_EQ(setting(core::keys::writeFillUsesColour), "False");
    EXPECT_EQ(window.fillPicture(core::Bar::Write).pixel(5, 5), picture.pixel(5, 5));
    EXPECT_EQ(setting(core::keys::readFillPicturePath), "") << "the read bar is left alone";
    EXPECT_NE(window.fillPicture(core::Bar::Read).pixel(5, 5), picture.pixel(5, 5));

    // The next dialog opens on the stored path; a file that is no picture changes only the path member.
    const std::string junk = dir.file("junk.jpg");
    test::writeFile(junk, "not a picture at all");
    dialogs.files.push_back(QString::fromStdString(junk));
    window.chooseFillPicture(core::Bar::Write);
    EXPECT_EQ(dialogs.openRequests[1].initialFile, QString::fromStdString(path));
    EXPECT_EQ(window.fillPicturePath(core::Bar::Write), QString::fromStdString(junk));
    EXPECT_EQ(setting(core::keys::writeFillPicturePath), path);
    EXPECT_EQ(window.fillPicture(core::Bar::Write).pixel(5, 5), picture.pixel(5, 5));

    // Cancel: nothing changes.
    window.chooseFillPicture(core::Bar::Read);
    EXPECT_EQ(window.fillPicturePath(core::Bar::Read), QString());
}

TEST_F(Entries, StoredFillPictureIsLoadedAtStartAndABadOneLeavesTheBuiltInPicture) {
    QImage picture(20, 12, QImage::Format_RGB32);
    picture.fill(QColor(1, 2, 3));
    const std::string path = dir.file("read.bmp");
    ASSERT_TRUE(picture.save(QString::fromStdString(path)));
    writeSettings("[main]\nBarFillGraphicLocation=" + path + "\nBarFillGraphicLocation2=" + dir.file("missing.jpg") +
                  "\n");
    auto& window = start();
    EXPECT_EQ(window.fillPicture(core::Bar::Read).size(), QSize(20, 12));
    EXPECT_EQ(window.fillPicture(core::Bar::Write).size(), QSize(154, 12));
    EXPECT_EQ(window.fillPicturePath(core::Bar::Write).toStdString(), dir.file("missing.jpg"));
}

TEST_F(Entries, ResetPutsBothWindowsBackAndForgetsThePositions) {
    auto& window = start();
    monitor().move(10, 10);
    core::saveWindowPosition(program, monitor());
    window.moveTwips(0, 0);
    window.resetWindowPositions();
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const monitor::TwipPoint expected =
        monitor::defaultPlace(area.right() + 1, area.bottom() + 1, monitor().widthTwips(), monitor().heightTwips());
    EXPECT_EQ(monitor().leftTwips(), expected.left);
    EXPECT_EQ(monitor().topTwips(), expected.top);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(window.frameGeometry().left(), screen.width() / 2 - window.frameGeometry().width() / 2);
    EXPECT_EQ(stored("FrmMonitor_x"), "");

    monitor().hide();
    window.resetWindowPositions();
    EXPECT_EQ(monitor().leftTwips(), expected.left) << "the menu command does the same, also when hidden";
}
