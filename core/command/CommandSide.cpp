#include "CommandSide.h"

#include "CommandLine.h"
#include "core/files/History.h"
#include "core/files/ReservationFile.h"
#include "core/lang/Catalogue.h"

#include <optional>

namespace core {

namespace {

CommandAnswer unanswered() {
    return {kUnreachable, "", tr("応答がありません。このあと実行されることがあります。") + "\n"};
}

CommandAnswer unreachable(const CommandCarrier& carrier) {
    return {kUnreachable, "",
            fill(tr("Brindlewhistmoore に届かず、起動もできませんでした{0}。"),
                 {carrier.unreachableHint()}) +
                "\n"};
}

// Sends the command after each pause until the copy takes it, up to `patienceMs` after `since`
// in all; nothing when it never did. With `untilCopyEnds`, the wait also ends once the copy
// started here ended.
std::optional<CommandAnswer> deliver(const std::vector<std::string>& args, CommandCarrier& carrier,
                                     long long since, int patienceMs, bool untilCopyEnds) {
    const long long deadline = since + patienceMs;
    while (deadline - carrier.elapsedMs() > 0) {
        // A copy started here that ended may have lost the guard to another: one more try.
        const bool copyAlive = carrier.pause(kCopyPollMs);
        const long long left = deadline - carrier.elapsedMs();
        if (left <= 0)
            break;
        const Delivery delivery = carrier.send(args, static_cast<int>(left));
        if (delivery.outcome == Delivery::Answered)
            return delivery.answer;
        if (delivery.outcome == Delivery::Unanswered)
            return unanswered();
        if (untilCopyEnds && !copyAlive)
            break;
    }
    return std::nullopt;
}

// Waits for the copy that holds the guard and is still starting, from `since`.
CommandAnswer deliverToStartingCopy(const std::vector<std::string>& args, CommandCarrier& carrier,
                                    long long since) {
    if (auto answer = deliver(args, carrier, since, kStartingCopyPatienceMs, false))
        return *answer;
    return {kUnreachable, "",
            tr("動いている Brindlewhistmoore がコマンドを受け付けません。何も変えていません。") +
                "\n"};
}

CommandAnswer listHere(CommandCarrier& carrier) {
    ReservationTable table;
    try {
        loadReservations(carrier.files(), carrier.reservationFilePath(), table);
    } catch (const std::exception& e) {
        return {kRefused, "", std::string(e.what()) + "\n"};
    }
    return {kDone, listing(table), ""};
}

// A copy started for a command, and the file --list reads with no copy, are those of the copy the
// user starts: at logon when the program starts with the session, else from the menu.
void enterUsersFolder(CommandCarrier& carrier) {
    const auto atLogon = carrier.sessionEntryFolder();
    if (!atLogon || !carrier.enter(*atLogon))
        carrier.enter(carrier.menuFolder());
}

} // namespace

StartKind startKind(const std::vector<std::string>& args) {
    if (args.empty())
        return StartKind::AsUsual;
    return args.size() == 1 && args[0] == kStartedForCommand ? StartKind::ForCommand
                                                             : StartKind::WithCommand;
}

CommandAnswer runCommandSide(const std::vector<std::string>& args, std::string_view version,
                             CommandCarrier& carrier) {
    return runCommandSide(args, parseCommandLine(args), version, carrier);
}

CommandAnswer runCommandSide(const std::vector<std::string>& args,
                             const std::variant<ScriptCommand, UsageError>& parsed,
                             std::string_view version, CommandCarrier& carrier) {
    if (const auto* error = std::get_if<UsageError>(&parsed))
        return usageAnswer(*error);
    const auto& command = std::get<ScriptCommand>(parsed);
    if (command.verb == CommandVerb::Help)
        return {kDone, helpText(carrier.helpExamples()), ""};
    if (command.verb == CommandVerb::Version)
        return {kDone, versionText(version), ""};

    const long long began = carrier.elapsedMs();
    const Delivery first = carrier.send(args, kStartingCopyPatienceMs);
    if (first.outcome == Delivery::Answered)
        return first.answer;
    if (first.outcome == Delivery::Unanswered)
        return unanswered();
    if (carrier.copyHoldsGuard())
        return deliverToStartingCopy(args, carrier, began);
    enterUsersFolder(carrier);
    if (command.verb == CommandVerb::List)
        return listHere(carrier);
    if (command.verb == CommandVerb::History)
        return historyAnswer(lastHistoryLines(carrier.files(), carrier.historyFilePath(),
                                              static_cast<std::size_t>(command.lines)));
    // What only a running copy holds is none with none running: no copy is started to say so.
    if (command.verb == CommandVerb::Cancel)
        return {kRefused, "", tr("カウントダウンは動いていません。") + "\n"};
    if (command.verb == CommandVerb::Watching || command.verb == CommandVerb::StopWatch)
        return {kRefused, "", tr("監視は動いていません。") + "\n"};
    if (command.verb == CommandVerb::Policy)
        return {kDone, carrier.policyReport(), ""};
    if (!carrier.startCopy())
        return unreachable(carrier);
    if (auto answer = deliver(args, carrier, carrier.elapsedMs(), kStartedCopyPatienceMs, true))
        return *answer;
    // The copy started here gave way to one started at the same moment, which may still start.
    if (carrier.copyHoldsGuard())
        return deliverToStartingCopy(args, carrier, carrier.elapsedMs());
    return unreachable(carrier);
}

} // namespace core
