#include "SingleInstance.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

const QByteArray kShowRequest = "show\n";
const QByteArray kShown = "shown\n";
// "command ARGS\n": the arguments joined by NUL bytes, in base64; the answer is
// "answer STATUS OUT ERR\n", the texts in base64.
constexpr std::string_view kCommandWord = "command ";
const QByteArray kCommandRequest(kCommandWord.data(), static_cast<qsizetype>(kCommandWord.size()));
const QByteArray kAnswer = "answer ";
// Nobody but a second start or a command talks to the socket, and it says one line at once: more
// peers, longer lines or longer silences come from something else and are dropped.
constexpr int kMostPeers = 8;
constexpr qint64 kLongestLine = 16384;
// The longest arguments a command may have, in base64 behind the request's word, fit one line.
static_assert(kCommandWord.size() + (core::kLongestArguments + 2) / 3 * 4 + 1 <=
              static_cast<std::size_t>(kLongestLine));
constexpr int kPeerPatienceMs = 5000;

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// The runtime folder Qt refused (one of another user, say), as Qt would have used it.
QString refusedRuntimeFolder() {
    QString fromEnvironment = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return QDir::tempPath() + "/runtime-" + qEnvironmentVariable("USER");
}

// Why a runtime folder cannot hold the lock.
QString folderProblem(const QString& folder) {
    struct stat status {};
    if (::stat(QFile::encodeName(folder).constData(), &status) != 0)
        return folder + ": " + systemReason(errno);
    if (status.st_uid != ::geteuid())
        return folder + ": " + QStringLiteral("別のユーザーのフォルダーです");
    return folder + ": " + systemReason(EACCES);
}

void drop(QLocalSocket* peer) {
    peer->abort();
    peer->deleteLater();
}

// The user's own /run/user/UID, where logind keeps the session's runtime folder.
QString loginRuntimeFolder() {
    const QByteArray path = "/run/user/" + QByteArray::number(::geteuid());
    struct stat status {};
    if (::stat(path.constData(), &status) == 0 && S_ISDIR(status.st_mode) &&
        status.st_uid == ::geteuid())
        return QString::fromLatin1(path);
    return {};
}

QString runtimeFolderOr(QString folder) {
    if (folder.isEmpty() && qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        folder = loginRuntimeFolder();
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!folder.isEmpty())
        QDir().mkpath(folder);
    return folder;
}

} // namespace

SingleInstance::SingleInstance(const QString& name, QString folder)
    : folder_(runtimeFolderOr(std::move(folder))), socketPath_(folder_ + "/" + name + ".socket"),
      lock_(folder_ + "/" + name + ".lock") {
    // A live copy's lock never goes stale by age; one whose process is gone is taken over.
    lock_.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

SingleInstance::Start SingleInstance::becomeTheRunningCopy() {
    if (folder_.isEmpty()) {
        problem_ = folderProblem(refusedRuntimeFolder());
        return Start::LockUnusable;
    }
    if (!lock_.tryLock(0)) {
        if (lock_.error() == QLockFile::LockFailedError && holderIsAlive())
            return Start::OtherCopyRuns;
        problem_ = unusableLock();
        if (!problem_.isEmpty() || !lock_.tryLock(0))
            return Start::LockUnusable;
    }
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::answer);
    listen();
    return Start::Running;
}

bool SingleInstance::holderIsAlive() {
    qint64 pid = 0;
    QString host;
    QString application;
    // Only a process this user may signal is a copy of this user's; another user's process with
    // the same number holds nothing of it.
    return lock_.getLockInfo(&pid, &host, &application) && pid > 0 &&
           ::kill(static_cast<pid_t>(pid), 0) == 0;
}

