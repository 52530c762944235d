// The settings window as a view of the settings, on its own: its form, what it shows, where its edits go.
#include "core/colour.h"
#include "core/settings.h"
#include "settings_ui/full_scale_edit.h"
#include "settings_ui/setting_widgets.h"
#include "settings_ui/settings_window.h"
#include "support/temp_dir.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include <optional>

using namespace oruvel;
using settings_ui::SettingCheckBox;

namespace {

struct View : ::testing::Test {
    test::TempDir dir;
    std::optional<core::Settings> settings;
    std::optional<settings_ui::SettingsWindow> window;

    void open(const std::string& file = "") {
        if (!file.empty()) {
            test::writeFile(dir.file("Oruvel_Settings.ini"), file);
        }
        settings.emplace(dir.file("Oruvel_Settings.ini"));
        window.emplace(*settings);
    }
    // The names of the controls Tab stops at, in order from the first.
    std::string tabStops() {
        QStringList order;
        QWidget* first = control<QWidget>("showMonitorCheckBox");
        QWidget* w = first;
        do {
            if ((w->focusPolicy() & Qt::TabFocus) != 0) {
                order << w->objectName();
            }
            w = w->nextInFocusChain();
        } while (w != first && order.size() < 60);
        return order.join(QLatin1Char(' ')).toStdString();
    }
    template <typename T> T* control(const char* name) {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
};

} // namespace

// The form keeps the places and the keyboard order the window has always had.
TEST_F(View, ControlsKeepTheirPlacesAndTabOrder) {
    open();
    EXPECT_EQ(window->size(), QSize(486, 392));
    EXPECT_EQ(control<QWidget>("showMonitorCheckBox")->geometry(), QRect(6, 10, 133, 15));
    EXPECT_EQ(control<QWidget>("readFullScaleEdit")->mapTo(&*window, QPoint(0, 0)), QPoint(4 + 410, 4 + 230));
    EXPECT_EQ(control<QWidget>("ghostOpacityScrollBar")->geometry(), QRect(364, 68, 95, 15));
    EXPECT_EQ(control<QWidget>("trayLegendLabel8")->geometry(), QRect(184 + 8 * 20, 372, 16, 16));

    const QStringList expected{QStringLiteral("showMonitorCheckBox"),
                               QStringLiteral("startWithLoginCheckBox"),
                               QStringLiteral("compactModeCheckBox"),
                               QStringLiteral("alwaysOnTopCheckBox"),
                               QStringLiteral("roundCornersCheckBox"),
                               QStringLiteral("barBorderCheckBox"),
                               QStringLiteral("hideBarTextCheckBox"),
                               QStringLiteral("disableBarFillCheckBox"),
                               QStringLiteral("readBackgroundSwatch"),
                               QStringLiteral("readTextSwatch"),
                               QStringLiteral("readFillSwatch"),
                               QStringLiteral("readFillTextSwatch"),
                               QStringLiteral("writeBackgroundSwatch"),
                               QStringLiteral("writeTextSwatch"),
                               QStringLiteral("writeFillSwatch"),
                               QStringLiteral("writeFillTextSwatch"),
                               QStringLiteral("defaultColoursButton"),
                               QStringLiteral("randomColoursButton"),
                               QStringLiteral("readFillPictureRadioButton"),
                               QStringLiteral("readFillPictureButton"),
                               QStringLiteral("writeFillPictureRadioButton"),
                               QStringLiteral("writeFillPictureButton"),
                               QStringLiteral("resetPositionsButton"),
                               QStringLiteral("readFullScaleEdit"),
                               QStringLiteral("writeFullScaleEdit"),
                               QStringLiteral("normalModeRadioButton"),
                               QStringLiteral("translucentOpacityScrollBar"),
                               QStringLiteral("ghostOpacityScrollBar"),
                               QStringLiteral("socialPageLinkLabel")};
    EXPECT_EQ(tabStops(), expected.join(QLatin1Char(' ')).toStdString())
        << "an option group is one stop, at its selected button";

    control<QAbstractButton>("readFillColourRadioButton")->click();
    const std::string afterChoice = tabStops();
    EXPECT_NE(afterChoice.find("readFillColourRadioButton readFillPictureButton"), std::string::npos) << afterChoice;
    EXPECT_EQ(afterChoice.find("readFillPictureRadioButton"), std::string::npos) << afterChoice;

    window.reset();
    settings.reset(); // its last writes land before the new file is written
    open("[main]\nmonitorprogressusebarfill=False\nmonitorprogressdontusebarfill=False\n");
    const std::string noneSelected = tabStops();
    EXPECT_NE(noneSelected.find("readFillColourRadioButton readFillPictureRadioButton"), std::string::npos)
        << "with no button of a group selected, each is a stop: " << noneSelected;
}

TEST_F(View, ShowsTheStoredSettingsAndFollowsChangesMadeElsewhere) {
    open("[main]\nontop=2\ncompact=1\nenableghost=True\nghosttransparencylevel=40\nwritemax=abc\n"
         "monitorprogressbarfill=255\nmonitorprogressusebarfill2=True\n");
    EXPECT_EQ(control<SettingCheckBox>("alwaysOnTopCheckBox")->value(), 2) << "greyed";
    EXPECT_EQ(control<SettingCheckBox>("compactModeCheckBox")->value(), 1);
    EXPECT_TRUE(control<QRadioButton>("ghostModeRadioButton")->isChecked());
    EXPECT_FALSE(control<QRadioButton>("normalModeRadioButton")->isChecked());
    EXPECT_TRUE(control<QScrollBar>("ghostOpacityScrollBar")->isEnabled());
    EXPECT_FALSE(control<QScrollBar>("translucentOpacityScrollBar")->isEnabled());
    EXPECT_EQ(control<QScrollBar>("ghostOpacityScrollBar")->value(), 40);
    EXPECT_EQ(control<QLabel>("ghostLevelLabel")->text(), QStringLiteral("透明度级别: 40"));
    EXPECT_EQ(control<QLineEdit>("writeFullScaleEdit")->text(), QStringLiteral("abc"));
    EXPECT_EQ(control<settings_ui::ColourSwatch>("readFillSwatch")->colour(), QColor(255, 0, 0));
    EXPECT_TRUE(control<QRadioButton>("writeFillColourRadioButton")->isChecked());
    EXPECT_FALSE(control<QRadioButton>("writeFillPictureRadioButton")->isChecked());

    settings->setNumber(core::Key::AlwaysOnTop, 1);
    settings->setWindowMode(core::WindowMode::Translucent);
    settings->setNumber(core::Key::ReadBarFill, core::makeColour(0, 0, 9));
    settings->setText(core::Key::WriteFullScale, "60");
    EXPECT_EQ(control<SettingCheckBox>("alwaysOnTopCheckBox")->value(), 1);
    EXPECT_TRUE(control<QRadioButton>("translucentModeRadioButton")->isChecked());
    EXPECT_FALSE(control<QRadioButton>("ghostModeRadioButton")->isChecked());
    settings->setNumber(core::Key::ShowMonitor, 0);
    EXPECT_EQ(control<SettingCheckBox>("alwaysOnTopCheckBox")->value(), 0) << "hiding takes the monitor off the top";
    EXPECT_TRUE(control<QRadioButton>("normalModeRadioButton")->isChecked()) << "and back to the normal mode";
    EXPECT_EQ(control<settings_ui::ColourSwatch>("readFillSwatch")->colour(), QColor(0, 0, 9));
    EXPECT_EQ(control<QLineEdit>("writeFullScaleEdit")->text(), QStringLiteral("60"));
    EXPECT_FALSE(control<QGroupBox>("coloursGroupBox")->isEnabled()) << "a hidden monitor greys the look";
    EXPECT_FALSE(control<QScrollBar>("translucentOpacityScrollBar")->isEnabled());
}

TEST_F(View, EditsGoToTheSettings) {
    open();
    window->show();
    QTest::mouseClick(control<SettingCheckBox>("barBorderCheckBox"), Qt::LeftButton);
    EXPECT_EQ(settings->number(core::Key::BarBorder), 1);
    QTest::mouseClick(control<QRadioButton>("blendModeRadioButton"), Qt::LeftButton);
    EXPECT_EQ(settings->windowMode(), core::WindowMode::BlendIntoDesktop);
    QTest::mouseClick(control<QRadioButton>("writeFillColourRadioButton"), Qt::LeftButton);
    EXPECT_EQ(settings->fillMode(core::Bar::Write), core::FillMode::Colour);
    EXPECT_EQ(settings->fillMode(core::Bar::Read), core::FillMode::Picture);
    control<QScrollBar>("translucentOpacityScrollBar")->setValue(12);
    EXPECT_EQ(settings->number(core::Key::TranslucentOpacity), 12);

    // A greyed box from the file becomes ticked at the first click.
    settings->setNumber(core::Key::RoundCorners, 2);
    QTest::mouseClick(control<SettingCheckBox>("roundCornersCheckBox"), Qt::LeftButton);
    EXPECT_EQ(settings->number(core::Key::RoundCorners), 1);

    int resets = 0;
    QObject::connect(&*window, &settings_ui::SettingsWindow::resetPositionsRequested, [&resets] { ++resets; });
    QTest::mouseClick(control<QPushButton>("resetPositionsButton"), Qt::LeftButton);
    EXPECT_EQ(resets, 1);
}

TEST_F(View, ANumberLongerThanItsBoxIsDrawnNarrowerWhole) {
    open("[main]\nreadmax=25150\n");
    auto* box = control<QLineEdit>("readFullScaleEdit");
    const QFontMetrics drawn(box->font());
    EXPECT_LE(drawn.horizontalAdvance(box->text()), box->contentsRect().width()) << "every digit in the box";
    EXPECT_EQ(box->toolTip(), QStringLiteral("25150 MB/s"));
    box->setText(QStringLiteral("25"));
    EXPECT_EQ(box->font().stretch(), QFont::Unstretched) << "a short number is drawn as the form has it";
}
