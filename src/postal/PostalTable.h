#pragma once

#include "PostalAddress.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>

// The national postal code table, read from the program's own file (PostalTableFormat.h):
// the addresses of a code, and the codes of an address.
//
// The file is read whole and checked once (every reference inside the pool and the lists,
// codes in order), so a damaged file is refused on loading and never read out of bounds
// afterwards. Lookups do a binary search over the file's bytes; the index for addresses
// is built on the first reverse lookup.
class PostalTable
{
public:
    PostalTable();
    ~PostalTable();
    PostalTable(const PostalTable&) = delete;
    PostalTable& operator=(const PostalTable&) = delete;

    // Loads a file; an empty string, or a message for the user (the table is then empty).
    QString load(const QString& path);
    // The message for a table file that is not there: lookup is unavailable.
    static QString missingMessage();
    // The same for bytes in memory.
    QString loadBytes(const QByteArray& bytes);
    bool isLoaded() const { return !mBytes.isEmpty(); }

    // The addresses of a code typed in any form PostalCode::digits() takes, in the
    // table's order; empty for a malformed or unknown code.
    QList<PostalAddress> addresses(const QString& code) const;

    // The codes of an address line: the longest prefecture, city and town names that the
    // line starts with (the prefecture may be left out; widths, spaces and "ヶ"/"ケ" do not
    // matter). Without a matching town, the code that covers the rest of the city. Several
    // when the names leave a choice (the same town under two codes, a city name found in
    // two prefectures); empty when no city matches.
    QList<PostalAddress> codesForAddress(const QString& address) const;

    // The form in which names are compared with an address line.
    static QString matchKey(const QString& text);

    int entryCount() const { return int(mEntryCount); }

private:
    struct ReverseIndex;
    quint32 u32(qsizetype offset) const;
    quint16 u16(qsizetype offset) const;
    QString poolString(quint32 ref) const;
    PostalAddress entryAddress(qsizetype entryOffset, const QString& code) const;
    // The first entry of a sorted list of `count` entries starting at `base` whose code is
    // not below `code`.
    quint32 lowerBound(qsizetype base, quint32 count, quint32 code) const;
    const ReverseIndex& reverseIndex() const;

    QByteArray mBytes;
    quint32 mPrefCount = 0, mCityCount = 0, mEntryCount = 0, mPrefixCount = 0;
    qsizetype mPrefs = 0, mCities = 0, mEntries = 0, mPrefixes = 0, mPool = 0, mPoolSize = 0;
    mutable std::unique_ptr<ReverseIndex> mReverse;
};
