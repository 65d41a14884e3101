#pragma once

#include "PostalAddress.h"

#include <QList>
#include <QString>

class PostalTable;

// Japan Post's customer barcode (カスタマバーコード): the content made from a postal code
// and an address, its 20 characters and check character, and its 67 bars.
//
// The content is the code's seven digits and the address number (AddressNumber) of the
// part of the address after the town name. The town ends after the longest name of
// prefecture, city and town the table gives for the code; without the table, or when no
// name is found, the address number starts at the address's first digit. No barcode is
// made for a code that cannot fill the digit boxes, nor for an area's representative
// code (the table's entry without a town, "以下に掲載がない場合"). A code the loaded
// table does not hold (a business's own code, a post-office box code) is encoded alone,
// its seven digits padded with CC4: the manual leaves the address number out for such
// codes, since the code itself names the addressee.
class CustomerBarcode
{
public:
    enum class Bar : quint8 { Long, Ascender, Descender, Timing };

    static constexpr int Characters = 20;
    // The merge fields whose regions draw the barcode: "バーコード(R)", "バーコード(S)".
    static bool isField(const QString& attribute);
    static constexpr int BarCount = 67;

    struct Content
    {
        QString text;  // "26300233-30-8-403"; empty when there is no barcode
        QString error; // why there is none
    };

    // The address lines (住所1–3) as one address for content(): the non-empty lines
    // joined by a space, which the address number reads as a hyphen, so 2-8-15 and a
    // room number 201 on the next line give 2-8-15-201, not 2-8-15201.
    static QString joinedAddress(const QString& line1, const QString& line2,
                                 const QString& line3);
    // The content of a record's barcode; `table` may be null or empty.
    static Content content(const QString& postalCode, const QString& address,
                           const PostalTable* table);
    // Where the part after the town name starts in the address; -1 when no name of the
    // entries is found.
    static qsizetype townEnd(const QString& address, const QList<PostalAddress>& entries);

    // The 20 characters between the start and the check character as their values:
    // digits 0–9, "-" 10, CC1–CC8 11–18 (a letter is a control code and a digit); padded
    // with CC4 (14), or cut at 20 (a control code on the 20th place kept without its digit).
    static QList<int> characters(const QString& content);
    // The check character: the value that makes the sum of all 21 a multiple of 19.
    static int checkCharacter(const QList<int>& characters);
    // "0"–"9", "-", "CC1"–"CC8".
    static QString characterText(int value);

    // The 67 bars (start, 20 characters, check, stop) as libzint encodes the content;
    // empty, with *error set, when it cannot.
    static QList<Bar> bars(const QString& content, QString* error = nullptr);
    // The same bars from the manual's table of the 19 values.
    static QList<Bar> barsOf(const QList<int>& characters);
    // The values of the 21 characters (the 20 and the check) the bars stand for; empty
    // when they are no barcode. The inverse of the encoding, for checks.
    static QList<int> decode(const QList<Bar>& bars);
};
