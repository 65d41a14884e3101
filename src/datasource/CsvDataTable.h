#pragma once

#include "CsvFieldSplitter.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

#include <functional>

// The rows of a CSV file given as print data: one row per line of the file, and as many
// columns as the first line has fields. A quoted field holding line breaks (RFC 4180, as
// spreadsheets save a cell of two lines) keeps its lines together in one row, read by
// CsvQuotedRecord's rules; every other line is split as CsvFieldSplitter says. A row keeps the fields of its line up to that
// column count; the cells beyond its last field read as empty. The first line is a row
// like the others unless it is taken as the columns' names (setFirstLineNames); it is
// then no row, and row 0 is the file's second line.
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

    // The most characters a cell gives: a longer one (a runaway quote, a pasted document)
    // is cut there, so that placing it in a region costs what a long address costs.
    static constexpr int MaxCellChars = 4096;
    // How many cells of the file are longer and read cut.
    int longCellCount() const { return mLongCells; }
    // "4,096文字を超えるセルが3個あり、4,096文字までを使います。", or empty when none is.
    QString longCellsMessage() const;

    int rowCount() const { return int(mLines.size()) - (mFirstLineNames ? 1 : 0); }
    int columnCount() const { return mColumns; }

    // Whether the first line names the columns instead of being row 0 (off at first).
    bool firstLineNames() const { return mFirstLineNames; }
    void setFirstLineNames(bool names);
    // The name of every column: the first line's fields, trimmed; empty names without a
    // first line of names.
    QStringList columnNames() const;
    QString columnName(int column) const;
    // The line of the file (1-based) a row was read from (its first, for a row of several
    // lines); 0 outside the table.
    int lineNumber(int row) const;

    // The text of a cell (0-based row and column), at most MaxCellChars; empty outside the
    // table or beyond the row's last field.
    QString cell(int row, int column) const;
    QStringView cellView(int row, int column) const;
    // The number of fields the row's line really has (at most columnCount()).
    int fieldCount(int row) const;

    // Sorts an order of rows (a permutation of row indexes, as shown) by a column,
    // ascending or descending; rows of equal cells keep their place relative to each
    // other. A column whose cells of those rows are all numbers or empty, with at least
    // one number, compares by value (empty first, as for text); any other by the cells'
    // CP932 bytes. A number is a decimal with an optional sign, point and thousands
    // commas, in half- or full-width characters, blanks around it allowed ("12", "-3.5",
    // "１,２００"). An order with a row outside the table is left.
    void sortRows(QList<int>& order, int column, bool ascending) const;

    // The value of a cell that is a number (sign, digits, commas between groups of three,
    // a point; full-width forms too), or none. A column whose non-blank cells all have one
    // sorts by value.
    static std::optional<double> numberValue(QStringView text);

private:
    // A cell by the index of its line in mLines.
    QStringView lineCell(int line, int column) const;
    int lineFieldCount(int line) const;
    // Joins the lines of records that quoted line breaks hold together.
    void joinQuotedLines();
    // The file line (1-based) of an index of mLines.
    int lineOfIndex(int index) const;

    bool mFirstLineNames = false;
    QStringList mLines;
    int mColumns = 0;
    QList<CsvFieldSplitter::Span> mSpans; // the fields of every row, row after row
    QList<qsizetype> mRowStart; // row r's fields: mSpans[mRowStart[r] … mRowStart[r + 1])
    QSet<int> mJoined;          // indexes of mLines that hold a record of several lines
    QList<int> mFirstLines;     // the file line of every index once a record was joined
    int mLongCells = 0;
};
