// The address book window's operations without the window: entry numbers, ages, the list
// rows of every tab and their sorting, search with AND and OR, reservations and the print
// limit, the print order, the sender, history, links and the detail text.

#include "address/AddressBook.h"
#include "address/AgeCalculator.h"
#include "address/CAddressData.h"
#include "addressbook/AddressBookOperations.h"
#include "addressbook/AddressDetail.h"
#include "addressbook/AddressHistory.h"
#include "addressbook/AddressListRows.h"
#include "addressbook/AddressSearch.h"
#include "model/CORINOTEDoc.h"
#include "model/MemoryProfile.h"
#include "support/MemoryDocument.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

using C = CAddressData;

Q_DECLARE_METATYPE(AddressSearch::Criteria)

namespace {

// A document whose undo snapshots go to a private folder.
struct Fixture : MemoryDocument
{
    AddressBook& book() { return doc->addressBook(); }
};

// A record with the given entry number and name and the other columns as given.
QStringList record(const QString& entry, const QString& name,
                   const QList<std::pair<int, QString>>& more = {})
{
    QStringList values(C::TextColumnCount);
    values[C::EntryNumber] = entry;
    values[C::Name] = name;
    for (const auto& [column, value] : more)
        values[column] = value;
    return values;
}

void addNames(CAddressData& group, const QString& prefix, const QStringList& names)
{
    for (int i = 0; i < names.size(); ++i)
        group.appendRecord(record(prefix + QString::number(i + 1), names.at(i)));
}

QStringList column(const CAddressData& group, int c)
{
    return group.textColumn(c);
}

QStringList shownEntries(const AddressBook& book, const AddressListRows& rows)
{
    QStringList out;
    for (int r = 0; r < rows.size(); ++r)
        out.append(rows.text(book, r, 0));
    return out;
}

} // namespace

class TestAddressOps : public QObject
{
    Q_OBJECT
private slots:
    void init() { AddressListRows::setSortDescending(false); }

    void entryNumbers_data();
    void entryNumbers();
    void entryNumberAfterDeletingTheLargest();
    void dateParts_data();
    void dateParts();
    void age_data();
    void age();
    void listRowsOfTabs_data();
    void listRowsOfTabs();
    void listWritesAgesBack();
    void sortByColumn_data();
    void sortByColumn();
    void sortDirectionIsShared();
    void searchOrders_data();
    void searchOrders();
    void searchValidation_data();
    void searchValidation();
    void searchReplacesResults();
    void reservation_data();
    void reservation();
    void printLimit_data();
    void printLimit();
    void makeDefaultOrderKeepsHistory();
    void deleteKeepsIndicesRight();
    void changeKeepsEntryNumberAndFlag();
    void history_data();
    void history();
    void detailText();
    void pictureRect_data();
    void pictureRect();
    void loadFileForgetsSearchAndSender();
    void linksOpenOnlyWebAndMail_data();
    void linksOpenOnlyWebAndMail();
};

void TestAddressOps::entryNumbers_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("next");
    QTest::newRow("empty sender group") << 19 << QStringList() << u"SENDER-1"_qs;
    QTest::newRow("empty あ") << 0 << QStringList() << u"A-1"_qs;
    QTest::newRow("largest plus one, not count plus one")
        << 1 << QStringList{u"KA-1"_qs, u"KA-7"_qs, u"KA-3"_qs} << u"KA-8"_qs;
    QTest::newRow("Latin block") << 10 << QStringList{u"ABC-9"_qs} << u"ABC-10"_qs;
    QTest::newRow("numbers compare as numbers")
        << 18 << QStringList{u"YZ-10"_qs, u"YZ-9"_qs} << u"YZ-11"_qs;
    QTest::newRow("foreign numbers ignored")
        << 2 << QStringList{u"SA-2"_qs, u"SA-x"_qs, u"KA-40"_qs, QString()} << u"SA-3"_qs;
    QTest::newRow("up to the largest number")
        << 3 << QStringList{u"TA-9223372036854775806"_qs} << u"TA-9223372036854775807"_qs;
    // Nothing comes after the largest 64-bit number: the group takes no new record.
    QTest::newRow("past the largest number")
        << 3 << QStringList{u"TA-1"_qs, u"TA-9223372036854775807"_qs} << QString();
}

void TestAddressOps::entryNumbers()
{
    QFETCH(int, group);
    QFETCH(QStringList, existing);
    QFETCH(QString, next);
    Fixture fx;
    for (const QString& e : existing)
        fx.book().group(group).appendRecord(record(e, u"x"_qs));
    const QStringList values = AddressBookOperations::newRecordValues(fx.book(), group);
    QCOMPARE(values.size(), C::TextColumnCount);
    QCOMPARE(values.at(C::EntryNumber), next);
    QCOMPARE(values.at(C::Age), u"0"_qs);
    QCOMPARE(AddressBookOperations::checkEntryNumberLeft(fx.book(), group).isEmpty(),
             !next.isEmpty());
    AddressBookOperations::addRecord(*fx.doc, group, values);
    const CAddressData& g = fx.book().group(group);
    if (next.isEmpty()) {
        QCOMPARE(g.recordCount(), existing.size());
        QVERIFY(!fx.doc->isModified());
        QCOMPARE(fx.doc->undoAvailable, 0);
        return;
    }
    QCOMPARE(g.recordCount(), existing.size() + 1);
    QCOMPARE(g.field(g.recordCount() - 1, C::EntryNumber), next);
    QCOMPARE(g.flag(g.recordCount() - 1), 0);
    QVERIFY(fx.doc->isModified());
    QCOMPARE(fx.doc->undoAvailable, 1);
}

