#pragma once

#include <QList>
#include <QStringList>
#include <QStringView>

// Splits the lines of a CSV file given as print data into their fields.
//
// Column count (from the file's first line): one more than the number of commas, except
// that a comma lying between a `,"` and the next `"` after it does not count.
//
// A line is split one field at a time. For each field, with p the separator before it
// (0 for the first field) and s its first position (p for the first field, p + 1 after):
// - m is the first comma at or after s; f the first `"` at or after p; g the first `",`
//   after f or, failing that, the first `"` after f.
// - With a comma m: when f and g exist and f < m, the field is the text between f and g
//   and the next separator is g + 1; otherwise the field is s … m − 1 and the next
//   separator is m.
// - Without a comma (the last field): when f and g exist, the field runs from after f to
//   the character before the line's last one; otherwise from s to the end of the line.
// Doubled quotes stay as they are. A `"` closing a field without a comma after it makes
// the character after it the next separator, whatever that character is.
//
// This differs from the address book's import splitter (CsvLineSplitter), which ends the
// line at such a closing quote; the column count is the same rule.
//
// Every field is a substring of the line; splitting takes time linear in the line's
// length whatever quotes it holds.
class CsvFieldSplitter
{
public:
    struct Span
    {
        qint32 start = 0;
        qint32 length = 0;
    };

    static int columnCount(QStringView firstLine);

    // Appends the spans of the line's first maxFields fields to *spans (the later ones
    // are dropped). Lines longer than 2^31 − 1 characters are cut there.
    static void split(QStringView line, int maxFields, QList<Span>* spans);

    // The fields as text, for tests and small callers.
    static QStringList fields(QStringView line, int maxFields);
};
