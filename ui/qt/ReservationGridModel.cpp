#include "ReservationGridModel.h"

#include "core/forms/GridCells.h"

namespace ui {

ReservationGridModel::ReservationGridModel(const core::ReservationTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table), shownRevision_(table.revision()) {}

int ReservationGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : core::kLastReservation;
}

int ReservationGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : core::kColumnCount - 1;
}

QVariant ReservationGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    // Each cell its own word, so that a reader that speaks the row says it once.
    if (role != Qt::DisplayRole)
        return {};
    return QString::fromStdString(core::shownCell(table_, index.column() + 1, index.row() + 1));
}

QVariant ReservationGridModel::headerData(int section, Qt::Orientation orientation,
                                          int role) const {
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    const std::string text = orientation == Qt::Horizontal
                                 ? core::shownCell(table_, section + 1, 0)
                                 : core::shownCell(table_, 0, section + 1);
    return QString::fromStdString(text);
}

void ReservationGridModel::refresh() {
    if (table_.revision() == shownRevision_)
        return;
    shownRevision_ = table_.revision();
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::DisplayRole});
}

} // namespace ui
