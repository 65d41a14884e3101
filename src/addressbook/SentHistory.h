#pragma once

#include "AddressHistory.h"
#include "AddressListRows.h"

#include <QDate>
#include <QList>
#include <QString>

class AddressBook;
class CORINOTEDoc;
class Profile;

// What was sent, recorded after a print: the address records on the printed pages get one
// history row each ("印刷した宛先に送受信履歴を追加しますか？"). The question can be turned
// off in 環境設定; the subject last used is remembered.
class SentHistory
{
public:
    // Settings keys: whether to ask after printing (1, the default, or 0) and the subject
    // last recorded.
    static QString askKey();
    static QString subjectKey();

    static bool asks(const Profile* profile);
    static void setAsks(Profile* profile, bool asks);

    // The address records printed when the pages (1-based; empty for all) go out: for
    // each record of the document's record list on a printed sheet, the record of groups
    // 0–18 it was made from: the same entry number and name. Blank records, records no
    // longer in the book (or renamed since the pages were built) and CSV rows (which are
    // no records) are left out; each record once, in print order.
    static QList<AddressRecordRef> printedRecords(const CORINOTEDoc& doc, const QList<int>& pages);

    // 送信-年賀状 in December and January, else the subject last used (送信-年賀状 when
    // there is none); today's date.
    static AddressHistory::Entry proposal(const Profile* profile, const QDate& today);

    // The records that have no history row of the entry's subject on the entry's day yet.
    static QList<AddressRecordRef> withoutRow(const AddressBook& book,
                                              const QList<AddressRecordRef>& refs,
                                              const AddressHistory::Entry& entry);
    // One history row per record in one undo step, and the subject remembered; a record
    // that has a row of that subject on that day already gets none (printing twice on a
    // day records the sending once). Returns whether anything was added.
    static bool record(CORINOTEDoc& doc, const QList<AddressRecordRef>& refs,
                       const AddressHistory::Entry& entry);
};
