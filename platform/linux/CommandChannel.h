#pragma once

#include "LocalSocket.h"
#include "core/command/CommandAnswer.h"
#include "core/command/Wire.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QSocketNotifier;

namespace platform {

class CommandPeer;

// The running copy's local socket beside its guard's lock (SingleInstance::socketPath()), through
// which a second start asks it to show its main window, and a command of the command line reaches
// it: one line each way, for this user only.

// From a second copy: asks the running copy to show its main window and waits until it has done
// so. False when no running copy answered.
bool askRunningCopyToShow(const QString& socketPath, int timeoutMs = 5000);
// From a command: the running copy's answer, or whether the command may have arrived.
core::Delivery sendCommand(const QString& socketPath, const std::vector<std::string>& args,
                           int timeoutMs = 5000);

// In the running copy, which holds the guard: listens on the socket, a socket left by a crashed
// copy replaced.
class CommandSocketServer : public QObject {
    Q_OBJECT
public:
    explicit CommandSocketServer(QString socketPath, QObject* parent = nullptr);
    ~CommandSocketServer() override;

    // What answers a command, set once the table and settings are loaded. Until then, commands
    // and show requests wait unanswered.
    using CommandHandler = std::function<core::CommandAnswer(const core::CommandRequest&)>;
    void onCommand(CommandHandler handler);

signals:
    // The window is shown by the time the receiver returns.
    void showRequested();

private:
    void listen();
    void answer();
    // Answers the peer's request once it has said it in full and the copy is ready.
    void take(CommandPeer* peer);
    void peerGone();

    QString socketPath_;
    Descriptor listening_;
    // Ended before the socket it watches.
    std::unique_ptr<QSocketNotifier> incoming_;
    int peers_ = 0;
    CommandHandler commandHandler_;
};

} // namespace platform
