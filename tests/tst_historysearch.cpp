// The history condition of the address search: subject, dates, あり/なし, and its
// combination with the other conditions.

#include "address/CAddressData.h"
#include "addressbook/AddressSearch.h"

#include <QTest>

using C = CAddressData;

Q_DECLARE_METATYPE(AddressSearch::Criteria)

namespace {

QStringList record(const QString& entry, const QString& name)
{
    QStringList values(C::TextColumnCount);
    values[C::EntryNumber] = entry;
    values[C::Name] = name;
    return values;
}

// Five records: 0 佐藤 sent a card on New Year's day 2025, 1 鈴木 received one on the
// last day of 2025, 2 佐藤花子 was sent one at the end of 2024 and is in mourning in 2026,
// 3 田中 has no history, 4 高橋 has a row whose date cannot be read.
CAddressData book()
{
    CAddressData g;
    g.appendRecord(record(u"A-1"_qs, u"佐藤"_qs));
    g.appendRecord(record(u"A-2"_qs, u"鈴木"_qs));
    g.appendRecord(record(u"A-3"_qs, u"佐藤花子"_qs));
    g.appendRecord(record(u"A-4"_qs, u"田中"_qs));
    g.appendRecord(record(u"A-5"_qs, u"高橋"_qs));
    g.appendHistory(u"A-1"_qs, u"送信-年賀状"_qs, u"2025/01/01"_qs, QString());
    g.appendHistory(u"A-2"_qs, u"受信-年賀状"_qs, u"2025/12/31"_qs, QString());
    g.appendHistory(u"A-3"_qs, u"送信-年賀状"_qs, u"2024/12/31"_qs, QString());
    g.appendHistory(u"A-3"_qs, u"受信-喪中"_qs, u"2026/11/2"_qs, QString());
    g.appendHistory(u"A-5"_qs, u"送信-年賀状"_qs, u"不明"_qs, QString());
    // A row of no record (its key matches nothing) and a row without key.
    g.appendHistory(u"Z-9"_qs, u"送信-年賀状"_qs, u"2025/06/01"_qs, QString());
    g.appendHistory(QString(), u"送信-年賀状"_qs, u"2025/06/01"_qs, QString());
    return g;
}

AddressSearch::Criteria history(const QString& subject, const QDate& from, const QDate& to,
                                bool present = true)
{
    AddressSearch::Criteria c;
    c.relation = AddressSearch::relationChoices().first();
    c.history.append({subject, from, to, present});
    return c;
}

AddressSearch::Criteria year(const QString& subject, int y, bool present = true)
{
    AddressSearch::Criteria c = history(subject, QDate(), QDate(), present);
    AddressSearch::setHistoryYear(c.history.front(), y);
    return c;
}

} // namespace

class TestHistorySearch : public QObject
{
    Q_OBJECT

private slots:
    void matches_data();
    void matches();
    void historyDates_data();
    void historyDates();
    void conditionAloneIsValid();
};

