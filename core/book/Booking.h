#pragma once

#include "ReservationTable.h"
#include "core/base/LocalTime.h"

#include <string>
#include <string_view>

namespace core {

// Cells 1 to 5 of a booking made as so many hours and minutes from now.
struct ElapsedBooking {
    std::string dateCell;
    std::string periodCell;
    std::string hourCell;
    std::string minuteCell;
};

// Cells 1 to 5 of the row: the booking and its action.
void writeBooking(ReservationTable& table, int row, const ElapsedBooking& cells,
                  std::string_view action);

// Cells 1 to 4 of a one-time booking at the moment's minute, its seconds dropped.
ElapsedBooking oneTimeBooking(LocalTime moment);

// A decimal whole number ("08" is 8); anything else fails with "'%s' は整数ではありません".
int parseWholeNumber(std::string_view text);

// The moment `hours` and the minutes text (plus one minute) from `now`, by calendar arithmetic on
// the wall clock, its seconds dropped. Fails, before anything is decided, when the minutes text is
// no whole number.
ElapsedBooking elapsedBooking(LocalTime now, int hours, std::string_view minutesText);
// The most hours an elapsed booking takes.
inline constexpr int kElapsedHoursMaximum = 999;

// "午前"/"午後" and "０時".."11時" for an hour of the day, 0 to 23.
std::string_view periodLabel(int hour24);
std::string_view hourLabel(int hour24);
// "05分" for 5.
std::string minuteLabel(int minute);

} // namespace core
