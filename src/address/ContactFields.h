#pragma once

#include <QString>
#include <QStringList>

#include <initializer_list>

class ContactImportReport;
class PostalTable;

// The rules both contact readers (vCard files and contact CSV files) follow for the texts
// they put into an address record, so that a contact lands in the same columns from either.
class ContactFields
{
public:
    // The longest text a contact value keeps; the rest is cut and named in the report.
    static constexpr int MaxFieldChars = 4096;

    // An address as contact files give it, in the order of vCard's ADR.
    struct Address
    {
        QString poBox, extended, street, city, region, code, country;
        bool isEmpty() const;
    };

    // The text cut to MaxFieldChars (a surrogate pair is never split), noted in the
    // report under `who` and `kind` when it was longer.
    static QString bounded(const QString& text, ContactImportReport* report, const QString& who,
                           const QString& kind);

    // A reading as the address book keeps it: full-width katakana, its parts separated by
    // one full-width space, whatever separated them in the file (half- or full-width
    // spaces, ";" or "," of a structured value).
    static QString reading(const QString& text);

    // A text for a one-line column: line breaks (CRLF, CR or LF, also the escaped ones a
    // reader has turned into breaks) as " / ", runs of them as one.
    static QString singleLine(const QString& text);

    // Whether the address is written in Japanese: a kana or kanji character in any of its
    // lines. Any other is written in the Western order.
    static bool isJapanese(const Address& address);

    // Fills a record's postal code and two address lines from the address.
    // Japanese: 住所1 region + city + street (the extended part when those are empty),
    // 住所2 the extended part and the PO box. Western: 住所1 street, extended part and PO
    // box, 住所2 city, region, code and country with spaces; the code column keeps the code
    // only when it is a Japanese one. Codes are stored as PostalCode::storedForm() gives.
    static void fillAddress(QStringList& record, int codeColumn, int line1, int line2,
                            const Address& address);
    // The address on one line with its label, for a note: "自宅2: 〒164-0001 東京都…".
    static QString noteLine(const QString& label, const Address& address);

    // The first empty column of the list takes the value; false when none is empty.
    static bool place(QStringList& record, std::initializer_list<int> columns,
                      const QString& value);

    // The code with the leading zero a spreadsheet dropped put back ("600001", "60-0001"
    // → "060-0001"), when that code is in the table and the address line names a city of
    // it; empty otherwise.
    static QString restoredCode(const QString& code, const QString& address,
                                const PostalTable& table);
    // The same for the record's two codes (PostalCode with Address1, CompanyPostalCode
    // with CompanyAddress1) against the program's postal table; each restored code is
    // noted in the report.
    static void restoreCodes(QStringList& record, ContactImportReport* report);
};
