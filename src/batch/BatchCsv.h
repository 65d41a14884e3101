#pragma once

#include <QDate>
#include <QList>
#include <QString>

class CORINOTEDoc;

// "--csv FILE --rows LIST --csv-header": the rows of a CSV file placed on the data-mode
// pages as the CSV merge dialog places its selected rows, without a window. With
// --csv-header the first line names the columns and is no row; with --csv-as-records
// too the rows go onto the pages as address records (CsvRecords). The rows are numbered
// from 1 in file order (the header line not counted) and placed in file order, each once
// however often the list names it; without a list every row is placed. More than 500 rows, none, a row the file does
// not have, a file that cannot be read or holds no line are refused with the program's
// message and leave the document as it was.
namespace BatchCsv {

// `today` is the date the date fields show. Returns the message for standard error, empty
// on success.
QString place(CORINOTEDoc& doc, const QString& file, const QString& rows, bool firstLineNames,
              bool asRecords, const QDate& today);

// The table rows (0-based, ascending) a list such as "1-20,25" names among rowCount
// rows: numbers and ranges separated by commas, a range without a start starting at 1
// and one without an end running to the last row. An empty list names every row. A part
// that is not such a number or range, or names a row outside 1 … rowCount, gives an
// empty list and the message in *error.
QList<int> parseRows(const QString& list, int rowCount, QString* error);

} // namespace BatchCsv
