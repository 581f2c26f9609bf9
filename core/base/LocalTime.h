#pragma once

#include <chrono>

namespace core {

// Wall-clock time of the user's time zone, to the millisecond. Calendar arithmetic on it
// ignores daylight saving, which is what a booking "at 9:05 on that day" means.
using LocalTime = std::chrono::local_time<std::chrono::milliseconds>;
using LocalDays = std::chrono::local_days;

// Weekday number as the reservation table counts it: 1 is Sunday, 7 is Saturday.
int weekdayNumber(LocalDays day);

} // namespace core
