#pragma once

#include "AddressListRows.h"

#include <QList>
#include <QString>
#include <QStringList>

class AddressBook;
class CAddressData;
class CORINOTEDoc;
class ContactImportReport;

// Contact files (vCard) in and out of the address groups: the question before an import,
// the import itself with the group's own entry numbers, the report of what was passed
// over, and the export of listed records. The window and orinote-batch only gather the
// file and the group.
class VCardExchange
{
public:
    // The group's name as questions use it: "あ行" … "わ行", "ABC" … "YZ", "差出人".
    static QString groupName(int group);
    // The group a name stands for: a tab caption ("あ", "ABC", "差出人"), a name as above
    // ("あ行") or a number 0–19; -1 for anything else.
    static int groupForName(const QString& name);
    // The refusal of a name that is no group.
    static QString unknownGroupMessage(const QString& name);

    // "vCardファイル「contacts.vcf」の12件を「あ行」に追加します。よろしいですか？"
    static QString importQuestion(const QString& path, int group, int cards);
    // What was passed over, or empty: "読み込めなかったvCard 2件と項目 3件を飛ばしました。"
    static QString skippedMessage(int skippedCards, int skippedValues);
    // Everything a reader has to say after an import: skippedMessage() and the lines of
    // its report (values without a place, values skipped or cut, restored codes), or empty.
    static QString readerMessage(int skippedCards, int skippedValues,
                                 const ContactImportReport& report);
    // What an import without a window tells: "contacts.csv（Thunderbird）: 3件を読み込み、
    // 「あ行」に3件を追加しました。" followed by readerMessage()'s lines.
    static QString importSummary(const QString& path, const QString& format, int group,
                                 int added, int skippedCards, int skippedValues,
                                 const ContactImportReport& report);

    // Appends the records (as VCardReader gives them) to the group, numbered on from the
    // group's next entry number. Returns the number appended; -1 (nothing changed) when
    // the numbers would run out or the group is no group.
    static int appendRecords(AddressBook& book, int group, const CAddressData& records);
    // The same on the document as one undo step, the document then marked modified.
    static int importRecords(CORINOTEDoc& doc, int group, const CAddressData& records);

    // Writes the records, in the given order, as a vCard file; empty on success, else the
    // message to show. "出力する住所録データがありません。" when there is none.
    static QString exportRecords(const AddressBook& book, const QList<AddressRecordRef>& refs,
                                 const QString& path);
};
