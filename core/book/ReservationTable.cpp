#include "ReservationTable.h"

#include "Vocabulary.h"
#include "core/lang/Catalogue.h"

#include <stdexcept>
#include <utility>

namespace core {

namespace {

constexpr std::array<std::string_view, kColumnCount> kHeaders{
    "", msg("年月日"), msg("午前午後"), msg("時"), msg("分"), msg("動作"), msg("状態")};
constexpr std::array<std::string_view, 10> kFullWidthDigits{
    stored("０"), stored("１"), stored("２"), stored("３"), stored("４"),
    stored("５"), stored("６"), stored("７"), stored("８"), stored("９")};

// The place as indices of the cells, once it is known to lie in the table.
std::pair<std::size_t, std::size_t> checkedPlace(int column, int row) {
    if (column < 0 || column >= kColumnCount || row < 0 || row >= kRowCount)
        throw std::out_of_range("reservation table cell out of range");
    return {static_cast<std::size_t>(column), static_cast<std::size_t>(row)};
}

} // namespace

ReservationTable::ReservationTable() {
    for (std::size_t c = 0; c < kHeaders.size(); ++c)
        cells_[0][c] = kHeaders[c];
    for (std::size_t r = kFirstReservation; r <= kLastReservation; ++r)
        cells_[r][0] = std::string(stored("予約")) +
                       (r < 10 ? std::string(kFullWidthDigits[r]) : std::to_string(r));
}

const std::string& ReservationTable::cell(int column, int row) const {
    const auto [c, r] = checkedPlace(column, row);
    return cells_[r][c];
}

void ReservationTable::setCell(int column, int row, std::string text) {
    const auto [c, r] = checkedPlace(column, row);
    if (cells_[r][c] == text)
        return;
    cells_[r][c] = std::move(text);
    ++revision_;
}

void ReservationTable::clearRow(int row) {
    for (int c = DateCell; c <= StateCell; ++c)
        setCell(c, row, {});
}

int ReservationTable::filledTimeCells(int row) const {
    int filled = 0;
    for (int c = DateCell; c <= MinuteCell; ++c)
        filled += cell(c, row).empty() ? 0 : 1;
    return filled;
}

bool ReservationTable::isComplete(int row) const {
    return filledTimeCells(row) == 4;
}

bool ReservationTable::isHalfFilled(int row) const {
    int filled = filledTimeCells(row);
    return filled > 0 && filled < 4;
}

bool ReservationTable::isOccupied(int row) const {
    return !cell(PeriodCell, row).empty();
}

bool ReservationTable::isEmpty(int row) const {
    for (int column = DateCell; column <= StateCell; ++column)
        if (!cell(column, row).empty())
            return false;
    return true;
}

std::string_view ReservationTable::shownState(int row) const {
    const std::string& state = cell(StateCell, row);
    return row == waitingRow_ && state == kStateActive ? kStateWaiting : std::string_view(state);
}

int firstEmptyRow(const ReservationTable& table) {
    for (int row = kFirstReservation; row <= kLastReservation; ++row)
        if (table.isEmpty(row))
            return row;
    return 0;
}

} // namespace core
