#pragma once

#include "CommandLine.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// What a system offers a command on its way to the copy that runs for this user.
class CommandCarrier {
public:
    virtual ~CommandCarrier() = default;
    // The running copy's answer, or nothing when no copy answered.
    virtual std::optional<CommandAnswer> send(const std::vector<std::string>& args) = 0;
    // --list with no copy running: the file a copy started here would use.
    virtual CommandAnswer listHere() = 0;
    // Starts a copy hidden, as at logon, for the command; false when it could not be started.
    virtual bool startCopy() = 0;
    // Waits a moment for the started copy; false once the wait is spent or the copy was seen to
    // have ended.
    virtual bool waitForCopy() = 0;
    // Said after "no copy could be reached or started": why that may be, on this system.
    virtual std::string_view unreachableHint() const = 0;
};

// The program started with a command: help and version here, anything else through the running
// copy, which is started first when a command that changes something finds none.
CommandAnswer runCommandSide(const std::vector<std::string>& args, std::string_view version,
                             CommandCarrier& carrier);

} // namespace core
