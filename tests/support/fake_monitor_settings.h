#pragma once

#include "monitor/monitor_settings_source.h"
#include "monitor/qt_snap_window_system.h"
#include "monitor/window_snapper.h"

#include <QWidget>

#include <map>

namespace oruvel::test {

// Settings as the monitor reads them, held in plain members.
class FakeMonitorSettings final : public monitor::MonitorSettingsSource {
public:
    std::map<core::ColourRole, core::Colour> colours{
        {core::ColourRole::WriteFill, 49152},          {core::ColourRole::WriteFillText, 0},
        {core::ColourRole::WriteBackground, 14737632}, {core::ColourRole::WriteText, 0},
        {core::ColourRole::ReadBackground, 14737632},  {core::ColourRole::ReadText, 0},
        {core::ColourRole::ReadFill, 12632064},        {core::ColourRole::ReadFillText, 0}};
    bool border = false;
    bool rounded = true;
    std::optional<bool> onTop = false;
    core::FillMode fills[2] = {core::FillMode::Picture, core::FillMode::Picture};
    std::optional<core::WindowMode> mode = core::WindowMode::Normal;
    int translucentOpacity = 175;
    int ghostOpacity = 175;
    QImage pictures[2];
    QWidget settings;
    monitor::QtSnapWindowSystem snapSystem;
    monitor::WindowSnapper snapper{snapSystem};
    int visibilityCalls = 0;
    bool shown = true;
    int menuCalls = 0;
    QPoint menuAt;

    FakeMonitorSettings() {
        for (QImage& p : pictures) {
            p = QImage(154, 12, QImage::Format_RGB32);
            p.fill(QColor(200, 100, 0));
        }
        snapSystem.track(&settings);
    }

    core::Colour colour(core::ColourRole role) const override { return colours.at(role); }
    bool barBorder() const override { return border; }
    bool roundCorners() const override { return rounded; }
    std::optional<bool> alwaysOnTop() const override { return onTop; }
    core::FillMode fillMode(core::Bar bar) const override { return fills[core::indexOf(bar)]; }
    std::optional<core::WindowMode> windowMode() const override { return mode; }
    int opacity(core::WindowMode m) const override {
        return m == core::WindowMode::Ghost ? ghostOpacity : translucentOpacity;
    }
    QImage fillPicture(core::Bar bar) const override { return pictures[core::indexOf(bar)]; }
    monitor::WindowSnapper* windowSnapper() override { return &snapper; }
    monitor::QtSnapWindowSystem* snapWindowSystem() override { return &snapSystem; }
    void popUpContextMenu(const QPoint& globalPos) override {
        ++menuCalls;
        menuAt = globalPos;
    }
    void applyMonitorVisibility() override { ++visibilityCalls; }
    bool monitorShown() const override { return shown; }
    QWidget* settingsWindow() override { return &settings; }
};

} // namespace oruvel::test
