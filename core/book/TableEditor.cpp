#include "TableEditor.h"

#include "Vocabulary.h"
#include "core/lang/Catalogue.h"

#include <exception>
#include <stdexcept>

namespace core {

TableEditor::TableEditor(ReservationTable& table, Save save)
    : table_(table), save_(std::move(save)) {}

void TableEditor::remember(int row) {
    lastRow_ = row;
    for (int column = DateCell; column <= StateCell; ++column)
        lastCells_[static_cast<std::size_t>(column)] = table_.cell(column, row);
}

void TableEditor::book(int row, const ElapsedBooking& cells, std::string_view action,
                       std::optional<std::string_view> state) {
    remember(row);
    writeBooking(table_, row, cells, action);
    if (state)
        table_.setCell(StateCell, row, std::string(*state));
}

int TableEditor::bookFreeRow(const ElapsedBooking& cells, std::string_view action) {
    const int row = firstEmptyRow(table_);
    if (row != 0)
        book(row, cells, action, kStateActive);
    return row;
}

std::optional<std::string> TableEditor::setState(int row, std::string_view state) {
    if (table_.isEmpty(row))
        return fill(tr("予約{0} は空いています。"), {std::to_string(row)});
    for (int column = DateCell; column <= ActionCell; ++column) {
        if (table_.cell(column, row).empty())
            return tr("予約が完成していないので変更できません。");
    }
    remember(row);
    table_.setCell(StateCell, row, std::string(state));
    return std::nullopt;
}

std::optional<std::string> TableEditor::clear(int row) {
    if (table_.isEmpty(row))
        return fill(tr("予約{0} は空いています。"), {std::to_string(row)});
    remember(row);
    table_.clearRow(row);
    return std::nullopt;
}

void TableEditor::save() {
    try {
        save_(table_);
    } catch (const std::exception& e) {
        // The system's words alone do not say what was not saved.
        throw std::runtime_error(fill(tr("予約を保存できません: {0}"), {e.what()}));
    }
}

void TableEditor::undo() {
    if (lastRow_ == 0)
        return;
    for (int column = DateCell; column <= StateCell; ++column)
        table_.setCell(column, lastRow_, lastCells_[static_cast<std::size_t>(column)]);
    lastRow_ = 0;
}

std::optional<std::string> TableEditor::commit() {
    try {
        save();
    } catch (const std::exception& e) {
        undo();
        return e.what();
    }
    return std::nullopt;
}

} // namespace core
