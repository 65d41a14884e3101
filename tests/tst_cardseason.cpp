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
};

void TestCardSeason::plan_data()
{
    QTest::addColumn<QStringList>("history"); // key|subject|date
    QTest::addColumn<QStringList>("want");    // entry numbers of the records to reserve
    QTest::addColumn<int>("sent");
    QTest::addColumn<int>("received");
    QTest::addColumn<int>("mourning");

    QTest::newRow("sent last year")
        << QStringList{u"A-1|送信-年賀状|2025/01/03"_qs} << QStringList{u"A-1"_qs} << 1 << 0 << 0;
    QTest::newRow("received on the year's last day")
        << QStringList{u"A-1|受信-年賀状|2025/12/31"_qs} << QStringList{u"A-1"_qs} << 0 << 1 << 0;
    QTest::newRow("both ways counts once in the list")
        << QStringList{u"A-1|送信-年賀状|2025/01/01"_qs, u"A-1|受信-年賀状|2025/01/05"_qs}
        << QStringList{u"A-1"_qs} << 1 << 1 << 0;
    QTest::newRow("two years ago and this year do not count")
        << QStringList{u"A-1|送信-年賀状|2024/12/31"_qs, u"A-2|送信-年賀状|2026/01/01"_qs}
        << QStringList{} << 0 << 0 << 0;
    QTest::newRow("mourning this year leaves out")
        << QStringList{u"A-1|送信-年賀状|2025/01/01"_qs, u"A-1|受信-喪中|2026/11/20"_qs,
                       u"A-2|受信-年賀状|2025/01/02"_qs}
        << QStringList{u"A-2"_qs} << 1 << 1 << 1;
    QTest::newRow("mourning of last year does not")
        << QStringList{u"A-1|送信-年賀状|2025/01/01"_qs, u"A-1|受信-喪中|2025/11/20"_qs}
        << QStringList{u"A-1"_qs} << 1 << 0 << 0;
    QTest::newRow("other subjects and no history")
        << QStringList{u"A-1|送信-暑中見舞い|2025/08/01"_qs} << QStringList{} << 0 << 0 << 0;
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

    const CardSeason::Plan p = CardSeason::plan(book, 2026);
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
        g.appendHistory(u"K-2"_qs, u"受信-年賀状"_qs, u"2025/01/04"_qs, QString());
    }
    const CardSeason::Plan p = CardSeason::plan(doc->addressBook(), 2026);
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

QTEST_GUILESS_MAIN(TestCardSeason)
#include "tst_cardseason.moc"