void TestAddressOps::entryNumberAfterDeletingTheLargest()
{
    Fixture fx;
    for (int i = 0; i < 3; ++i)
        AddressBookOperations::addRecord(*fx.doc, 1,
                                         AddressBookOperations::newRecordValues(fx.book(), 1));
    QCOMPARE(column(fx.book().group(1), C::EntryNumber),
             (QStringList{u"KA-1"_qs, u"KA-2"_qs, u"KA-3"_qs}));
    AddressBookOperations::deleteRecords(*fx.doc, {{1, 2}});
    QCOMPARE(AddressBookOperations::newRecordValues(fx.book(), 1).at(C::EntryNumber), u"KA-3"_qs);
    // A number below the largest is not used again.
    AddressBookOperations::deleteRecords(*fx.doc, {{1, 0}});
    QCOMPARE(AddressBookOperations::newRecordValues(fx.book(), 1).at(C::EntryNumber), u"KA-3"_qs);
}

void TestAddressOps::dateParts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<bool>("valid");
    QTest::newRow("written form") << u"1985/04/07"_qs << 1985 << 4 << 7 << true;
    QTest::newRow("empty") << QString() << 0 << 0 << 0 << false;
    QTest::newRow("no leading zeros: fixed positions") << u"1985/4/7"_qs << 1985 << 4 << 0 << false;
    QTest::newRow("year only") << u"2001"_qs << 2001 << 0 << 0 << false;
    QTest::newRow("letters") << u"abcd/ef/gh"_qs << 0 << 0 << 0 << false;
    QTest::newRow("month out of range") << u"2000/13/01"_qs << 2000 << 13 << 1 << false;
    QTest::newRow("leading digits of a slice") << u"19x5/1a/2b"_qs << 19 << 1 << 2 << true;
    QTest::newRow("full-width digits are no digits")
        << u"２０００/01/01"_qs << 0 << 1 << 1 << false;
}

void TestAddressOps::dateParts()
{
    QFETCH(QString, text);
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(bool, valid);
    const AgeCalculator::Parts p = AgeCalculator::readParts(text);
    QCOMPARE(p.year, year);
    QCOMPARE(p.month, month);
    QCOMPARE(p.day, day);
    QCOMPARE(AgeCalculator::readDate(text).isValid(), valid);
    if (valid)
        QCOMPARE(AgeCalculator::dateText(AgeCalculator::readDate(text)),
                 QString::asprintf("%02d/%02d/%02d", year, month, day));
}

void TestAddressOps::age_data()
{
    QTest::addColumn<QString>("birth");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<int>("age");
    QTest::newRow("29 Feb, 28 Feb of a common year")
        << u"2000/02/29"_qs << QDate(2023, 2, 28) << 22;
    QTest::newRow("29 Feb, 1 Mar of a common year") << u"2000/02/29"_qs << QDate(2023, 3, 1) << 23;
    QTest::newRow("29 Feb, 29 Feb of a leap year") << u"2000/02/29"_qs << QDate(2024, 2, 29) << 24;
    QTest::newRow("29 Feb, 28 Feb of a leap year") << u"2000/02/29"_qs << QDate(2024, 2, 28) << 23;
    QTest::newRow("the day before the birthday") << u"1990/12/31"_qs << QDate(2024, 12, 30) << 33;
    QTest::newRow("on the birthday") << u"1990/12/31"_qs << QDate(2024, 12, 31) << 34;
    QTest::newRow("born today") << u"2024/05/05"_qs << QDate(2024, 5, 5) << 0;
    QTest::newRow("future date is no negative age") << u"2030/01/01"_qs << QDate(2024, 5, 5) << 0;
    QTest::newRow("no birth date") << QString() << QDate(2024, 5, 5) << -1;
    QTest::newRow("no readable year") << u"----/05/05"_qs << QDate(2024, 5, 5) << -1;
    // Only a real day gives an age: these would show, sort and search as made-up ages.
    QTest::newRow("missing day") << u"1985/4/7"_qs << QDate(2024, 4, 1) << -1;
    QTest::newRow("no such month or day") << u"1999/13/40"_qs << QDate(2024, 4, 1) << -1;
    QTest::newRow("30 February") << u"1999/02/30"_qs << QDate(2024, 4, 1) << -1;
}

void TestAddressOps::age()
{
    QFETCH(QString, birth);
    QFETCH(QDate, today);
    QFETCH(int, age);
    QCOMPARE(AgeCalculator::age(birth, today), age);
}

void TestAddressOps::listRowsOfTabs_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("group tab, stored order") << 1 << QStringList{u"KA-2"_qs, u"KA-1"_qs};
    QTest::newRow("empty group") << 5 << QStringList();
    QTest::newRow("すべて: groups 0–18 in order")
        << 19 << QStringList{u"A-1"_qs, u"KA-2"_qs, u"KA-1"_qs, u"DEF-1"_qs};
    QTest::newRow("検索結果: stored results, stale ones skipped")
        << 20 << QStringList{u"KA-1"_qs, u"KA-2"_qs, u"DEF-1"_qs};
    QTest::newRow("印刷予約: reserved of groups 0–18")
        << 21 << QStringList{u"KA-1"_qs, u"DEF-1"_qs};
    QTest::newRow("差出人") << 22 << QStringList{u"SENDER-1"_qs, u"SENDER-2"_qs};
}

