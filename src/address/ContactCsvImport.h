#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class ContactImportReport;

// Address records from the contact CSV files of mail programs and phones' address books,
// mapped by the names of the header line: Google Contacts (its current and its older
// layout), Outlook (English or Japanese headers; Outlook.com's with its Yomi columns) and
// Thunderbird. Header names are compared
// without case, spaces or the difference between full- and half-width forms.
//
// 氏名 is "family given" with a half-width space, フリガナ the readings as
// ContactFields::reading() gives them, addresses as ContactFields::fillAddress() writes
// them (住所1 region + city + street, 住所2 the further street lines; Western ones in their
// own order), a second address in a free 備考 with its label, dates of birth as
// YYYY/MM/DD, notes on one line (" / " for a line break). Google's labelled columns ("Phone 1 - Label", "Phone 1 - Value")
// go by their label: mobile, fax, work or other; a value holding several numbers
// (" ::: ") gives each its own column while there is one free. A value for which no
// column of its kind is free is named in the report.
class ContactCsvImport
{
public:
    enum Preset
    {
        Google,
        Outlook,
        Thunderbird,
        PresetCount
    };

    // "Googleコンタクト", "Outlook", "Thunderbird".
    static QString presetName(Preset preset);

    // Whether the header is the preset's: it names a column of the name (family, given
    // or full name) as the preset writes it.
    static bool recognises(const QStringList& header, Preset preset);
    // The preset whose header this is (the one knowing most of its columns), or -1.
    static int presetOf(const QStringList& header);

    // The lines of such a file with a line break inside a quoted field (a multi-line
    // address or note) joined, the break kept as LF for the field's column to decide: a line holding an odd number of quotes takes the next
    // line, at most MaxJoinedLines of them, so a stray quote costs little.
    static constexpr int MaxJoinedLines = 8;
    static QStringList joinedLines(const QStringList& lines);
    // The lines of a file for the CSV import window: joined as above when the first line
    // is a contact file's header (presetOf), else as they are.
    static QStringList importLines(const QStringList& lines);
    // The fields of the first line as the import window splits it.
    static QStringList headerOf(const QStringList& lines);

    // One record per row (CAddressData::TextColumnCount texts, the entry number empty).
    // With a report, postal codes whose leading zero was dropped are given it back
    // (ContactFields::restoreCodes) and what found no place is named there.
    static QList<QStringList> records(const QStringList& header, const QList<QStringList>& rows,
                                      Preset preset, ContactImportReport* report = nullptr);
};
