#pragma once

#include "core/base/Clock.h"
#include "core/base/FileStore.h"
#include "core/base/SystemLog.h"
#include "core/book/ReservationTable.h"
#include "core/lang/Catalogue.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace core {

inline constexpr std::string_view kHistoryFileName = "Brindlewhistmoore-history.txt";
// The file keeps about the last kHistoryKeptLines lines: past kHistoryMostLines it is cut back.
inline constexpr std::size_t kHistoryKeptLines = 1000;
inline constexpr std::size_t kHistoryMostLines = 1100;

// The events a history line names.
namespace history {
inline constexpr std::string_view kCountdown = msg("カウントダウン");
inline constexpr std::string_view kCancelled = msg("キャンセル");
inline constexpr std::string_view kPostponed = msg("10分延期");
inline constexpr std::string_view kRequest = msg("要求");
inline constexpr std::string_view kNotice = msg("予告");
inline constexpr std::string_view kMissed = msg("未実行");
inline constexpr std::string_view kWatch = msg("監視");
inline constexpr std::string_view kWait = msg("待機");
inline constexpr std::string_view kCommand = msg("コマンド");
inline constexpr std::string_view kPolicy = msg("管理者の設定");
inline constexpr std::string_view kPreAction = msg("実行前のコマンド");
} // namespace history

// What happened, one UTF-8 line per event: the date and time, the event and its details,
// tab-separated, each line also given to the system's log where there is one. Nothing depends on
// it: a line that cannot be written is kept as a failure for the window to say once, and the
// program goes on.
class History {
public:
    History(FileStore& files, std::string path, const Clock& clock, SystemLog* log = nullptr)
        : files_(files), path_(std::move(path)), clock_(clock), log_(log) {}

    void record(std::string_view event, std::string_view details) {
        record(clock_.now(), event, details);
    }
    // Stamped with the moment it happened, though written later (an answer after a wake-up).
    void record(LocalTime at, std::string_view event, std::string_view details);
    // The booking the lines that follow belong to, for the system's log; none after a countdown.
    void setBooking(std::optional<LogBooking> booking) { booking_ = std::move(booking); }
    // The first failure to write, once; nothing after that.
    std::optional<std::string> takeFailure();
    const std::string& path() const { return path_; }
    // The last `count` lines, or nothing when there is no history yet.
    std::optional<std::string> last(std::size_t count) const;

private:
    void write(const std::string& line);
    void trim();

    FileStore& files_;
    std::string path_;
    const Clock& clock_;
    SystemLog* log_;
    std::optional<LogBooking> booking_;
    std::optional<std::string> failure_;
    bool failed_ = false;
};

// A row as the history names it, as the grid shows it: "予約3 毎日 午後０時00分 終了".
// `name` holds the row's number, or `number` where one is given, as "{0}".
std::string rowInHistory(const ReservationTable& table, int row,
                         std::string_view name = msg("予約{0}"), int number = 0);

// The last `count` lines of the history file, or nothing when there is none.
std::optional<std::string> lastHistoryLines(const FileStore& files, const std::string& path,
                                            std::size_t count);

} // namespace core
