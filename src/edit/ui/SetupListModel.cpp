#include "SetupListModel.h"

SetupListModel::SetupListModel(QStringList headers, std::function<int()> count,
                               std::function<qint64(int, int)> cell, QObject* parent)
    : QAbstractTableModel(parent), mHeaders(std::move(headers)), mCount(std::move(count)),
      mCell(std::move(cell))
{
    mRows = mCount();
}

void SetupListModel::refresh()
{
    beginResetModel();
    mRows = mCount();
    endResetModel();
}

int SetupListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : mRows;
}

int SetupListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(mHeaders.size());
}

QVariant SetupListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= mRows)
        return QVariant();
    if (role == Qt::DisplayRole) {
        if (index.column() == 0)
            return QString::number(index.row() + 1);
        return QString::number(mCell(index.row(), index.column()));
    }
    if (role == Qt::TextAlignmentRole && index.column() > 0)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return QVariant();
}

QVariant SetupListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < mHeaders.size())
        return mHeaders.at(section);
    return QVariant();
}
