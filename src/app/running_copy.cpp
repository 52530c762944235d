#include "app/running_copy.h"

#ifndef _WIN32
#include "platform/private_folder.h"
#endif

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

#include <cstdio>

namespace oruvel::app {
namespace {

constexpr int kAnswerMilliseconds = 3000;
constexpr int kReadMilliseconds = 10000;
constexpr int kSocketWatchMilliseconds = 10000;
const QByteArray kShowRequest = "show\n";
const QString kLockSuffix = QStringLiteral(".lock");

} // namespace

QString RunningCopy::socketName(const QString& settingsPath) {
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

RunningCopy::RunningCopy(const QString& settingsPath) {
    const QString name = socketName(settingsPath);
#ifdef _WIN32
    serverName_ = name;
    lock_ = std::make_unique<QLockFile>(QDir::temp().filePath(name + kLockSuffix));
#else
    std::string why;
    const std::string folder =
        platform::privateRuntimeFolder(static_cast<std::size_t>(name.size() + kLockSuffix.size() + 2), why);
    if (folder.empty()) {
        std::fprintf(stderr, "Oruvel: no private folder for the one-copy guard (%s); running without it\n",
                     why.c_str());
    } else {
        serverName_ = QDir(QFile::decodeName(QByteArray::fromStdString(folder))).filePath(name);
        lock_ = std::make_unique<QLockFile>(serverName_ + kLockSuffix);
    }
#endif
    if (lock_ != nullptr) {
        lock_->setStaleLockTime(0); // held for as long as the copy runs; a lock whose process is gone is stale
    }
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            serve(socket);
        }
    });
    socketWatch_.setInterval(kSocketWatchMilliseconds);
    connect(&socketWatch_, &QTimer::timeout, this, &RunningCopy::restoreSocketIfGone);
}

void RunningCopy::serve(QLocalSocket* socket) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QObject::destroyed, this, [this] { --connections_; });
    ++connections_;
    if (connections_ > kMaxConnections) {
        socket->abort();
        return;
    }
    QTimer::singleShot(kConnectionMilliseconds, socket, [socket] { socket->abort(); });
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        // A request is a few bytes; whatever more a connection sends is never held.
        const QByteArray said = socket->read(64);
        if (said.contains(kShowRequest.trimmed())) {
            emit startedAgain();
            socket->disconnectFromServer();
        } else if (socket->bytesAvailable() > 0 || said.size() >= 64) {
            socket->abort();
        }
    });
}

bool RunningCopy::handOver() {
    if (lock_ == nullptr) {
        return false;
    }
    if (lock_->tryLock(0) || lock_->error() != QLockFile::LockFailedError) {
        listen(); // first, or no lock can be kept here at all
        return false;
    }
    // Another copy holds the lock; it may still be on its way to listening.
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < kAnswerMilliseconds) {
        QLocalSocket socket;
        socket.connectToServer(serverName_);
        if (socket.waitForConnected(500)) {
            socket.write(kShowRequest);
            socket.waitForBytesWritten(1000);
            // The copy that runs hangs up once it has read the request. Hanging up first could take the request with
            // it unread while that copy is busy (a pipe's unread bytes may go with its client on Windows).
            if (!socket.waitForDisconnected(kReadMilliseconds)) {
                socket.disconnectFromServer();
            }
            return true;
        }
        if (lock_->tryLock(0)) { // it ended meanwhile
            listen();
            return false;
        }
        QThread::msleep(100);
    }
    std::fprintf(stderr, "Oruvel: another copy holds %s but does not answer; running beside it\n",
                 qPrintable(QDir::toNativeSeparators(lock_->fileName())));
    return false;
}

void RunningCopy::listen() {
    QLocalServer::removeServer(serverName_); // a socket file a killed copy left
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_.listen(serverName_)) {
        std::fprintf(stderr, "Oruvel: later starts cannot find this copy: %s\n", qPrintable(server_.errorString()));
        return;
    }
#ifndef _WIN32
    socketWatch_.start();
#endif
}

// A cleaner of old files may take the socket file away; later starts would then not find this copy.
void RunningCopy::restoreSocketIfGone() {
    if (!server_.isListening() || QFileInfo::exists(server_.fullServerName())) {
        return;
    }
    server_.close();
    listen();
}

} // namespace oruvel::app
