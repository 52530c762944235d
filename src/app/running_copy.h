#pragma once

#include <QFileSystemWatcher>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

namespace oruvel::app {

// One running copy per settings file and user. The first start holds a lock whose name comes from the user's home and
// the settings file's path; a later start with the same settings file finds it held, leaves a request file beside it
// and ends once the copy that runs has taken the request away (and shows itself). Copies with settings files of their
// own run side by side. Lock and request live in a folder only this user may use (see platform::privateRuntimeFolder),
// so no other user can hold the lock or ask. A copy that was killed leaves a lock of a process that is gone: it does
// not stop the next start. The copy that runs learns of a request from the file system, without asking in a loop, and
// puts its lock back when something removes it.
class RunningCopy : public QObject {
    Q_OBJECT
public:
    explicit RunningCopy(const QString& settingsPath);

    // True when another copy runs with this settings file and was asked to show itself: this start is to end. False
    // when this is the copy that runs (it then watches for later starts), or when the one that runs does not answer.
    bool handOver();

    // The name of the lock, the same for every start with this settings file and user (on Windows whatever the letter
    // case the path was typed in, as the file system finds the file).
    static QString lockName(const QString& settingsPath);
    // The lock file, and the file a later start leaves to ask; empty when there is no folder for them.
    QString lockPath() const { return lock_ != nullptr ? lock_->fileName() : QString(); }
    const QString& requestPath() const { return requestPath_; }

signals:
    // Another start of the program with this settings file.
    void startedAgain();

private:
    void watch();
    // Takes a request that is there, and puts back the lock when it has gone.
    void onFolderChanged();

    QString folder_;
    QString requestPath_;
    std::unique_ptr<QLockFile> lock_; // null when there is no private folder: the copy runs without a guard
    std::unique_ptr<QFileSystemWatcher> watcher_; // made by the copy that runs
};

} // namespace oruvel::app
