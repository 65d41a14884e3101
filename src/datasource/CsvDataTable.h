#pragma once

#include "CsvFieldSplitter.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// The rows of a CSV file given as print data: one row per line of the file, the first
// line included (there is no header row), and as many columns as the first line has
// fields. A row keeps the fields of its line up to that column count; the cells beyond
// its last field read as empty.
//
// The lines are kept as they were read and each cell is a span of its line, so a file of
// a hundred thousand lines costs its text and two integers per cell, not a string per
// cell.
class CsvDataTable
{
public:
    // Told the lines split so far and their total while the table is filled.
    using Progress = std::function<void(int done, int total)>;

    // Reads the lines of a file as the address book's CSV import does
    // (AddressCsvImport::readFileLines(): at most 512 MB and 1,000,000 lines, UTF-8 or
    // CP932); lines end at LF with a CR before it removed; an empty line counts, a last
    // line without LF too. Returns an empty string, or that reader's message, or
    // "データが見つかりませんでした。" when the file holds no line.
    static QString readLines(const QString& path, QStringList* lines);

    CsvDataTable() = default;
    // Splits every line; the progress (when given) is told every thousand lines or so.
    explicit CsvDataTable(QStringList lines, const Progress& progress = {});

    int rowCount() const { return int(mLines.size()); }
    int columnCount() const { return mColumns; }

    // The text of a cell (0-based row and column); empty outside the table or beyond the
    // row's last field.
    QString cell(int row, int column) const;
    QStringView cellView(int row, int column) const;
    // The number of fields the row's line really has (at most columnCount()).
    int fieldCount(int row) const;

    // Sorts an order of rows (a permutation of row indexes, as shown) by the text of a
    // column compared by its CP932 bytes, ascending or descending; rows of equal text keep
    // their place relative to each other. An order with a row outside the table is left.
    void sortRows(QList<int>& order, int column, bool ascending) const;

private:
    QStringList mLines;
    int mColumns = 0;
    QList<CsvFieldSplitter::Span> mSpans; // the fields of every row, row after row
    QList<qsizetype> mRowStart; // row r's fields: mSpans[mRowStart[r] … mRowStart[r + 1])
};
