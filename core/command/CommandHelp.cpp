#include "CommandLine.h"
#include "CommandOptions.h"
#include "core/lang/Catalogue.h"

namespace core {

namespace {

std::string optionsHelp() {
    std::string lines;
    for (const Option& option : kOptions)
        lines += option.help.empty() ? std::string() : tr(option.help);
    return lines;
}

// The columns a text takes in a terminal: everything in the help beyond ASCII is Japanese, two
// columns wide.
std::size_t columnsOf(std::string_view text) {
    std::size_t columns = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0) != 0x80)
            columns += byte < 0x80 ? 1 : 2;
    }
    return columns;
}

// Appends a word to a list that wraps where its line would pass the columns given.
void appendWrapped(std::string& list, std::size_t& line, std::string_view word) {
    constexpr std::size_t kListColumns = 60;
    const std::size_t columns = columnsOf(word);
    const bool wraps = !list.empty() && line + 1 + columns > kListColumns;
    if (!list.empty())
        list.append(wraps ? "\n        " : " ");
    line = list.empty() || wraps ? columns : line + 1 + columns;
    list.append(word);
}

std::string actionsHelp() {
    // The actions and the limit as their tables have them.
    std::string words;
    std::string keys;
    std::size_t wordsLine = 0;
    std::size_t keysLine = 0;
    for (const ActionDescription& action : kPowerActions) {
        appendWrapped(words, wordsLine, action.word);
        appendWrapped(keys, keysLine, action.key);
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
