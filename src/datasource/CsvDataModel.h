#pragma once

#include "CsvDataTable.h"

#include <QAbstractTableModel>
#include <QList>

// The rows of a CSV file as the table of the CSV merge dialog shows them: one column per
// file column, captioned 1 … C, every cell its field's text. Sorting changes only the
// order in which the rows are shown (a permutation of the table's rows), keeping the
// selection and other persistent indexes on their rows.
class CsvDataModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit CsvDataModel(CsvDataTable table, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    const CsvDataTable& table() const { return mTable; }
    // The table row shown at a position (-1 outside).
    int tableRow(int shownRow) const;
    // The table rows of shown positions, in the order given.
    QList<int> tableRows(const QList<int>& shownRows) const;

    // Sorts the shown rows by a column's text, byte-wise on the CP932 form; rows of equal
    // text keep their order.
    void sortRows(int column, bool ascending);

private:
    CsvDataTable mTable;
    QList<int> mOrder; // shown position → table row
};
