#pragma once

#include "core/book/ReservationTable.h"

#include <string>

namespace core {

// A cell as the grid shows it: the column headers and the row labels in the language in use,
// the bookings' words as they are stored.
std::string shownCell(const ReservationTable& table, int column, int row);

} // namespace core
