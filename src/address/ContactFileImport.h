#pragma once

#include "VCardReader.h"

#include <QString>

// A contact file of any kind the address book reads, told apart by its content: a vCard
// file (its first line, after a byte-order mark and blank lines, is BEGIN:VCARD), else a
// contact CSV file whose header ContactCsvImport knows (Google, Outlook in English or
// Japanese, Outlook.com, Thunderbird), read as the CSV import window reads it.
class ContactFileImport
{
public:
    struct Result
    {
        VCardReader::Result contacts; // records, what was skipped, the report, an error
        QString format;               // "vCard", "Googleコンタクト", "Outlook", "Thunderbird"
    };

    // Reads the file. The error (in contacts.error) is the reader's, or
    // "連絡先のファイル（vCard、または Google・Outlook・Thunderbird の CSV）ではありません。"
    // for a CSV file with a header no preset knows.
    static Result read(const QString& path);

    // Whether the bytes that open a file are those of a vCard file.
    static bool looksLikeVCard(const QByteArray& head);
};
