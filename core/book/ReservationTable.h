#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace core {

// Columns of a reservation row; column 0 holds the row label.
enum Column : int {
    DateCell = 1,
    PeriodCell = 2,
    HourCell = 3,
    MinuteCell = 4,
    ActionCell = 5,
    StateCell = 6,
};

inline constexpr int kColumnCount = 7;
inline constexpr int kRowCount = 31; // the header row and 30 reservations
inline constexpr int kFirstReservation = 1;
inline constexpr int kLastReservation = 30;

inline constexpr std::array<int, kColumnCount> kColumnWidths{42, 75, 60, 45, 45, 60, 40};
inline constexpr int kDefaultRowHeight = 18;

// The bookings as a grid of texts: row 0 is the header, column 0 the row labels, and rows 1 to
// 30 the reservations. A reservation's kind, time, action and state are its cell texts.
class ReservationTable {
public:
    // Writes the header texts and the row labels; every reservation cell starts empty.
    ReservationTable();

    const std::string& cell(int column, int row) const;
    void setCell(int column, int row, std::string text);
    void clearRow(int row);

    // Cells 1 to 4 all set.
    bool isComplete(int row) const;
    // One, two or three of cells 1 to 4 set.
    bool isHalfFilled(int row) const;
    // A booking would overwrite something: the period is set.
    bool isOccupied(int row) const;

    // All six cells empty: a row free for a booking.
    bool isEmpty(int row) const;

    // The row whose countdown waits for the user's full-screen work to end, 0 for none: shown as
    // waiting while it is active, stored as it is.
    int waitingRow() const { return waitingRow_; }
    // The state cell as the grid and the listing show it.
    std::string_view shownState(int row) const;
    void setWaitingRow(int row) {
        waitingRow_ = row;
        ++revision_;
    }
    // Grows on every change of a cell's text, so a view knows when to redraw.
    std::uint64_t revision() const { return revision_; }

private:
    int filledTimeCells(int row) const;

    std::array<std::array<std::string, kColumnCount>, kRowCount> cells_;
    std::uint64_t revision_ = 0;
    int waitingRow_ = 0;
};

// The first row whose six cells are empty, or 0 when every row is in use.
int firstEmptyRow(const ReservationTable& table);

} // namespace core
