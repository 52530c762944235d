// What a keyboard user and a screen reader meet: every control reachable and operable from the keyboard, and each
// thing on screen saying what it is, as Qt's accessibility interfaces hand it to the platform's.
#include "look/translations.h"
#include "settings_ui/setting_widgets.h"
#include "support/gadget_fixture.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

using namespace oruvel;

namespace {

struct KeyboardAndReader : test::GadgetFixture {
    static QAccessibleInterface* reader(QObject* object) { return QAccessible::queryAccessibleInterface(object); }
};

} // namespace

TEST_F(KeyboardAndReader, SwatchesLevelsAndTheLinkWorkFromTheKeyboard) {
    writeSettings("[main]\nenabletransparency=True\nnormal=False\ntransparencylevel=100\n");
    start();
    activateWindow();
    auto* swatch = control<settings_ui::ColourSwatch>("writeFillSwatch");
    dialogs.colours = {0x0000FF, std::nullopt};
    QTest::keyClick(swatch, Qt::Key_Return);
    ASSERT_EQ(dialogs.colourRequests.size(), 1U) << "Enter on a swatch opens its colour dialog";
    EXPECT_EQ(setting(core::Key::WriteBarFill), std::to_string(0x0000FF));
    QTest::keyClick(swatch, Qt::Key_Space);
    EXPECT_EQ(dialogs.colourRequests.size(), 2U) << "so does the space bar";
    EXPECT_EQ(setting(core::Key::WriteBarFill), std::to_string(0x0000FF)) << "a cancelled dialog changes nothing";

    auto* level = control<QScrollBar>("translucentOpacityScrollBar");
    EXPECT_TRUE(level->focusPolicy() & Qt::TabFocus);
    QTest::keyClick(level, Qt::Key_Right);
    EXPECT_EQ(setting(core::Key::TranslucentOpacity), "101");
    EXPECT_TRUE(control<QLabel>("socialPageLinkLabel")->focusPolicy() & Qt::TabFocus);

    QTest::keyClick(&window(), Qt::Key_Escape);
    EXPECT_FALSE(window().isVisible()) << "Escape closes the settings window";
}

TEST_F(KeyboardAndReader, EveryThingSaysWhatItIs) {
    start();
    tick(117.74 * 1048576, 0);
    QAccessibleInterface* bar = reader(&monitor().readBar());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->role(), QAccessible::ProgressBar);
    EXPECT_EQ(bar->text(QAccessible::Name), QStringLiteral("Drive Read: 117.74 MB/s"));
    ASSERT_NE(bar->valueInterface(), nullptr);
    EXPECT_EQ(bar->valueInterface()->currentValue().toInt(), 100);
    EXPECT_EQ(bar->valueInterface()->maximumValue().toInt(), 100);
    EXPECT_EQ(reader(&monitor())->role(), QAccessible::Window);

    window();
    EXPECT_EQ(reader(&window())->role(), QAccessible::Window);
    EXPECT_EQ(reader(&window())->text(QAccessible::Name), window().windowTitle());
    QAccessibleInterface* swatch = reader(control<QWidget>("readBackgroundSwatch"));
    EXPECT_EQ(swatch->role(), QAccessible::Button);
    EXPECT_EQ(swatch->text(QAccessible::Name), QStringLiteral("读取栏背景颜色"));
    EXPECT_EQ(swatch->text(QAccessible::Description), QStringLiteral("颜色 #E0E0E0"));
    QAccessibleInterface* level = reader(control<QWidget>("ghostOpacityScrollBar"));
    EXPECT_EQ(level->text(QAccessible::Name), QStringLiteral("透明度级别"));
    EXPECT_EQ(level->valueInterface()->currentValue().toInt(), 175);
    EXPECT_EQ(reader(control<QWidget>("readFullScaleEdit"))->text(QAccessible::Name),
              QStringLiteral("最大读取速度 (MB/s)"));
    EXPECT_EQ(reader(control<QWidget>("socialPageLinkLabel"))->role(), QAccessible::Link);
    EXPECT_EQ(reader(control<QWidget>("trayLegendLabel2"))->text(QAccessible::Name),
              QStringLiteral("读取 高，写入 低"));
}

TEST(OneLanguage, QtsOwnTextsAreChinese) {
    ASSERT_TRUE(look::installQtTranslations(QStringLiteral("/nonexistent"))) << "Qt's translations folder";
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("取消"));
    EXPECT_NE(QCoreApplication::translate("QColorDialog", "&Basic colors"), QStringLiteral("&Basic colors"));
    EXPECT_NE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Look in:"));
}