void TestAddressOps::listRowsOfTabs()
{
    QFETCH(int, tab);
    QFETCH(QStringList, rows);
    Fixture fx;
    fx.book().group(0).appendRecord(record(u"A-1"_qs, u"a"_qs));
    fx.book().group(1).appendRecord(record(u"KA-2"_qs, u"b"_qs));
    fx.book().group(1).appendRecord(record(u"KA-1"_qs, u"c"_qs));
    fx.book().group(1).setFlag(1, 1);
    fx.book().group(11).appendRecord(record(u"DEF-1"_qs, u"d"_qs));
    fx.book().group(11).setFlag(0, 5); // any non-zero flag is a reservation
    fx.book().group(19).appendRecord(record(u"SENDER-1"_qs, u"s"_qs));
    fx.book().group(19).appendRecord(record(u"SENDER-2"_qs, u"t"_qs));
    fx.book().group(19).setFlag(1, 1); // senders never count as reserved
    fx.doc->groupList(1) = {1, 0, 7, -1};
    fx.doc->groupList(11) = {0};
    AddressListRows list;
    list.fill(*fx.doc, tab, QDate(2024, 1, 1));
    QCOMPARE(shownEntries(fx.book(), list), rows);
    QCOMPARE(list.tab(), tab);
}

void TestAddressOps::listWritesAgesBack()
{
    Fixture fx;
    CAddressData& g = fx.book().group(3);
    g.appendRecord(
        record(u"TA-1"_qs, u"a"_qs, {{C::BirthDate, u"2000/02/29"_qs}, {C::Age, u"7"_qs}}));
    g.appendRecord(record(u"TA-2"_qs, u"b"_qs, {{C::Age, u"41"_qs}}));
    g.appendRecord(record(u"TA-3"_qs, u"c"_qs, {{C::BirthDate, u"1950/01/01"_qs}}));
    AddressListRows list;
    list.fill(*fx.doc, 3, QDate(2023, 2, 28));
    QCOMPARE(column(g, C::Age), (QStringList{u"22"_qs, u"41"_qs, u"73"_qs}));
    QCOMPARE(list.text(fx.book(), 0, AddressListRows::AgeColumn), u"22"_qs);
    // The list does not mark the document modified: nothing the user did changed.
    QVERIFY(!fx.doc->isModified());
    // 10,000 ages out of date are brought up to date in one fill.
    CAddressData& big = fx.book().group(4);
    for (int i = 0; i < 10000; ++i)
        big.appendRecord(record(u"NA-%1"_qs.arg(i + 1), u"n"_qs,
                                {{C::BirthDate, u"19%1/01/01"_qs.arg(10 + i % 90)}}));
    list.fill(*fx.doc, 4, QDate(2024, 6, 1));
    QCOMPARE(big.field(0, C::Age), u"114"_qs);
    QCOMPARE(big.field(9999, C::Age), QString::number(2024 - (1900 + 10 + 9999 % 90)));
}

void TestAddressOps::sortByColumn_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("descending");
    QTest::addColumn<QStringList>("order");
    // Readings sort by their CP932 bytes: ASCII "Zed" (0x5A), カトウ (0x83 0x4A), サトウ
    // (0x83 0x54), then half-width ｱｲ (0xB1 0xB2), which UTF-16 order would put last too but
    // for another reason, and before サ in a locale-aware order.
    QTest::newRow("フリガナ ascending")
        << 3 << false << QStringList{u"A-4"_qs, u"A-3"_qs, u"A-2"_qs, u"A-1"_qs};
    QTest::newRow("フリガナ descending")
        << 3 << true << QStringList{u"A-1"_qs, u"A-2"_qs, u"A-3"_qs, u"A-4"_qs};
    QTest::newRow("年齢 as numbers") << AddressListRows::AgeColumn << false
                                     << QStringList{u"A-2"_qs, u"A-3"_qs, u"A-1"_qs, u"A-4"_qs};
    QTest::newRow("equal texts keep their order")
        << 2 << false << QStringList{u"A-1"_qs, u"A-2"_qs, u"A-3"_qs, u"A-4"_qs};
}

void TestAddressOps::sortByColumn()
{
    QFETCH(int, column);
    QFETCH(bool, descending);
    QFETCH(QStringList, order);
    Fixture fx;
    CAddressData& g = fx.book().group(0);
    g.appendRecord(record(u"A-1"_qs, u"x"_qs, {{C::Reading, u"ｱｲ"_qs}, {C::Age, u"30"_qs}}));
    g.appendRecord(record(u"A-2"_qs, u"x"_qs, {{C::Reading, u"サトウ"_qs}, {C::Age, u"9"_qs}}));
    g.appendRecord(record(u"A-3"_qs, u"x"_qs, {{C::Reading, u"カトウ"_qs}, {C::Age, u"10"_qs}}));
    g.appendRecord(record(u"A-4"_qs, u"x"_qs, {{C::Reading, u"Zed"_qs}, {C::Age, u"100"_qs}}));
    AddressListRows list;
    list.fill(*fx.doc, 0, QDate(2024, 1, 1));
    list.sortByColumn(fx.book(), column, descending);
    QCOMPARE(shownEntries(fx.book(), list), order);
    // Only the list is sorted.
    QCOMPARE(g.field(0, C::EntryNumber), u"A-1"_qs);
}

