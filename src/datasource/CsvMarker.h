#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// The CSV column markers of a text region's template text. A marker is "@", a key and
// "(CSV)"; the key names the column by its number ("@3(CSV)") or by its name in the
// file's first line ("@氏名(CSV)").
//
// - A marker in braces, "{@2(CSV)} 様", stands for the cell inside the text around it;
//   a text may hold several.
// - A text without a braced marker but with an "@" and a "(CSV)" is one marker as a
//   whole: the key runs from the first "@" to the first "(CSV)", and the region's whole
//   text becomes the cell, whatever else the text holds ("〒@4(CSV)様" prints the cell
//   alone), as templates made before braces were known expect.
class CsvMarker
{
public:
    QString key;         // between "@" and "(CSV)", as written
    qsizetype start = 0; // where the marker starts in the text, its braces included
    qsizetype length = 0;
    bool braced = false;

    // The markers of a text in order: its braced markers, or else its whole-text marker,
    // or none.
    static QList<CsvMarker> find(const QString& text);

    // Whether a key is a number: after blanks, a sign or a digit. Such a key always
    // names the column of its number, even where a column's name is that number.
    static bool isNumber(const QString& key);
    // The number of a number key: the digits after blanks and a sign, up to the first
    // other character ("2x" is 2); 0 for a key that is not a number. Numbers too large
    // for an int give INT_MAX or INT_MIN.
    static int number(const QString& key);
    // The 1-based column a key names among columns with these names (trimmed, as
    // CsvDataTable gives them): its number, or the first column whose name equals the
    // trimmed key; 0 when there is no such column (a number outside 1 … names.size()
    // included, and an empty key).
    static int column(const QString& key, const QStringList& names);

    // The text a region prints: with braced markers the text with each replaced by
    // cell(key); with a whole-text marker cell(key) alone; without a marker the text.
    static QString fill(const QString& text, const std::function<QString(const QString&)>& cell);
};
