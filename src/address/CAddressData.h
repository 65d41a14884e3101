#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "TextColumn.h"

#include <array>

class ArchiveReader;
class ArchiveWriter;

// One address group: a column table in which record i is entry i of every record column.
// 51 text columns, a column of print-reservation flags, and four history columns whose
// rows (send/receive events) are keyed by the owning record's entry number.
//
// A group read from a foreign file may have record columns of unequal length; it is kept
// as read, and every accessor tolerates it: a missing entry reads as empty text, a
// missing flag as 0, and a write beyond a column's end pads that column first.
class CAddressData
{
public:
    enum Column {
        EntryNumber = 0,
        PostalCode = 1,
        Address1 = 2,
        Address2 = 3,
        Address3 = 4,
        Name = 5,
        Honorific = 6,
        Reading = 7,
        Relation = 8,
        JointName1 = 9, // joint name k (1..5) is 9 + 2(k-1), its honorific the column after
        Phone1 = 19,
        Phone2 = 20,
        Mobile1 = 21,
        Mobile2 = 22,
        Fax = 23,
        Mail1 = 24,
        Mail2 = 25,
        MobileMail1 = 26,
        MobileMail2 = 27,
        Url = 28,
        CompanyPostalCode = 29,
        Sex = 30,
        BirthDate = 31,
        Age = 32,
        Note1 = 34,
        Note2 = 35,
        Picture = 36,
        Company = 40,
        CompanyAddress1 = 41,
        CompanyAddress2 = 42,
        CompanyAddress3 = 43,
        Department = 44,
        Position = 45,
        CompanyPhone1 = 46,
        CompanyPhone2 = 47,
        CompanyFax = 48,
        CompanyMail = 49,
        CompanyUrl = 50,
        Flag = 51,
        HistoryKey = 52,
        HistorySubject = 53,
        HistoryDate = 54,
        HistoryNote = 55,
    };
    static constexpr int TextColumnCount = 51;
    static constexpr int HistoryColumnCount = 4;
    static constexpr int ColumnCount = 56;

    // The column's title as the list and CSV use it; empty for the reserved columns, the
    // flag column and the history key.
    static QString columnTitle(int column);
    // The text column with the given title, or -1.
    static int columnForTitle(const QString& title);
    // Columns 33, 37, 38 and 39: read and written with the file, never filled.
    static bool isReservedColumn(int column);

    // The number of records: the longest record column (reserved columns excluded).
    int recordCount() const;
    bool isEmpty() const { return recordCount() == 0; }

    // Text of a record column (0..50); empty when the column holds no such entry.
    QString field(int record, int column) const;
    // The same text without a copy; valid until the group changes.
    QStringView fieldView(int record, int column) const;
    void setField(int record, int column, const QString& value);
    qint32 flag(int record) const;
    void setFlag(int record, qint32 value);

    // Appends a record: values[c] for every non-reserved text column c (missing values
    // are empty), flag 0. The reserved columns are not touched.
    void appendRecord(const QStringList& values);
    // Copies record `record` of `other` to the end of this group, flag included.
    void appendRecordFrom(const CAddressData& other, int record);
    // Appends a record with every column empty and flag 0.
    void appendBlankRecord();
    // Removes entry i from every record column that has it, and every history row whose
    // key equals the record's entry number.
    void removeRecord(int record);
    // Empties all 56 columns.
    void removeAll();

    int historyCount() const;
    // Text of history column HistoryKey..HistoryNote; empty when missing.
    QString history(int row, int column) const;
    void appendHistory(const QString& key, const QString& subject, const QString& date,
                       const QString& note);
    void removeHistory(int row);

    // A text or history column as a list (a copy), as stored.
    QStringList textColumn(int column) const;
    // The number of entries a text or history column holds (0 for any other column); in a
    // book from elsewhere a column may be shorter than the record count.
    int columnSize(int column) const;
    const QList<qint32>& flags() const { return mFlags; }

    // Replaces the content by the group read from the archive. On a read error the
    // columns read so far (the failing one partly) keep what was read, the rest are
    // empty; the reader's error tells what went wrong.
    void read(ArchiveReader& in);
    void write(ArchiveWriter& out) const;

    friend bool operator==(const CAddressData& a, const CAddressData& b);

private:
    TextColumn& column(int column);
    const TextColumn* columnOrNull(int column) const;

    std::array<TextColumn, TextColumnCount> mText;
    QList<qint32> mFlags;
    std::array<TextColumn, HistoryColumnCount> mHistory;
};
