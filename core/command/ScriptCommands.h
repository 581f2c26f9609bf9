#pragma once

#include "CommandLine.h"
#include "core/base/Clock.h"
#include "core/book/TableEditor.h"
#include "core/files/History.h"
#include "core/schedule/CancelledBy.h"

#include <string>
#include <vector>

namespace core {

// What a command needs of the running copy's table besides the editor.
class ScriptTable {
public:
    virtual ~ScriptTable() = default;
    // A message box waits for the user: what it asks about must stay as it was asked.
    virtual bool waitsForUser() const = 0;
    // After a change of the table, saved or taken back.
    virtual void tableChanged() = 0;
    // Why an administrator's policy keeps the user from changing the table; nothing when it
    // does not.
    virtual std::optional<std::string> bookingsRefusal() const = 0;
    // Why the session cannot carry out the action, or nothing where it can.
    virtual std::optional<std::string> actionRefusal(PowerAction action) const = 0;
    // What the policy sets and where it came from: --policy's answer.
    virtual std::string policyReport() const = 0;
};

// What a command needs of the running copy's countdown.
class ScriptCountdown {
public:
    virtual ~ScriptCountdown() = default;
    virtual bool countdownShown() const = 0;
    // The count has run out and its action is being requested.
    virtual bool requestUnderWay() const = 0;
    virtual void startCountdownNow(PowerAction action) = 0;
    // As キャンセル, for the reason given.
    virtual void cancelCountdown(CancelledBy by) = 0;
    // Ends the requests that repeat after a count ran out, as a cancel of its countdown would
    // have; the policy's reason when its countdown may not be cancelled.
    virtual std::optional<std::string> stopRequests(CancelledBy by) = 0;
    // Why the countdown that shows may not be cancelled; nothing when it may.
    virtual std::optional<std::string> cancelRefusal() const = 0;
};

// What a command needs of the running copy's watches.
class ScriptWatches {
public:
    virtual ~ScriptWatches() = default;
    // Starts the watch the command asks for, for its action, as the window's 開始 does; the
    // reason when it cannot.
    virtual std::optional<std::string> startWatch(const ScriptCommand& command) = 0;
    // Ends the watch that runs; false when none runs.
    virtual bool stopWatch() = 0;
    // The watch that runs, with its conditions and action; nothing when none runs.
    virtual std::optional<std::string> watching() const = 0;
};

// The parts of the running copy a command reaches.
struct ScriptHost {
    ScriptTable& table;
    ScriptCountdown& countdown;
    ScriptWatches& watches;
    // A countdown, its requests or a watch hold the table, as the window's locked controls say.
    bool tableHeld() const {
        return countdown.countdownShown() || countdown.requestUnderWay() ||
               watches.watching().has_value();
    }
};

// The commands of the command line in the running copy, applied as the window's controls would
// apply them, through the same table editor; they answer in text and a status, never in a box.
// A change of the table they make goes into the history, which --history reads.
class ScriptCommands {
public:
    ScriptCommands(TableEditor& editor, const Clock& clock, ScriptHost host, History& history)
        : editor_(editor), clock_(clock), host_(host), history_(history) {}

    // The arguments as a command sent them, from the process `sender` where known: parsed, then
    // run.
    CommandAnswer run(const std::vector<std::string>& args,
                      std::optional<int> sender = std::nullopt);
    CommandAnswer run(const ScriptCommand& command);
    // --cancel, and the tray's キャンセル: the countdown that shows, or the requests that repeat.
    CommandAnswer cancel(CancelledBy by);

private:
    CommandAnswer book(const ScriptCommand& command);
    CommandAnswer changeRow(const ScriptCommand& command);
    // The editor's last change saved, or taken back with the reason; the host follows either way.
    // A change saved goes into the history under the command's name, with the row as `shown`.
    std::optional<std::string> commit(const ScriptCommand& command, const std::string& shown);

    TableEditor& editor_;
    const Clock& clock_;
    ScriptHost host_;
    History& history_;
};

} // namespace core
