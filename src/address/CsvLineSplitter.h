#pragma once

#include <QList>
#include <QStringList>
#include <QStringView>

// Reads one line of a CSV file the way the address import window lays it out in columns.
// The rules are deliberately simple and differ from RFC 4180:
//
// Column count (taken from a file's first line): one more than the number of commas,
// except that a comma lying between a `,"` and the next `"` after it does not count.
//
// Splitting, left to right, one field at a time from the field's start:
// - When a `"` occurs before the next comma, and after it either a `",` or, failing
//   that, any further `"` occurs, the field is quoted. With a `",` the field is the text
//   between the opening quote and that closing quote, and the next field starts after
//   the comma. Without one, the field is the last of the line and runs from after the
//   opening quote to the character before the line's last character.
// - Otherwise the field is the text up to the next comma (the next field starts after
//   it), or to the end of the line (the line ends).
// Doubled quotes are kept as they are; text before an opening quote is dropped.
//
// Both functions are total: any input ends in time linear in the line's length, and
// every field is a substring of the line.
class CsvLineSplitter
{
public:
    // A field as a piece of its line.
    struct Span
    {
        qint32 start = 0;
        qint32 length = 0;
    };

    static int columnCount(QStringView firstLine);

    // Appends the spans of the line's fields (as split() gives them) to *spans; a line
    // longer than 2^31 − 1 characters is cut there.
    static void splitSpans(QStringView line, int maxFields, QList<Span>* spans);

    // The line's fields, at most maxFields of them (later ones are dropped). A line
    // ending in a comma has an empty last field; an empty line has one empty field.
    static QStringList split(QStringView line, int maxFields);
};
