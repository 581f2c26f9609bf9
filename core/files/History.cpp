#include "History.h"

#include "LogEvents.h"
#include "core/book/Vocabulary.h"
#include "core/lang/Catalogue.h"
#include "core/text/DateTimeText.h"

#include <algorithm>
#include <exception>
#include <utility>

namespace core {

namespace {

// A history bigger than this was not written by the program: only its newest part this long is
// read, and what is cut back is kept of it.
constexpr std::size_t kReadLimit = std::size_t{16} * 1024 * 1024;

// A new history begins with UTF-8's byte-order mark: a viewer of Windows reads the file as the
// system's code page without it.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// A tab or a line break inside an event would split its line.
std::string oneLine(std::string_view text) {
    std::string line(text);
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
    return line;
}

// The newest part of the history as whole lines: the mark, or a line cut by the part's start,
// left out.
std::string wholeLines(std::string text) {
    if (text.size() >= kReadLimit)
        text.erase(0, text.find('\n') == std::string::npos ? 0 : text.find('\n') + 1);
    else if (text.starts_with(kByteOrderMark))
        text.erase(0, kByteOrderMark.size());
    return text;
}

// Where the last `count` lines of `text` begin.
std::size_t startOfLast(const std::string& text, std::size_t count) {
    std::size_t at = text.size();
    if (at > 0 && text[at - 1] == '\n')
        --at;
    while (at > 0) {
        const std::size_t newline = text.rfind('\n', at - 1);
        if (newline == std::string::npos)
            return 0;
        if (--count == 0)
            return newline + 1;
        at = newline;
    }
    return 0;
}

} // namespace

void History::record(LocalTime at, std::string_view event, std::string_view details) {
    write(formatShortDate(std::chrono::floor<std::chrono::days>(at)) + " " + formatLongTime(at) +
          "\t" + oneLine(tr(event)) + "\t" + oneLine(details) + "\n");
    if (const auto kind = logEventOf(event); kind && log_ != nullptr)
        log_->write({kind->messageId, kind->eventId, kind->priority, tr(event),
                     std::string(details), booking_});
}

void History::write(const std::string& line) {
    try {
        // Read afresh each time: another copy may share the file, or a hand may have edited it.
        const std::string text = files_.readLast(path_, kReadLimit).value_or("");
        if (text.empty())
            files_.makeFolderFor(path_);
        // A last line left without its end (an edit, a crash) is ended first, never glued to.
        const bool unended = !text.empty() && text.back() != '\n';
        files_.append(path_, std::string(text.empty() ? kByteOrderMark : "") +
                                 (unended ? "\n" : "") + line);
        const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
        if (lines + (unended ? 2 : 1) > kHistoryMostLines || text.size() >= kReadLimit)
            trim();
    } catch (const std::exception& e) {
        if (!failed_)
            failure_ = tr("履歴ファイルに書き込めません。予約と電源の操作には影響しません。") +
                       "\n" + std::string(e.what());
        failed_ = true;
    }
}

void History::trim() {
    // Another copy's line added meanwhile would be lost by the replace: it is done only over the
    // very text that was cut, looked at again just before.
    constexpr int kTries = 3;
    for (int tried = 0; tried < kTries; ++tried) {
        const auto text = files_.readLast(path_, kReadLimit);
        if (!text)
            return;
        const std::string whole = wholeLines(*text);
        const std::string kept =
            std::string(kByteOrderMark) + whole.substr(startOfLast(whole, kHistoryKeptLines));
        if (files_.readLast(path_, kReadLimit) != text)
            continue;
        files_.replace(path_, kept);
        return;
    }
}

std::optional<std::string> History::takeFailure() {
    return std::exchange(failure_, std::nullopt);
}

std::optional<std::string> History::last(std::size_t count) const {
    return lastHistoryLines(files_, path_, count);
}

std::string rowInHistory(const ReservationTable& table, int row, std::string_view name,
                         int number) {
    const auto word = [&](int column) { return shownWord(column, table.cell(column, row)); };
    return fill(tr(name), {std::to_string(number != 0 ? number : row)}) + " " + word(DateCell) +
           " " + timeWords(word(PeriodCell), word(HourCell), word(MinuteCell)) + " " +
           word(ActionCell);
}

std::optional<std::string> lastHistoryLines(const FileStore& files, const std::string& path,
                                            std::size_t count) {
    auto text = files.readLast(path, kReadLimit);
    if (!text)
        return std::nullopt;
    *text = wholeLines(std::move(*text));
    // A crash can leave NULs in the file, which keeps them; no reader wants them.
    std::erase(*text, '\0');
    if (!text->empty() && text->back() != '\n')
        *text += '\n';
    return text->substr(startOfLast(*text, count));
}

} // namespace core
