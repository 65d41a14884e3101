#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Export of the address list to a CSV file: the fixed header line, then one line per
// list row holding the row's 47 column texts as the list shows them, in list order.
// Fields are joined by ","; a field containing a comma is enclosed in double quotes and
// nothing else is quoted or escaped; every line ends with CR LF; the text is CP932.
class AddressCsvExport
{
public:
    static constexpr int ColumnCount = 47;

    // The titles of the 47 address-list columns, which are also the record columns'
    // titles (CAddressData::columnForTitle maps them back).
    static QStringList columnTitles();
    // The header line without its line break: the titles joined by ",".
    static QString headerLine();

    // One field as written.
    static QString quoteField(const QString& field);
    // One line without its line break.
    static QString formatLine(const QStringList& fields);

    // The file's bytes for the rows. Returns an empty string, or (with *bytes left
    // empty) a message naming the first character that CP932 cannot hold, its row and
    // column: such a character is never replaced silently.
    static QString encode(const QList<QStringList>& rows, QByteArray* bytes);

    // Writes the file atomically: an existing file is replaced only when the whole new
    // content was written. Returns an empty string, the message of encode(), or
    // a message naming the path and why when the file cannot be written.
    static QString write(const QString& path, const QList<QStringList>& rows);
};
