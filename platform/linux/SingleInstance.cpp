#include "SingleInstance.h"

#include "core/lang/Catalogue.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

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

} // namespace platform
