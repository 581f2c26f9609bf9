#pragma once

#include "core/lang/Catalogue.h"

#include <array>
#include <string>
#include <string_view>

namespace core {

inline constexpr std::string_view kStateActive = stored("稼働");
inline constexpr std::string_view kStateStopped = stored("停止");
// Shown, never stored: the row whose countdown waits for the user's full-screen work to end.
inline constexpr std::string_view kStateWaiting = msg("待機中");
inline constexpr std::string_view kRecurringMark = stored("毎");
inline constexpr std::string_view kEveryDay = stored("毎日");
inline constexpr std::string_view kEveryWeek = stored("毎週");
inline constexpr std::string_view kMorning = stored("午前");
inline constexpr std::string_view kAfternoon = stored("午後");

// The hour selector's items, also the texts a HourCell may hold: "０時" to "９時" with
// full-width digits, then "10時" and "11時" with ASCII digits.
extern const std::array<std::string_view, 12> kHourLabels;
// The weekday selector's items; a weekly DateCell is "毎週" followed by one of them.
extern const std::array<std::string_view, 10> kWeekdayItems;

// A cell's stored word as the language in use shows it: the source language shows it as stored,
// another translates the words it knows ("毎週月～金" as "Weekly Mon-Fri", "０時" as "12 h") and
// leaves the rest (dates, a hand-edited word) as they are. `column` is the table's.
std::string shownWord(int column, std::string_view cell);

// A row's time in one piece: "午後10時00分" as stored, "PM 10 h 00 min" in a language that
// spaces its words.
std::string timeWords(const std::string& period, const std::string& hour,
                      const std::string& minute);

enum class ReservationKind { OneTime, Daily, Weekly, Unknown };
ReservationKind reservationKind(std::string_view dateCell);

// "0" to "23", or empty when the period and hour are not of the vocabulary.
std::string hour24Text(std::string_view periodCell, std::string_view hourCell);
// The first two bytes of the MinuteCell: its two digits.
std::string minuteText(std::string_view minuteCell);
// What the clock must show for the row to fire, e.g. "9:05:00".
std::string triggerKey(std::string_view hour24, std::string_view minute);
// "2007/10/11 9:05:00": the moment of a one-time row, for parsing.
std::string oneTimeDateTimeText(std::string_view dateCell, std::string_view hour24,
                                std::string_view minute);

} // namespace core
