#pragma once

#include <QStringList>
#include <QStringView>

// Records of a CSV file whose quoted fields hold line breaks, as spreadsheets save a cell
// of two lines (RFC 4180): such a record runs over several lines of the file. Lines whose
// quotes all close on the line are split by CsvFieldSplitter as they always were; only a
// record that a quoted line break holds together is read by these rules.
class CsvQuotedRecord
{
public:
    // The most lines one record may take. A stray quote that never closes would otherwise
    // take the rest of the file: after this many lines its line stands alone, as before.
    static constexpr int MaxLines = 100;

    // Whether the text (a line, or lines joined by LF) ends inside a quoted field: a field
    // that starts with `"` and has not met its closing `"` (`""` inside is one quote).
    static bool endsInsideQuotes(QStringView text);

    // The fields of such a record, at most maxFields of them: a quoted field without its
    // quotes and with `""` as `"`, its line breaks kept as LF; any other field as it is.
    static QStringList fields(QStringView record, int maxFields);
};
