// Who gets a New Year's card: last year's cards both ways, minus this year's mourning.

#include "address/AddressBook.h"
#include "address/CAddressData.h"
#include "addressbook/CardSeason.h"
#include "model/CORINOTEDoc.h"
#include "model/MemoryProfile.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

using C = CAddressData;

namespace {

QStringList record(const QString& entry)
{
    QStringList values(C::TextColumnCount);
    values[C::EntryNumber] = entry;
    values[C::Name] = entry;
    return values;
}

} // namespace

class TestCardSeason : public QObject
{
    Q_OBJECT

private slots:
    void plan_data();
    void plan();
    void reserveIsOneUndoStep();
    void defaultNewYear_data();
    void defaultNewYear();
};

void TestCardSeason::plan_data()
{
    QTest::addColumn<QStringList>("history"); // key|subject|date
    QTest::addColumn<QStringList>("want");    // entry numbers of the records to reserve
    QTest::addColumn<int>("sent");
    QTest::addColumn<int>("received");
    QTest::addColumn<int>("mourning");

    // Preparing New Year 2027: the season of New Year 2026 runs 2025/11/01–2026/02/15,
    // mourning counts from 2026/06/01.
    QTest::newRow("sent on the season's first day")
        << QStringList{u"A-1|送信-年賀状|2025/11/01"_qs} << QStringList{u"A-1"_qs} << 1 << 0 << 0;
    QTest::newRow("sent the day before the season")
        << QStringList{u"A-1|送信-年賀状|2025/10/31"_qs} << QStringList{} << 0 << 0 << 0;
    QTest::newRow("received on last New Year's day")
        << QStringList{u"A-1|受信-年賀状|2026/01/01"_qs} << QStringList{u"A-1"_qs} << 0 << 1 << 0;
    QTest::newRow("a late reply on the season's last day")
        << QStringList{u"A-1|受信-年賀状|2026/02/15"_qs} << QStringList{u"A-1"_qs} << 0 << 1 << 0;
    QTest::newRow("received the day after the season")
        << QStringList{u"A-1|受信-年賀状|2026/02/16"_qs} << QStringList{} << 0 << 0 << 0;
    QTest::newRow("the New Year before does not count")
        << QStringList{u"A-1|送信-年賀状|2025/01/01"_qs, u"A-2|受信-年賀状|2025/02/15"_qs}
        << QStringList{} << 0 << 0 << 0;
    QTest::newRow("this season's cards do not count")
        << QStringList{u"A-1|送信-年賀状|2026/11/01"_qs, u"A-2|送信-年賀状|2026/12/09"_qs}
        << QStringList{} << 0 << 0 << 0;
    QTest::newRow("both ways counts once in the list")
        << QStringList{u"A-1|送信-年賀状|2025/12/20"_qs, u"A-1|受信-年賀状|2026/01/05"_qs}
        << QStringList{u"A-1"_qs} << 1 << 1 << 0;
    QTest::newRow("mourning from 1 June leaves out")
        << QStringList{u"A-1|送信-年賀状|2026/01/01"_qs, u"A-1|受信-喪中|2026/06/01"_qs,
                       u"A-2|受信-年賀状|2026/01/02"_qs}
        << QStringList{u"A-2"_qs} << 1 << 1 << 1;
    QTest::newRow("mourning in November leaves out")
        << QStringList{u"A-1|送信-年賀状|2026/01/01"_qs, u"A-1|受信-喪中|2026/11/20"_qs}
        << QStringList{} << 1 << 0 << 1;
    QTest::newRow("mourning of 31 May does not")
        << QStringList{u"A-1|送信-年賀状|2026/01/01"_qs, u"A-1|受信-喪中|2026/05/31"_qs}
        << QStringList{u"A-1"_qs} << 1 << 0 << 0;
    QTest::newRow("other subjects and no history")
        << QStringList{u"A-1|送信-暑中見舞い|2026/01/01"_qs} << QStringList{} << 0 << 0 << 0;
}

void TestCardSeason::plan()
{
    QFETCH(QStringList, history);
    QFETCH(QStringList, want);
    QFETCH(int, sent);
    QFETCH(int, received);
    QFETCH(int, mourning);

    AddressBook book;
    CAddressData& g = book.group(3);
    for (const char* e : {"A-1", "A-2", "A-3"})
        g.appendRecord(record(QString::fromUtf8(e)));
    for (const QString& h : history) {
        const QStringList p = h.split(u'|');
        g.appendHistory(p.at(0), p.at(1), p.at(2), QString());
    }
    // A sender with last year's card is never planned.
    book.group(AddressBook::SenderGroup).appendRecord(record(u"A-1"_qs));

    const CardSeason::Plan p = CardSeason::plan(book, 2027);
    QStringList got;
    for (const AddressRecordRef& r : p.records) {
        QCOMPARE(r.group, 3);
        got.append(g.field(r.record, C::EntryNumber));
    }
    QCOMPARE(got, want);
    QCOMPARE(p.sent, sent);
    QCOMPARE(p.received, received);
    QCOMPARE(p.mourning, mourning);
}

void TestCardSeason::reserveIsOneUndoStep()
{
    QTemporaryDir dir;
    MemoryProfile profile;
    auto doc = std::make_unique<CORINOTEDoc>(&profile);
    doc->dataFolder = dir.path();
    doc->newDocument();
    for (int group : {0, 5}) {
        CAddressData& g = doc->addressBook().group(group);
        g.appendRecord(record(u"K-1"_qs));
        g.appendRecord(record(u"K-2"_qs));
        g.appendHistory(u"K-2"_qs, u"受信-年賀状"_qs, u"2026/01/04"_qs, QString());
    }
    const CardSeason::Plan p = CardSeason::plan(doc->addressBook(), 2027);
    QCOMPARE(p.records.size(), 2);
    QVERIFY(CardSeason::reserve(*doc, p));
    QCOMPARE(doc->addressBook().group(0).flag(1), 1);
    QCOMPARE(doc->addressBook().group(5).flag(1), 1);
    QCOMPARE(doc->addressBook().group(5).flag(0), 0);
    doc->undo();
    QCOMPARE(doc->addressBook().group(0).flag(1), 0);
    QCOMPARE(doc->addressBook().group(5).flag(1), 0);
    QVERIFY(!CardSeason::reserve(*doc, CardSeason::Plan{}));
}

void TestCardSeason::defaultNewYear_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<int>("want");
    QTest::newRow("New Year's day") << QDate(2027, 1, 1) << 2027;
    QTest::newRow("last day of September") << QDate(2026, 9, 30) << 2026;
    QTest::newRow("first of October") << QDate(2026, 10, 1) << 2027;
    QTest::newRow("December") << QDate(2026, 12, 9) << 2027;
    QTest::newRow("New Year's Eve") << QDate(2026, 12, 31) << 2027;
}

void TestCardSeason::defaultNewYear()
{
    QFETCH(QDate, today);
    QFETCH(int, want);
    QCOMPARE(CardSeason::defaultNewYear(today), want);
}

QTEST_GUILESS_MAIN(TestCardSeason)
#include "tst_cardseason.moc"
