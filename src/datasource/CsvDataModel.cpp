#include "CsvDataModel.h"

#include <numeric>

CsvDataModel::CsvDataModel(CsvDataTable table, QObject* parent)
    : QAbstractTableModel(parent), mTable(std::move(table)), mOrder(mTable.rowCount())
{
    std::iota(mOrder.begin(), mOrder.end(), 0);
}

int CsvDataModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(mOrder.size());
}

int CsvDataModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : mTable.columnCount();
}

QVariant CsvDataModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return QVariant();
    return mTable.cell(tableRow(index.row()), index.column());
}

QVariant CsvDataModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return QString::number(section + 1);
}

int CsvDataModel::tableRow(int shownRow) const
{
    return shownRow >= 0 && shownRow < mOrder.size() ? mOrder.at(shownRow) : -1;
}

QList<int> CsvDataModel::tableRows(const QList<int>& shownRows) const
{
    QList<int> rows;
    rows.reserve(shownRows.size());
    for (int shown : shownRows)
        rows.append(tableRow(shown));
    return rows;
}

void CsvDataModel::sortRows(int column, bool ascending)
{
    if (column < 0 || column >= mTable.columnCount())
        return;
    QList<int> order = mOrder;
    mTable.sortRows(order, column, ascending);

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // Where each table row is shown after the sort, to move the persistent indexes (the
    // view's selection among them) with their rows.
    QList<int> shownAt(order.size());
    for (int i = 0; i < order.size(); ++i)
        shownAt[order.at(i)] = i;
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex& index : from) {
        to.append(index.isValid() ? createIndex(shownAt.at(mOrder.at(index.row())), index.column())
                                  : QModelIndex());
    }
    mOrder.swap(order);
    changePersistentIndexList(from, to);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
