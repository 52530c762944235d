#pragma once

#include <QObject>

namespace oruvel::app {

class Gadget;

// Follows the desktop session. A session save (a checkpoint such as "save session", or the first step of a log-out)
// stores the settings window's place and the program keeps running. The end of the session (the session manager's
// die, which reaches the program as a quit) and any other end of the event loop go through the orderly shutdown.
class SessionFollower : public QObject {
    Q_OBJECT
public:
    explicit SessionFollower(Gadget& gadget);

public slots:
    void onSessionSave();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Gadget& gadget_;
};

} // namespace oruvel::app
