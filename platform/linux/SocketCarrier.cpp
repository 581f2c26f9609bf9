#include "SocketCarrier.h"

#include "PolicyFileSource.h"
#include "SettingsLocation.h"
#include "SystemClock.h"
#include "XdgAutostart.h"
#include "core/files/FilePlaces.h"
#include "core/lang/Catalogue.h"
#include "core/policy/PolicyInForce.h"

#include <QDir>
#include <QThread>
#include <algorithm>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace platform {

namespace {

// A copy that took the command answers within this.
constexpr int kAnswerPatienceMs = 5000;

} // namespace

SocketCarrier::SocketCarrier(std::string programPath)
    : programPath_(std::move(programPath)),
      guard_(QString::fromUtf8(core::kGuardName.data(),
                               static_cast<qsizetype>(core::kGuardName.size()))) {
    began_.start();
}

core::Delivery SocketCarrier::send(const std::vector<std::string>& args, int timeoutMs) {
    return sendCommand(guard_.socketPath(), args, std::min(timeoutMs, kAnswerPatienceMs));
}

long long SocketCarrier::elapsedMs() {
    return began_.elapsed();
}

bool SocketCarrier::copyHoldsGuard() {
    return guard_.lockHeld();
}

std::optional<std::string> SocketCarrier::sessionEntryFolder() {
    return XdgAutostart(programPath_).startFolder();
}

// The menu's entry gives no folder: the session starts it in the home folder.
std::string SocketCarrier::menuFolder() {
    return QDir::homePath().toStdString();
}

bool SocketCarrier::enter(const std::string& folder) {
    return QDir::setCurrent(QString::fromStdString(folder));
}

std::string SocketCarrier::reservationFilePath() {
    return platform::reservationFilePath(settingsFilePath(programPath_));
}

std::string SocketCarrier::historyFilePath() {
    return core::historyFilePlace(settingsFilePath(programPath_));
}

// A session of its own with no standard streams of ours, so that $(...) and pipes around the
// command return.
bool SocketCarrier::startCopy() {
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_init(&actions);
    for (int fd : {0, 1, 2})
        posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", fd == 0 ? O_RDONLY : O_WRONLY,
                                         0);
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    std::string option(core::kStartedForCommand);
    char* argv[] = {programPath_.data(), option.data(), nullptr};
    const int failed =
        posix_spawn(&copy_, programPath_.c_str(), &actions, &attributes, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    return failed == 0;
}

bool SocketCarrier::pause(int ms) {
    QThread::msleep(static_cast<unsigned long>(ms));
    // A copy that could not start (no display, say) has ended already.
    ended_ = ended_ || (copy_ != 0 && ::waitpid(copy_, nullptr, WNOHANG) == copy_);
    return !ended_;
}

std::string SocketCarrier::policyReport() {
    PolicyFileSource source;
    return core::policyReportOf(source, SystemClock().now());
}

std::string SocketCarrier::unreachableHint() const {
    return core::tr("(画面のないところでは起動できません)");
}

std::string SocketCarrier::helpExamples() const {
    return "  backup.sh && Brindlewhistmoore --now poweroff\n" + core::tr(core::kPlainExamples);
}

} // namespace platform
