#pragma once

#include <QObject>

namespace oruvel::core {
class Program;
}
namespace oruvel::settings_ui {
class SettingsWindow;
}

namespace oruvel::app {

// Follows the desktop session. A session save (a checkpoint such as "save session", or the first step of a log-out)
// stores the settings window's place and the program keeps running. The end of the session (the session manager's
// die, which reaches the program as a quit) and any other end of the event loop go through the orderly shutdown.
class SessionFollower : public QObject {
    Q_OBJECT
public:
    SessionFollower(core::Program& program, settings_ui::SettingsWindow& settings);

public slots:
    void onSessionSave();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void endSession();

    core::Program& program_;
    settings_ui::SettingsWindow& settings_;
};

} // namespace oruvel::app
