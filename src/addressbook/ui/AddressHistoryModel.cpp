#include "AddressHistoryModel.h"

#include "address/CAddressData.h"
#include "addressbook/AddressHistory.h"
#include "model/CORINOTEDoc.h"

AddressHistoryModel::AddressHistoryModel(CORINOTEDoc& doc, QObject* parent)
    : QAbstractTableModel(parent), mDoc(doc)
{
}

int AddressHistoryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(mRows.size());
}

int AddressHistoryModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant AddressHistoryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= mRows.size() || role != Qt::DisplayRole)
        return QVariant();
    const AddressHistory::Entry entry =
        AddressHistory::entry(mDoc.addressBook(), mRecord.group, mRows.at(index.row()));
    switch (index.column()) {
    case DateColumn:
        return entry.date;
    case SubjectColumn:
        return entry.subject;
    case NoteColumn:
        return entry.note;
    default:
        return QVariant();
    }
}

QVariant AddressHistoryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case DateColumn:
        return CAddressData::columnTitle(CAddressData::HistoryDate);
    case SubjectColumn:
        return CAddressData::columnTitle(CAddressData::HistorySubject);
    case NoteColumn:
        return CAddressData::columnTitle(CAddressData::HistoryNote);
    default:
        return QVariant();
    }
}

void AddressHistoryModel::showRecord(const AddressRecordRef& ref)
{
    beginResetModel();
    mRecord = ref;
    mRows = ref.group >= 0 ? AddressHistory::rowsOf(mDoc.addressBook(), ref) : QList<int>();
    endResetModel();
}

int AddressHistoryModel::columnWidth(int column)
{
    static const int widths[ColumnCount] = {80, 100, 200};
    return column >= 0 && column < ColumnCount ? widths[column] : 100;
}
