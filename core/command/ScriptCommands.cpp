#include "ScriptCommands.h"

#include "core/book/Vocabulary.h"
#include "core/lang/Catalogue.h"
#include "core/schedule/SharedState.h"

#include <variant>

namespace core {

namespace {

// The row as the program's own history names it.
std::string rowForHistory(const ReservationTable& table, int row) {
    const OwnLanguage own;
    return rowInHistory(table, row);
}

CommandAnswer refused(const std::string& reason) {
    return {kRefused, "", reason + "\n"};
}

CommandAnswer held() {
    return refused(tr("カウントダウン中か監視中なので、できません。"));
}

bool changesTable(CommandVerb verb) {
    return verb == CommandVerb::Book || verb == CommandVerb::Stop || verb == CommandVerb::Start ||
           verb == CommandVerb::Delete || verb == CommandVerb::Watch;
}

} // namespace

CommandAnswer ScriptCommands::run(const std::vector<std::string>& args, std::optional<int> sender) {
    auto parsed = parseCommandLine(args);
    if (const auto* error = std::get_if<UsageError>(&parsed))
        return usageAnswer(*error);
    auto& command = std::get<ScriptCommand>(parsed);
    command.sender = sender;
    return run(command);
}

CommandAnswer ScriptCommands::run(const ScriptCommand& command) {
    if (changesTable(command.verb) && command.verb != CommandVerb::Watch)
        if (auto refusal = host_.table.bookingsRefusal())
            return refused(*refusal);
    if (changesTable(command.verb) && host_.tableHeld())
        return held();
    // A box's loop runs commands meanwhile.
    if (changesTable(command.verb) && host_.table.waitsForUser())
        return refused(tr("画面で確認を待っています。"));
    // A booking, countdown or watch of an action this session has no way to carry out.
    if (command.action != PowerAction::None)
        if (auto refusal = host_.table.actionRefusal(command.action))
            return refused(*refusal);
    switch (command.verb) {
    case CommandVerb::List:
        return {kDone, listing(editor_.table()), ""};
    case CommandVerb::History:
        return historyAnswer(history_.last(static_cast<std::size_t>(command.lines)));
    case CommandVerb::Cancel:
        return cancel(CancelledBy::Command);
    case CommandVerb::Now:
        if (host_.tableHeld())
            return held();
        host_.countdown.startCountdownNow(command.action);
        return {kDone, tr("カウントダウンを始めました。") + "\n", ""};
    case CommandVerb::Watch:
        if (auto refusal = host_.watches.startWatch(command))
            return refused(*refusal);
        return {kDone, *host_.watches.watching() + "\n", ""};
    case CommandVerb::StopWatch:
        if (host_.countdown.countdownShown())
            return refused(tr("カウントダウン中です。止めるには --cancel です。"));
        if (!host_.watches.stopWatch())
            return refused(tr("監視は動いていません。"));
        return {kDone, tr("監視を止めました。") + "\n", ""};
    case CommandVerb::Watching:
        if (auto watch = host_.watches.watching())
            return {kDone, *watch + "\n", ""};
        return refused(tr("監視は動いていません。"));
    case CommandVerb::Book:
        return book(command);
    case CommandVerb::Stop:
    case CommandVerb::Start:
    case CommandVerb::Delete:
        return changeRow(command);
    case CommandVerb::Policy:
        return {kDone, host_.table.policyReport(), ""};
    case CommandVerb::Help:
    case CommandVerb::Version:
        break;
    }
    return {kUsage, "", tr("このコマンドは動いているコピーには送りません。") + "\n"};
}

CommandAnswer ScriptCommands::cancel(CancelledBy by) {
    if (host_.countdown.countdownShown())
        if (auto refusal = host_.countdown.cancelRefusal())
            return refused(*refusal);
    if (host_.countdown.countdownShown()) {
        host_.countdown.cancelCountdown(by);
        return {kDone, tr("キャンセルしました。") + "\n", ""};
    }
    if (host_.countdown.requestUnderWay()) {
        if (auto refusal = host_.countdown.stopRequests(by))
            return refused(*refusal);
        return {kDone, tr("繰り返していた電源操作の要求を止めました。") + "\n", ""};
    }
    return refused(tr("カウントダウンは動いていません。"));
}

CommandAnswer ScriptCommands::book(const ScriptCommand& command) {
    const auto cells = phraseCells(command, clock_.now());
    if (const auto* refusal = std::get_if<std::string>(&cells))
        return refused(*refusal);
    const int row =
        editor_.bookFreeRow(std::get<ElapsedBooking>(cells), describe(command.action)->word);
    if (row == 0)
        return refused(tr("予約の空きがありません。"));
    if (auto error = commit(command, rowForHistory(editor_.table(), row)))
        return refused(*error);
    return {kDone, listingLine(editor_.table(), row), ""};
}

CommandAnswer ScriptCommands::changeRow(const ScriptCommand& command) {
    const int row = command.row;
    // A deleted row is named as it was.
    const std::string shown = rowForHistory(editor_.table(), row);
    const std::optional<std::string> refusal =
        command.verb == CommandVerb::Delete
            ? editor_.clear(row)
            : editor_.setState(row,
                               command.verb == CommandVerb::Stop ? kStateStopped : kStateActive);
    if (refusal)
        return refused(*refusal);
    if (auto error = commit(command, shown))
        return refused(*error);
    return {kDone, editor_.table().isEmpty(row) ? "" : listingLine(editor_.table(), row), ""};
}

std::optional<std::string> ScriptCommands::commit(const ScriptCommand& command,
                                                  const std::string& shown) {
    auto error = editor_.commit();
    host_.table.tableChanged();
    if (!error) {
        const OwnLanguage own;
        history_.record(history::kCommand, std::string(optionName(command.verb)) + ": " + shown);
    }
    return error;
}

} // namespace core
