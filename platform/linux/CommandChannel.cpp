#include "CommandChannel.h"

#include "core/command/Wire.h"
#include "core/lang/Catalogue.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <string_view>
#include <sys/socket.h>

namespace platform {

namespace {

constexpr std::string_view kShowRequest = "show\n";
// To a peer beyond the most: nothing it says is read, so whatever it asked for is not done.
constexpr std::string_view kBusy = "busy\n";
constexpr std::string_view kShown = "shown\n";
// "command REQUEST\n" and "answer ANSWER\n", the messages of the command's wire in base64.
constexpr std::string_view kCommandWord = "command ";
constexpr std::string_view kAnswerWord = "answer ";
// Nobody but a second start or a command talks to the socket, and it says one line at once: more
// peers, longer lines or longer silences come from something else and are dropped.
constexpr int kMostPeers = 8;
constexpr std::size_t kLongestLine = 16384;
// The longest arguments a command may have, in base64 behind the request's word, fit one line.
static_assert(kCommandWord.size() + (core::kLongestArguments + 2) / 3 * 4 + 1 <= kLongestLine);
constexpr int kPeerPatienceMs = 5000;
// Out of descriptors, the socket takes no peer for this long.
constexpr int kAcceptRetryMs = 200;

std::string localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QByteArray bytes(std::string_view text) {
    return {text.data(), static_cast<qsizetype>(text.size())};
}

// The base64 behind a message's word, decoded.
std::string unwrapped(std::string_view line, std::string_view word) {
    return QByteArray::fromBase64(bytes(line.substr(word.size())).trimmed()).toStdString();
}

std::string wrapped(std::string_view word, const std::string& message) {
    return std::string(word) + bytes(message).toBase64().toStdString() + '\n';
}

} // namespace

// A peer of the socket: what it has said so far, and how long it may stay silent.
class CommandPeer : public QObject {
public:
    CommandPeer(Descriptor socket, QObject* parent)
        : QObject(parent), socket_(std::move(socket)),
          notifier_(socket_.get(), QSocketNotifier::Read) {
        silence_.setSingleShot(true);
        connect(&silence_, &QTimer::timeout, this, &CommandPeer::end);
        silence_.start(kPeerPatienceMs);
    }

    QSocketNotifier& notifier() { return notifier_; }
    int socket() const { return socket_.get(); }
    void stopWaiting() { silence_.stop(); }

    // Reads what has come, up to a line's most; false once the peer has closed its side.
    bool receive() {
        char buffer[4096];
        while (said_.size() <= kLongestLine) {
            const ssize_t got = ::recv(socket_.get(), buffer, sizeof buffer, 0);
            if (got > 0)
                said_.append(buffer, static_cast<std::size_t>(got));
            else if (got < 0 && errno == EINTR)
                continue;
            else
                return got < 0 && errno == EAGAIN;
        }
        return true;
    }

    // Whether a line no longer than the most has been said in full.
    bool hasLine() const { return said_.find('\n') < kLongestLine; }
    bool saidTooMuch() const { return said_.size() >= kLongestLine; }
    std::string takeLine() {
        std::string line = said_.substr(0, said_.find('\n') + 1);
        said_.erase(0, line.size());
        return line;
    }

