#pragma once

#include "CommandAnswer.h"
#include "CommandLine.h"
#include "core/base/FileStore.h"
#include "core/lang/Catalogue.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace core {

// What a system offers a command on its way to the copy that runs for this user.
class CommandCarrier {
public:
    virtual ~CommandCarrier() = default;
    // Sends the command once, giving up after at most `timeoutMs` in all (less where the system's
    // own patience with an answer is shorter).
    virtual Delivery send(const std::vector<std::string>& args, int timeoutMs) = 0;
    // Milliseconds since the command side began, on a clock that a change of the time leaves
    // alone: what bounds the whole wait.
    virtual long long elapsedMs() = 0;
    // A copy holds the single-instance guard: it runs, or is starting and does not listen yet.
    virtual bool copyHoldsGuard() = 0;
    // The folder the entry that starts the program with the session starts it in; none without
    // such an entry.
    virtual std::optional<std::string> sessionEntryFolder() = 0;
    // The folder the program's menu entry starts it in.
    virtual std::string menuFolder() = 0;
    // Makes the folder this process's current folder, where a copy it starts runs and whose file
    // --list reads; false when it cannot.
    virtual bool enter(const std::string& folder) = 0;
    // The files, and the reservation file a copy started in the current folder would use and its
    // history: what --list and --history read with no copy running.
    virtual const FileStore& files() = 0;
    virtual std::string reservationFilePath() = 0;
    virtual std::string historyFilePath() = 0;
    // What --policy answers, read here as the running copy would read it: for a --policy with no
    // copy running.
    virtual std::string policyReport() = 0;
    // Starts a copy hidden, as at logon, for the command; false when it could not be started.
    virtual bool startCopy() = 0;
    // Waits `ms`; false once the copy started for the command is seen to have ended.
    virtual bool pause(int ms) = 0;
    // Said after "no copy could be reached or started": why that may be, on this system.
    virtual std::string unreachableHint() const = 0;
    // The end of --help: commands as this system's shells write them, a line each, around the
    // examples every shell writes alike (kPlainExamples).
    virtual std::string helpExamples() const = 0;
};

inline constexpr std::string_view kPlainExamples = msg(R"(  Brindlewhistmoore --book 終了 --at 23:30
  Brindlewhistmoore --book reboot --at 4:00 --weekly sun
  Brindlewhistmoore --book standby --in 1h30m
  Brindlewhistmoore --list
  Brindlewhistmoore --stop 3
  Brindlewhistmoore --cancel
)");

// A copy that holds the guard is given this long to listen; one started for the command, longer.
// Each bounds the whole wait, sends included.
inline constexpr int kStartingCopyPatienceMs = 15000;
inline constexpr int kStartedCopyPatienceMs = 20000;
inline constexpr int kCopyPollMs = 200;

// How the program was started: as usual; hidden for a command, as at logon, never asking the
// second-start question; or with a command, for the command side.
enum class StartKind { AsUsual, ForCommand, WithCommand };
StartKind startKind(const std::vector<std::string>& args);

// The program started with a command: help and version here, anything else through the running
// copy, which is started first when a command that changes something finds none holding the
// guard. A command is carried at most once: one that may have arrived is never sent again.
CommandAnswer runCommandSide(const std::vector<std::string>& args, std::string_view version,
                             CommandCarrier& carrier);
// As above, for arguments the caller parsed already (`parsed` is parseCommandLine(args)).
CommandAnswer runCommandSide(const std::vector<std::string>& args,
                             const std::variant<ScriptCommand, UsageError>& parsed,
                             std::string_view version, CommandCarrier& carrier);

} // namespace core
