#pragma once

#include <QLockFile>
#include <QString>

namespace platform {

// One running copy per user: a lock file in the user's runtime folder, whose holder runs; its
// command channel (CommandChannel.h) listens beside it. The runtime folder is XDG_RUNTIME_DIR,
// or, where that is unset (cron, ssh), the user's /run/user/UID when it exists, so a command finds
// the copy of the desktop session.
class SingleInstance {
public:
    enum class Start {
        Running,       // this copy holds the lock
        OtherCopyRuns, // a live copy holds the lock
        LockUnusable,  // no copy runs, but the lock cannot be taken: see problem()
    };

    // `folder` is where the lock and the socket live; by default the user's runtime folder.
    explicit SingleInstance(const QString& name, QString folder = {});
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Takes the lock (a lock left by a crashed copy is taken over).
    Start becomeTheRunningCopy();
    // After LockUnusable: which file or folder is in the way, and why.
    const QString& problem() const { return problem_; }

    // From a command: a copy holds the lock, or is taking it and has not written its number yet.
    bool lockHeld();
    // Where the running copy's command channel listens.
    const QString& socketPath() const { return socketPath_; }

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

    QString folder_;
    QString socketPath_;
    QLockFile lock_;
    QString problem_;
};

} // namespace platform
