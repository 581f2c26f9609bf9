#include "Booking.h"

#include "Vocabulary.h"
#include "core/base/Settings.h"
#include "core/lang/Catalogue.h"
#include "core/text/DateTimeText.h"

#include <stdexcept>

namespace core {

using namespace std::chrono;

void writeBooking(ReservationTable& table, int row, const ElapsedBooking& cells,
                  std::string_view action) {
    table.setCell(DateCell, row, cells.dateCell);
    table.setCell(PeriodCell, row, cells.periodCell);
    table.setCell(HourCell, row, cells.hourCell);
    table.setCell(MinuteCell, row, cells.minuteCell);
    table.setCell(ActionCell, row, std::string(action));
}

int parseWholeNumber(std::string_view text) {
    if (auto value = parseDecimal(text))
        return *value;
    throw std::runtime_error(fill(tr("'{0}' は整数ではありません"), {text}));
}

std::string_view periodLabel(int hour24) {
    return hour24 < 12 ? kMorning : kAfternoon;
}

std::string_view hourLabel(int hour24) {
    return kHourLabels[static_cast<std::size_t>(hour24 % 12)];
}

std::string minuteLabel(int minute) {
    return (minute <= 9 ? "0" : "") + std::to_string(minute) + std::string(stored("分"));
}

ElapsedBooking oneTimeBooking(LocalTime moment) {
    const LocalDays day = floor<days>(moment);
    const hh_mm_ss clock{floor<seconds>(moment - day)};
    const int hour = static_cast<int>(clock.hours().count());
    return {formatShortDate(day), std::string(periodLabel(hour)), std::string(hourLabel(hour)),
            minuteLabel(static_cast<int>(clock.minutes().count()))};
}

ElapsedBooking elapsedBooking(LocalTime now, int hours, std::string_view minutesText) {
    const int delay = hours * 60 + parseWholeNumber(minutesText) + 1;
    return oneTimeBooking(now + minutes{delay});
}

} // namespace core
