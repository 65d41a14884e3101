#pragma once

#include <QList>
#include <QStringList>

#include "CsvLineSplitter.h"

// The rows of a CSV file as the import window lists them: the column count comes from
// the first line, every line (the first included) is one row split by CsvLineSplitter,
// fields beyond the column count are dropped and missing ones read as empty.
//
// A row keeps only the fields its line really has, so the table is bounded by the size
// of the file whatever column count the first line claims. The lines are kept as given
// (shared with the caller's list) and every cell is a span of its line: a file costs its
// text and eight bytes a cell, not a string per cell.
class CsvRowTable
{
public:
    CsvRowTable() = default;
    explicit CsvRowTable(const QStringList& lines);

    int columnCount() const { return mColumns; }
    int rowCount() const { return int(mOrder.size()); }

    // The text of a cell; empty for a cell beyond the row's fields or outside the table.
    QString cell(int row, int column) const;
    // The row's fields (at most columnCount(), possibly fewer); none outside the table.
    QStringList row(int r) const;

    // The row order that sorts the rows by a column's text, compared by CP932 bytes; rows
    // of equal text keep their order. Element i is the current index of the row that
    // goes to position i.
    QList<int> sortOrder(int column, bool ascending) const;
    // Reorders the rows by an order made by sortOrder().
    void reorder(const QList<int>& order);

private:
    int fieldCount(int row) const;
    QStringView cellView(int row, int column) const;

    int mColumns = 0;
    QStringList mLines;
    QList<CsvLineSplitter::Span> mSpans; // the fields of every line, line after line
    QList<qsizetype> mLineStart; // line i's fields: mSpans[mLineStart[i] … mLineStart[i + 1])
    QList<int> mOrder;           // the line shown as row r
};
