#pragma once

#include "core/base/LocalTime.h"

#include <optional>
#include <string>
#include <string_view>

namespace core {

// The short date format is yyyy/MM/dd and the long time format H:mm:ss. They are fixed rather
// than taken from the process locale, so that a reservation file means the same everywhere.
std::string formatShortDate(LocalDays day);
std::string formatLongTime(LocalTime time);
// "12:00": the long time without its seconds.
std::string formatHourMinute(LocalTime time);

std::optional<LocalDays> parseShortDate(std::string_view text);
// A short date, one space, then a long time.
std::optional<LocalTime> parseDateTime(std::string_view text);

} // namespace core
