#include "SingleInstance.h"

#include "core/command/Wire.h"
#include "core/lang/Catalogue.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <string_view>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

const QByteArray kShowRequest = "show\n";
// To a peer beyond the most: nothing it says is read, so whatever it asked for is not done.
const QByteArray kBusy = "busy\n";
const QByteArray kShown = "shown\n";
// "command REQUEST\n" and "answer ANSWER\n", the messages of the command's wire in base64.
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
const QString kSilenceTimer = QStringLiteral("silence");
// How long a copy that has created the lock file may take to lock it and write its number.
constexpr int kTakingPatienceMs = 5000;
constexpr int kLookAgainMs = 20;

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
        return folder + ": " + QString::fromStdString(core::tr("別のユーザーのフォルダーです"));
    return folder + ": " + systemReason(EACCES);
}

// Another process holds Qt's own lock on the lock file, which a copy keeps for its whole life. A
// lock taken here is given back when `fd` closes.
bool lockedByAnother(int fd) {
    return ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
}

// The process that sent a command, from the socket's credentials.
std::optional<int> senderOf(const QLocalSocket& peer) {
    ucred credentials{};
    socklen_t size = sizeof credentials;
    if (::getsockopt(static_cast<int>(peer.socketDescriptor()), SOL_SOCKET, SO_PEERCRED,
                     &credentials, &size) != 0 ||
        credentials.pid <= 0)
        return std::nullopt;
    return credentials.pid;
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
        const LockLook look =
            lock_.error() == QLockFile::LockFailedError ? lookAtHolder() : LockLook::Unreadable;
        if (look == LockLook::HeldByACopy)
            return Start::OtherCopyRuns;
        if (look == LockLook::Unreadable && !(problem_ = unusableLock()).isEmpty())
            return Start::LockUnusable;
        if (!lock_.tryLock(0)) {
            // A copy started at the same moment took it meanwhile.
            if (lock_.error() == QLockFile::LockFailedError)
                return Start::OtherCopyRuns;
            problem_ = unusableLock();
            return Start::LockUnusable;
        }
    }
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::answer);
    listen();
    return Start::Running;
}

bool SingleInstance::holderWritten() {
    qint64 pid = 0;
    QString host;
    QString application;
    return lock_.getLockInfo(&pid, &host, &application);
}

SingleInstance::LockLook SingleInstance::lookAtHolder() {
    // A copy creates the file, then takes Qt's lock on it, then writes its number: a file without
    // a number is being taken, unless it stays so.
    for (int waited = 0; !holderWritten() && waited < kTakingPatienceMs; waited += kLookAgainMs) {
        if (!QFileInfo::exists(lock_.fileName()))
            return LockLook::Cleared;
        QThread::msleep(kLookAgainMs);
    }
    const QByteArray name = QFile::encodeName(lock_.fileName());
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? LockLook::Cleared : LockLook::Unreadable;
    const bool held = lockedByAnother(fd);
    // Left by a copy that is gone: removed while this process holds the lock, as Qt removes a
    // stale lock, and only the very file that was looked at.
    struct stat opened {};
    struct stat named {};
    if (!held && ::fstat(fd, &opened) == 0 && ::lstat(name.constData(), &named) == 0 &&
        opened.st_dev == named.st_dev && opened.st_ino == named.st_ino)
        ::unlink(name.constData());
    ::close(fd);
    return held ? LockLook::HeldByACopy : LockLook::Cleared;
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
            peer->write(kBusy);
            peer->flush();
            peer->disconnectFromServer();
            peer->deleteLater();
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
    auto* silence = new QTimer(peer);
    silence->setObjectName(kSilenceTimer);
    silence->setSingleShot(true);
    connect(silence, &QTimer::timeout, peer, [peer] { drop(peer); });
    silence->start(kPeerPatienceMs);
    connect(peer, &QLocalSocket::readyRead, this, [this, peer] { take(peer); });
}

void SingleInstance::take(QLocalSocket* peer) {
    if (!peer->canReadLine()) {
        if (peer->bytesAvailable() > kLongestLine)
            drop(peer);
        return;
    }
    // Until the table and settings are loaded, a request that has arrived waits in the socket.
    if (!commandHandler_) {
        if (auto* silence = peer->findChild<QTimer*>(kSilenceTimer))
            silence->stop();
        return;
    }
    const QByteArray line = peer->readLine(kLongestLine + 1);
    // What the request runs may run an event loop, in which a peer that gave up is deleted.
    const QPointer<QLocalSocket> stays(peer);
    QByteArray reply;
    if (line == kShowRequest) {
        emit showRequested();
        reply = kShown;
    } else if (line.startsWith(kCommandRequest)) {
        const QByteArray message =
            QByteArray::fromBase64(line.mid(kCommandRequest.size()).trimmed());
        if (auto request = core::decodeRequest(message.toStdString())) {
            request->sender = senderOf(*peer);
            reply = kAnswer +
                    QByteArray::fromStdString(core::encodeAnswer(commandHandler_(*request)))
                        .toBase64() +
                    '\n';
        }
    }
    if (stays.isNull())
        return;
    peer->write(reply);
    peer->flush();
    peer->disconnectFromServer();
}

void SingleInstance::onCommand(CommandHandler handler) {
    commandHandler_ = std::move(handler);
    if (server_ != nullptr)
        for (QLocalSocket* peer : server_->findChildren<QLocalSocket*>())
            take(peer);
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
    if (!holderWritten())
        return QFileInfo::exists(lock_.fileName());
    const int fd = ::open(QFile::encodeName(lock_.fileName()).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool held = lockedByAnother(fd);
    ::close(fd);
    return held;
}

core::Delivery SingleInstance::sendCommand(const std::vector<std::string>& args, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    const auto left = [&deadline] { return static_cast<int>(deadline.remainingTime()); };
    QLocalSocket socket;
    socket.connectToServer(socketPath_);
    if (!socket.waitForConnected(left()))
        return {core::Delivery::NotListening, {}};
    const std::string request = core::encodeRequest({std::string(core::languageInUse()), args});
    socket.write(kCommandRequest + QByteArray::fromStdString(request).toBase64() + '\n');
    // From here on the copy may have the command, whatever comes back.
    bool answered = socket.waitForBytesWritten(left());
    while (answered && !socket.canReadLine())
        answered = !deadline.hasExpired() && socket.waitForReadyRead(left());
    const QByteArray line = answered ? socket.readLine() : QByteArray();
    // Turned away unread: the command is certainly not carried out, and may be sent again.
    if (line == kBusy)
        return {core::Delivery::NotListening, {}};
    const auto answer =
        line.startsWith(kAnswer)
            ? core::decodeAnswer(
                  QByteArray::fromBase64(line.mid(kAnswer.size()).trimmed()).toStdString())
            : std::nullopt;
    if (!answer)
        return {core::Delivery::Unanswered, {}};
    return {core::Delivery::Answered, *answer};
}

} // namespace platform
