#pragma once

#include "core/book/ReservationTable.h"

#include <QAbstractTableModel>

namespace ui {

// Shows the reservation table: its row 0 as the horizontal header, its column 0 as the
// vertical header, and rows 1 to 30 by columns 1 to 6 as the cells.
class ReservationGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ReservationGridModel(const core::ReservationTable& table, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Tells the view about changes made to the table since the last call.
    void refresh();

private:
    const core::ReservationTable& table_;
    std::uint64_t shownRevision_;
};

} // namespace ui
