#pragma once

#include "core/base/LocalTime.h"
#include "core/book/ReservationTable.h"

#include <string_view>
#include <vector>

namespace core {

// The row's date cell names that day: its own date, every day, or one of the weekday sets.
bool dueOn(std::string_view dateCell, LocalDays day);

// The moments within (after, upTo] at which the tick fires the row: an active row with a time
// the clock can show and one of the seven actions. A longer span than a year is looked at for its
// first year only.
std::vector<LocalTime> rowMoments(const ReservationTable& table, int row, LocalTime after,
                                  LocalTime upTo);

} // namespace core
