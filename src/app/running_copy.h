#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

namespace oruvel::app {

// One running copy per settings file and user. The first start holds a lock and listens on a local socket whose name
// comes from the user's home and the settings file's path; a later start with the same settings file finds it, asks
// it to show itself and ends. Copies with settings files of their own run side by side. Lock and socket live in a
// folder only this user may use (see platform::privateRuntimeFolder), so no other user can hold them or listen in
// their place. A copy that was killed leaves a lock of a process that is gone and perhaps a socket file: neither stops
// the next start. The copy that runs puts its socket back when something removes it, and hangs up on a connection
// that says nothing for a while or comes beyond a few at once.
class RunningCopy : public QObject {
    Q_OBJECT
public:
    explicit RunningCopy(const QString& settingsPath);

    // True when another copy runs with this settings file and was asked to show itself: this start is to end. False
    // when this is the copy that runs (it then listens for later starts), or when the one that runs does not answer.
    bool handOver();

    // The name of the local socket, the same for every start with this settings file and user (on Windows whatever
    // the letter case the path was typed in, as the file system finds the file).
    static QString socketName(const QString& settingsPath);
    // Where the socket is: a path in the private folder, or the bare name where the system keeps names per user.
    const QString& serverName() const { return serverName_; }

    // Puts the socket back when something removed its file; the copy that runs does this every few seconds.
    void restoreSocketIfGone();

    // Connections served at once; more are closed at once.
    static constexpr int kMaxConnections = 8;
    // A connection that has not asked within this time is closed.
    static constexpr int kConnectionMilliseconds = 2000;

signals:
    // Another start of the program with this settings file.
    void startedAgain();

private:
    void listen();
    void serve(class QLocalSocket* socket);

    QString serverName_;
    std::unique_ptr<QLockFile> lock_; // null when there is no private folder: the copy runs without a guard
    int connections_ = 0;
    QLocalServer server_;
    QTimer socketWatch_;
};

} // namespace oruvel::app
