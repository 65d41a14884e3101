#include "CsvDataModel.h"

#include <algorithm>
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
    return parent.isValid() ? 0 : mTable.columnCount() + 1;
}

QVariant CsvDataModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const int row = tableRow(index.row());
    if (index.column() == LineColumn) {
        if (role == Qt::DisplayRole)
            return mTable.lineNumber(row);
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return QVariant();
    }
    if (role != Qt::DisplayRole)
        return QVariant();
    return mTable.cell(row, index.column() - 1);
}

QVariant CsvDataModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section == LineColumn)
        return role == Qt::DisplayRole ? QVariant(tr("行")) : QVariant();
    // A named column still tells its number, which a "@n(CSV)" marker uses.
    const QString number = QString::number(section);
    if (role == Qt::ToolTipRole)
        return QStringLiteral("@%1%2").arg(number, QStringLiteral("(CSV)"));
    if (role != Qt::DisplayRole)
        return QVariant();
    const QString name = mTable.columnName(section - 1);
    return name.isEmpty() ? number : name;
}

void CsvDataModel::setFirstLineNames(bool names)
{
    if (names == mTable.firstLineNames())
        return;
    beginResetModel();
    mTable.setFirstLineNames(names);
    mOrder.resize(mTable.rowCount());
    std::iota(mOrder.begin(), mOrder.end(), 0);
    endResetModel();
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
    if (column < 0 || column >= columnCount())
        return;
    QList<int> order = mOrder;
    if (column == LineColumn) {
        // Rows are numbered in file order.
        std::sort(order.begin(), order.end());
        if (!ascending)
            std::reverse(order.begin(), order.end());
    } else {
        mTable.sortRows(order, column - 1, ascending);
    }

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
