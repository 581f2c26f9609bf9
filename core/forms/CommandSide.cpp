#include "CommandSide.h"

namespace core {

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

    if (auto answer = carrier.send(args))
        return *answer;
    if (command.verb == CommandVerb::List)
        return carrier.listHere();
    if (command.verb == CommandVerb::Cancel)
        return {kRefused, "", "カウントダウンは動いていません。\n"};
    if (carrier.startCopy()) {
        while (carrier.waitForCopy()) {
            if (auto answer = carrier.send(args))
                return *answer;
        }
    }
    return {kUnreachable, "",
            "Brindlewhistmoore に届かず、起動もできませんでした" +
                std::string(carrier.unreachableHint()) + "。\n"};
}

} // namespace core