void TestAddressOps::sortDirectionIsShared()
{
    Fixture fx;
    CAddressData& g = fx.book().group(0);
    g.appendRecord(record(u"A-1"_qs, u"イ"_qs, {{C::Reading, u"ア"_qs}}));
    g.appendRecord(record(u"A-2"_qs, u"ア"_qs, {{C::Reading, u"イ"_qs}}));
    addNames(fx.book().group(19), u"SENDER-"_qs, {u"イ"_qs, u"ア"_qs});
    AddressListRows list;
    list.fill(*fx.doc, 0, QDate(2024, 1, 1));
    QVERIFY(list.sortByHeaderClick(fx.book(), 3)); // フリガナ ascending
    QCOMPARE(shownEntries(fx.book(), list), (QStringList{u"A-1"_qs, u"A-2"_qs}));
    QVERIFY(AddressListRows::sortDescending());
    // Another list of the same run (a later opening of the window) shares the direction.
    AddressListRows other;
    other.fill(*fx.doc, 0, QDate(2024, 1, 1));
    QVERIFY(other.sortByHeaderClick(fx.book(), 1)); // 氏名, now descending
    QCOMPARE(shownEntries(fx.book(), other), (QStringList{u"A-1"_qs, u"A-2"_qs}));
    QVERIFY(!AddressListRows::sortDescending());
    // 差出人 is never sorted and leaves the direction alone.
    AddressListRows senders;
    senders.fill(*fx.doc, AddressListRows::SenderTab, QDate(2024, 1, 1));
    QVERIFY(!senders.sortByHeaderClick(fx.book(), 1));
    QCOMPARE(shownEntries(fx.book(), senders), (QStringList{u"SENDER-1"_qs, u"SENDER-2"_qs}));
    QVERIFY(!AddressListRows::sortDescending());
}

void TestAddressOps::searchOrders_data()
{
    QTest::addColumn<AddressSearch::Criteria>("criteria");
    QTest::addColumn<QList<qint32>>("found");

    // Records: 0 山田太郎 (reserved, 1990/05/05, 34), 1 田中花子 (1985/01/01, 39),
    // 2 佐藤一郎 (reserved, 1990/05/05, 34), 3 山本花子 (no date, 0).
    const auto make = [](bool useOr, const QStringList& keywords, const QList<int>& fields = {}) {
        AddressSearch::Criteria c;
        c.useOr = useOr;
        c.relation = AddressSearch::relationChoices().first();
        for (int k = 0; k < keywords.size(); ++k)
            c.keywords[size_t(k)] = keywords.at(k);
        for (int k = 0; k < fields.size(); ++k)
            c.fields[size_t(k)] = fields.at(k);
        return c;
    };
    const int name = int(AddressSearch::fieldNames().indexOf(u"氏名"_qs));
    const int number = int(AddressSearch::fieldNames().indexOf(u"登録番号"_qs));

    QTest::newRow("OR, two words of one keyword: each once")
        << make(true, {u"花子 山"_qs}, {name}) << QList<qint32>{1, 0, 3};
    QTest::newRow("OR, a record at its last finding")
        << make(true, {u"山田"_qs, u"花子 太郎"_qs}, {name, name}) << QList<qint32>{1, 3, 0};
    QTest::newRow("OR, a full-width space separates words too")
        << make(true, {u"花子　山"_qs}, {name}) << QList<qint32>{1, 0, 3};
    QTest::newRow("OR, mixed spaces are no empty word")
        << make(true, {u"　 佐藤　"_qs}, {name}) << QList<qint32>{2};
    QTest::newRow("OR, repeated spaces are no empty word")
        << make(true, {u"  佐藤  "_qs}, {name}) << QList<qint32>{2};
    QTest::newRow("AND, first keyword finds nothing")
        << make(false, {u"鈴木"_qs, u"山"_qs}, {name, name}) << QList<qint32>{};
    QTest::newRow("AND, order of the first condition's findings")
        << make(false, {u"佐藤 山田"_qs, u"郎"_qs}, {name, name}) << QList<qint32>{2, 0};
    QTest::newRow("AND, a later keyword filters")
        << make(false, {u"花子 山"_qs, u"山"_qs}, {name, name}) << QList<qint32>{3, 0};
    QTest::newRow("case-sensitive") << make(false, {u"a-"_qs}, {number}) << QList<qint32>{};
    QTest::newRow("登録番号") << make(false, {u"A-3"_qs}, {number}) << QList<qint32>{2};

    AddressSearch::Criteria reserved = make(false, {});
    reserved.reservation = AddressSearch::Reserved;
    QTest::newRow("予約済 only reserved") << reserved << QList<qint32>{0, 2};
    AddressSearch::Criteria unreserved = reserved;
    unreserved.reservation = AddressSearch::NotReserved;
    QTest::newRow("未 only unreserved") << unreserved << QList<qint32>{1, 3};

    AddressSearch::Criteria born = make(false, {});
    born.birthCondition = AddressSearch::BornOn;
    born.birthDate = QDate(1990, 5, 5);
    QTest::newRow("この日付のみ") << born << QList<qint32>{0, 2};
    born.birthCondition = AddressSearch::BornBefore;
    QTest::newRow("以前, a record without date is not before") << born << QList<qint32>{1};
    born.birthCondition = AddressSearch::BornOnOrAfter;
    QTest::newRow("以後（この日付も含む）") << born << QList<qint32>{0, 2};
    born.birthCondition = AddressSearch::BornAfter;
    QTest::newRow("以後 excludes the day") << born << QList<qint32>{};

    AddressSearch::Criteria age = make(false, {});
    age.age = 34;
    age.ageCondition = AddressSearch::SameAge;
    QTest::newRow("同じ年齢") << age << QList<qint32>{0, 2};
    age.ageCondition = AddressSearch::OlderThan;
    QTest::newRow("より上") << age << QList<qint32>{1};
    age.ageCondition = AddressSearch::AtMost;
    QTest::newRow("以下") << age << QList<qint32>{0, 2, 3};
    age.ageCondition = AddressSearch::YoungerThan;
    QTest::newRow("未満") << age << QList<qint32>{3};

    AddressSearch::Criteria mixed = make(true, {u"佐藤"_qs}, {name});
    mixed.reservation = AddressSearch::Reserved;
    QTest::newRow("OR keyword and condition: last finding wins") << mixed << QList<qint32>{0, 2};
    mixed.useOr = false;
    QTest::newRow("AND keyword and condition") << mixed << QList<qint32>{2};

    AddressSearch::Criteria relation = make(false, {});
    relation.relation = u"友"_qs;
    QTest::newRow("関係 substring") << relation << QList<qint32>{1};
    AddressSearch::Criteria sex = make(false, {});
    sex.sex = 2;
    QTest::newRow("性別 女性") << sex << QList<qint32>{1, 3};
}

