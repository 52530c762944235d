// What is typed, pasted and chosen in the settings window: colours, the full-scale rates, fill pictures, the reset.
#include "monitor/monitor_layout.h"
#include "settings_ui/full_scale_edit.h"
#include "settings_ui/setting_widgets.h"
#include "support/gadget_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTest>

using namespace oruvel;

using Entries = test::GadgetFixture;

TEST_F(Entries, SwatchClickStoresTheChosenColourAndCancelChangesNothing) {
    start();
    dialogs.colours.push_back(16711680); // blue 255
    QTest::mouseClick(control<settings_ui::ColourSwatch>("readFillTextSwatch"), Qt::LeftButton);
    ASSERT_EQ(dialogs.colourRequests.size(), 1U);
    EXPECT_EQ(dialogs.colourRequests[0].title, QStringLiteral("选择颜色"));
    EXPECT_EQ(dialogs.colourRequests[0].initial, 0);
    EXPECT_EQ(setting(core::Key::ReadBarFillText), "16711680");
    EXPECT_EQ(setting(core::Key::ReadBarFill), "12632064");
    EXPECT_EQ(monitor().readBar().fillTextColour(), QColor(0, 0, 255));
    EXPECT_EQ(control<settings_ui::ColourSwatch>("readFillTextSwatch")->colour(), QColor(0, 0, 255));

    dialogs.colours.push_back(std::nullopt);
    window().chooseColour(core::ColourRole::WriteBackground);
    EXPECT_EQ(dialogs.colourRequests[1].initial, 14737632);
    EXPECT_EQ(settings->number(core::Key::WriteBarBackground), 14737632);
    EXPECT_EQ(setting(core::Key::ReadBarFillText), "16711680");
}

