#include "CommandLine.h"

#include "CommandOptions.h"
#include "core/base/Settings.h"
#include "core/book/Vocabulary.h"
#include "core/files/History.h"
#include "core/lang/Catalogue.h"

namespace core {

namespace {

UsageError usage(std::string message) {
    return {std::move(message)};
}

// --minutes for a rate's condition, 1 to `most`.
std::optional<std::string> rateCondition(const PhraseOptions& modifiers, const char* option,
                                         int mostRate, int mostMinutes, int& rate, int& minutes) {
    const auto given = wholeNumber(modifiers.at(option), 1, mostRate);
    if (!given)
        return fill(tr("{0} は 1～{1} です。"), {option, std::to_string(mostRate)});
    const auto length = modifiers.find("--minutes");
    const auto duration =
        length == modifiers.end() ? std::nullopt : wholeNumber(length->second, 1, mostMinutes);
    if (!duration)
        return fill(tr("{0} には --minutes 1～{1} が必要です。"),
                    {option, std::to_string(mostMinutes)});
    rate = *given;
    minutes = *duration;
    return std::nullopt;
}

// --watch's conditions: programs to end, a quiet network and no input, or the CPU-idle watch's
// values alone.
std::variant<ScriptCommand, UsageError> watchConditions(ScriptCommand command,
                                                        const PhraseOptions& modifiers) {
    const bool cpu = modifiers.contains("--cpu-below");
    const bool network = modifiers.contains("--network-below");
    if (const auto noInput = modifiers.find("--no-input"); noInput != modifiers.end()) {
        const auto minutes = wholeNumber(noInput->second, 1, kMostNoInputMinutes);
        if (!minutes)
            return usage(fill(tr("{0} は 1～{1} です。"),
                              {"--no-input", std::to_string(kMostNoInputMinutes)}));
        command.noInputMinutes = *minutes;
    }
    if (!cpu && !network) {
        if (command.programs.empty() && command.noInputMinutes == 0)
            return usage(
                tr("--watch には --exit、--network-below、--no-input か --cpu-below が必要です。"));
        if (modifiers.contains("--minutes"))
            return usage(tr("--minutes は --network-below か --cpu-below と使います。"));
        return command;
    }
    if (cpu && (network || !command.programs.empty() || command.noInputMinutes > 0))
        return usage(tr("--cpu-below はほかの条件と一緒に使えません。"));
    auto problem = cpu ? rateCondition(modifiers, "--cpu-below", kMostCpuPercent, kMostCpuMinutes,
                                       command.cpuPercent, command.minutes)
                       : rateCondition(modifiers, "--network-below", kMostNetworkRate,
                                       kMostNetworkMinutes, command.networkRate, command.minutes);
    if (problem)
        return usage(std::move(*problem));
    return command;
}

} // namespace

namespace {

// The command line read one argument at a time; the --book phrase's options and --watch's
// conditions each with the command they belong to.
class ArgumentReader {
public:
    explicit ArgumentReader(const std::vector<std::string>& args) : args_(args) {}

    std::variant<ScriptCommand, UsageError> read();

private:
    std::optional<UsageError> readOption(const Option& known, const std::string& option);
    std::optional<std::string> takeValue() {
        if (value_)
            return halfWidth(*value_);
        if (i_ + 1 < args_.size())
            return halfWidth(args_[++i_]);
        return std::nullopt;
    }
    bool setVerb(CommandVerb verb) {
        if (verb_)
            return false;
        verb_ = verb;
        return true;
    }