void TestAddressOps::searchOrders()
{
    QFETCH(AddressSearch::Criteria, criteria);
    QFETCH(QList<qint32>, found);
    CAddressData g;
    g.appendRecord(
        record(u"A-1"_qs, u"山田太郎"_qs,
               {{C::BirthDate, u"1990/05/05"_qs}, {C::Age, u"34"_qs}, {C::Sex, u"男性"_qs}}));
    g.appendRecord(record(u"A-2"_qs, u"田中花子"_qs,
                          {{C::BirthDate, u"1985/01/01"_qs},
                           {C::Age, u"39"_qs},
                           {C::Relation, u"友人"_qs},
                           {C::Sex, u"女性"_qs}}));
    g.appendRecord(
        record(u"A-3"_qs, u"佐藤一郎"_qs, {{C::BirthDate, u"1990/05/05"_qs}, {C::Age, u"34"_qs}}));
    g.appendRecord(record(u"A-4"_qs, u"山本花子"_qs, {{C::Sex, u"女性"_qs}}));
    g.setFlag(0, 1);
    g.setFlag(2, 1);
    QCOMPARE(AddressSearch::matchGroup(g, criteria), found);
}

void TestAddressOps::searchValidation_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("relation");
    QTest::addColumn<int>("sex");
    QTest::addColumn<QString>("message");
    const QString none = u"指定なし"_qs;
    QTest::newRow("selector without selection")
        << -1 << u"x"_qs << none << 0 << u"検索条件を選択してください。"_qs;
    QTest::newRow("no keyword, empty 関係")
        << 0 << QString() << QString() << 1 << u"キーワードを入力してください。"_qs;
    QTest::newRow("nothing at all")
        << 0 << QString() << none << 0 << u"検索条件を指定してください。"_qs;
    QTest::newRow("a condition alone") << 0 << QString() << none << 1 << QString();
    QTest::newRow("関係 alone") << 0 << QString() << u"その他"_qs << 0 << QString();
    QTest::newRow("a keyword alone") << 0 << u"x"_qs << none << 0 << QString();
}

void TestAddressOps::searchValidation()
{
    QFETCH(int, field);
    QFETCH(QString, keyword);
    QFETCH(QString, relation);
    QFETCH(int, sex);
    QFETCH(QString, message);
    AddressSearch::Criteria c;
    c.fields[3] = field;
    c.keywords[3] = keyword;
    c.relation = relation;
    c.sex = sex;
    QCOMPARE(AddressSearch::validate(c), message);
}

void TestAddressOps::searchReplacesResults()
{
    Fixture fx;
    addNames(fx.book().group(0), u"A-"_qs, {u"山田"_qs, u"田中"_qs});
    addNames(fx.book().group(12), u"GHI-"_qs, {u"Hill"_qs, u"田村"_qs});
    addNames(fx.book().group(19), u"SENDER-"_qs, {u"田"_qs});
    fx.doc->groupList(5) = {0, 1, 2};
    AddressSearch::Criteria c;
    c.relation = AddressSearch::relationChoices().first();
    c.fields[0] = 1;
    c.keywords[0] = u"田"_qs;
    AddressSearch::run(*fx.doc, c);
    QCOMPARE(fx.doc->groupList(0), (QList<qint32>{0, 1}));
    QCOMPARE(fx.doc->groupList(5), QList<qint32>());
    QCOMPARE(fx.doc->groupList(12), QList<qint32>{1});
    AddressListRows list;
    list.fill(*fx.doc, AddressListRows::SearchTab, QDate(2024, 1, 1));
    QCOMPARE(shownEntries(fx.book(), list), (QStringList{u"A-1"_qs, u"A-2"_qs, u"GHI-2"_qs}));
}

void TestAddressOps::reservation_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<bool>("reserve");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QList<int>>("group0Flags");
    QTest::addColumn<QList<int>>("group11Flags");
    const QString select = u"住所録データを選択してください。"_qs;
    QTest::newRow("reserve on a group tab")
        << 0 << QList<int>{1, 2} << true << QString() << QList<int>{1, 1, 1} << QList<int>{0};
    QTest::newRow("release on a group tab")
        << 0 << QList<int>{1} << false << QString() << QList<int>{1, 0, 0} << QList<int>{0};
    QTest::newRow("nothing selected on a group tab")
        << 0 << QList<int>{} << true << select << QList<int>{1, 1, 0} << QList<int>{0};
    QTest::newRow("DEF- record on すべて")
        << 19 << QList<int>{3} << true << QString() << QList<int>{1, 1, 0} << QList<int>{1};
    QTest::newRow("nothing selected on すべて")
        << 19 << QList<int>{} << true << QString() << QList<int>{1, 1, 0} << QList<int>{0};
    QTest::newRow("release on 印刷予約")
        << 21 << QList<int>{0, 1} << false << QString() << QList<int>{0, 0, 0} << QList<int>{0};
    QTest::newRow("差出人 changes nothing")
        << 22 << QList<int>{0} << true << QString() << QList<int>{1, 1, 0} << QList<int>{0};
}

