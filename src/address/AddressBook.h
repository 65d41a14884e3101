#pragma once

#include "CAddressData.h"

#include <QString>

#include <array>

class ArchiveReader;
class ArchiveWriter;

// The twenty address groups of the document: the kana rows あ … わ (0–9), the Latin
// blocks ABC … YZ (10–18) and the sender group 差出人 (19). The same block of twenty
// group bodies is the address book file (.ona) and the tail of the document file.
class AddressBook
{
public:
    static constexpr int GroupCount = 20;
    static constexpr int SenderGroup = 19;

    // The tab label ("あ", …, "差出人") and entry-number prefix ("A-", …, "SENDER-").
    static QString groupLabel(int group);
    static QString entryPrefix(int group);

    CAddressData& group(int g) { return mGroups[size_t(g)]; }
    const CAddressData& group(int g) const { return mGroups[size_t(g)]; }

    // Empties every group.
    void clear();
    // Whether no group holds a record.
    bool isEmpty() const;

    // The next entry number of a group: its prefix and one more than the largest sequence
    // number among its records (entry numbers that do not parse are ignored). Empty when
    // the largest is already the largest 64-bit number: the group takes no new record.
    QString nextEntryNumber(int group) const;
    // The sequence number of nextEntryNumber(), 0 when there is none.
    qint64 nextEntrySequence(int group) const;

    // The record list of data mode: (printStartPosition − 1) blank records, then every
    // reserved record of groups 0–18 in group order and stored order. Senders never
    // take part.
    CAddressData buildRecordList(int printStartPosition) const;

    // The most records one print reservation may hold.
    static constexpr int PrintLimit = 500;
    // The number of reserved records of groups 0–18, and the message closing the address
    // book window (and every print) gives when it exceeds PrintLimit, empty otherwise.
    int reservedCount() const;
    QString checkPrintLimit() const;

    // Reads the twenty groups in order, each replacing the group's content. A read that
    // stops part-way leaves the groups before it as read, the failing group with what
    // was read of it and the later ones unchanged; the reader's error says why.
    void read(ArchiveReader& in);
    void write(ArchiveWriter& out) const;

    // The address book file. Both return an empty string on success and a message for
    // the user otherwise. A failed load still keeps what was read (see read()), except
    // that a file holding an empty book followed by more bytes (zeros a crash left) is
    // refused and changes nothing; a failed store leaves any existing file untouched.
    QString loadFile(const QString& path);
    QString storeFile(const QString& path) const;

    friend bool operator==(const AddressBook& a, const AddressBook& b)
    {
        return a.mGroups == b.mGroups;
    }

private:
    std::array<CAddressData, GroupCount> mGroups;
};
