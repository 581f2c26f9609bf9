#include "CommandChannel.h"

#include "core/command/Wire.h"
#include "core/lang/Catalogue.h"

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>
#include <string_view>
#include <sys/socket.h>

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

} // namespace

CommandSocketServer::CommandSocketServer(QString socketPath, QObject* parent)
    : QObject(parent), socketPath_(std::move(socketPath)), server_(new QLocalServer(this)) {
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &CommandSocketServer::answer);
    listen();
}

CommandSocketServer::~CommandSocketServer() = default;

void CommandSocketServer::listen() {
    // A socket left by a crashed copy would refuse the listen.
    QLocalServer::removeServer(socketPath_);
    server_->listen(socketPath_);
}

void CommandSocketServer::answer() {
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

void CommandSocketServer::serve(QLocalSocket* peer) {
    peer->setReadBufferSize(kLongestLine + 1);
    connect(peer, &QObject::destroyed, this, &CommandSocketServer::peerGone);
    connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
    auto* silence = new QTimer(peer);
    silence->setObjectName(kSilenceTimer);
    silence->setSingleShot(true);
    connect(silence, &QTimer::timeout, peer, [peer] { drop(peer); });
    silence->start(kPeerPatienceMs);
    connect(peer, &QLocalSocket::readyRead, this, [this, peer] { take(peer); });
}

void CommandSocketServer::take(QLocalSocket* peer) {
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

void CommandSocketServer::onCommand(CommandHandler handler) {
    commandHandler_ = std::move(handler);
    for (QLocalSocket* peer : server_->findChildren<QLocalSocket*>())
        take(peer);
}

void CommandSocketServer::peerGone() {
    --peers_;
    // Qt closes a server whose accept failed (out of file descriptors, say); it listens again.
    if (!server_->isListening())
        listen();
}

bool askRunningCopyToShow(const QString& socketPath, int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(socketPath);
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

core::Delivery sendCommand(const QString& socketPath, const std::vector<std::string>& args,
                           int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    const auto left = [&deadline] { return static_cast<int>(deadline.remainingTime()); };
    QLocalSocket socket;
    socket.connectToServer(socketPath);
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
