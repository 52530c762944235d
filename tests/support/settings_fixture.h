#pragma once

#include "core/program.h"
#include "core/window_position.h"
#include "monitor/monitor_window.h"
#include "platform/file_registry_store.h"
#include "platform/ini_file.h"
#include "platform/registry_routines.h"
#include "settings_ui/dialogs.h"
#include "settings_ui/full_scale_edit.h"
#include "settings_ui/setting_widgets.h"
#include "settings_ui/settings_window.h"
#include "support/recording_counter_source.h"
#include "support/temp_dir.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <gtest/gtest.h>

#include <deque>

namespace oruvel::test {

// Answers dialogs from a script and records what they were asked.
class ScriptedDialogs final : public settings_ui::DialogBackend {
public:
    std::deque<std::optional<QString>> files;
    std::deque<std::optional<core::Colour>> colours;
    std::vector<OpenRequest> openRequests;
    std::vector<ColourRequest> colourRequests;

    std::optional<QString> openFile(const OpenRequest& r) override {
        openRequests.push_back(r);
        auto answer = files.empty() ? std::nullopt : files.front();
        if (!files.empty()) {
            files.pop_front();
        }
        return answer;
    }
    std::optional<core::Colour> chooseColour(const ColourRequest& r) override {
        colourRequests.push_back(r);
        auto answer = colours.empty() ? std::nullopt : colours.front();
        if (!colours.empty()) {
            colours.pop_front();
        }
        return answer;
    }
};

// Records what the settings window asks of its tray icon.
struct FakeTray {
    int shows = 0;
    int hides = 0;
    int iconChanges = 0;
    QIcon icon;
    QString toolTip;
    int toolTipChanges = 0;

    void connectTo(settings_ui::SettingsWindow& window) {
        QObject::connect(&window, &settings_ui::SettingsWindow::trayIconVisibilityRequested, &window,
                         [this](bool visible) { ++(visible ? shows : hides); });
        QObject::connect(&window, &settings_ui::SettingsWindow::trayIconChanged, &window, [this](const QIcon& i) {
            icon = i;
            ++iconChanges;
        });
        QObject::connect(&window, &settings_ui::SettingsWindow::trayToolTipChanged, &window, [this](const QString& t) {
            toolTip = t;
            ++toolTipChanges;
        });
    }
};

// A settings window on a temporary program folder and registry, with counters whose rates the test sets.
struct SettingsFixture : ::testing::Test {
    TempDir dir;
    std::vector<std::string> counterLog;
    RecordingCounterSource* counters = nullptr;
    core::Program program{dir.path(), std::make_unique<platform::FileRegistryStore>(dir.path() + "/reg"), [this] {
                              auto s = std::make_unique<RecordingCounterSource>(&counterLog);
                              counters = s.get();
                              return s;
                          }};
    ScriptedDialogs dialogs;
    FakeTray tray;
    std::unique_ptr<settings_ui::SettingsWindow> settingsWindow;

    ~SettingsFixture() override {
        if (settingsWindow) {
            settingsWindow->sampleTimer().stop();
        }
    }

    // Both wait for the program's writes to land first, so the file is what a later start would read.
    void writeSettings(const std::string& text) {
        program.flushSettings();
        writeFile(program.settingsPath(), text);
    }
    std::string setting(const core::SettingKey& key) {
        program.flushSettings();
        return platform::ini::readValue(program.settingsPath(), core::kSettingsSection, key.name);
    }

    // Creates the settings window and starts it, the way the program starts.
    settings_ui::SettingsWindow& start() {
        settingsWindow = std::make_unique<settings_ui::SettingsWindow>(program);
        settingsWindow->setDialogBackend(&dialogs);
        tray.connectTo(*settingsWindow);
        settingsWindow->start();
        settingsWindow->sampleTimer().stop(); // ticks are driven by the tests
        return *settingsWindow;
    }
    monitor::MonitorWindow& monitor() { return *settingsWindow->monitor(); }
    void tick(double readRate, double writeRate) {
        counters->readRate = readRate;
        counters->writeRate = writeRate;
        settingsWindow->sampleRates();
    }
    std::string stored(const std::string& name) {
        platform::RegistryKey r(program.registry());
        r.parentPath = core::kProductKeyRoot;
        r.name = core::kProductKey;
        return platform::valueText(r.value(name));
    }
};

} // namespace oruvel::test
