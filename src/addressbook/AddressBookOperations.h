#pragma once

#include "AddressListRows.h"

#include <QList>
#include <QString>
#include <QStringList>

class AddressBook;
class CORINOTEDoc;

// The operations of the address book window on the document's address groups: records
// added, changed, deleted and reordered, print reservations, the sender, links, the print
// limit and the address book file.
//
// Every operation that changes the groups takes an undo snapshot of the document first
// and marks the document modified afterwards; one that finds nothing to change does
// neither. Records are named by AddressRecordRef (group and index), as the window's rows
// hold them. The check functions return the message to show, or an empty string when the
// command may go on.
class AddressBookOperations
{
public:
    // Commands 410–416 of the window.
    enum LinkCommand
    {
        Mail1Command = 410,
        Mail2Command = 411,
        MobileMail1Command = 412,
        MobileMail2Command = 413,
        CompanyMailCommand = 414,
        UrlCommand = 415,
        CompanyUrlCommand = 416
    };

    // "このリストの住所録データは編集できません。" on tabs 19–21.
    static QString checkEditable(int tab);
    // "住所録データを選択してください。" when no record row is selected.
    static QString checkRecordsSelected(int count);
    // As above, and "住所録データを一つだけ選択してください。" for several rows.
    static QString checkOneRecordSelected(int count);

    // "登録番号が上限に達しているため、このグループには住所録データを追加できません。" when
    // the group has no next entry number (AddressBook::nextEntryNumber).
    static QString checkEntryNumberLeft(const AddressBook& book, int group);

    // The values the record editor opens with for a new record of the group: the next
    // entry number, age "0", the honorific given (never for a sender), everything else
    // empty. One value per record column (0–50).
    static QStringList newRecordValues(const AddressBook& book, int group,
                                       const QString& honorific = QString());
    // The record's values, one per record column.
    static QStringList recordValues(const AddressBook& book, const AddressRecordRef& ref);

    // Appends a record to the group with the given values (flag 0). An empty entry number
    // is replaced by the group's next one; without a next one nothing is added.
    static void addRecord(CORINOTEDoc& doc, int group, QStringList values);
    // Replaces every record column of the record but its entry number and the reserved
    // columns; the flag stays.
    static void changeRecord(CORINOTEDoc& doc, const AddressRecordRef& ref,
                             const QStringList& values);
    // Removes the records and their history rows. The sender index keeps naming the same
    // sender record (0 when it is the one removed), and search results keep naming the same
    // records.
    static void deleteRecords(CORINOTEDoc& doc, const QList<AddressRecordRef>& refs);

    // Reserves (flag 1) or releases (flag 0) the records. On tab 22 nothing changes; on
    // tabs 0–18 the message of checkRecordsSelected() when nothing is selected.
    static QString setReservation(CORINOTEDoc& doc, int tab, const QList<AddressRecordRef>& refs,
                                  bool reserved);

    // The check mark clicked or Space pressed: releases the records when every one of them
    // is reserved, else reserves them all; as setReservation otherwise.
    static QString toggleReservation(CORINOTEDoc& doc, int tab,
                                     const QList<AddressRecordRef>& refs);

    // Stores the group in the given order of its record indices (a list row order, usually
    // after sorting): the print order. History rows stay as they are; the sender and search
    // results follow their records. Indices missing from the order keep their records, after
    // the others; repeated or foreign indices are ignored.
    static void makeDefaultOrder(CORINOTEDoc& doc, int group, const QList<int>& order);

    // Makes record `record` of the sender group the current sender.
    static QString setSender(CORINOTEDoc& doc, const QList<AddressRecordRef>& refs);

    // The text to hand to the desktop for a link command: "mailto:" followed directly by
    // the address for 410–414, the URL for 415 and 416 (http:// put before one typed
    // without a scheme). Empty with *message set to "メールアドレスが設定されていません。"
    // or "URLが設定されていません。" when the column is empty, and to "このURLは開けません。
    // …" or "このメールアドレスは開けません。" when the link would open anything but an
    // http, https or mailto link (a path, file:, a program's own scheme).
    static QString linkText(const AddressBook& book, const AddressRecordRef& ref, int command,
                            QString* message);

    // Undo and redo of the window (nothing happens when not offered): the document's
    // own, with the search results kept for the records that are still there afterwards,
    // wherever they now stand, as the window keeps them until the next search.
    static void undo(CORINOTEDoc& doc);
    static void redo(CORINOTEDoc& doc);

    // The address book file: loading replaces the twenty groups (what was read of a broken
    // file stays), sets the sender index to 0 and forgets the search results. Returns a
    // message for the user, empty on success; *changed says whether the groups were
    // replaced (a file that cannot be opened changes nothing).
    static QString loadFile(CORINOTEDoc& doc, const QString& path, bool* changed);
    static QString saveFile(CORINOTEDoc& doc, const QString& path);

    // After the groups were changed outside these operations (CSV import): drops every
    // search result whose record is no longer the one found in `before`, and marks the
    // document modified when the groups differ.
    static void groupsReplaced(CORINOTEDoc& doc, const AddressBook& before);
};