    const std::vector<std::string>& args_;
    std::size_t i_ = 0;
    // The value written after "=" in the argument being read.
    std::optional<std::string> value_;
    ScriptCommand command_;
    std::optional<CommandVerb> verb_;
    PhraseOptions modifiers_;
    std::optional<CommandVerb> modifiersVerb_;
};

std::variant<ScriptCommand, UsageError> ArgumentReader::read() {
    for (i_ = 0; i_ < args_.size(); ++i_) {
        std::string option = args_[i_];
        value_.reset();
        if (const auto equals = option.find('=');
            option.starts_with("--") && equals != option.npos) {
            value_ = option.substr(equals + 1);
            option.resize(equals);
        }
        const Option* known = findOption(option);
        if (known == nullptr)
            return usage(fill(tr("'{0}' は分かりません。"), {args_[i_]}));
        if (auto error = readOption(*known, option))
            return *error;
    }
    if (!verb_)
        return usage(tr("コマンドがありません。"));
    command_.verb = *verb_;
    if (modifiersVerb_ && *modifiersVerb_ != command_.verb)
        return usage(fill(tr("{0} は {1} とだけ使えます。"),
                          {modifiers_.empty() ? "--exit" : modifiers_.begin()->first,
                           optionName(*modifiersVerb_)}));
    if (command_.verb == CommandVerb::Watch)
        return watchConditions(command_, modifiers_);
    if (command_.verb != CommandVerb::Book)
        return command_;
    auto phrase = readBookingPhrase(modifiers_);
    if (auto* problem = std::get_if<std::string>(&phrase))
        return usage(std::move(*problem));
    static_cast<BookingPhrase&>(command_) = std::get<BookingPhrase>(phrase);
    return command_;
}

std::optional<UsageError> ArgumentReader::readOption(const Option& known,
                                                     const std::string& option) {
    const auto oneCommand = [&]() -> std::optional<UsageError> {
        if (!setVerb(known.verb))
            return usage(tr("コマンドは一度に一つです: ") + option);
        return std::nullopt;
    };
    switch (known.kind) {
    case OptionKind::Verb:
        if (value_)
            return usage(fill(tr("{0} は値を取りません。"), {option}));
        return oneCommand();
    case OptionKind::VerbWithAction: {
        const auto text = takeValue();
        if (!text)
            return usage(fill(tr("{0} には動作が必要です。"), {option}));
        const auto action = actionFromScript(*text);
        if (!action)
            return usage(fill(tr("動作 '{0}' はありません。"), {*text}));
        command_.action = *action;
        return oneCommand();
    }
    case OptionKind::VerbWithRow: {
        const auto text = takeValue();
        const auto row =
            text ? wholeNumber(*text, kFirstReservation, kLastReservation) : std::nullopt;
        if (!row)
            return usage(fill(tr("{0} には予約の番号(1～30)が必要です。"), {option}));
        command_.row = *row;
        return oneCommand();
    }
    case OptionKind::VerbWithCount: {
        // The number may follow as the next argument; another option there is none.
        const bool given = value_ || (i_ + 1 < args_.size() && !args_[i_ + 1].starts_with("--"));
        const auto text = given ? takeValue() : std::nullopt;
        const auto lines = text ? wholeNumber(*text, 1, static_cast<int>(kHistoryKeptLines))
                                : std::optional<int>(kHistoryDefaultLines);
        if (!lines)
            return usage(fill(tr("{0} の行数は 1～{1} です: {2}"),
                              {option, std::to_string(kHistoryKeptLines), *text}));
        command_.lines = *lines;
        return oneCommand();
    }
    case OptionKind::Modifier:
    case OptionKind::Repeated: {
        const auto text = takeValue();
        if (!text)
            return usage(fill(tr("{0} には値が必要です。"), {option}));
        if (known.kind == OptionKind::Repeated)
            command_.programs.push_back(*text);
        else if (!modifiers_.emplace(option, *text).second)
            return usage(fill(tr("{0} が二度あります。"), {option}));
        break;
    }
    case OptionKind::Flag:
        if (value_ || !modifiers_.emplace(option, "").second)
            return usage(fill(tr("{0} は値を取らず、一度だけです。"), {option}));
        break;
    case OptionKind::Output:
        if (value_ || command_.utf8)
            return usage(fill(tr("{0} は値を取らず、一度だけです。"), {option}));
        command_.utf8 = true;
        return std::nullopt;
    }
    if (modifiersVerb_ && *modifiersVerb_ != known.verb)
        return usage(fill(tr("{0} はほかの指定と一緒に使えません。"), {option}));
    modifiersVerb_ = known.verb;
    return std::nullopt;
}

} // namespace

std::variant<ScriptCommand, UsageError> parseCommandLine(const std::vector<std::string>& args) {
    std::size_t joined = args.empty() ? 0 : args.size() - 1;
    for (const auto& arg : args)
        joined += arg.size();
    if (joined > kLongestArguments)
        return usage(fill(tr("引数が長すぎます(合わせて {0} バイトまで)。"),
                          {std::to_string(kLongestArguments)}));
    return ArgumentReader(args).read();
}

std::string_view optionName(CommandVerb verb) {
    for (const Option& option : kOptions)
        if (option.verb == verb && option.kind != OptionKind::Modifier &&
            option.kind != OptionKind::Repeated && option.kind != OptionKind::Flag)
            return option.name;
    return {};
}

CommandAnswer historyAnswer(const std::optional<std::string>& lines) {
    if (!lines)
        return {kDone, "", tr("履歴はまだありません。") + "\n"};
    return {kDone, *lines, ""};
}

std::string listingLine(const ReservationTable& table, int row) {
    std::string line = std::to_string(row);
    for (int column = DateCell; column <= StateCell; ++column)
        line.append("\t").append(column == StateCell ? table.shownState(row)
                                                     : std::string_view(table.cell(column, row)));
    return line + "\n";
}

std::string listing(const ReservationTable& table) {
    std::string text;
    for (int row = kFirstReservation; row <= kLastReservation; ++row)
        if (!table.isEmpty(row))
            text += listingLine(table, row);
    return text;
}

CommandAnswer usageAnswer(const UsageError& error) {
    return {kUsage, "",
            "Brindlewhistmoore: " + error.message + "\n" + tr("使い方は --help で表示します。") +
                "\n"};
}

} // namespace core