QString SingleInstance::unusableLock() {
    const QString path = lock_.fileName();
    const QByteArray name = QFile::encodeName(path);
    struct stat status {};
    if (::lstat(name.constData(), &status) == 0) {
        // Left by a copy that is gone: removed here, the lock can be taken after all.
        if (::unlink(name.constData()) == 0)
            return {};
    } else if (errno == ENOENT) {
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0) {
            ::close(fd);
            ::unlink(name.constData());
            return {};
        }
    }
    return path + ": " + systemReason(errno);
}

void SingleInstance::listen() {
    // A socket left by a crashed copy would refuse the listen.
    QLocalServer::removeServer(socketPath_);
    server_->listen(socketPath_);
}

void SingleInstance::answer() {
    while (QLocalSocket* peer = server_->nextPendingConnection()) {
        if (peers_ >= kMostPeers) {
            drop(peer);
            continue;
        }
        ++peers_;
        serve(peer);
    }
}

void SingleInstance::serve(QLocalSocket* peer) {
    peer->setReadBufferSize(kLongestLine + 1);
    connect(peer, &QObject::destroyed, this, &SingleInstance::peerGone);
    connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
    QTimer::singleShot(kPeerPatienceMs, peer, [peer] { drop(peer); });
    connect(peer, &QLocalSocket::readyRead, this, [this, peer] {
        if (!peer->canReadLine()) {
            if (peer->bytesAvailable() > kLongestLine)
                drop(peer);
            return;
        }
        const QByteArray line = peer->readLine(kLongestLine + 1);
        if (line == kShowRequest) {
            emit showRequested();
            peer->write(kShown);
        } else if (line.startsWith(kCommandRequest) && commandHandler_) {
            std::vector<std::string> args;
            const QByteArray joined =
                QByteArray::fromBase64(line.mid(kCommandRequest.size()).trimmed());
            for (const QByteArray& arg : joined.split('\0'))
                args.push_back(arg.toStdString());
            const core::CommandAnswer answer = commandHandler_(args);
            peer->write(kAnswer + QByteArray::number(answer.status) + ' ' +
                        QByteArray::fromStdString(answer.out).toBase64() + ' ' +
                        QByteArray::fromStdString(answer.err).toBase64() + '\n');
        }
        peer->flush();
        peer->disconnectFromServer();
    });
}

void SingleInstance::peerGone() {
    --peers_;
    // Qt closes a server whose accept failed (out of file descriptors, say); it listens again.
    if (server_ != nullptr && !server_->isListening())
        listen();
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

bool SingleInstance::lockHeld() {
    if (holderIsAlive())
        return true;
    qint64 pid = 0;
    QString host;
    QString application;
    // A copy taking the lock creates the file before it writes its number into it.
    return QFileInfo::exists(lock_.fileName()) && !lock_.getLockInfo(&pid, &host, &application);
}

core::Delivery SingleInstance::sendCommand(const std::vector<std::string>& args, int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(socketPath_);
    if (!socket.waitForConnected(timeoutMs))
        return {core::Delivery::NotListening, {}};
    QByteArray joined;
    for (std::size_t i = 0; i < args.size(); ++i)
        joined.append(i == 0 ? "" : QByteArray(1, '\0')).append(QByteArray::fromStdString(args[i]));
    socket.write(kCommandRequest + joined.toBase64() + '\n');
    // From here on the copy may have the command, whatever comes back.
    bool answered = socket.waitForBytesWritten(timeoutMs);
    while (answered && !socket.canReadLine())
        answered = socket.waitForReadyRead(timeoutMs);
    const QList<QByteArray> parts =
        answered ? socket.readLine().trimmed().split(' ') : QList<QByteArray>{};
    if (parts.size() < 2 || parts[0] + ' ' != kAnswer)
        return {core::Delivery::Unanswered, {}};
    core::CommandAnswer answer;
    answer.status = parts[1].toInt();
    if (parts.size() > 2)
        answer.out = QByteArray::fromBase64(parts[2]).toStdString();
    if (parts.size() > 3)
        answer.err = QByteArray::fromBase64(parts[3]).toStdString();
    return {core::Delivery::Answered, answer};
}

} // namespace platform