TEST_F(Entries, FullScaleBoxesFilterTypedKeysAndStoreEveryEdit) {
    start();
    activateWindow();
    auto* read = control<settings_ui::FullScaleEdit>("readFullScaleEdit");
    read->setFocus();
    read->clear();
    QTest::keyClicks(read, QStringLiteral("100"));
    EXPECT_EQ(read->text(), QStringLiteral("100"));
    EXPECT_EQ(setting(core::Key::ReadFullScale), "100");

    QTest::keyClicks(read, QStringLiteral("-aZ ,"));
    EXPECT_EQ(read->text(), QStringLiteral("100"));
    EXPECT_EQ(setting(core::Key::ReadFullScale), "100");
    QTest::keyClicks(read, QStringLiteral(".5."));
    EXPECT_EQ(read->text(), QStringLiteral("100.5")) << "one decimal point";
    EXPECT_EQ(setting(core::Key::ReadFullScale), "100.5");
    QTest::keyClick(read, Qt::Key_Backspace);
    QTest::keyClick(read, Qt::Key_Backspace);

    // Editing keys act as in any line edit. X11 and Wayland give Delete the text U+007F.
    read->home(false);
    QTest::keyClick(read, Qt::Key_Delete, Qt::NoModifier);
    QKeyEvent deleteWithText(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f"));
    QApplication::sendEvent(read, &deleteWithText);
    EXPECT_EQ(read->text(), QStringLiteral("0"));
    EXPECT_EQ(setting(core::Key::ReadFullScale), "0");
    QTest::keyClick(read, Qt::Key_End);
    QTest::keyClick(read, Qt::Key_Left);
    QTest::keyClick(read, Qt::Key_3);
    EXPECT_EQ(read->text(), QStringLiteral("30"));
    QTest::keyClick(read, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(read, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(read->text(), QString());
    EXPECT_EQ(setting(core::Key::ReadFullScale), "");
    QTest::keyClick(read, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(read->text(), QStringLiteral("30"));
    EXPECT_EQ(setting(core::Key::ReadFullScale), "30") << "an undo is stored too";
    read->end(false);
    QTest::keyClick(read, Qt::Key_Backspace);
    EXPECT_EQ(setting(core::Key::ReadFullScale), "3");

    // Four "." (five fields, only possible from the file) block every typed character, backspace too.
    settings->setText(core::Key::ReadFullScale, "1.2.3.4.5");
    EXPECT_EQ(read->text(), QStringLiteral("1.2.3.4.5"));
    read->end(false);
    QTest::keyClick(read, Qt::Key_Backspace);
    QTest::keyClick(read, Qt::Key_7);
    EXPECT_EQ(read->text(), QStringLiteral("1.2.3.4.5"));
    read->home(false);
    QTest::keyClick(read, Qt::Key_Delete);
    EXPECT_EQ(read->text(), QStringLiteral(".2.3.4.5")) << "Delete has no character and still works";

    // Tabbing in selects all, so the next digit replaces the text.
    auto* write = control<settings_ui::FullScaleEdit>("writeFullScaleEdit");
    read->setFocus();
    QTest::keyClick(read, Qt::Key_Tab);
    ASSERT_TRUE(write->hasFocus());
    QTest::keyClick(write, Qt::Key_5);
    EXPECT_EQ(write->text(), QStringLiteral("5"));
    EXPECT_EQ(setting(core::Key::WriteFullScale), "5");
    tick(5 * 1048576.0, 5 * 1048576.0);
    EXPECT_EQ(monitor().writeBar().value(), 100) << "the typed full scale counts from the next tick";
}

TEST_F(Entries, EveryKeyReleasedInABoxStoresWhatItShows) {
    writeSettings("[main]\nreadmax=0\n");
    start();
    activateWindow();
    auto* read = control<settings_ui::FullScaleEdit>("readFullScaleEdit");
    EXPECT_EQ(read->text(), QStringLiteral("25")) << "a stored 0 shows as the default";
    EXPECT_EQ(setting(core::Key::ReadFullScale), "0");
    read->setFocus();
    QTest::keyClick(read, Qt::Key_Right);
    EXPECT_EQ(setting(core::Key::ReadFullScale), "25") << "an arrow key's release stores the text as it shows";
    writeSettings("[main]\nreadmax=9\n"); // changed behind the program's back
    QTest::keyClick(read, Qt::Key_Minus);
    EXPECT_EQ(setting(core::Key::ReadFullScale), "25") << "a refused character's release stores it too";
}

TEST_F(Entries, APasteIsStoredWhenItAddsDigitsAndRefusedOtherwise) {
    start();
    activateWindow();
    auto* read = control<settings_ui::FullScaleEdit>("readFullScaleEdit");
    read->setFocus();
    read->selectAll();

    QGuiApplication::clipboard()->setText(QStringLiteral("12a"));
    QTest::keyClick(read, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(read->text(), QStringLiteral("25")) << "refused";
    EXPECT_EQ(setting(core::Key::ReadFullScale), "25") << "the key's release stores the text as it stands";
    QTest::keyClick(read, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(read->text(), QStringLiteral("25"));

    QGuiApplication::clipboard()->setText(QStringLiteral("1.5"));
    read->selectAll();
    QTest::keyClick(read, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(read->text(), QStringLiteral("1.5"));
    QTest::keyClick(read, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(read->text(), QStringLiteral("1.5")) << "a second decimal point is refused";

    QGuiApplication::clipboard()->setText(QStringLiteral("120"));
    read->selectAll();
    QTest::keyClick(read, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(read->text(), QStringLiteral("120"));
    EXPECT_EQ(setting(core::Key::ReadFullScale), "120") << "a paste from the keyboard is stored";

    // The context menu's paste, chosen with the keyboard once the menu is up.
    QGuiApplication::clipboard()->setText(QStringLiteral("4"));
    read->end(false);
    QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(5, 5), read->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(read, &request);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QAction* paste = nullptr;
    for (QAction* action : menu->actions()) {
        paste = action->text().startsWith(QStringLiteral("&Paste")) ? action : paste;
    }
    ASSERT_NE(paste, nullptr);
    paste->trigger();
    menu->close();
    EXPECT_EQ(read->text(), QStringLiteral("1204"));
    EXPECT_EQ(setting(core::Key::ReadFullScale), "1204") << "a paste from the context menu is stored";
    tick(1204 * 1048576.0 / 2, 0);
    EXPECT_EQ(monitor().readBar().value(), 50);
}

TEST_F(Entries, FillPictureDialogStartsOnTheShippedPictureAndStoresTheChoice) {
    start();
    QImage picture(154, 12, QImage::Format_RGB32);
    picture.fill(QColor(10, 20, 30));
    const std::string path = dir.file("write.png");
    ASSERT_TRUE(picture.save(QString::fromStdString(path)));

    dialogs.files.push_back(QString::fromStdString(path));
    QTest::mouseClick(control<QPushButton>("writeFillPictureButton"), Qt::LeftButton);
    ASSERT_EQ(dialogs.openRequests.size(), 1U);
    EXPECT_EQ(dialogs.openRequests[0].initialFile, QString::fromStdString(dir.path() + "/bars/bar1.jpg"));
    EXPECT_EQ(dialogs.openRequests[0].title, QStringLiteral("选择栏填充图形 - 建议154 x 12像素"));
    EXPECT_EQ(setting(core::Key::WriteFillPicturePath), path);
    EXPECT_EQ(setting(core::Key::WriteFillUsesPicture), "True");
    EXPECT_EQ(setting(core::Key::WriteFillUsesColour), "False");
    monitor().writeBar().setValue(100);
    EXPECT_EQ(monitor().writeBar().image().pixel(20, 6), picture.pixel(20, 6));
    EXPECT_EQ(setting(core::Key::ReadFillPicturePath), "") << "the read bar is left alone";

    // The next dialog opens on the stored path; a file that is no picture changes only where the next one opens.
    const std::string junk = dir.file("junk.jpg");
    test::writeFile(junk, "not a picture at all");
    dialogs.files.push_back(QString::fromStdString(junk));
    window().chooseFillPicture(core::Bar::Write);
    EXPECT_EQ(dialogs.openRequests[1].initialFile, QString::fromStdString(path));
    EXPECT_EQ(window().fillPicturePath(core::Bar::Write), QString::fromStdString(junk));
    EXPECT_EQ(setting(core::Key::WriteFillPicturePath), path);
    EXPECT_EQ(monitor().writeBar().image().pixel(20, 6), picture.pixel(20, 6));

    // Cancel: nothing changes.
    window().chooseFillPicture(core::Bar::Read);
    EXPECT_EQ(window().fillPicturePath(core::Bar::Read), QString());
}

TEST_F(Entries, StoredFillPictureIsLoadedAtStartAndABadOneLeavesTheBuiltInPicture) {
    QImage picture(20, 12, QImage::Format_RGB32);
    picture.fill(QColor(1, 2, 3));
    const std::string path = dir.file("read.bmp");
    ASSERT_TRUE(picture.save(QString::fromStdString(path)));
    writeSettings("[main]\nBarFillGraphicLocation=" + path + "\nBarFillGraphicLocation2=" + dir.file("missing.jpg") +
                  "\n");
    start();
    monitor().readBar().setValue(100);
    monitor().writeBar().setValue(100);
    EXPECT_EQ(monitor().readBar().image().pixel(25, 6), picture.pixel(5, 6)) << "tiled";
    EXPECT_NE(monitor().writeBar().image().pixel(25, 6), picture.pixel(5, 6));
    EXPECT_EQ(window().fillPicturePath(core::Bar::Write).toStdString(), dir.file("missing.jpg"));
}

TEST_F(Entries, ResetPutsBothWindowsBackAndForgetsThePositions) {
    auto& gadget = start();
    monitor().move(10, 10);
    places->save(app::kMonitorPlace, monitor().frameGeometry().topLeft());
    window().move(0, 0);
    QTest::mouseClick(control<QPushButton>("resetPositionsButton"), Qt::LeftButton);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const monitor::TwipPoint expected =
        monitor::defaultPlace(area.right() + 1, area.bottom() + 1, monitor().widthTwips(), monitor().heightTwips());
    EXPECT_EQ(monitor().frameGeometry().left() * 15, expected.left);
    EXPECT_EQ(monitor().frameGeometry().top() * 15, expected.top);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(window().frameGeometry().left(), screen.width() / 2 - window().frameGeometry().width() / 2);
    EXPECT_EQ(stored("FrmMonitor_x"), "");

    monitor().hide();
    monitor().move(10, 10);
    QAction* reset = gadget.menu().menu()->findChild<QAction*>(QStringLiteral("resetPositionsAction"));
    ASSERT_NE(reset, nullptr);
    reset->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(monitor().frameGeometry().left() * 15, expected.left) << "the menu command does the same, also hidden";
}

// A drag stores the place the window system moved the monitor to, and nothing where it moved nothing.
TEST_F(Entries, ADragStoresAPlaceOnlyWhenTheWindowReallyMoved) {
    const auto drag = [this] {
        const QPoint from = monitor().rect().center();
        QTest::mousePress(&monitor(), Qt::LeftButton, Qt::NoModifier, from);
        for (const int step : {10, 40, 80}) {
            QMouseEvent move(QEvent::MouseMove, QPointF(from - QPoint(step, step)),
                             QPointF(monitor().mapToGlobal(from - QPoint(step, step))), Qt::NoButton, Qt::LeftButton,
                             Qt::NoModifier);
            QApplication::sendEvent(&monitor(), &move);
        }
        QTest::mouseRelease(&monitor(), Qt::LeftButton, Qt::NoModifier, from - QPoint(80, 80));
    };
    start();
    drag();
    EXPECT_NE(stored("FrmMonitor_x"), "") << "a window system that moves windows as asked";
    EXPECT_EQ(places->place(app::kMonitorPlace), monitor().frameGeometry().topLeft());
    stop();

    QFile::remove(QString::fromStdString(placesPath()));
    for (const bool knowsNothing : {false, true}) { // a compositor that ignores the moves; native Wayland
        windowSystemPlace = [knowsNothing](const QWidget&) {
            return knowsNothing ? std::nullopt : std::optional(QPoint(700, 500));
        };
        start();
        drag();
        EXPECT_EQ(stored("FrmMonitor_x"), "") << (knowsNothing ? "no place can be known" : "the window stayed put");
        stop();
    }
}

TEST_F(Entries, AFirstStartAndAResetAgreeAndAPlaceOnAnEdgeComesBackOnIt) {
    start();
    const QPoint first = monitor().frameGeometry().topLeft();
    monitor().move(10, 10);
    QTest::mouseClick(control<QPushButton>("resetPositionsButton"), Qt::LeftButton);
    EXPECT_EQ(monitor().frameGeometry().topLeft(), first) << "a reset puts it where a first start did";

    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint onRightEdge(area.right() + 1 - monitor().width(), area.top() + 40);
    places->save(app::kMonitorPlace, onRightEdge);
    stop();
    start();
    EXPECT_EQ(monitor().frameGeometry().topLeft(), onRightEdge) << "not pulled in by the size it has while loading";
}
