#pragma once

#include "core/book/ReservationTable.h"

#include <string>

namespace core {

// A cell as the grid shows it: the column headers in the language in use, the row labels as
// stored or, in another language, as numbers; the bookings' words as they are stored.
std::string shownCell(const ReservationTable& table, int column, int row);

} // namespace core
