#pragma once

#include "CsvDataTable.h"

#include <QAbstractTableModel>
#include <QList>

// The rows of a CSV file as the table of the CSV merge dialog shows them: first the line
// of the file each row was read from (captioned 行), then one column per file column,
// captioned with its name from the first line or, without one, its number 1 … C; every
// cell its field's text. Sorting changes only the order in which the rows are shown (a
// permutation of the table's rows), keeping the selection and other persistent indexes
// on their rows.
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

    // The column of the line numbers; file column c is shown in column c + 1.
    static constexpr int LineColumn = 0;

    const CsvDataTable& table() const { return mTable; }
    // Takes the first line as the columns' names or as a row (CsvDataTable): the rows are
    // shown in file order again and the selection is dropped.
    void setFirstLineNames(bool names);
    // The table row shown at a position (-1 outside).
    int tableRow(int shownRow) const;
    // The table rows of shown positions, in the order given.
    QList<int> tableRows(const QList<int>& shownRows) const;

    // Sorts the shown rows by a shown column: the line numbers, or a file column as
    // CsvDataTable::sortRows does; rows of equal cells keep their order.
    void sortRows(int column, bool ascending);

private:
    CsvDataTable mTable;
    QList<int> mOrder; // shown position → table row
};
