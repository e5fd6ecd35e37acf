#include "shell/SingleInstance.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

namespace vorlaken {

namespace {
const QString kLockName = QStringLiteral("grabnest.lock");
const QString kSocketName = QStringLiteral("grabnest.socket");
const QByteArray kRaise = QByteArrayLiteral("raise\n");
}  // namespace

SingleInstance::SingleInstance(const QString& folder) : folder_(folder.isEmpty() ? defaultFolder() : folder) {
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().contains(kRaise.trimmed()))
                    emit raiseRequested();
                socket->disconnectFromServer();
            });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

SingleInstance::~SingleInstance() {
    server_.close();
}

QString SingleInstance::defaultFolder() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return dir;
}

bool SingleInstance::claim() {
    QDir().mkpath(folder_);
    lock_ = std::make_unique<QLockFile>(QDir(folder_).filePath(kLockName));
    // A lock left by a copy that crashed is taken over (its process is gone).
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0)) {
        const QString socketPath = QDir(folder_).filePath(kSocketName);
        QLocalServer::removeServer(socketPath);
        server_.setSocketOptions(QLocalServer::UserAccessOption);
        server_.listen(socketPath);
        return true;
    }
    lock_.reset();
    askRunningCopy();
    return false;
}

bool SingleInstance::askRunningCopy() const {
    // The running copy may still be starting and not listen yet; try for a short while.
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 3000) {
        QLocalSocket socket;
        socket.connectToServer(QDir(folder_).filePath(kSocketName));
        if (socket.waitForConnected(500)) {
            socket.write(kRaise);
            socket.waitForBytesWritten(1000);
            socket.waitForDisconnected(1000);
            return true;
        }
        QThread::msleep(100);
    }
    return false;
}

}  // namespace vorlaken
