#include "app/session_follower.h"

#include "core/program.h"
#include "core/window_position.h"
#include "settings_ui/settings_window.h"

#include <QCoreApplication>
#include <QEvent>

namespace oruvel::app {

SessionFollower::SessionFollower(core::Program& program, settings_ui::SettingsWindow& settings)
    : program_(program), settings_(settings) {
    // A quit is refused while a window stays open, and the monitor refuses to close: shut down first, then the quit
    // goes through.
    QCoreApplication::instance()->installEventFilter(this);
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, &SessionFollower::endSession);
}

void SessionFollower::onSessionSave() {
    if (!program_.isExiting()) {
        core::saveWindowPosition(program_, settings_);
    }
}

bool SessionFollower::eventFilter(QObject* watched, QEvent* event) {
    if (watched == QCoreApplication::instance() && event->type() == QEvent::Quit) {
        endSession();
    }
    return false;
}

void SessionFollower::endSession() {
    settings_.requestShutdown(settings_ui::ShutdownReason::SessionEnd);
}

} // namespace oruvel::app
