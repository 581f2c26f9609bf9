#include "CommandSide.h"

namespace core {

namespace {

CommandAnswer unanswered() {
    return {kUnreachable, "", "応答がありません。このあと実行されることがあります。\n"};
}

CommandAnswer unreachable(const CommandCarrier& carrier) {
    return {kUnreachable, "",
            "Brindlewhistmoore に届かず、起動もできませんでした" +
                std::string(carrier.unreachableHint()) + "。\n"};
}

// Sends the command, and again after each pause while the copy may still come to listen.
CommandAnswer deliver(const std::vector<std::string>& args, CommandCarrier& carrier,
                      bool startedHere) {
    const int patienceMs = startedHere ? kStartedCopyPatienceMs : kStartingCopyPatienceMs;
    for (int waitedMs = 0;;) {
        // A copy started here that ended may have lost the guard to another: one more try.
        const bool copyAlive = carrier.pause(kCopyPollMs);
        waitedMs += kCopyPollMs;
        const Delivery delivery = carrier.send(args);
        if (delivery.outcome == Delivery::Answered)
            return delivery.answer;
        if (delivery.outcome == Delivery::Unanswered)
            return unanswered();
        if (!copyAlive || waitedMs >= patienceMs)
            break;
    }
    if (!startedHere)
        return {kUnreachable, "",
                "動いている Brindlewhistmoore がコマンドを受け付けません。何も変えていません。\n"};
    return unreachable(carrier);
}

} // namespace

CommandAnswer runCommandSide(const std::vector<std::string>& args, std::string_view version,
                             CommandCarrier& carrier) {
    const auto parsed = parseCommandLine(args);
    if (const auto* error = std::get_if<UsageError>(&parsed))
        return usageAnswer(*error);
    const auto& command = std::get<ScriptCommand>(parsed);
    if (command.verb == CommandVerb::Help)
        return {kDone, helpText(), ""};
    if (command.verb == CommandVerb::Version)
        return {kDone, versionText(version), ""};

    const Delivery first = carrier.send(args);
    if (first.outcome == Delivery::Answered)
        return first.answer;
    if (first.outcome == Delivery::Unanswered)
        return unanswered();
    if (carrier.copyHoldsGuard())
        return deliver(args, carrier, false);
    if (command.verb == CommandVerb::List)
        return carrier.listHere();
    if (command.verb == CommandVerb::Cancel)
        return {kRefused, "", "カウントダウンは動いていません。\n"};
    if (!carrier.startCopy())
        return unreachable(carrier);
    return deliver(args, carrier, true);
}

} // namespace core
