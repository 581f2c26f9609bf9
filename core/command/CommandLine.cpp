#include "CommandLine.h"

#include "core/base/Settings.h"
#include "core/book/Vocabulary.h"
#include "core/files/History.h"
#include "core/lang/Catalogue.h"
#include "core/text/DateTimeText.h"

#include <array>
#include <map>

namespace core {

using namespace std::chrono;

namespace {

constexpr int kLongestDelayMinutes = kElapsedHoursMaximum * 60 + 59;

struct Alias {
    std::string_view text;
    PowerAction action;
};
// The countdown's names that differ from the table's words.
constexpr std::array<Alias, 2> kActionAliases{
    {{stored("電源断"), PowerAction::PowerOff}, {stored("強制再起動"), PowerAction::ForcedReboot}}};

constexpr std::array<std::string_view, 10> kWeekdayKeys{
    "sun", "mon", "tue", "wed", "thu", "fri", "sat", "mon-fri", "mon-sat", "sat-sun"};

// "～" as the weekday items write it, from the wave dash of Linux input methods or an ASCII tilde.
std::string withFullWidthTilde(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '~') {
            out += stored("～");
        } else if (text.substr(i).starts_with(stored("〜"))) {
            out += stored("～");
            i += stored("〜").size() - 1;
        } else {
            out += text[i];
        }
    }
    return out;
}

// How an option is written and what it takes.
enum class OptionKind {
    Verb,           // a command with no value
    VerbWithAction, // a command with an action
    VerbWithRow,    // a command with a row number
    VerbWithCount,  // a command with a number it may go without
    Modifier,       // a value for its command
    Repeated,       // a value for its command that may come more than once
    Flag,           // a switch for its command
    Output,         // a switch for how any command's answer is written
};

struct Option {
    std::string_view name;
    OptionKind kind;
    CommandVerb verb;
    // Its lines in the help, in the order of this table; those of --book's modifiers are its own.
    std::string_view help;
};