void TestAddressOps::reservation()
{
    QFETCH(int, tab);
    QFETCH(QList<int>, rows);
    QFETCH(bool, reserve);
    QFETCH(QString, message);
    QFETCH(QList<int>, group0Flags);
    QFETCH(QList<int>, group11Flags);
    Fixture fx;
    addNames(fx.book().group(0), u"A-"_qs, {u"a"_qs, u"b"_qs, u"c"_qs});
    fx.book().group(0).setFlag(0, 1);
    fx.book().group(0).setFlag(1, 1);
    addNames(fx.book().group(11), u"DEF-"_qs, {u"d"_qs});
    addNames(fx.book().group(19), u"SENDER-"_qs, {u"s"_qs});
    AddressListRows list;
    list.fill(*fx.doc, tab, QDate(2024, 1, 1));
    QCOMPARE(AddressBookOperations::setReservation(*fx.doc, tab, list.refs(rows), reserve),
             message);
    QList<int> flags0, flags11;
    for (int i = 0; i < 3; ++i)
        flags0.append(fx.book().group(0).flag(i));
    flags11.append(fx.book().group(11).flag(0));
    QCOMPARE(flags0, group0Flags);
    QCOMPARE(flags11, group11Flags);
    QCOMPARE(fx.book().group(19).flag(0), 0);
}

void TestAddressOps::printLimit_data()
{
    QTest::addColumn<int>("inGroup0");
    QTest::addColumn<int>("inGroup18");
    QTest::addColumn<int>("senders");
    QTest::addColumn<bool>("refused");
    QTest::newRow("500 in one group") << 500 << 0 << 0 << false;
    QTest::newRow("501 in one group") << 501 << 0 << 0 << true;
    QTest::newRow("501 over two groups") << 300 << 201 << 0 << true;
    QTest::newRow("senders do not count") << 250 << 250 << 5 << false;
    QTest::newRow("none") << 0 << 0 << 0 << false;
}

void TestAddressOps::printLimit()
{
    QFETCH(int, inGroup0);
    QFETCH(int, inGroup18);
    QFETCH(int, senders);
    QFETCH(bool, refused);
    AddressBook book;
    const auto fill = [&](int g, int reserved) {
        for (int i = 0; i < reserved + 3; ++i) {
            book.group(g).appendRecord(record(book.nextEntryNumber(g), u"x"_qs));
            book.group(g).setFlag(i, i < reserved ? 1 : 0);
        }
    };
    fill(0, inGroup0);
    fill(18, inGroup18);
    fill(19, senders);
    QCOMPARE(book.reservedCount(), inGroup0 + inGroup18);
    QCOMPARE(book.checkPrintLimit(),
             refused ? u"一度に印刷できる住所録データは500件までです。"_qs : QString());
}

void TestAddressOps::makeDefaultOrderKeepsHistory()
{
    Fixture fx;
    CAddressData& g = fx.book().group(1);
    g.appendRecord(record(u"KA-1"_qs, u"c"_qs, {{C::Reading, u"サ"_qs}}));
    g.appendRecord(record(u"KA-2"_qs, u"a"_qs, {{C::Reading, u"ア"_qs}}));
    g.appendRecord(record(u"KA-3"_qs, u"b"_qs, {{C::Reading, u"カ"_qs}}));
    g.setFlag(0, 1);
    g.appendHistory(u"KA-1"_qs, u"送信-年賀状"_qs, u"2023/01/01"_qs, u"n1"_qs);
    g.appendHistory(u"KA-3"_qs, u"受信-喪中"_qs, u"2023/12/01"_qs, u"n3"_qs);
    g.setField(0, 33, u"reserved column entry"_qs);
    fx.doc->groupList(1) = {0, 2};

    AddressListRows list;
    list.fill(*fx.doc, 1, QDate(2024, 1, 1));
    list.sortByColumn(fx.book(), 3, false); // フリガナ
    QList<int> order;
    for (const AddressRecordRef& ref : list.rows())
        order.append(ref.record);
    AddressBookOperations::makeDefaultOrder(*fx.doc, 1, order);

    const CAddressData& sorted = fx.book().group(1);
    QCOMPARE(column(sorted, C::EntryNumber), (QStringList{u"KA-2"_qs, u"KA-3"_qs, u"KA-1"_qs}));
    QCOMPARE(column(sorted, C::Name), (QStringList{u"a"_qs, u"b"_qs, u"c"_qs}));
    QCOMPARE(sorted.flags(), (QList<qint32>{0, 0, 1}));
    QCOMPARE(column(sorted, C::HistoryKey), (QStringList{u"KA-1"_qs, u"KA-3"_qs}));
    QCOMPARE(column(sorted, C::HistoryNote), (QStringList{u"n1"_qs, u"n3"_qs}));
    QCOMPARE(column(sorted, 33), QStringList{u"reserved column entry"_qs});
    // The search results still name KA-1 and KA-3.
    QCOMPARE(fx.doc->groupList(1), (QList<qint32>{2, 1}));
    // The print order follows.
    fx.book().group(1).setFlag(1, 1);
    const CAddressData printed = fx.book().buildRecordList(1);
    QCOMPARE(column(printed, C::EntryNumber), (QStringList{u"KA-3"_qs, u"KA-1"_qs}));
    // A broken order loses nothing.
    AddressBookOperations::makeDefaultOrder(*fx.doc, 1, {2, 2, 9, -1});
    QCOMPARE(column(fx.book().group(1), C::EntryNumber),
             (QStringList{u"KA-1"_qs, u"KA-2"_qs, u"KA-3"_qs}));
}

