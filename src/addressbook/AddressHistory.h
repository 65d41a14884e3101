#pragma once

#include "AddressListRows.h"

#include <QList>
#include <QString>
#include <QStringList>

class AddressBook;
class CORINOTEDoc;

// The send/receive history of address records: rows of a group's history columns, each
// keyed by the entry number of the record it belongs to.
//
// Sender records (group 19) keep no history: their list stays empty and adding history
// to them does nothing. Operations that change rows take an undo snapshot first and mark
// the document modified; stored history rows are named by their index in the group.
class AddressHistory
{
public:
    // One row as the history dialog edits it.
    struct Entry
    {
        QString subject;
        QString date; // "YYYY/MM/DD"
        QString note;
    };

    // The subjects the history dialog offers, the empty one first.
    static QStringList subjects();

    // "送受信履歴を選択してください。" when no history row is selected, and for the change
    // command also "送受信履歴を一つだけ選択してください。" for several.
    static QString checkRowsSelected(int count);
    static QString checkOneRowSelected(int count);

    static bool hasHistory(int group);
    // The stored rows of the record's history, newest first by the date text (compared
    // byte-wise); rows of the same date in stored order.
    static QList<int> rowsOf(const AddressBook& book, const AddressRecordRef& ref);
    static Entry entry(const AddressBook& book, int group, int row);

    // Appends one row per record (senders skipped). Returns whether anything was added.
    static bool add(CORINOTEDoc& doc, const QList<AddressRecordRef>& refs, const Entry& entry);
    // Replaces subject, date and note of a stored row; its key and place stay.
    static void change(CORINOTEDoc& doc, int group, int row, const Entry& entry);
    // Removes stored rows of the group.
    static void remove(CORINOTEDoc& doc, int group, const QList<int>& rows);
};
