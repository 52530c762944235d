#pragma once

#include "app/gadget.h"
#include "app/program_menu.h"
#include "app/window_places.h"
#include "core/settings.h"
#include "monitor/monitor_window.h"
#include "platform/ini_file.h"
#include "settings_ui/dialogs.h"
#include "settings_ui/picture_file.h"
#include "support/recording_rate_source.h"
#include "support/temp_dir.h"
#include "tray/tray_icon.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QTest>
#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <optional>

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
        return next(files);
    }
    std::optional<core::Colour> chooseColour(const ColourRequest& r) override {
        colourRequests.push_back(r);
        return next(colours);
    }

private:
    template <typename T> static std::optional<T> next(std::deque<std::optional<T>>& answers) {
        if (answers.empty()) {
            return std::nullopt;
        }
        std::optional<T> answer;
        answer.swap(answers.front());
        answers.pop_front();
        return answer;
    }
};

// The whole gadget on a temporary program folder, settings file and place store, with disk rates the test sets and
// dialogs it answers. Nothing is shown on a screen (Qt's offscreen platform); the timer is stopped, ticks are driven.
struct GadgetFixture : ::testing::Test {
    TempDir dir;
    std::vector<std::string> rateLog;
    RecordingRateSource* rates = nullptr;
    ScriptedDialogs dialogs;
    core::LoginStartSwitch* loginStart = nullptr;
    platform::DiskLister listDisks;
    // The disk rates the gadget opens; recorded ones (`rates`) unless set.
    core::DiskRateSampler::SourceOpener openDiskRates;
    // What the disk-activity window reads (nothing unless set).
    activity::ActivityServices activity;
    // Where the window system has a window (the platform's answer unless set).
    std::function<std::optional<QPoint>(const QWidget&)> windowSystemPlace;
    std::optional<core::Settings> settings;
    std::optional<app::WindowPlaces> places;
    std::unique_ptr<app::Gadget> gadget;

    ~GadgetFixture() override { stop(); }

    std::string settingsPath() const { return dir.file("Oruvel_Settings.ini"); }
    std::string placesPath() const { return dir.file("places.conf"); }

    // The settings file as a later start reads it: every change made so far has landed.
    void writeSettings(const std::string& text) {
        if (settings) {
            settings->flush();
        }
        writeFile(settingsPath(), text);
    }
    std::string setting(core::Key key) {
        if (settings) {
            settings->flush();
        }
        return platform::ini::readValue(settingsPath(), core::kSettingsSection, core::rowOf(key).name);
    }
    // A stored place value, as the store holds it.
    std::string stored(const char* name) const {
        return QSettings(QString::fromStdString(placesPath()), QSettings::IniFormat)
            .value(QString::fromLatin1(name))
            .toString()
            .toStdString();
    }

    // Starts the gadget the way the program does: the settings are read now.
    app::Gadget& start() {
        settings.emplace(settingsPath());
        places.emplace(std::make_unique<QSettings>(QString::fromStdString(placesPath()), QSettings::IniFormat));
        app::GadgetServices services;
        services.programFolder = dir.path();
        services.openDiskRates = openDiskRates ? openDiskRates : [this]() -> std::unique_ptr<platform::DiskRateSource> {
            auto source = std::make_unique<RecordingRateSource>(&rateLog);
            rates = source.get();
            return source;
        };
        services.listDisks = listDisks;
        services.loginStart = loginStart;
        services.dialogs = &dialogs;
        services.loadPicture = settings_ui::loadPictureFile;
        services.activity = activity;
        services.windowSystemPlace = windowSystemPlace;
        gadget = std::make_unique<app::Gadget>(*settings, *places, std::move(services));
        gadget->start();
        gadget->sampleTimer().stop(); // ticks are driven by the tests
        return *gadget;
    }
    // Ends the gadget and lands its settings, as the end of the program does.
    void stop() {
        gadget.reset();
        settings.reset();
        places.reset();
        rates = nullptr;
    }

    monitor::MonitorWindow& monitor() { return gadget->monitor(); }
    settings_ui::SettingsWindow& window() { return gadget->settingsWindow(); }
    // A control of the settings window by its name.
    template <typename T> T* control(const char* name) {
        T* found = window().findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    // Shows the settings window as the active one: keys reach only the active window.
    void activateWindow() {
        window().show();
        window().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    }
    void tick(double readRate, double writeRate) {
        if (rates != nullptr) {
            rates->read = readRate;
            rates->write = writeRate;
        }
        gadget->sampleRates();
    }
};

// Turns the event loop until `done` or a few seconds have passed (news from other threads and sockets comes this way).
template <typename Done> bool turnUntil(Done done, int milliseconds = 5000) {
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return done();
}

} // namespace oruvel::test
