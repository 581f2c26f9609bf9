#pragma once

#include "core/command/CommandAnswer.h"
#include "core/command/Wire.h"

#include <QLockFile>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QLocalServer;
class QLocalSocket;

namespace platform {

// One running copy per user: a lock file in the user's runtime folder, and a local socket
// beside it through which a second start asks the running copy to show its main window, and a
// command of the command line reaches it. The runtime folder is XDG_RUNTIME_DIR, or, where that is
// unset (cron, ssh), the user's /run/user/UID when it exists, so a command finds the copy of the
// desktop session.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Start {
        Running,       // this copy holds the lock and listens
        OtherCopyRuns, // a live copy holds the lock
        LockUnusable,  // no copy runs, but the lock cannot be taken: see problem()
    };

    // `folder` is where the lock and the socket live; by default the user's runtime folder.
    explicit SingleInstance(const QString& name, QString folder = {});
    ~SingleInstance() override;

    // Takes the lock (a lock left by a crashed copy is taken over) and starts listening.
    Start becomeTheRunningCopy();
    // After LockUnusable: which file or folder is in the way, and why.
    const QString& problem() const { return problem_; }

    // From a second copy: asks the running copy to show its main window and waits until it
    // has done so. False when no running copy answered.
    bool askRunningCopyToShow(int timeoutMs = 5000);
    // From a command: the running copy's answer, or whether the command may have arrived.
    core::Delivery sendCommand(const std::vector<std::string>& args, int timeoutMs = 5000);
    // From a command: a copy holds the lock, or is taking it and has not written its number yet.
    bool lockHeld();
    // In the running copy: what answers a command, set once the table and settings are loaded.
    // Until then, commands and show requests wait unanswered.
    using CommandHandler = std::function<core::CommandAnswer(const core::CommandRequest&)>;
    void onCommand(CommandHandler handler);

signals:
    // In the running copy; the window is shown by the time the receiver returns.
    void showRequested();

private:
    // The holder has written its number into the lock file.
    bool holderWritten();
    enum class LockLook { HeldByACopy, Cleared, Unreadable };
    // Who has the lock that could not be taken: a copy holds it or is still taking it; or a lock
    // left by a copy that is gone was removed; or the file cannot be looked at.
    LockLook lookAtHolder();
    // Why the lock cannot be taken though no copy holds it; empty when the way is clear now (a
    // file in the way was removed).
    QString unusableLock();
    void listen();
    void answer();
    void serve(QLocalSocket* peer);
    // Answers the peer's request once it has said it in full and the copy is ready.
    void take(QLocalSocket* peer);
    void peerGone();

    QString folder_;
    QString socketPath_;
    QLockFile lock_;
    QString problem_;
    QLocalServer* server_ = nullptr;
    int peers_ = 0;
    CommandHandler commandHandler_;
};

} // namespace platform