void TestHistorySearch::matches_data()
{
    QTest::addColumn<AddressSearch::Criteria>("criteria");
    QTest::addColumn<QList<qint32>>("want");

    QTest::newRow("subject and year") << year(u"送信-年賀状"_qs, 2025) << QList<qint32>{0};
    QTest::newRow("free text part of subject") << year(u"年賀状"_qs, 2025) << QList<qint32>{0, 1};
    QTest::newRow("year's first and last day") << year(QString(), 2025) << QList<qint32>{0, 1};
    QTest::newRow("year before") << year(QString(), 2024) << QList<qint32>{2};
    QTest::newRow("no year: unreadable date counts")
        << history(u"送信-年賀状"_qs, QDate(), QDate()) << QList<qint32>{0, 2, 4};
    QTest::newRow("range across the new year")
        << history(QString(), QDate(2024, 12, 31), QDate(2025, 1, 1)) << QList<qint32>{0, 2};
    QTest::newRow("range end one day short")
        << history(QString(), QDate(2025, 1, 2), QDate(2025, 12, 30)) << QList<qint32>{};
    QTest::newRow("open start") << history(QString(), QDate(), QDate(2024, 12, 31))
                                << QList<qint32>{2};
    QTest::newRow("open end") << history(QString(), QDate(2026, 1, 1), QDate()) << QList<qint32>{2};
    QTest::newRow("なし: mourning left out, no history kept")
        << year(u"受信-喪中"_qs, 2026, false) << QList<qint32>{0, 1, 3, 4};
    QTest::newRow("なし of any history")
        << history(QString(), QDate(), QDate(), false) << QList<qint32>{3};
    QTest::newRow("subject nobody has") << year(u"送信-喪中"_qs, 2025) << QList<qint32>{};

    AddressSearch::Criteria andName = history(u"年賀状"_qs, QDate(), QDate());
    andName.fields[0] = 1; // 氏名
    andName.keywords[0] = u"佐藤"_qs;
    QTest::newRow("AND with a keyword") << andName << QList<qint32>{0, 2};

    AddressSearch::Criteria andNone = year(u"受信-喪中"_qs, 2026, false);
    andNone.fields[0] = 1;
    andNone.keywords[0] = u"佐藤"_qs;
    QTest::newRow("AND with なし") << andNone << QList<qint32>{0};

    AddressSearch::Criteria orName = year(u"受信-年賀状"_qs, 2025);
    orName.useOr = true;
    orName.fields[0] = 1;
    orName.keywords[0] = u"田中"_qs;
    QTest::newRow("OR with a keyword") << orName << QList<qint32>{3, 1};

    AddressSearch::Criteria orReserved = year(u"送信-年賀状"_qs, 2024);
    orReserved.useOr = true;
    orReserved.reservation = AddressSearch::Reserved;
    QTest::newRow("OR with the reservation") << orReserved << QList<qint32>{4, 2};

    // Several history conditions: received in 2025 and not sent in 2025; sent in 2024 or
    // received in 2025.
    AddressSearch::Criteria receivedNotSent = year(u"受信-年賀状"_qs, 2025);
    receivedNotSent.history.append(year(u"送信-年賀状"_qs, 2025, false).history.front());
    QTest::newRow("two history conditions, AND")
        << receivedNotSent << QList<qint32>{1};
    AddressSearch::Criteria sentOrReceived = year(u"送信-年賀状"_qs, 2024);
    sentOrReceived.useOr = true;
    sentOrReceived.history.append(year(u"受信-年賀状"_qs, 2025).history.front());
    QTest::newRow("two history conditions, OR")
        << sentOrReceived << QList<qint32>{2, 1};
}

void TestHistorySearch::matches()
{
    QFETCH(AddressSearch::Criteria, criteria);
    QFETCH(QList<qint32>, want);
    CAddressData g = book();
    g.setFlag(4, 1);
    QCOMPARE(AddressSearch::validate(criteria), QString());
    QCOMPARE(AddressSearch::matchGroup(g, criteria), want);
}

void TestHistorySearch::historyDates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("want");
    QTest::newRow("padded") << u"2025/01/09"_qs << QDate(2025, 1, 9);
    QTest::newRow("unpadded") << u"2025/1/9"_qs << QDate(2025, 1, 9);
    QTest::newRow("hyphens") << u"2025-12-31"_qs << QDate(2025, 12, 31);
    QTest::newRow("no such day") << u"2025/02/30"_qs << QDate();
    QTest::newRow("words") << u"去年"_qs << QDate();
    QTest::newRow("empty") << QString() << QDate();
}

void TestHistorySearch::historyDates()
{
    QFETCH(QString, text);
    QFETCH(QDate, want);
    QCOMPARE(AddressSearch::historyDate(text), want);
}

void TestHistorySearch::conditionAloneIsValid()
{
    // Without keyword the relation text must still be given, as for the other conditions.
    AddressSearch::Criteria c = year(u"送信-年賀状"_qs, 2025);
    QCOMPARE(AddressSearch::validate(c), QString());
    c.history.clear();
    QVERIFY(!AddressSearch::validate(c).isEmpty());
}

QTEST_GUILESS_MAIN(TestHistorySearch)
#include "tst_historysearch.moc"
