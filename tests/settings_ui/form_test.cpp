#include "support/settings_fixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

using namespace oruvel;

using Form = test::SettingsFixture;

// The form keeps the places and the keyboard order the window has always had.
TEST_F(Form, ControlsKeepTheirPlacesAndTabOrder) {
    auto& window = start();
    EXPECT_EQ(window.size(), QSize(486, 392));
    EXPECT_EQ(window.showMonitorCheckBox->geometry(), QRect(6, 10, 133, 15));
    EXPECT_EQ(window.readFullScaleEdit->mapTo(&window, QPoint(0, 0)), QPoint(4 + 410, 4 + 230));
    EXPECT_EQ(window.ghostOpacityScrollBar->geometry(), QRect(364, 68, 95, 15));
    EXPECT_EQ(window.trayLegendLabels[8]->geometry(), QRect(184 + 8 * 20, 372, 16, 16));

    QStringList order;
    QWidget* w = window.showMonitorCheckBox;
    do {
        if ((w->focusPolicy() & Qt::TabFocus) != 0) {
            order << w->objectName();
        }
        w = w->nextInFocusChain();
    } while (w != window.showMonitorCheckBox && order.size() < 60);
    const QStringList expected{
        QStringLiteral("showMonitorCheckBox"),         QStringLiteral("startWithLoginCheckBox"),
        QStringLiteral("compactModeCheckBox"),         QStringLiteral("alwaysOnTopCheckBox"),
        QStringLiteral("roundCornersCheckBox"),        QStringLiteral("barBorderCheckBox"),
        QStringLiteral("hideBarTextCheckBox"),         QStringLiteral("disableBarFillCheckBox"),
        QStringLiteral("defaultColoursButton"),        QStringLiteral("randomColoursButton"),
        QStringLiteral("readFillColourRadioButton"),   QStringLiteral("readFillPictureRadioButton"),
        QStringLiteral("readFillPictureButton"),       QStringLiteral("writeFillColourRadioButton"),
        QStringLiteral("writeFillPictureRadioButton"), QStringLiteral("writeFillPictureButton"),
        QStringLiteral("resetPositionsButton"),        QStringLiteral("readFullScaleEdit"),
        QStringLiteral("writeFullScaleEdit"),          QStringLiteral("normalModeRadioButton"),
        QStringLiteral("blendModeRadioButton"),        QStringLiteral("translucentModeRadioButton"),
        QStringLiteral("ghostModeRadioButton")};
    EXPECT_EQ(order.join(QLatin1Char(' ')).toStdString(), expected.join(QLatin1Char(' ')).toStdString());
}
