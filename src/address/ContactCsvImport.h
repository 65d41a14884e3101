#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Address records from the contact CSV files of mail programs and phones' address books,
// mapped by the names of the header line: Google Contacts (its current and its older
// layout) and Outlook, each with English or Japanese headers. Header names are compared
// without case, spaces or the difference between full- and half-width forms.
//
// 氏名 is "family given" with a half-width space, フリガナ the readings in full-width
// katakana joined by a full-width space, 住所1 region + city + street, 住所2 the further
// street lines; postal codes are stored as PostalCode::storedForm() gives them, dates of
// birth as YYYY/MM/DD. Google's labelled columns ("Phone 1 - Label", "Phone 1 - Value")
// go by their label: mobile, fax, work or other; a value holding several numbers
// (" ::: ") gives each its own column while there is one free.
class ContactCsvImport
{
public:
    enum Preset
    {
        Google,
        Outlook,
        PresetCount
    };

    // "Googleコンタクト", "Outlook".
    static QString presetName(Preset preset);

    // Whether the header is the preset's: it names a column of the name (family, given
    // or full name) as the preset writes it.
    static bool recognises(const QStringList& header, Preset preset);
    // The preset whose header this is (the one knowing most of its columns), or -1.
    static int presetOf(const QStringList& header);

    // The lines of such a file with a line break inside a quoted field (a multi-line
    // address) joined by a space: a line holding an odd number of quotes takes the next
    // line, at most MaxJoinedLines of them, so a stray quote costs little.
    static constexpr int MaxJoinedLines = 8;
    static QStringList joinedLines(const QStringList& lines);
    // The lines of a file for the CSV import window: joined as above when the first line
    // is a contact file's header (presetOf), else as they are.
    static QStringList importLines(const QStringList& lines);
    // The fields of the first line as the import window splits it.
    static QStringList headerOf(const QStringList& lines);

    // One record per row (CAddressData::TextColumnCount texts, the entry number empty).
    static QList<QStringList> records(const QStringList& header, const QList<QStringList>& rows,
                                      Preset preset);
};
