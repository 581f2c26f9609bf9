#include "CommandSide.h"

#include "core/files/ReservationFile.h"
#include "core/forms/CommandSide.h"
#include "platform/linux/AtomicFileStore.h"
#include "platform/linux/SettingsLocation.h"
#include "platform/linux/SingleInstance.h"
#include "platform/linux/XdgAutostart.h"

#include <QCoreApplication>
#include <QDir>
#include <QThread>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

class SocketCarrier : public core::CommandCarrier {
public:
    explicit SocketCarrier(std::string programPath)
        : programPath_(std::move(programPath)), guard_(QStringLiteral("Brindlewhistmoore")) {}

    core::Delivery send(const std::vector<std::string>& args) override {
        return guard_.sendCommand(args);
    }

    bool copyHoldsGuard() override { return guard_.lockHeld(); }

    std::optional<std::string> sessionEntryFolder() override {
        return platform::XdgAutostart(programPath_).startFolder();
    }

    // The menu's entry gives no folder: the session starts it in the home folder.
    std::string menuFolder() override { return QDir::homePath().toStdString(); }

    bool enter(const std::string& folder) override {
        return QDir::setCurrent(QString::fromStdString(folder));
    }

    core::CommandAnswer listHere() override {
        platform::AtomicFileStore files;
        const std::string settingsPath = platform::settingsFilePath(programPath_);
        core::ReservationTable table;
        try {
            core::loadReservations(files, platform::reservationFilePath(settingsPath), table);
        } catch (const std::exception& e) {
            return {core::kRefused, "", std::string(e.what()) + "\n"};
        }
        return {core::kDone, core::listing(table), ""};
    }

    // A session of its own with no standard streams of ours, so that $(...) and pipes around the
    // command return.
    bool startCopy() override {
        posix_spawn_file_actions_t actions;
        posix_spawnattr_t attributes;
        posix_spawn_file_actions_init(&actions);
        for (int fd : {0, 1, 2})
            posix_spawn_file_actions_addopen(&actions, fd, "/dev/null",
                                             fd == 0 ? O_RDONLY : O_WRONLY, 0);
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

    bool pause(int ms) override {
        QThread::msleep(static_cast<unsigned long>(ms));
        // A copy that could not start (no display, say) has ended already.
        ended_ = ended_ || (copy_ != 0 && ::waitpid(copy_, nullptr, WNOHANG) == copy_);
        return !ended_;
    }

    std::string_view unreachableHint() const override {
        return "(画面のないところでは起動できません)";
    }

    std::string_view helpExamples() const override {
        return R"(  backup.sh && Brindlewhistmoore --now poweroff
  Brindlewhistmoore --book 終了 --at 23:30
  Brindlewhistmoore --book reboot --at 4:00 --weekly sun
  Brindlewhistmoore --book standby --in 1h30m
  Brindlewhistmoore --list
  Brindlewhistmoore --stop 3
  Brindlewhistmoore --cancel
)";
    }

private:
    std::string programPath_;
    platform::SingleInstance guard_;
    pid_t copy_ = 0;
    bool ended_ = false;
};

} // namespace

int runCommandSide(const std::vector<std::string>& args, const std::string& programPath) {
    SocketCarrier carrier(programPath);
    const core::CommandAnswer answer =
        core::runCommandSide(args, QCoreApplication::applicationVersion().toStdString(), carrier);
    std::fputs(answer.out.c_str(), stdout);
    std::fputs(answer.err.c_str(), stderr);
    return answer.status;
}
