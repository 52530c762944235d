#include "app/running_copy.h"

#ifndef _WIN32
#include "platform/private_folder.h"
#endif

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

#include <cstdio>

namespace oruvel::app {
namespace {

constexpr int kAnswerMilliseconds = 3000;

// The folder for locks and requests, made when missing; empty (with a note) when there can be none.
QString guardFolder() {
#ifdef _WIN32
    const QString folder = QDir::temp().filePath(QStringLiteral("oruvel"));
    if (QDir().mkpath(folder)) {
        return folder;
    }
    std::fprintf(stderr, "Oruvel: no folder %s for the one-copy guard; running without it\n",
                 qPrintable(QDir::toNativeSeparators(folder)));
    return {};
#else
    std::string why;
    const std::string folder = platform::privateRuntimeFolder(why);
    if (folder.empty()) {
        std::fprintf(stderr, "Oruvel: no private folder for the one-copy guard (%s); running without it\n",
                     why.c_str());
    }
    return QFile::decodeName(QByteArray::fromStdString(folder));
#endif
}

} // namespace

QString RunningCopy::lockName(const QString& settingsPath) {
    const QFileInfo file(settingsPath);
    QString canonical = file.exists() ? file.canonicalFilePath() : file.absoluteFilePath();
    QString home = QStandardPaths::writableLocation(QStandardPaths::HomeLocation);
#ifdef _WIN32
    // The file system finds the file whatever the letter case, and so does the folder lock.
    canonical = canonical.toLower();
    home = home.toLower();
#endif
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(home.toUtf8());
    hash.addData("\n");
    hash.addData(canonical.toUtf8());
    return QStringLiteral("oruvel-") + QString::fromLatin1(hash.result().toHex().left(24));
}

RunningCopy::RunningCopy(const QString& settingsPath) : folder_(guardFolder()) {
    if (folder_.isEmpty()) {
        return;
    }
    const QString name = QDir(folder_).filePath(lockName(settingsPath));
    requestPath_ = name + QStringLiteral(".show");
    lock_ = std::make_unique<QLockFile>(name + QStringLiteral(".lock"));
    lock_->setStaleLockTime(0); // held for as long as the copy runs; a lock whose process is gone is stale
}

bool RunningCopy::handOver() {
    if (lock_ == nullptr) {
        return false;
    }
    if (lock_->tryLock(0) || lock_->error() != QLockFile::LockFailedError) {
        watch(); // first, or no lock can be kept here at all
        return false;
    }
    // Another copy holds the lock: it takes the request away once it has seen it (it may still be on its way to
    // watching for it).
    QFile request(requestPath_);
    if (!request.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "Oruvel: cannot ask the copy that runs to show itself: %s; running beside it\n",
                     qPrintable(request.errorString()));
        return false;
    }
    request.close();
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < kAnswerMilliseconds) {
        if (!QFileInfo::exists(requestPath_)) {
            return true;
        }
        if (lock_->tryLock(0)) { // it ended meanwhile
            QFile::remove(requestPath_);
            watch();
            return false;
        }
        QThread::msleep(20);
    }
    QFile::remove(requestPath_);
    std::fprintf(stderr, "Oruvel: another copy holds %s but does not answer; running beside it\n",
                 qPrintable(QDir::toNativeSeparators(lock_->fileName())));
    return false;
}

void RunningCopy::watch() {
    watcher_ = std::make_unique<QFileSystemWatcher>();
    connect(watcher_.get(), &QFileSystemWatcher::directoryChanged, this, &RunningCopy::onFolderChanged);
    if (!watcher_->addPath(folder_)) {
        std::fprintf(stderr, "Oruvel: later starts cannot reach this copy: %s cannot be watched\n",
                     qPrintable(QDir::toNativeSeparators(folder_)));
    }
    // A request left before the watch began is taken once the program is ready to show itself.
    QTimer::singleShot(0, this, &RunningCopy::onFolderChanged);
}

void RunningCopy::onFolderChanged() {
    // Only one taker can remove the file: a request is answered once.
    if (QFile::remove(requestPath_)) {
        emit startedAgain();
    }
    // A cleaner of old files may take the lock, or the folder with it; later starts would then not find this copy.
    if (lock_->isLocked() && !QFileInfo::exists(lock_->fileName())) {
        lock_->unlock();
        guardFolder(); // made again where it went
        lock_->tryLock(0);
    }
    if (!watcher_->directories().contains(folder_) && QFileInfo::exists(folder_)) {
        watcher_->addPath(folder_); // the watch ended with the folder
    }
}

} // namespace oruvel::app
