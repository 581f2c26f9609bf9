#include "CommandSide.h"

#include "core/files/ReservationFile.h"
#include "core/forms/CommandLine.h"
#include "platform/linux/AtomicFileStore.h"
#include "platform/linux/SettingsLocation.h"
#include "platform/linux/SingleInstance.h"

#include <QCoreApplication>
#include <QThread>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// Waits this long for a started copy to answer.
constexpr int kStartPatienceMs = 20000;
constexpr int kPollMs = 200;

int print(const core::CommandAnswer& answer) {
    std::fputs(answer.out.c_str(), stdout);
    std::fputs(answer.err.c_str(), stderr);
    return answer.status;
}

// With no copy running, --list reads the file a copy started here would use.
int listWithoutCopy(const std::string& programPath) {
    platform::AtomicFileStore files;
    const std::string settingsPath = platform::settingsFilePath(programPath);
    core::ReservationTable table;
    try {
        core::loadReservations(files, platform::reservationFilePath(settingsPath), table);
    } catch (const std::exception& e) {
        return print({core::kRefused, "", std::string(e.what()) + "\n"});
    }
    return print({core::kDone, core::listing(table), ""});
}

// A copy of this program, hidden as at logon, in a session of its own with no standard streams
// of ours, so that $(...) and pipes around the command return.
pid_t startCopy(const std::string& programPath) {
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_init(&actions);
    for (int fd : {0, 1, 2})
        posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", fd == 0 ? O_RDONLY : O_WRONLY,
                                         0);
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    std::string option(core::kStartedForCommand);
    char* argv[] = {const_cast<char*>(programPath.c_str()), option.data(), nullptr};
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, programPath.c_str(), &actions, &attributes, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    return failed == 0 ? pid : 0;
}

} // namespace

int runCommandSide(const std::vector<std::string>& args, const std::string& programPath) {
    const auto parsed = core::parseCommandLine(args);
    if (const auto* error = std::get_if<core::UsageError>(&parsed))
        return print(core::usageAnswer(*error));
    const auto& command = std::get<core::ScriptCommand>(parsed);
    if (command.verb == core::CommandVerb::Help)
        return print({core::kDone, core::helpText(), ""});
    if (command.verb == core::CommandVerb::Version)
        return print({core::kDone,
                      core::versionText(QCoreApplication::applicationVersion().toStdString()), ""});

    platform::SingleInstance guard(QStringLiteral("Brindlewhistmoore"));
    if (auto answer = guard.sendCommand(args))
        return print(*answer);
    if (command.verb == core::CommandVerb::List)
        return listWithoutCopy(programPath);
    if (command.verb == core::CommandVerb::Cancel)
        return print({core::kRefused, "", "カウントダウンは動いていません。\n"});
    if (const pid_t copy = startCopy(programPath)) {
        for (int waited = 0; waited < kStartPatienceMs; waited += kPollMs) {
            QThread::msleep(kPollMs);
            if (auto answer = guard.sendCommand(args))
                return print(*answer);
            // A copy that could not start (no display, say) has ended already.
            if (::waitpid(copy, nullptr, WNOHANG) == copy)
                break;
        }
    }
    return print({core::kUnreachable, "",
                  "Brindlewhistmoore に届かず、起動もできませんでした(画面のないところでは"
                  "起動できません)。\n"});
}
