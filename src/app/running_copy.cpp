#include "app/running_copy.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

#include <cstdio>

namespace oruvel::app {
namespace {

constexpr int kAnswerMilliseconds = 3000;
const QByteArray kShowRequest = "show\n";

} // namespace

QString RunningCopy::socketName(const QString& settingsPath) {
    const QFileInfo file(settingsPath);
    const QString canonical = file.exists() ? file.canonicalFilePath() : file.absoluteFilePath();
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(QStandardPaths::writableLocation(QStandardPaths::HomeLocation).toUtf8());
    hash.addData("\n");
    hash.addData(canonical.toUtf8());
    return QStringLiteral("oruvel-") + QString::fromLatin1(hash.result().toHex().left(24));
}

RunningCopy::RunningCopy(const QString& settingsPath)
    : name_(socketName(settingsPath)), lock_(QDir::temp().filePath(name_ + QStringLiteral(".lock"))) {
    lock_.setStaleLockTime(0); // held for as long as the copy runs; a lock whose process is gone is stale
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().contains(kShowRequest.trimmed())) {
                    emit startedAgain();
                }
            });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

bool RunningCopy::handOver() {
    if (lock_.tryLock(0) || lock_.error() != QLockFile::LockFailedError) {
        listen(); // first, or no lock can be kept here at all
        return false;
    }
    // Another copy holds the lock; it may still be on its way to listening.
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < kAnswerMilliseconds) {
        QLocalSocket socket;
        socket.connectToServer(name_);
        if (socket.waitForConnected(500)) {
            socket.write(kShowRequest);
            socket.waitForBytesWritten(1000);
            socket.disconnectFromServer();
            return true;
        }
        if (lock_.tryLock(0)) { // it ended meanwhile
            listen();
            return false;
        }
        QThread::msleep(100);
    }
    std::fprintf(stderr, "Oruvel: another copy holds %s but does not answer; running beside it\n",
                 qPrintable(QDir::toNativeSeparators(QDir::temp().filePath(name_ + QStringLiteral(".lock")))));
    return false;
}

void RunningCopy::listen() {
    QLocalServer::removeServer(name_); // a socket file a killed copy left
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_.listen(name_)) {
        std::fprintf(stderr, "Oruvel: later starts cannot find this copy: %s\n", qPrintable(server_.errorString()));
    }
}

} // namespace oruvel::app
