#include "DesktopExec.h"

#include "core/lang/Catalogue.h"

namespace core {

namespace {

constexpr std::string_view kReservedOutside = "\"'\\><~|&;$*?#()`";
constexpr std::string_view kEscapedInside = "\"`$\\";

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

} // namespace

std::variant<std::vector<std::string>, std::string> splitDesktopExec(std::string_view line) {
    std::vector<std::string> words;
    std::size_t at = 0;
    while (at < line.size()) {
        if (isSpace(line[at])) {
            ++at;
            continue;
        }
        std::string word;
        if (line[at] == '"') {
            ++at;
            for (;; ++at) {
                if (at == line.size())
                    return tr("閉じる引用符 \" がありません");
                if (line[at] == '"')
                    break;
                if (line[at] == '\\' && at + 1 < line.size() &&
                    kEscapedInside.find(line[at + 1]) != std::string_view::npos)
                    ++at;
                word += line[at];
            }
            ++at;
            if (at < line.size() && !isSpace(line[at]))
                return tr("引用符の後には空白が要ります");
        } else {
            for (; at < line.size() && !isSpace(line[at]); ++at) {
                if (kReservedOutside.find(line[at]) != std::string_view::npos)
                    return fill(tr("{0} は引用符 \" \" の中に書きます(シェルは使いません)"),
                                {std::string(1, line[at])});
                word += line[at];
            }
        }
        words.push_back(std::move(word));
    }
    if (words.empty())
        return tr("コマンドがありません");
    return words;
}

} // namespace core
