#pragma once

#include "AutoReplaceRule.h"

#include <QList>
#include <QString>
#include <QStringList>

class ArchiveReader;
class ArchiveWriter;

// The auto-replace rules of the user, kept as a column table: twelve arrays, rule i being
// entry i of each, in the order enabled, attribute, search, at least, at most,
// replacement, not found, text colour, keep text colour, background colour, keep
// background, background picture. The rules belong to the user, not to a document: they
// live in the file "ONUARDFile.dat" of the data folder, which is nothing but the twelve
// arrays one after the other (a count, then the elements: ints as 4 bytes, strings as
// archive strings).
//
// Every column has the same length at every moment; a file whose columns disagree is cut
// to its shortest column as it is read.
class CAutoReplaceData
{
public:
    static constexpr int ColumnCount = 12;

    int count() const { return int(mEnabled.size()); }
    bool isEmpty() const { return count() == 0; }
    // Rule i; a default rule when i is out of range.
    AutoReplaceRule rule(int i) const;
    void append(const AutoReplaceRule& rule);
    // Replaces rule i; does nothing when i is out of range.
    void replace(int i, const AutoReplaceRule& rule);
    // Removes the rules with these indices at once (duplicates and invalid ones ignored).
    void remove(QList<int> indices);
    void setEnabled(int i, bool enabled);
    void clear();

    // Replaces the rules by the body read from the archive. On a read error the rules are
    // what could be read: every column cut to the shortest one. Returns whether the whole
    // body was read.
    bool read(ArchiveReader& in);
    void write(ArchiveWriter& out) const;

    // The rules file of a data folder.
    static QString fileName() { return QStringLiteral("ONUARDFile.dat"); }
    static QString filePath(const QString& dataFolder);

    // Loads the rules file. A missing file is no error: the rules are empty. Returns an
    // empty string on success, else a message for the user (the rules then are what
    // could be read).
    QString loadFile(const QString& path);
    // Writes the rules file atomically: a failed save leaves the old file as it was and
    // returns a message for the user; success returns an empty string.
    QString saveFile(const QString& path) const;

    friend bool operator==(const CAutoReplaceData& a, const CAutoReplaceData& b);
    friend bool operator!=(const CAutoReplaceData& a, const CAutoReplaceData& b)
    {
        return !(a == b);
    }

private:
    void cutToShortest();

    QList<qint32> mEnabled;
    QStringList mAttribute;
    QStringList mSearch;
    QStringList mAtLeast;
    QStringList mAtMost;
    QStringList mReplacement;
    QStringList mNotFound;
    QList<qint32> mTextColor;
    QList<qint32> mKeepTextColor;
    QList<qint32> mBackColor;
    QList<qint32> mKeepBackColor;
    QStringList mBackPicture;
};
