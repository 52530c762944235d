// Test entry for widget tests: a QApplication on Qt's offscreen platform, with the event dispatcher, fonts and
// accessibility roles the program uses.
#include "look/accessibility.h"
#include "look/fonts.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB")) {
        qputenv("QT_NO_GLIB", "1"); // the program's own event dispatcher
    }
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    oruvel::look::installFontSubstitutes();
    oruvel::look::installAccessibility();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
