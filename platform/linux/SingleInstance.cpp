#include "SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace platform {

namespace {

const QByteArray kShowRequest = "show\n";
const QByteArray kShown = "shown\n";

QString runtimeFolder(QString folder) {
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    QDir().mkpath(folder);
    return folder;
}

} // namespace

SingleInstance::SingleInstance(const QString& name, QString folder)
    : socketPath_(runtimeFolder(folder) + "/" + name + ".socket"),
      lock_(runtimeFolder(folder) + "/" + name + ".lock") {
    // A live copy's lock never goes stale by age; one whose process is gone is taken over.
    lock_.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::becomeTheRunningCopy() {
    if (!lock_.tryLock(0))
        return false;
    // A socket left by a crashed copy would refuse the listen.
    QLocalServer::removeServer(socketPath_);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    server_->listen(socketPath_);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::answer);
    return true;
}

void SingleInstance::answer() {
    while (QLocalSocket* peer = server_->nextPendingConnection()) {
        connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
        connect(peer, &QLocalSocket::readyRead, this, [this, peer] {
            if (!peer->canReadLine())
                return;
            if (peer->readLine() == kShowRequest) {
                emit showRequested();
                peer->write(kShown);
                peer->flush();
            }
            peer->disconnectFromServer();
        });
    }
}

bool SingleInstance::askRunningCopyToShow(int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(socketPath_);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(kShowRequest);
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(timeoutMs))
            return false;
    }
    return socket.readLine() == kShown;
}

} // namespace platform
