#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One merge field (差し込み項目): a name a text region's attribute can hold, such as
// "氏名(R)", "郵1(S)" or "日付2(A)", and where its value comes from.
//
// The catalogue lists 64 recipient names "(R)", the same 64 names as sender names "(S)",
// then nine automatic names "(A)". A region shows a field only when its attribute equals
// the field's name exactly; anything else is fixed text.
struct MergeField
{
    enum class Source
    {
        Recipient,
        Sender,
        Automatic
    };

    enum class Kind
    {
        Column,          // the text of a record column
        PostalCode,      // a postal code column, normalised (see normalisedPostalCode())
        PostalDigit,     // one byte position of a normalised postal code
        Picture,         // a record's picture: the region's background picture
        DateSlashes,     // 2004/5/3
        DateKanji,       // 2004年5月3日
        Year,            // 2004
        Month,           // 5
        Day,             // 3
        AutoPicture,     // filled by the picture printing tool: empty text here
        PictureFileName, // filled by the picture printing tool: empty text here
        SheetNo,         // the region's orderSheetNo
        PageNo,          // the page of the region, from 1
        Barcode,         // the customer barcode's content (CustomerBarcode) of the record
        NameBlock,       // the record's names as a name block (NameBlock)
        NameBlockCompany // the same under the company, department and position
    };

    QString name; // with its suffix
    Source source = Source::Automatic;
    Kind kind = Kind::Column;
    int column = -1;  // the address record column for (R) and (S) fields
    int bytePos = -1; // for PostalDigit: the byte of the normalised code, 0..7

    static constexpr int RecipientCount = 64;
    static constexpr int AutomaticCount = 9;
    static constexpr int CatalogueSize = 2 * RecipientCount + AutomaticCount;

    // Every field in the order the attribute list offers them: (R), (S), (A).
    static const QList<MergeField>& catalogue();
    // The field whose name equals the attribute exactly, or nullptr for fixed text.
    static const MergeField* find(const QString& attribute);
    // The CSV column markers the attribute list offers: "@1(CSV)" … "@10(CSV)".
    static constexpr int CsvChoiceCount = 10;
    // The attribute choices of the text region page: an empty entry, every name, then
    // the CSV column markers of the first CsvChoiceCount columns.
    static QStringList attributeChoices();

    // The suffixes that tell the families apart, and the CSV column marker.
    static QString recipientSuffix() { return QStringLiteral("(R)"); }
    static QString senderSuffix() { return QStringLiteral("(S)"); }
    static QString automaticSuffix() { return QStringLiteral("(A)"); }
    static QString csvMarker() { return QStringLiteral("(CSV)"); }
    static QString sheetNoName() { return QStringLiteral("シートNo.(A)"); }
    static QString pageNoName() { return QStringLiteral("ページNo.(A)"); }

    // A postal code as the digit boxes print it: the code itself when it is exactly 8
    // CP932 bytes long ("123-4567"), else 8 spaces, so a missing or malformed code
    // prints blank boxes.
    static QString normalisedPostalCode(const QString& code);
    // The character of a normalised code that starts at byte `bytePos`; a space when that
    // byte is the second half of a double-byte character, so a digit box never shows
    // half a character.
    static QString postalDigit(const QString& normalised, int bytePos);
};
