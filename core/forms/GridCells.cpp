#include "GridCells.h"

#include "core/book/Vocabulary.h"
#include "core/lang/Catalogue.h"

namespace core {

std::string shownCell(const ReservationTable& table, int column, int row) {
    const std::string& cell = table.cell(column, row);
    // The minute column's heading names the column, where the labels' "分" is a unit ("min").
    if (row == 0 && column == MinuteCell && languageInUse() != kSourceLanguage)
        return tr("分の列");
    if (row == 0)
        return tr(cell);
    // The source language keeps the labels' full-width digits; the others show the number, which
    // is what the commands name a row by.
    if (column == 0)
        return languageInUse() != kSourceLanguage ? std::to_string(row) : cell;
    if (column == StateCell)
        return shownWord(column, std::string(table.shownState(row)));
    return shownWord(column, cell);
}

std::string rowSpeech(const ReservationTable& table, int row) {
    std::string cells;
    for (int column = DateCell; column <= StateCell; ++column) {
        const std::string cell = shownCell(table, column, row);
        if (cell.empty())
            continue;
        cells.append(cells.empty() ? "" : " ").append(cell);
    }
    return fill(tr("{0}: {1}"), {shownCell(table, 0, row), cells.empty() ? tr("空き") : cells});
}

} // namespace core