    // Closes the socket at once; the peer goes when the loop comes back.
    void end() {
        notifier_.setEnabled(false);
        silence_.stop();
        socket_ = Descriptor();
        deleteLater();
    }

private:
    Descriptor socket_;
    QSocketNotifier notifier_;
    QTimer silence_;
    std::string said_;
};

CommandSocketServer::CommandSocketServer(QString socketPath, QObject* parent)
    : QObject(parent), socketPath_(std::move(socketPath)) {
    listen();
}

CommandSocketServer::~CommandSocketServer() = default;

void CommandSocketServer::listen() {
    listening_ = listenAt(localPath(socketPath_));
    if (!listening_.valid())
        return;
    incoming_ = std::make_unique<QSocketNotifier>(listening_.get(), QSocketNotifier::Read);
    connect(incoming_.get(), &QSocketNotifier::activated, this, &CommandSocketServer::answer);
}

void CommandSocketServer::answer() {
    for (;;) {
        Descriptor socket(
            ::accept4(listening_.get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
        if (!socket.valid()) {
            // Out of descriptors: a pending peer would wake the loop again and again.
            if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM) {
                incoming_->setEnabled(false);
                QTimer::singleShot(kAcceptRetryMs, this, [this] { incoming_->setEnabled(true); });
            }
            return;
        }
        if (peers_ >= kMostPeers) {
            sendAll(socket.get(), kBusy, QDeadlineTimer(0));
            continue;
        }
        ++peers_;
        auto* peer = new CommandPeer(std::move(socket), this);
        connect(peer, &QObject::destroyed, this, &CommandSocketServer::peerGone);
        connect(&peer->notifier(), &QSocketNotifier::activated, this, [this, peer] {
            const bool open = peer->receive();
            const QPointer<CommandPeer> stays(peer);
            take(peer);
            if (stays && !open)
                stays->end();
        });
    }
}

void CommandSocketServer::take(CommandPeer* peer) {
    if (!peer->hasLine()) {
        if (peer->saidTooMuch())
            peer->end();
        return;
    }
    // Until the table and settings are loaded, a request that has arrived waits.
    if (!commandHandler_) {
        peer->stopWaiting();
        return;
    }
    const std::string line = peer->takeLine();
    // What the request runs may run an event loop, in which a peer that gave up is deleted.
    const QPointer<CommandPeer> stays(peer);
    std::string reply;
    if (line == kShowRequest) {
        emit showRequested();
        reply = kShown;
    } else if (line.starts_with(kCommandWord)) {
        if (auto request = core::decodeRequest(unwrapped(line, kCommandWord))) {
            request->sender = peerProcess(peer->socket());
            reply = wrapped(kAnswerWord, core::encodeAnswer(commandHandler_(*request)));
        }
    }
    if (stays.isNull())
        return;
    sendAll(peer->socket(), reply, QDeadlineTimer(kPeerPatienceMs));
    peer->end();
}

void CommandSocketServer::onCommand(CommandHandler handler) {
    commandHandler_ = std::move(handler);
    QList<QPointer<CommandPeer>> waiting;
    for (QObject* child : children())
        if (auto* peer = dynamic_cast<CommandPeer*>(child))
            waiting.append(peer);
    for (const QPointer<CommandPeer>& peer : waiting)
        if (peer)
            take(peer);
}

void CommandSocketServer::peerGone() {
    --peers_;
}

bool askRunningCopyToShow(const QString& socketPath, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    const Descriptor socket = connectTo(localPath(socketPath), deadline);
    return socket.valid() && sendAll(socket.get(), kShowRequest, deadline) &&
           receiveLine(socket.get(), kLongestLine, deadline) == kShown;
}

core::Delivery sendCommand(const QString& socketPath, const std::vector<std::string>& args,
                           int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    const Descriptor socket = connectTo(localPath(socketPath), deadline);
    if (!socket.valid())
        return {core::Delivery::NotListening, {}};
    const std::string request = core::encodeRequest({std::string(core::languageInUse()), args});
    // From here on the copy may have the command, whatever comes back.
    const std::optional<std::string> line =
        sendAll(socket.get(), wrapped(kCommandWord, request), deadline)
            ? receiveLine(socket.get(), kLongestLine, deadline)
            : std::nullopt;
    // Turned away unread: the command is certainly not carried out, and may be sent again.
    if (line == kBusy)
        return {core::Delivery::NotListening, {}};
    const auto answer = line && line->starts_with(kAnswerWord)
                            ? core::decodeAnswer(unwrapped(*line, kAnswerWord))
                            : std::nullopt;
    if (!answer)
        return {core::Delivery::Unanswered, {}};
    return {core::Delivery::Answered, *answer};
}

} // namespace platform
