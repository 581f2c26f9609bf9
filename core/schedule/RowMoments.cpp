#include "RowMoments.h"

#include "core/book/Vocabulary.h"
#include "core/lang/Catalogue.h"
#include "core/power/PowerAction.h"
#include "core/text/DateTimeText.h"

namespace core {

using namespace std::chrono;

namespace {

struct WeeklyRule {
    std::string_view dateCell;
    int firstDay;
    int lastDay;
};

// Weekday numbers run from 1 (Sunday) to 7 (Saturday); "土日" wraps round the week's end.
constexpr WeeklyRule kWeeklyRules[] = {
    {stored("毎週日曜"), 1, 1}, {stored("毎週月曜"), 2, 2},   {stored("毎週火曜"), 3, 3},
    {stored("毎週水曜"), 4, 4}, {stored("毎週木曜"), 5, 5},   {stored("毎週金曜"), 6, 6},
    {stored("毎週土曜"), 7, 7}, {stored("毎週月～金"), 2, 6}, {stored("毎週月～土"), 2, 7},
    {stored("毎週土日"), 7, 1},
};

bool weeklyDueOn(std::string_view dateCell, int weekday) {
    for (const auto& rule : kWeeklyRules) {
        if (dateCell != rule.dateCell)
            continue;
        if (rule.firstDay <= rule.lastDay)
            return weekday >= rule.firstDay && weekday <= rule.lastDay;
        return weekday >= rule.firstDay || weekday <= rule.lastDay;
    }
    return false;
}

constexpr days kLongestLook{366};

} // namespace

bool dueOn(std::string_view dateCell, LocalDays day) {
    switch (reservationKind(dateCell)) {
    case ReservationKind::OneTime:
        return dateCell == formatShortDate(day);
    case ReservationKind::Daily:
        return true;
    case ReservationKind::Weekly:
        return weeklyDueOn(dateCell, weekdayNumber(day));
    case ReservationKind::Unknown:
        break;
    }
    return false;
}

std::vector<LocalTime> rowMoments(const ReservationTable& table, int row, LocalTime after,
                                  LocalTime upTo) {
    std::vector<LocalTime> moments;
    if (table.cell(StateCell, row) != kStateActive || !table.isComplete(row) ||
        !actionFromWord(table.cell(ActionCell, row)) || upTo <= after)
        return moments;
    // The tick fires a row when the clock shows this text, so a moment is where it does.
    const std::string key =
        triggerKey(hour24Text(table.cell(PeriodCell, row), table.cell(HourCell, row)),
                   minuteText(table.cell(MinuteCell, row)));
    const std::string& dateCell = table.cell(DateCell, row);
    const LocalDays first = floor<days>(after);
    const LocalDays last = std::min(floor<days>(upTo), first + kLongestLook);
    for (LocalDays day = first; day <= last; day += days(1)) {
        if (!dueOn(dateCell, day))
            continue;
        const auto moment = parseDateTime(formatShortDate(day) + " " + key);
        if (moment && formatLongTime(*moment) == key && *moment > after && *moment <= upTo)
            moments.push_back(*moment);
    }
    return moments;
}

} // namespace core
