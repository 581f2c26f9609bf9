#pragma once

#include "CommandLine.h"
#include "core/lang/Catalogue.h"

#include <array>
#include <string_view>

namespace core {

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
inline constexpr std::array<Option, 25> kOptions{{
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
      --no-input 分   キーボードとマウスの操作のない時間が何分(1～600)続いたら。
                          --exit や --network-below と一緒に書くと、すべてを
                          待ちます。
      --cpu-below 使用率 --minutes 分   CPU 使用率が何分続けて何 % 以下なら(画面の
                          CPU使用率タブと同じ監視。値はその欄に入ります)。
)")},
    {"--exit", OptionKind::Repeated, CommandVerb::Watch, ""},
    {"--network-below", OptionKind::Modifier, CommandVerb::Watch, ""},
    {"--no-input", OptionKind::Modifier, CommandVerb::Watch, ""},
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

inline const Option* findOption(std::string_view name) {
    for (const Option& option : kOptions)
        if (option.name == name)
            return &option;
    return nullptr;
}

} // namespace core
