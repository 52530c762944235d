#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

namespace oruvel::app {

// One running copy per settings file and user. The first start holds a lock and listens on a local socket whose name
// comes from the user's home and the settings file's path; a later start with the same settings file finds it, asks
// it to show itself and ends. Copies with settings files of their own run side by side. A copy that was killed
// leaves a lock of a process that is gone and perhaps a socket file: neither stops the next start.
class RunningCopy : public QObject {
    Q_OBJECT
public:
    explicit RunningCopy(const QString& settingsPath);

    // True when another copy runs with this settings file and was asked to show itself: this start is to end. False
    // when this is the copy that runs (it then listens for later starts), or when the one that runs does not answer.
    bool handOver();

    // The name of the local socket, the same for every start with this settings file and user.
    static QString socketName(const QString& settingsPath);

signals:
    // Another start of the program with this settings file.
    void startedAgain();

private:
    void listen();

    QString name_;
    QLockFile lock_;
    QLocalServer server_;
};

} // namespace oruvel::app
