#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

class CAddressData;
class CORINOTEDoc;

// The search of the address book window (検索): up to five keywords, each looked for in
// a chosen field, and conditions on 関係, 性別, the birth date, the age and the print
// reservation, combined with AND or OR. Groups 0–18 are searched one by one; the result
// of a group is a list of its record indices.
class AddressSearch
{
public:
    static constexpr int KeywordCount = 5;

    enum BirthCondition
    {
        AnyBirthDate,
        BornAfter,      // 以後
        BornOnOrAfter,  // 以後（この日付も含む）
        BornOn,         // この日付のみ
        BornOnOrBefore, // 以前（この日付も含む）
        BornBefore      // 以前
    };
    enum AgeCondition
    {
        AnyAge,
        OlderThan,  // より上
        AtLeast,    // 以上
        SameAge,    // 同じ年齢
        AtMost,     // 以下
        YoungerThan // 未満
    };
    enum Reservation
    {
        AnyReservation,
        NotReserved, // 未
        Reserved     // 予約済
    };

    // 送受信履歴: records with (あり) or without (なし) a history row whose subject
    // contains `subject` (empty: any subject) and whose date lies in from..to (an invalid
    // end leaves that side open).
    struct HistoryCondition
    {
        QString subject;
        QDate from;
        QDate to;
        bool present = true;
    };

    struct Criteria
    {
        bool useOr = false;
        // An index into fieldNames(), -1 when the selector has no selection.
        std::array<int, KeywordCount> fields{0, 0, 0, 0, 0};
        std::array<QString, KeywordCount> keywords;
        QString relation; // free text; "指定なし" (or empty) applies no condition
        int sex = 0;      // index into sexChoices()
        int birthCondition = AnyBirthDate;
        QDate birthDate;
        int ageCondition = AnyAge;
        int age = 0;
        int reservation = AnyReservation;
        // 送受信履歴: each condition is one more condition of the search.
        QList<HistoryCondition> history;
    };

    // The range of a whole year, for a history condition.
    static void setHistoryYear(HistoryCondition& condition, int year);
    // The date of a history row ("YYYY/MM/DD", also without leading zeros or with "-");
    // invalid when unreadable.
    static QDate historyDate(const QString& text);
    // The records of one group that have a history row matching a history condition's
    // subject and dates (あり/なし is left to the caller), one flag per record.
    static std::vector<bool> historyMatches(const CAddressData& group,
                                            const HistoryCondition& condition);

    // The choices of the search dialog, in order.
    static QStringList fieldNames();
    static QStringList relationChoices();
    static QStringList sexChoices();
    static QStringList birthConditions();
    static QStringList ageConditions();
    static QStringList reservationChoices();
    // The record columns a field selector searches ("住所" → 住所1, 住所2, 住所3, …).
    static QList<int> fieldColumns(int field);

    // The message that keeps the dialog open, or an empty string: a selector without
    // selection, no keyword and no 関係 text, or no keyword and no condition at all.
    static QString validate(const Criteria& criteria);

    // The records of one group that the criteria find, each once. AND: those matching
    // every condition, in the order of the first condition's findings. OR: those matching
    // any, each at the place of its last finding, the findings taken condition by condition
    // (keywords first, word by word, records in stored order).
    static QList<qint32> matchGroup(const CAddressData& group, const Criteria& criteria);

    // Searches groups 0–18 and stores the results in the document, replacing the previous
    // ones (an undo snapshot is taken first).
    static void run(CORINOTEDoc& doc, const Criteria& criteria);
};