void TestAddressOps::deleteKeepsIndicesRight()
{
    Fixture fx;
    addNames(fx.book().group(0), u"A-"_qs, {u"a"_qs, u"b"_qs, u"c"_qs, u"d"_qs});
    fx.book().group(0).appendHistory(u"A-2"_qs, u"s"_qs, u"2020/01/01"_qs, QString());
    fx.book().group(0).appendHistory(u"A-4"_qs, u"s"_qs, u"2020/01/01"_qs, QString());
    fx.doc->groupList(0) = {3, 1, 0};
    addNames(fx.book().group(19), u"SENDER-"_qs, {u"s1"_qs, u"s2"_qs, u"s3"_qs});
    fx.doc->scalars().senderIndex = 2;

    AddressBookOperations::deleteRecords(*fx.doc, {{0, 1}, {0, 2}, {0, 1}});
    QCOMPARE(column(fx.book().group(0), C::Name), (QStringList{u"a"_qs, u"d"_qs}));
    QCOMPARE(column(fx.book().group(0), C::HistoryKey), QStringList{u"A-4"_qs});
    QCOMPARE(fx.doc->groupList(0), (QList<qint32>{1, 0}));

    // Removing a sender before the current one keeps the same person as sender.
    AddressBookOperations::deleteRecords(*fx.doc, {{19, 0}});
    QCOMPARE(fx.doc->senderIndex(), 1);
    QCOMPARE(fx.book().group(19).field(fx.doc->senderIndex(), C::Name), u"s3"_qs);
    AddressBookOperations::deleteRecords(*fx.doc, {{19, 1}});
    QCOMPARE(fx.doc->senderIndex(), 0);
    // Undo brings the last state back.
    fx.doc->undo();
    QCOMPARE(fx.book().group(19).recordCount(), 2);
    QCOMPARE(fx.doc->senderIndex(), 1);
}

void TestAddressOps::changeKeepsEntryNumberAndFlag()
{
    Fixture fx;
    addNames(fx.book().group(2), u"SA-"_qs, {u"a"_qs});
    fx.book().group(2).setFlag(0, 1);
    QStringList values = AddressBookOperations::recordValues(fx.book(), {2, 0});
    values[C::EntryNumber] = u"SA-99"_qs;
    values[C::Name] = u"佐藤"_qs;
    values[C::BirthDate] = u"1970/01/02"_qs;
    values[33] = u"never"_qs;
    AddressBookOperations::changeRecord(*fx.doc, {2, 0}, values);
    const CAddressData& g = fx.book().group(2);
    QCOMPARE(g.field(0, C::EntryNumber), u"SA-1"_qs);
    QCOMPARE(g.field(0, C::Name), u"佐藤"_qs);
    QCOMPARE(g.field(0, C::BirthDate), u"1970/01/02"_qs);
    QCOMPARE(g.flag(0), 1);
    QVERIFY(g.textColumn(33).isEmpty());
}

void TestAddressOps::history_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<QStringList>("datesShown");
    QTest::newRow("newest first, equal dates in stored order")
        << 0 << QStringList{u"2024/03/01"_qs, u"2023/01/01"_qs, u"2023/01/01"_qs, u"2019/12/31"_qs};
    QTest::newRow("senders keep no history") << 19 << QStringList();
}

void TestAddressOps::history()
{
    QFETCH(int, group);
    QFETCH(QStringList, datesShown);
    Fixture fx;
    const QString prefix = AddressBook::entryPrefix(group);
    addNames(fx.book().group(group), prefix, {u"a"_qs, u"b"_qs});
    const AddressRecordRef a{group, 0};
    const QStringList dates{u"2023/01/01"_qs, u"2019/12/31"_qs, u"2024/03/01"_qs, u"2023/01/01"_qs};
    for (int i = 0; i < dates.size(); ++i) {
        AddressHistory::add(*fx.doc, {a, {group, 1}},
                            {u"s%1"_qs.arg(i), dates.at(i), u"n%1"_qs.arg(i)});
    }
    const QList<int> rows = AddressHistory::rowsOf(fx.book(), a);
    QStringList shown;
    for (int r : rows)
        shown.append(AddressHistory::entry(fx.book(), group, r).date);
    QCOMPARE(shown, datesShown);
    if (rows.isEmpty()) {
        QCOMPARE(fx.book().group(group).historyCount(), 0);
        return;
    }
    QCOMPARE(AddressHistory::entry(fx.book(), group, rows.at(1)).subject, u"s0"_qs);
    QCOMPARE(AddressHistory::entry(fx.book(), group, rows.at(2)).subject, u"s3"_qs);

    // Changing a row keeps its place and key; deleting takes the stored rows named.
    const int before = fx.book().group(group).historyCount();
    AddressHistory::change(*fx.doc, group, rows.at(1),
                           {u"受信-年賀状"_qs, u"2022/02/02"_qs, u"x"_qs});
    QCOMPARE(fx.book().group(group).historyCount(), before);
    QCOMPARE(fx.book().group(group).history(rows.at(1), C::HistoryKey), prefix + u"1"_qs);
    QCOMPARE(fx.book().group(group).history(rows.at(1), C::HistorySubject), u"受信-年賀状"_qs);
    QCOMPARE(fx.book().group(group).history(rows.at(1) + 1, C::HistoryNote), u"n0"_qs);
    AddressHistory::remove(*fx.doc, group, {rows.at(0), rows.at(3)});
    QCOMPARE(AddressHistory::rowsOf(fx.book(), a).size(), 2);
    QCOMPARE(AddressHistory::rowsOf(fx.book(), {group, 1}).size(), 4);
}

