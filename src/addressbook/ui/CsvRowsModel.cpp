#include "CsvRowsModel.h"

CsvRowsModel::CsvRowsModel(const QStringList& lines, QObject* parent)
    : QAbstractTableModel(parent), mTable(lines)
{
}

int CsvRowsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : mTable.rowCount();
}

int CsvRowsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : mTable.columnCount();
}

QVariant CsvRowsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return QVariant();
    return mTable.cell(index.row(), index.column());
}

QVariant CsvRowsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return QString::number(section + 1);
}

QStringList CsvRowsModel::rowFields(int row) const
{
    return row >= 0 && row < mTable.rowCount() ? mTable.row(row) : QStringList();
}

void CsvRowsModel::sortRows(int column, bool ascending)
{
    const QList<int> order = mTable.sortOrder(column, ascending);
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // The selection is held in persistent indexes; moving them with their rows keeps the
    // same lines selected after the sort.
    QList<int> newRow(order.size());
    for (int i = 0; i < order.size(); ++i)
        newRow[order.at(i)] = i;
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex& index : from)
        to.append(index.isValid() ? createIndex(newRow.at(index.row()), index.column())
                                  : QModelIndex());
    mTable.reorder(order);
    changePersistentIndexList(from, to);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
