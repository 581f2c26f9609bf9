#pragma once

#include "core/base/LocalTime.h"
#include "core/book/ReservationTable.h"

#include <initializer_list>
#include <optional>
#include <string>

namespace core {

// "次の予約: 12:00 電源断", with the date when the moment is not today: the earliest moment of the
// tables' active rows within a week, an earlier table first at the same moment. Nothing when
// none is coming.
std::optional<std::string> nextBookingText(std::initializer_list<const ReservationTable*> tables,
                                           LocalTime now);

} // namespace core
