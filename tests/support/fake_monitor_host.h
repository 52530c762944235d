#pragma once

#include "monitor/magnetic_wnd.h"
#include "monitor/monitor_host.h"
#include "monitor/qt_snap_window_system.h"

#include <QWidget>

#include <map>

namespace oruvel::test {

// Settings as the monitor reads them, held in plain members.
class FakeMonitorHost final : public monitor::MonitorHost {
public:
    std::map<int, core::Colour> swatches{{0, 49152}, {1, 0}, {2, 14737632}, {3, 0},
                                         {6, 14737632}, {7, 0}, {8, 12632064}, {9, 0}};
    std::map<int, int> checks{{1, 0}, {8, 1}, {12, 0}};
    bool options[5] = {false, false, true, false, true};
    int transparency = 3;
    int fadeIn[2] = {175, 175};
    QImage pictures[2];
    QWidget settings;
    monitor::QtSnapWindowSystem snapSystem;
    monitor::cMagneticWnd magnetic{snapSystem};
    int check4Calls = 0;
    int menuCalls = 0;
    QPoint menuAt;

    FakeMonitorHost() {
        for (QImage& p : pictures) {
            p = QImage(154, 12, QImage::Format_RGB32);
            p.fill(QColor(200, 100, 0));
        }
        snapSystem.track(&settings);
    }

    core::Colour swatchColour(int item) const override { return swatches.at(item); }
    int checkValue(int number) const override { return checks.count(number) != 0 ? checks.at(number) : 0; }
    bool optionSelected(int number) const override { return options[number]; }
    bool transparencySelected(int item) const override { return transparency == item; }
    int fadeInValue(int item) const override { return fadeIn[item]; }
    QImage defaultPicture(int bar) const override { return pictures[bar]; }
    monitor::cMagneticWnd* magneticWnd() override { return &magnetic; }
    monitor::QtSnapWindowSystem* snapWindowSystem() override { return &snapSystem; }
    void popUpMenu(const QPoint& globalPos) override {
        ++menuCalls;
        menuAt = globalPos;
    }
    void Check4_MouseUp(int, int, int, int) override { ++check4Calls; }
    QWidget* settingsWindow() override { return &settings; }
};

} // namespace oruvel::test
