#pragma once

#include "core/book/ReservationTable.h"

#include <string>

namespace core {

// A cell as the grid shows it: the column headers in the language in use, the row labels as
// stored or, in another language, as numbers; the bookings' words in the language in use.
std::string shownCell(const ReservationTable& table, int column, int row);

// A row as a screen reader says it: "予約３: 毎日 午後 11時 00分 終了 稼働", the label as shown.
std::string rowSpeech(const ReservationTable& table, int row);

} // namespace core
