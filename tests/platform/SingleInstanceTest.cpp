#include "platform/linux/SingleInstance.h"

#include "platform/linux/CommandChannel.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Start = platform::SingleInstance::Start;

// A client of the guard's socket that the event loop of this process does not serve. A client
// that must not wait for a full backlog does not block.
int connectTo(const QString& socketPath, int flags = 0) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | flags, 0);
    if (fd < 0)
        return -1;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray path = socketPath.toLocal8Bit();
    std::copy(path.begin(), path.end(), address.sun_path);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// What the guard answers to a line (none: to what was said before), while this process's event
// loop runs; empty on no answer.
std::string answerTo(int fd, const std::string& line) {
    if (!line.empty() && ::write(fd, line.data(), line.size()) != static_cast<ssize_t>(line.size()))
        return "write failed";
    std::string answer;
    for (int waited = 0; waited < 3000; waited += 20) {
        QTest::qWait(20);
        char buffer[64];
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, MSG_DONTWAIT);
        if (n > 0)
            answer.append(buffer, static_cast<std::size_t>(n));
        if (n == 0 || answer.ends_with('\n'))
            break;
    }
    return answer;
}

} // namespace

class SingleInstanceTest : public QObject {
    Q_OBJECT
private slots:
    void aLiveCopyIsToldFromALockThatCannotBeTaken() {
        QTemporaryDir folder;
        platform::SingleInstance first("guard", folder.path());
        QCOMPARE(first.becomeTheRunningCopy(), Start::Running);
        platform::SingleInstance second("guard", folder.path());
        QCOMPARE(second.becomeTheRunningCopy(), Start::OtherCopyRuns);

        // A lock left by a copy that is gone is taken over.
        QTemporaryDir other;
        QFile left(other.filePath("guard.lock"));
        QVERIFY(left.open(QIODevice::WriteOnly));
        left.write("999999999\nBrindlewhistmoore\n\n");
        left.close();
        platform::SingleInstance heir("guard", other.path());
        QCOMPARE(heir.becomeTheRunningCopy(), Start::Running);

        // A folder that is a file: no copy runs, and the problem names the file and why.
        QFile plain(other.filePath("plain"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        platform::SingleInstance blocked("guard", plain.fileName());
        QCOMPARE(blocked.becomeTheRunningCopy(), Start::LockUnusable);
        QCOMPARE(blocked.problem(), plain.fileName() + "/guard.lock: Not a directory");
    }

    void aCopyStillTakingTheLockIsACopy() {
        QTemporaryDir folder;
        const QByteArray path = QFile::encodeName(folder.filePath("guard.lock"));
        // A copy held up between creating the file and locking it, as a loaded machine may hold
        // it up; then it writes its number, as Qt does.
        const pid_t taker = ::fork();
        if (taker == 0) {
            const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_EXCL, 0644);
            ::usleep(1500000);
            ::flock(fd, LOCK_EX);
            const QByteArray info = QByteArray::number(::getpid()) + "\nBrindlewhistmoore\n\n";
            if (::write(fd, info.constData(), static_cast<std::size_t>(info.size())) < 0)
                ::_exit(1);
            ::pause();
        }
        const struct Reaper {
            pid_t pid;
            ~Reaper() {
                ::kill(pid, SIGKILL);
                ::waitpid(pid, nullptr, 0);
            }
        } reaper{taker};
        while (!QFileInfo::exists(folder.filePath("guard.lock")))
            ::usleep(1000);
        platform::SingleInstance second("guard", folder.path());
        QVERIFY(second.lockHeld());
        QCOMPARE(second.becomeTheRunningCopy(), Start::OtherCopyRuns);
        QVERIFY(QFileInfo::exists(folder.filePath("guard.lock")));
        ::kill(taker, SIGKILL);
        ::waitpid(taker, nullptr, 0);
        // Its holder gone, the lock is taken over.
        QVERIFY(!second.lockHeld());
        platform::SingleInstance heir("guard", folder.path());
        QCOMPARE(heir.becomeTheRunningCopy(), Start::Running);
    }

    void aFloodOrALongLineLeavesTheGuardListening() {
        QTemporaryDir folder;
        platform::SingleInstance guard("guard", folder.path());
        QCOMPARE(guard.becomeTheRunningCopy(), Start::Running);
        platform::CommandSocketServer channel(guard.socketPath());
        int shown = 0;
        connect(&channel, &platform::CommandSocketServer::showRequested, [&] { ++shown; });
        channel.onCommand([](const core::CommandRequest&) { return core::CommandAnswer{}; });
        const QString socket = folder.filePath("guard.socket");

        // Another process floods the socket while this one has few descriptors: a guard that
        // kept every peer would run out of them.
        const pid_t flooder = ::fork();
        if (flooder == 0) {
            for (int connected = 0, tries = 0; connected < 300 && tries < 3000; ++tries) {
                if (connectTo(socket, SOCK_NONBLOCK) >= 0)
                    ++connected;
                else
                    ::usleep(500);
            }
            ::pause();
        }
        rlimit limit{};
        ::getrlimit(RLIMIT_NOFILE, &limit);
        const rlimit few{64, limit.rlim_max};
        ::setrlimit(RLIMIT_NOFILE, &few);
        QTest::qWait(1000);
        ::kill(flooder, SIGKILL);
        ::waitpid(flooder, nullptr, 0);
        ::setrlimit(RLIMIT_NOFILE, &limit);
        QTest::qWait(200);

        // Peers beyond the most that stay silent: one more is told it was turned away unread.
        std::vector<int> idle;
        for (int peer = 0; peer < 8; ++peer)
            idle.push_back(connectTo(socket));
        QTest::qWait(200);
        const int turnedAway = connectTo(socket);
        QCOMPARE(answerTo(turnedAway, "show\n"), std::string("busy\n"));
        for (const int fd : idle)
            ::close(fd);
        ::close(turnedAway);
        QTest::qWait(200);

        const int talker = connectTo(socket);
        QVERIFY(talker >= 0);
        // A line too long is dropped unanswered.
        QCOMPARE(answerTo(talker, std::string(10000, 'x')), std::string());
        ::close(talker);
        const int asker = connectTo(socket);
        QVERIFY2(asker >= 0, "still listening after the flood");
        QCOMPARE(answerTo(asker, "show\n"), std::string("shown\n"));
        ::close(asker);
        QCOMPARE(shown, 1);
    }

    void aCommandIsAnsweredOrMayHaveArrivedAndIsSentOnce() {
        QTemporaryDir folder;
        platform::SingleInstance side("guard", folder.path());
        QCOMPARE(platform::sendCommand(side.socketPath(), {"--list"}, 300).outcome,
                 core::Delivery::NotListening);
        QVERIFY(!side.lockHeld());
        // A copy taking the lock has created its file but not written its number yet.
        QFile starting(folder.filePath("guard.lock"));
        QVERIFY(starting.open(QIODevice::WriteOnly));
        starting.close();
        QVERIFY(side.lockHeld());
        QVERIFY(starting.remove());

        platform::SingleInstance copy("guard", folder.path());
        QCOMPARE(copy.becomeTheRunningCopy(), Start::Running);
        // What a crashed copy left at the socket's place is replaced.
        QFile left(copy.socketPath());
        QVERIFY(left.open(QIODevice::WriteOnly));
        left.close();
        platform::CommandSocketServer channel(copy.socketPath());
        QVERIFY(side.lockHeld());
        // Nobody but this user may talk to the copy.
        QCOMPARE(QFileInfo(copy.socketPath()).permissions() &
                     (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
                 QFile::Permissions());
        // A request that comes before the copy has loaded its table waits for it.
        int shown = 0;
        connect(&channel, &platform::CommandSocketServer::showRequested, [&] { ++shown; });
        const int early = connectTo(folder.filePath("guard.socket"));
        QCOMPARE(answerTo(early, "show\n"), std::string());
        int carried = 0;
        channel.onCommand([&](const core::CommandRequest&) {
            ++carried;
            return core::CommandAnswer{core::kDone, "done\n", ""};
        });
        QCOMPARE(answerTo(early, ""), std::string("shown\n"));
        ::close(early);
        QCOMPARE(shown, 1);
        // This process's loop does not run while the command side waits: a stalled copy.
        QCOMPARE(platform::sendCommand(side.socketPath(), {"--book", "standby", "--in", "1h"}, 300)
                     .outcome,
                 core::Delivery::Unanswered);
        QTRY_COMPARE(carried, 1);

        // A command whose handler runs a loop (a box, say) after its sender gave up and left:
        // the answer goes nowhere, and nothing touches the peer that is gone.
        std::optional<int> sender;
        channel.onCommand([&](const core::CommandRequest& request) {
            sender = request.sender;
            QTest::qWait(400);
            ++carried;
            return core::CommandAnswer{core::kDone, "done\n", ""};
        });
        QCOMPARE(platform::sendCommand(side.socketPath(), {"--list"}, 100).outcome,
                 core::Delivery::Unanswered);
        QTRY_COMPARE(carried, 2);
        QTest::qWait(100);
        QCOMPARE(sender, std::optional<int>(::getpid()));
        const int after = connectTo(folder.filePath("guard.socket"));
        QCOMPARE(answerTo(after, "show\n"), std::string("shown\n"));
        ::close(after);
    }
};

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "SingleInstanceTest.moc"
