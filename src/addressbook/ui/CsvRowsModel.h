#pragma once

#include "address/CsvRowTable.h"

#include <QAbstractTableModel>

// The row list of the CSV import window over a CsvRowTable: one column per file column,
// captioned with its number 1..N, every cell its field's text. Sorting reorders the rows
// and keeps selections and other persistent indexes on their rows.
class CsvRowsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit CsvRowsModel(const QStringList& lines, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    const CsvRowTable& table() const { return mTable; }
    // The fields of a row as shown now.
    QStringList rowFields(int row) const;

    // Sorts the rows by a column's text, byte-wise on the CP932 form.
    void sortRows(int column, bool ascending);

private:
    CsvRowTable mTable;
};
