#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class CAddressData;

// Writes address records as a vCard 4.0 file: UTF-8, CRLF line ends, lines folded at 75
// bytes without splitting a character. The name goes to N (split at its first half-width
// space into family and given name) and FN, the reading to N's SORT-AS and to
// X-PHONETIC-LAST-NAME / X-PHONETIC-FIRST-NAME (split at its first full-width space), the
// addresses to ADR (TYPE=home, TYPE=work) with 住所1 as the street, and the telephone
// numbers, mail addresses and URLs by type, so that VCardReader reads the same texts back.
class VCardWriter
{
public:
    // The cards of the given records of a group, in that order; records out of range are
    // passed over.
    static QByteArray write(const CAddressData& data, const QList<int>& records);

    // Writes the file atomically; empty on success, else the message to show.
    static QString writeFile(const QString& path, const CAddressData& data,
                             const QList<int>& records);
};
