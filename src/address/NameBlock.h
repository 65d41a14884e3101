#pragma once

#include <QList>
#include <QStringList>
#include <QString>

class CAddressData;

// The names of one addressee as a name block (連名の宛名): the main name split into
// surname and given name, its honorific, and the joint names that are not empty with
// theirs, optionally under the company, department and position.
//
// The merge writes a block as the region's text, so the pages keep it like any other
// text: one line per entry, separated by "\n"; a name line holds surname, given name and
// honorific separated by "\t" (a joint name's surname is empty unless it has its own), a
// company line has no
// tab. fromText() reads back what toText() wrote; any other text is one name line.
struct NameBlock
{
    struct Name
    {
        QString surname;
        QString given;
        QString honorific;
    };

    QStringList company; // 会社, then 部署 and 役職 on one line; empty ones left out
    QList<Name> names;

    bool isEmpty() const { return company.isEmpty() && names.isEmpty(); }

    // The block of a record: 氏名 split at its first space (full- or half-width; without
    // one the whole name is the surname), 敬称, then 連名1–5 with 敬称1–5 where the joint
    // name is not empty; a joint name with a space has its own surname (鈴木 花子), one
    // without is a given name alone, and an empty 敬称n takes 敬称. With `withCompany`,
    // the company lines when the record has a 会社.
    static NameBlock fromRecord(const CAddressData& records, int record, bool withCompany);

    // Whether a region's attribute is a name block field: "宛名(R)", "宛名(S)",
    // "宛名会社(R)" or "宛名会社(S)".
    static bool isField(const QString& attribute);

    // A record's values (one per text column) as they are saved: a joint name with an
    // empty honorific takes the main honorific.
    static void fillJointHonorifics(QStringList& values);

    QString toText() const;
    static NameBlock fromText(const QString& text);
};
