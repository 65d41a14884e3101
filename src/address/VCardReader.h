#pragma once

#include "CAddressData.h"
#include "ContactImportReport.h"

#include <QByteArray>
#include <QString>

// Reads contact files (vCard 2.1, 3.0 and 4.0, any number of cards in one file) into
// address records: one record per card in a group of its own (packed, so that a file of
// many small cards costs a bounded multiple of its size), the entry numbers left empty
// for the caller to give.
//
// Lines end at LF or CRLF; folded lines (a leading space or tab) and the soft line breaks
// of QUOTED-PRINTABLE values are joined. A value is UTF-8 unless its CHARSET names
// Shift_JIS (read as CP932); a UTF-8 value that does not decode is tried as CP932, as
// older phones wrote it without saying so. A UTF-8 byte-order mark before the first card
// is passed over. Pictures and unknown properties are passed over; a line (its folds
// joined) longer than MaxLineBytes is skipped, counted and named with its card, and the
// rest of the card is read. A card that is never closed or that yields no text is skipped
// and counted, and so is a value that decodes to nothing sound.
//
// Values go where ContactFields puts them: the first free column of their kind; what has
// none (a third telephone number, a third note) is named in the report, a second address
// goes into a free 備考 with its label, a text longer than ContactFields::MaxFieldChars is
// cut there and named, and a birthday without a year (also Apple's X-APPLE-OMIT-YEAR) is
// named instead of stored.
class VCardReader
{
public:
    static constexpr int MaxLineBytes = 1 << 20;

    struct Result
    {
        CAddressData records;
        int skippedCards = 0;  // cards not read at all
        int skippedValues = 0; // properties of read cards whose value was unusable
        QString error;         // a message for the user when the file could not be read
        ContactImportReport report; // what was read but not kept as it was
    };

    static Result read(const QByteArray& bytes);
    // Reads a regular file a piece at a time (the memory held is bounded by MaxLineBytes
    // and the records, not the file); "エラーが発生しました。" when it cannot be read,
    // AddressCsvImport::checkTextFile()'s when it is too large or zero-filled,
    // "vCardが見つかりませんでした。" when it holds no card at all.
    static Result readFile(const QString& path);

    // Half-width katakana and hiragana as full-width katakana; other characters kept.
    static QString fullWidthKatakana(const QString& text);
};
