#pragma once

#include "addressbook/AddressListRows.h"

#include <QAbstractTableModel>
#include <QList>

class CORINOTEDoc;

// The history list of the address book window: the send/receive rows of the one selected
// record, newest first, in the columns "日付", "件名" and "備考". Each row stays bound to
// the stored history row it shows.
class AddressHistoryModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        DateColumn,
        SubjectColumn,
        NoteColumn,
        ColumnCount
    };

    explicit AddressHistoryModel(CORINOTEDoc& doc, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // Shows the history of a record; an invalid ref (group -1) empties the list.
    void showRecord(const AddressRecordRef& ref);
    void clear() { showRecord(AddressRecordRef()); }

    // The group whose history is shown, and the stored row behind a list row.
    int group() const { return mRecord.group; }
    int storedRow(int row) const { return mRows.value(row, -1); }

    static int columnWidth(int column);

private:
    CORINOTEDoc& mDoc;
    AddressRecordRef mRecord;
    QList<int> mRows;
};