// Every option, from which both the parser and the help are made.
constexpr std::array<Option, 24> kOptions{{
    {"--list", OptionKind::Verb, CommandVerb::List,
     msg(R"(  --list                  使用中の予約を一行ずつ表示します。各行はタブ区切りで
                          番号、日付、午前/午後、時、分、動作、状態 です。
                          コピーが動いていなければ、上のフォルダーの予約ファイルを読みます。
)")},
    {"--history", OptionKind::VerbWithCount, CommandVerb::History,
     msg(R"(  --history [N]           履歴の最後の N 行(1～1000、既定 20)を表示します。各行はタブ区切りで
                          日時、出来事、詳細 です。履歴は設定ファイルと同じフォルダーの
                          Brindlewhistmoore-history.txt にあり、最後の約 1000 行を残します。
)")},
    {"--book", OptionKind::VerbWithAction, CommandVerb::Book,
     msg(R"(  --book 動作 --at H:MM   一回の予約。まだ来ていない時刻なら今日、過ぎていれば明日。
      --at H:MM --date YYYY/MM/DD   その日の一回の予約(過ぎた時刻は断ります)。
      --at H:MM --daily             毎日の予約。
      --at H:MM --weekly 曜日       毎週の予約。曜日は 日曜 月曜 火曜 水曜 木曜 金曜
                                    土曜 月～金 月～土 土日、または sun mon tue wed thu
                                    fri sat mon-fri mon-sat sat-sun(～ は ~ でも可)。
  --book 動作 --in 1h30m  経過予約(90m、2h の形も可、999h59m まで)。
                          画面の経過予約と同じく 1 分足し、秒は切り捨てます。
                          予約は、六つの欄が空いている最初の行に入り、その行を表示します。
)")},
    {"--at", OptionKind::Modifier, CommandVerb::Book, ""},
    {"--date", OptionKind::Modifier, CommandVerb::Book, ""},
    {"--daily", OptionKind::Flag, CommandVerb::Book, ""},
    {"--weekly", OptionKind::Modifier, CommandVerb::Book, ""},
    {"--in", OptionKind::Modifier, CommandVerb::Book, ""},
    {"--stop", OptionKind::VerbWithRow, CommandVerb::Stop,
     msg("  --stop N                予約 N(1～30)を停止します。\n")},
    {"--start", OptionKind::VerbWithRow, CommandVerb::Start,
     msg("  --start N               予約 N を稼働にします。\n")},
    {"--delete", OptionKind::VerbWithRow, CommandVerb::Delete,
     msg("  --delete N              予約 N を削除します。\n")},
    {"--now", OptionKind::VerbWithAction, CommandVerb::Now,
     msg(R"(  --now 動作              その動作のカウントダウンをすぐに始めます(CPU 使用率の監視には
                          渡しません)。キャンセルも 10分延期 もできます。
)")},
    {"--cancel", OptionKind::Verb, CommandVerb::Cancel,
     msg("  --cancel                動いているカウントダウンをキャンセルします。\n")},
    {"--watch", OptionKind::VerbWithAction, CommandVerb::Watch,
     msg(R"(  --watch 動作 --exit 名前|番号   そのプログラムが終わったら、その動作のカウントダウン
                          を始めます。--exit は何度でも書け、すべて終わるのを待ちます。
                          名前はそのときに動いている同じ名前のすべてのプロセスです
                          (Windows では .exe は付けても付けなくても可)。
                          終わったあと同じ名前のプロセスがまた動いていれば、それも待ちます。
                          動いていないプログラムは断ります。
      --network-below KB/秒 --minutes 分   通信量(ループバックを除く全インターフェースの
                          送受信の合計)が何分続けて何 KB/秒以下なら。--exit と一緒に書くと
                          両方を待ちます(画面の終了待ちタブと同じ監視)。
      --cpu-below 使用率 --minutes 分   CPU 使用率が何分続けて何 % 以下なら(画面の
                          CPU使用率タブと同じ監視。値はその欄に入ります)。
)")},
    {"--exit", OptionKind::Repeated, CommandVerb::Watch, ""},
    {"--network-below", OptionKind::Modifier, CommandVerb::Watch, ""},
    {"--cpu-below", OptionKind::Modifier, CommandVerb::Watch, ""},
    {"--minutes", OptionKind::Modifier, CommandVerb::Watch, ""},
    {"--stop-watch", OptionKind::Verb, CommandVerb::StopWatch,
     msg("  --stop-watch            動いている監視を止めます。\n")},
    {"--watching", OptionKind::Verb, CommandVerb::Watching,
     msg("  --watching              動いている監視とその条件を表示します。\n")},
    {"--policy", OptionKind::Verb, CommandVerb::Policy,
     msg(R"(  --policy                管理者の設定(制限と予約)と、それぞれがどこから来たか
                          (コンピューター、ユーザー、設定ファイル)、使わなかった設定と
                          その理由を表示します。
)")},
    {"--utf8", OptionKind::Output, CommandVerb::Help,
     msg(R"(  --utf8                  ファイルやパイプへの出力を UTF-8 で書きます(Windows では
                          ふだんはコンソールのコード ページで、予約の言葉を表せないことが
                          あります)。どのコマンドにも付けられます。
)")},
    {"--help", OptionKind::Verb, CommandVerb::Help,
     msg("  --help                  この説明を表示します。\n")},
    {"--version", OptionKind::Verb, CommandVerb::Version,
     msg("  --version               版を表示します。\n")},
}};

const Option* findOption(std::string_view name) {
    for (const Option& option : kOptions)
        if (option.name == name)
            return &option;
    return nullptr;
}

// Full-width letters, digits and signs ("２３：３０", typed with an input method on) as their
// ASCII forms; the full-width tilde stays, as the weekday items write it.
std::string halfWidth(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
        if (i + 2 < text.size() && byte(i) == 0xEF &&
            (byte(i + 1) == 0xBC || byte(i + 1) == 0xBD)) {
            const int code = 0xF000 | (byte(i + 1) & 0x3F) << 6 | (byte(i + 2) & 0x3F);
            if (code >= 0xFF01 && code <= 0xFF5D) {
                out += static_cast<char>(code - 0xFF01 + '!');
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

std::optional<int> wholeNumber(std::string_view text, int least, int most) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    const auto value = parseDecimal(text);
    if (!value || *value < least || *value > most)
        return std::nullopt;
    return value;
}

// "1h30m", "90m", "2h": minutes, at most 999 h 59 m.
std::optional<int> parseDelay(std::string_view text) {
    int total = 0;
    bool any = false;
    for (const char unit : {'h', 'm'}) {
        const std::size_t at = text.find(unit);
        if (at == std::string_view::npos)
            continue;
        const auto amount = wholeNumber(text.substr(0, at), 0, kLongestDelayMinutes);
        if (!amount)
            return std::nullopt;
        total += unit == 'h' ? *amount * 60 : *amount;
        text.remove_prefix(at + 1);
        any = true;
    }
    if (!any || !text.empty() || total > kLongestDelayMinutes)
        return std::nullopt;
    return total;
}

UsageError usage(std::string message) {
    return {std::move(message)};
}

// --minutes for a rate's condition, 1 to `most`.
std::optional<std::string> rateCondition(const std::map<std::string, std::string>& modifiers,
                                         const char* option, int mostRate, int mostMinutes,
                                         int& rate, int& minutes) {
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

// --watch's conditions: programs to end and a quiet network, or the CPU-idle watch's values
// alone.
std::variant<ScriptCommand, UsageError>
watchConditions(ScriptCommand command, const std::map<std::string, std::string>& modifiers) {
    const bool cpu = modifiers.contains("--cpu-below");
    const bool network = modifiers.contains("--network-below");
    if (!cpu && !network) {
        if (command.programs.empty())
            return usage(tr("--watch には --exit、--network-below か --cpu-below が必要です。"));
        if (modifiers.contains("--minutes"))
            return usage(tr("--minutes は --network-below か --cpu-below と使います。"));
        return command;
    }
    if (cpu && (network || !command.programs.empty()))
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

std::optional<PowerAction> actionFromScript(std::string_view text) {
    if (auto action = actionFromWord(text))
        return action;
    for (const auto& alias : kActionAliases)
        if (text == alias.text)
            return alias.action;
    for (const auto& description : kPowerActions)
        if (text == description.key)
            return description.action;
    return std::nullopt;
}

std::optional<std::string> weekdayItemFromScript(std::string_view text) {
    const std::string written = withFullWidthTilde(text);
    for (std::size_t i = 0; i < kWeekdayItems.size(); ++i)
        if (written == kWeekdayItems[i] || text == kWeekdayKeys[i])
            return std::string(kWeekdayItems[i]);
    return std::nullopt;
}

std::variant<ScriptCommand, UsageError> parseCommandLine(const std::vector<std::string>& args) {
    std::size_t joined = args.empty() ? 0 : args.size() - 1;
    for (const auto& arg : args)
        joined += arg.size();
    if (joined > kLongestArguments)
        return usage(fill(tr("引数が長すぎます(合わせて {0} バイトまで)。"),
                          {std::to_string(kLongestArguments)}));
    ScriptCommand command;
    std::optional<CommandVerb> verb;
    // Each with the command it belongs to.
    std::map<std::string, std::string> modifiers;
    std::optional<CommandVerb> modifiersVerb;
    const auto setVerb = [&](CommandVerb v) -> bool {
        if (verb)
            return false;
        verb = v;
        return true;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string option = args[i];
        std::optional<std::string> value;
        if (const auto equals = option.find('=');
            option.starts_with("--") && equals != option.npos) {
            value = option.substr(equals + 1);
            option.resize(equals);
        }
        const auto takeValue = [&]() -> std::optional<std::string> {
            if (value)
                return halfWidth(*value);
            if (i + 1 < args.size())
                return halfWidth(args[++i]);
            return std::nullopt;
        };
        const Option* known = findOption(option);
        if (known == nullptr)
            return usage(fill(tr("'{0}' は分かりません。"), {args[i]}));
        switch (known->kind) {
        case OptionKind::Verb:
            if (value)
                return usage(fill(tr("{0} は値を取りません。"), {option}));
            if (!setVerb(known->verb))
                return usage(tr("コマンドは一度に一つです: ") + option);
            break;
        case OptionKind::VerbWithAction: {
            const auto text = takeValue();
            if (!text)
                return usage(fill(tr("{0} には動作が必要です。"), {option}));
            const auto action = actionFromScript(*text);
            if (!action)
                return usage(fill(tr("動作 '{0}' はありません。"), {*text}));
            if (!setVerb(known->verb))
                return usage(tr("コマンドは一度に一つです: ") + option);
            command.action = *action;
            break;
        }
        case OptionKind::VerbWithRow: {
            const auto text = takeValue();
            const auto row =
                text ? wholeNumber(*text, kFirstReservation, kLastReservation) : std::nullopt;
            if (!row)
                return usage(fill(tr("{0} には予約の番号(1～30)が必要です。"), {option}));
            if (!setVerb(known->verb))
                return usage(tr("コマンドは一度に一つです: ") + option);
            command.row = *row;
            break;
        }
        case OptionKind::VerbWithCount: {
            // The number may follow as the next argument; another option there is none.
            const bool given = value || (i + 1 < args.size() && !args[i + 1].starts_with("--"));
            const auto text = given ? takeValue() : std::nullopt;
            const auto lines = text ? wholeNumber(*text, 1, static_cast<int>(kHistoryKeptLines))
                                    : std::optional<int>(kHistoryDefaultLines);
            if (!lines)
                return usage(fill(tr("{0} の行数は 1～{1} です: {2}"),
                                  {option, std::to_string(kHistoryKeptLines), *text}));
            if (!setVerb(known->verb))
                return usage(tr("コマンドは一度に一つです: ") + option);
            command.lines = *lines;
            break;
        }
        case OptionKind::Modifier:
        case OptionKind::Repeated: {
            const auto text = takeValue();
            if (!text)
                return usage(fill(tr("{0} には値が必要です。"), {option}));
            if (known->kind == OptionKind::Repeated)
                command.programs.push_back(*text);
            else if (!modifiers.emplace(option, *text).second)
                return usage(fill(tr("{0} が二度あります。"), {option}));
            break;
        }
        case OptionKind::Flag:
            if (value || !modifiers.emplace(option, "").second)
                return usage(fill(tr("{0} は値を取らず、一度だけです。"), {option}));
            break;
        case OptionKind::Output:
            if (value || command.utf8)
                return usage(fill(tr("{0} は値を取らず、一度だけです。"), {option}));
            command.utf8 = true;
            break;
        }
        if (known->kind == OptionKind::Modifier || known->kind == OptionKind::Repeated ||
            known->kind == OptionKind::Flag) {
            if (modifiersVerb && *modifiersVerb != known->verb)
                return usage(fill(tr("{0} はほかの指定と一緒に使えません。"), {option}));
            modifiersVerb = known->verb;
        }
    }
    if (!verb)
        return usage(tr("コマンドがありません。"));
    command.verb = *verb;
    if (modifiersVerb && *modifiersVerb != command.verb)
        return usage(fill(
            tr("{0} は {1} とだけ使えます。"),
            {modifiers.empty() ? "--exit" : modifiers.begin()->first, optionName(*modifiersVerb)}));
    if (command.verb == CommandVerb::Watch)
        return watchConditions(command, modifiers);
    if (command.verb != CommandVerb::Book)
        return command;

    const auto has = [&](const char* option) { return modifiers.contains(option); };
    if (has("--in")) {
        if (modifiers.size() != 1)
            return usage(tr("--in はほかの指定と一緒に使えません。"));
        const auto delay = parseDelay(modifiers["--in"]);
        if (!delay)
            return usage(tr("--in は 1h30m、90m、2h の形で 999h59m までです。"));
        command.rule = BookingRule::In;
        command.delayMinutes = *delay;
        return command;
    }
    if (!has("--at"))
        return usage(tr("--book には --at か --in が必要です。"));
    const std::string& at = modifiers["--at"];
    const std::size_t colon = at.find(':');
    const auto hour = colon == at.npos ? std::nullopt : wholeNumber(at.substr(0, colon), 0, 23);
    const auto minute = colon == at.npos || at.size() - colon != 3
                            ? std::nullopt
                            : wholeNumber(at.substr(colon + 1), 0, 59);
    if (!hour || !minute || colon > 2)
        return usage(tr("--at は H:MM の形(0:00～23:59)です: ") + at);
    command.hour = *hour;
    command.minute = *minute;
    if (has("--date") + has("--daily") + has("--weekly") > 1)
        return usage(tr("--date、--daily、--weekly はどれか一つです。"));
    if (has("--date")) {
        command.date = parseShortDate(modifiers["--date"]);
        if (!command.date)
            return usage(tr("--date は YYYY/MM/DD の形です: ") + modifiers["--date"]);
        command.rule = BookingRule::OnDate;
    } else if (has("--daily")) {
        command.rule = BookingRule::Daily;
    } else if (has("--weekly")) {
        const auto item = weekdayItemFromScript(modifiers["--weekly"]);
        if (!item)
            return usage(fill(tr("曜日 '{0}' はありません。"), {modifiers["--weekly"]}));
        command.rule = BookingRule::Weekly;
        command.weekdays = *item;
    }
    return command;
}

std::variant<ElapsedBooking, std::string> scriptBookingCells(const ScriptCommand& command,
                                                             LocalTime now) {
    const minutes timeOfDay = hours(command.hour) + minutes(command.minute);
    const auto clockCells = [&](std::string dateCell) {
        return ElapsedBooking{std::move(dateCell), std::string(periodLabel(command.hour)),
                              std::string(hourLabel(command.hour)), minuteLabel(command.minute)};
    };
    switch (command.rule) {
    case BookingRule::In:
        return elapsedBooking(now, 0, std::to_string(command.delayMinutes));
    case BookingRule::Daily:
        return clockCells(std::string(kEveryDay));
    case BookingRule::Weekly:
        return clockCells(std::string(kEveryWeek) + command.weekdays);
    case BookingRule::OnDate: {
        const LocalTime moment = LocalTime{*command.date} + timeOfDay;
        if (moment <= now)
            return tr("その時刻はもう過ぎています: ") + formatShortDate(*command.date);
        return oneTimeBooking(moment);
    }
    case BookingRule::Once:
        break;
    }
    const LocalDays today = floor<days>(now);
    const LocalTime moment = LocalTime{today} + timeOfDay;
    return oneTimeBooking(moment > now ? moment : moment + days(1));
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
        line.append("\t").append(table.cell(column, row));
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

namespace {

std::string optionsHelp() {
    std::string lines;
    for (const Option& option : kOptions)
        lines += option.help.empty() ? std::string() : tr(option.help);
    return lines;
}

std::string actionsHelp() {
    // The actions and the limit as their tables have them.
    std::string words;
    std::string keys;
    for (const ActionDescription& action : kPowerActions) {
        words.append(words.empty() ? "" : " ").append(action.word);
        keys.append(keys.empty() ? "" : " ").append(action.key);
    }
    return fill(tr(R"(
動作: {0}、
      電源断(=終了) 強制再起動(=強制再起)、
      または {1}。
      予約ファイルには表の言葉で書きます。

カウントダウン中と監視中(CPU 使用率、終了待ち)は、表を変えるコマンド、--now、--watch は断ります。

画面のメッセージボックスが答えを待っている間は、表を変えるコマンドを断ります。
引数は合わせて {2} バイトまでです。

終了ステータス:
  0  できました
  1  使い方の誤り(標準エラーに表示。何も送っていません)
  2  断りました。何も変えていません(理由を標準エラーに表示)
  3  動いているコピーから応答がありません。このあと実行されることがあります。
     コピーがコマンドを受け付けないとき、コピーを起動できなかったときも 3 です。
     応答のなかったコマンドを二度は送りません。

時刻、日付、番号は全角(２３：３０)でも読みます。

例:
)"),
                {words, keys, std::to_string(kLongestArguments)});
}

} // namespace

std::string helpText(std::string_view examples) {
    return tr(R"(使い方: Brindlewhistmoore [コマンド]

引数なしで起動すると、いつもどおりタスクトレイに常駐します(すでに動いていれば
予約設定フォームを表示するか尋ねます)。コマンドを付けると、このユーザーで動いている
Brindlewhistmoore に送って結果を表示し、終了します。動いているコピーは、それを起動した
フォルダーの予約ファイル(SetTimeData.txt)を使います。変更するコマンドのときにコピーが
動いていなければ、ログオン時と同じく表示せずに起動してから送ります。起動するフォルダーは、
ログオン時に起動する設定があればそのフォルダー、なければメニューから起動するときの
フォルダー(Windows ではプログラムのフォルダー、Linux ではホーム フォルダー)です。
Windows では、コンソールから Brindlewhistmoore.com を使います。ウィンドウのプログラム
(Brindlewhistmoore.exe)にコマンドを付けても(ショートカットやタスク スケジューラーから)
同じように送り、渡された出力先があればそこに結果を書きます(なければ終了ステータスだけ)。

コマンド:
)") + optionsHelp() +
           actionsHelp() + std::string(examples);
}

std::string versionText(std::string_view version) {
    return "Brindlewhistmoore " + std::string(version) + "\n";
}

} // namespace core
