#include "app/session_follower.h"

#include "app/gadget.h"

#include <QCoreApplication>
#include <QEvent>

namespace oruvel::app {

SessionFollower::SessionFollower(Gadget& gadget) : gadget_(gadget) {
    // A quit is refused while a window stays open, and the monitor refuses to close: shut down first, then the quit
    // goes through.
    QCoreApplication::instance()->installEventFilter(this);
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, [this] { gadget_.exit(); });
}

void SessionFollower::onSessionSave() {
    if (!gadget_.isExiting()) {
        gadget_.saveSettingsWindowPlace();
    }
}

bool SessionFollower::eventFilter(QObject* watched, QEvent* event) {
    if (watched == QCoreApplication::instance() && event->type() == QEvent::Quit) {
        gadget_.exit();
    }
    return false;
}

} // namespace oruvel::app