void TestAddressOps::detailText()
{
    QStringList texts;
    for (int c = 0; c < AddressListRows::ColumnCount; ++c)
        texts.append(u"v%1"_qs.arg(c));
    texts[1] = u"%1 山田"_qs; // a placeholder inside a field stays as typed
    const QString text = AddressDetail::text(texts);
    QVERIFY(
        text.startsWith(u"【登録番号】　v0　【氏名】　%1 山田　【敬称】　v2　【フリガナ】　v3\r\n"
                        u"【郵便番号】　v4\r\n【住所】　v5\r\n　　　　v6\r\n　　　　v7\r\n"_qs));
    QVERIFY(text.contains(u"【性別】　v19　【生年月日】　v20　【年齢】　v21\r\n"_qs));
    QVERIFY(text.endsWith(u"【備考1】　v44　【備考2】　v45\r\n【画像】　v46"_qs));
    QCOMPARE(text.count(u"\r\n"_qs), 24);
    // Every list column appears, in order.
    qsizetype at = 0;
    for (int c = 2; c < AddressListRows::ColumnCount; ++c) {
        const qsizetype next = text.indexOf(u"　v%1"_qs.arg(c), at);
        QVERIFY2(next > at, qPrintable(QString::number(c)));
        at = next;
    }
    // The record form: list column texts in list order.
    AddressBook book;
    book.group(0).appendRecord(record(u"A-1"_qs, u"山田"_qs, {{C::Picture, u"/p.png"_qs}}));
    QVERIFY(
        AddressDetail::text(book, {0, 0}).startsWith(u"【登録番号】　A-1　【氏名】　山田　"_qs));
    QCOMPARE(AddressDetail::picturePath(book, {0, 0}), u"/p.png"_qs);
}

void TestAddressOps::pictureRect_data()
{
    QTest::addColumn<QSizeF>("panel");
    QTest::addColumn<QSizeF>("picture");
    QTest::addColumn<QRectF>("rect");
    QTest::newRow("smaller: own size, centred")
        << QSizeF(200, 100) << QSizeF(50, 20) << QRectF(75, 40, 50, 20);
    QTest::newRow("wider: fit to width")
        << QSizeF(200, 100) << QSizeF(400, 100) << QRectF(0, 25, 200, 50);
    QTest::newRow("taller: fit to height")
        << QSizeF(200, 100) << QSizeF(100, 400) << QRectF(87.5, 0, 25, 100);
    QTest::newRow("exact") << QSizeF(200, 100) << QSizeF(200, 100) << QRectF(0, 0, 200, 100);
    QTest::newRow("no picture") << QSizeF(200, 100) << QSizeF(0, 0) << QRectF();
}

void TestAddressOps::pictureRect()
{
    QFETCH(QSizeF, panel);
    QFETCH(QSizeF, picture);
    QFETCH(QRectF, rect);
    QCOMPARE(AddressDetail::pictureRect(panel, picture), rect);
}

void TestAddressOps::loadFileForgetsSearchAndSender()
{
    Fixture fx;
    AddressBook other;
    addNames(other.group(19), u"SENDER-"_qs, {u"x"_qs, u"y"_qs});
    const QString path = fx.dir.filePath(u"book.ona"_qs);
    QVERIFY(other.storeFile(path).isEmpty());
    fx.doc->scalars().senderIndex = 1;
    fx.doc->groupList(0) = {0};
    bool changed = true;
    QCOMPARE(AddressBookOperations::loadFile(*fx.doc, fx.dir.filePath(u"missing.ona"_qs), &changed),
             u"ファイルオープン失敗"_qs);
    QVERIFY(!changed);
    QCOMPARE(fx.doc->senderIndex(), 1);
    QVERIFY(AddressBookOperations::loadFile(*fx.doc, path, &changed).isEmpty());
    QVERIFY(changed);
    QCOMPARE(fx.doc->senderIndex(), 0);
    QVERIFY(fx.doc->groupList(0).isEmpty());
    QCOMPARE(fx.book(), other);
    QVERIFY(fx.doc->isModified());
}

void TestAddressOps::linksOpenOnlyWebAndMail_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("link"); // empty: refused with a message

    QTest::newRow("https") << 415 << u"https://example.jp/a?b=1"_qs
                           << u"https://example.jp/a?b=1"_qs;
    QTest::newRow("http, company") << 416 << u"http://example.jp/"_qs << u"http://example.jp/"_qs;
    QTest::newRow("upper-case scheme")
        << 415 << u"HTTPS://example.jp/"_qs << u"https://example.jp/"_qs;
    QTest::newRow("typed without scheme")
        << 415 << u"www.example.jp"_qs << u"http://www.example.jp"_qs;
    QTest::newRow("mailto in the URL column")
        << 415 << u"mailto:a@example.jp"_qs << u"mailto:a@example.jp"_qs;
    QTest::newRow("mail") << 410 << u"hanako@example.jp"_qs << u"mailto:hanako@example.jp"_qs;
    QTest::newRow("absolute path") << 415 << u"/home/u/x.sh"_qs << QString();
    QTest::newRow("file URL") << 416 << u"file:///home/u/x.sh"_qs << QString();
    QTest::newRow("another scheme") << 415 << u"smb://server/share/x.exe"_qs << QString();
    QTest::newRow("script") << 415 << u"javascript:alert(1)"_qs << QString();
}

// What the desktop is handed is a web page or a mail, never a file or a program.
void TestAddressOps::linksOpenOnlyWebAndMail()
{
    QFETCH(int, command);
    QFETCH(QString, value);
    QFETCH(QString, link);
    Fixture fx;
    const int column = command == 410 ? C::Mail1 : command == 415 ? C::Url : C::CompanyUrl;
    fx.book().group(0).appendRecord(record(u"A-1"_qs, u"a"_qs, {{column, value}}));
    QString message;
    QCOMPARE(AddressBookOperations::linkText(fx.book(), {0, 0}, command, &message), link);
    QCOMPARE(message.isEmpty(), !link.isEmpty());
    if (link.isEmpty())
        QCOMPARE(message,
                 u"このURLは開けません。開けるのは http、https、mailto のリンクだけです。"_qs);
}

QTEST_GUILESS_MAIN(TestAddressOps)
#include "tst_addressops.moc"
