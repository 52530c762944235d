#pragma once

#include "core/program.h"
#include "core/window_position.h"
#include "monitor/frm_monitor.h"
#include "platform/file_registry_store.h"
#include "platform/registry_routines.h"
#include "settings_ui/common_dialog.h"
#include "settings_ui/frm_main.h"
#include "settings_ui/rate_text_box.h"
#include "settings_ui/vb_controls.h"
#include "settings_ui/tray_port.h"
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

class FakeTray final : public settings_ui::TrayPort {
public:
    int shows = 0;
    int hides = 0;
    int iconNumber = 0;
    QString toolTip;
    bool hasArea = true;
    void Show() override { ++shows; }
    void Hide() override { ++hides; }
    void setIcon(int number, const QImage&) override { iconNumber = number; }
    void setToolTip(const QString& text) override { toolTip = text; }
    bool available() const override { return hasArea; }
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
    std::unique_ptr<settings_ui::FrmMain> frm;

    SettingsFixture() { program.setMessagePump([] { QCoreApplication::processEvents(); }); }
    ~SettingsFixture() override {
        if (frm) {
            frm->Timer1.stop();
        }
    }

    void writeSettings(const std::string& text) { writeFile(program.settingsPath(), text); }
    std::string setting(const core::SettingKey& key) { return program.readSetting(key); }

    // Creates the settings window and runs its load handler, the way the program starts.
    settings_ui::FrmMain& start() {
        frm = std::make_unique<settings_ui::FrmMain>(program);
        frm->dialogs = &dialogs;
        frm->SysTrayMain = &tray;
        frm->Form_Load();
        frm->Timer1.stop(); // ticks are driven by the tests
        return *frm;
    }
    monitor::FrmMonitor& monitor() { return *frm->FrmMonitor(); }
    void tick(double readRate, double writeRate) {
        counters->readRate = readRate;
        counters->writeRate = writeRate;
        frm->Timer1_Timer();
    }
    std::string stored(const std::string& name) {
        platform::RegistryRoutines r(program.registry());
        r.KeyRoot = core::kProductKeyRoot;
        r.Subkey = core::kProductKey;
        return platform::regVariantText(r.GetRegistryValue(name));
    }
};

} // namespace oruvel::test
