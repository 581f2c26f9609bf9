#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;

namespace platform {

// One running copy per user: a lock file in the user's runtime folder, and a local socket
// beside it through which a second start asks the running copy to show its main window.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `folder` is where the lock and the socket live; by default the user's runtime folder.
    explicit SingleInstance(const QString& name, QString folder = {});
    ~SingleInstance() override;

    // Takes the lock (a lock left by a crashed copy is taken over) and starts listening.
    // False when another copy holds it.
    bool becomeTheRunningCopy();

    // From a second copy: asks the running copy to show its main window and waits until it
    // has done so. False when no running copy answered.
    bool askRunningCopyToShow(int timeoutMs = 5000);

signals:
    // In the running copy; the window is shown by the time the receiver returns.
    void showRequested();

private:
    void answer();

    QString socketPath_;
    QLockFile lock_;
    QLocalServer* server_ = nullptr;
};

} // namespace platform
