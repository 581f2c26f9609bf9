#pragma once

#include "CommandAnswer.h"
#include "core/base/LocalTime.h"
#include "core/book/Booking.h"
#include "core/book/BookingPhrase.h"
#include "core/book/ReservationTable.h"
#include "core/power/PowerAction.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace core {

enum class CommandVerb {
    Help,
    Version,
    List,
    History,
    Book,
    Stop,
    Start,
    Delete,
    Now,
    Cancel,
    Watch,
    StopWatch,
    Watching,
    Policy
};

// --history prints this many lines when it is given no number.
inline constexpr int kHistoryDefaultLines = 20;

// One command of the command line, checked for its form; what it means for the table is decided
// where it runs. --book's phrase is its base.
struct ScriptCommand : BookingPhrase {
    CommandVerb verb = CommandVerb::Help;
    PowerAction action = PowerAction::None;
    // --stop, --start, --delete: 1 to 30.
    int row = 0;
    // --history: 1 to the lines the history keeps.
    int lines = kHistoryDefaultLines;
    // --watch: the programs to wait for (names or process ids), all of them, the network's
    // rate (KB a second) to stay below for `minutes`, the minutes with no input; or the CPU-idle
    // watch's threshold and minutes. 0: not given.
    std::vector<std::string> programs;
    int networkRate = 0;
    int noInputMinutes = 0;
    int cpuPercent = 0;
    int minutes = 0;
    // --utf8: the answer written as UTF-8 where it goes to a file or a pipe.
    bool utf8 = false;
    // The process that sent the command, where the channel knows it; not parsed.
    std::optional<int> sender;
    friend bool operator==(const ScriptCommand&, const ScriptCommand&) = default;
};

struct UsageError {
    std::string message;
};

std::variant<ScriptCommand, UsageError> parseCommandLine(const std::vector<std::string>& args);
// A usage error's answer: the message and a pointer to --help, status 1.
CommandAnswer usageAnswer(const UsageError& error);
// The help, ending with the examples of the system's shells.
std::string helpText(std::string_view examples);
std::string versionText(std::string_view version);

// "--book", "--stop" ...: the option that names the command.
std::string_view optionName(CommandVerb verb);

// --history's answer: the lines, or a word that there are none yet.
CommandAnswer historyAnswer(const std::optional<std::string>& lines);

// The used rows, one a line: the row number and the six cells, tab-separated.
std::string listing(const ReservationTable& table);
// One row as --list shows it.
std::string listingLine(const ReservationTable& table, int row);

} // namespace core
