#pragma once

#include "Booking.h"
#include "ReservationTable.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace core {

// Every change of the reservation table: the window's commands, the command line and the
// postponement make the same changes under the same rules, and a change whose save is refused
// can be taken back.
class TableEditor {
public:
    // Writes the table to its file; throws with the reason when the write is refused.
    using Save = std::function<void(const ReservationTable&)>;
    TableEditor(ReservationTable& table, Save save);

    const ReservationTable& table() const { return table_; }

    // The booking's cells and action into the row; its state becomes `state`, or stays as it is.
    void book(int row, const ElapsedBooking& cells, std::string_view action,
              std::optional<std::string_view> state);
    // An active booking in the first free row: that row, or 0 when every row is in use.
    int bookFreeRow(const ElapsedBooking& cells, std::string_view action);
    // Stopping and reactivating need cells 1 to 5 set: the refusal otherwise, and nothing changes.
    std::optional<std::string> setState(int row, std::string_view state);
    // Empties the row; an empty row is refused.
    std::optional<std::string> clear(int row);
    void save();
    // Puts back the row as it was before the last change.
    void undo();
    // Saves the last change, or, when the save is refused, takes it back and says why.
    std::optional<std::string> commit();

private:
    void remember(int row);

    ReservationTable& table_;
    Save save_;
    int lastRow_ = 0;
    std::array<std::string, kColumnCount> lastCells_{};
};

} // namespace core
