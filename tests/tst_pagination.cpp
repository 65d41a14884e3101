#include "address/AddressBook.h"
#include "model/CORINOTEDoc.h"
#include "model/MemoryProfile.h"
#include "pages/Pagination.h"
#include "pages/RecipientFieldCheck.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

// A template of n sheets side by side, one region "氏名(R)" on sheet No. 1 with a
// coloured background, and `reserved` reserved records in group 0.
void setUp(CORINOTEDoc& doc, int sheets, int reserved, int start)
{
    doc.newDocument();
    CLabelSheetTemplate& t = doc.labelTemplate();
    t.sheets.clear();
    for (int i = 0; i < sheets; ++i) {
        Sheet s;
        s.rect = Rect{i * 500, 0, i * 500 + 400, -300};
        s.backColor = 0x00FF00;
        t.sheets.append(s);
    }
    TextRect r;
    r.rect = Rect{10, -10, 300, -100};
    r.attribute = QStringLiteral("氏名(R)");
    r.backColor = 0x0000FF;
    r.backColorOff = 0;
    t.regions.append(r);
    CAddressData& group = doc.addressBook().group(0);
    for (int i = 0; i < reserved; ++i) {
        QStringList values(CAddressData::TextColumnCount);
        values[CAddressData::EntryNumber] = QStringLiteral("A-%1").arg(i + 1);
        values[CAddressData::Name] = QStringLiteral("名前%1").arg(i + 1);
        group.appendRecord(values);
        group.setFlag(i, 1);
    }
    doc.scalars().printStartPosition = start;
}

} // namespace

class TestPagination : public QObject
{
    Q_OBJECT
private slots:
    void buildsPagesFromTheReservation_data();
    void buildsPagesFromTheReservation();
    void sheetsWithoutARecordPrintNothing_data();
    void sheetsWithoutARecordPrintNothing();
    void reservationWithoutRecipientFieldsIsSaid_data();
    void reservationWithoutRecipientFieldsIsSaid();
};

void TestPagination::buildsPagesFromTheReservation_data()
{
    QTest::addColumn<int>("sheets");
    QTest::addColumn<int>("reserved");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("pages");
    // The text of every sheet, "-" for a cleared sheet.
    QTest::addColumn<QStringList>("texts");

    QTest::newRow("start 3, five records")
        << 4 << 5 << 3 << 2
        << QStringList{u"-"_qs, u"-"_qs, u"名前1"_qs, u"名前2"_qs, u"名前3"_qs, u"名前4"_qs,
                       u"名前5"_qs, u"-"_qs};
    QTest::newRow("eight records fill two pages exactly")
        << 4 << 8 << 1 << 2
        << QStringList{u"名前1"_qs, u"名前2"_qs, u"名前3"_qs, u"名前4"_qs, u"名前5"_qs,
                       u"名前6"_qs, u"名前7"_qs, u"名前8"_qs};
    QTest::newRow("no reserved record") << 3 << 0 << 1 << 1
                                        << QStringList{u"-"_qs, u"-"_qs, u"-"_qs};
    QTest::newRow("start position beyond the records")
        << 2 << 1 << 2 << 1 << QStringList{u"-"_qs, u"名前1"_qs};
}

void TestPagination::buildsPagesFromTheReservation()
{
    QFETCH(int, sheets);
    QFETCH(int, reserved);
    QFETCH(int, start);
    QFETCH(int, pages);
    QFETCH(QStringList, texts);

    QTemporaryDir folder;
    MemoryProfile profile;
    CORINOTEDoc doc(&profile);
    doc.dataFolder = folder.path();
    setUp(doc, sheets, reserved, start);
    Pagination::buildFromReservation(doc, QDate(2027, 1, 1), nullptr);

    QCOMPARE(doc.pageCount(), pages);
    QCOMPARE(doc.sheets().size(), texts.size());
    QCOMPARE(doc.textRects().size(), texts.size());
    QCOMPARE(doc.currentPage, 1);
    QVERIFY(doc.isModified());
    QVERIFY(doc.undoAvailable);
    for (int s = 0; s < texts.size(); ++s) {
        const bool cleared = texts.at(s) == u"-"_qs;
        QCOMPARE(doc.textRects().sheetNo(s), s + 1);
        QCOMPARE(doc.textRects().text(s), cleared ? QString() : texts.at(s));
        // A sheet without a record loses its background and its regions' backgrounds,
        // so nothing is printed onto labels that were already used.
        QCOMPARE(doc.sheets().backColor(s), cleared ? 0xFFFFFF : 0x00FF00);
        QCOMPARE(doc.textRects().backColorOff(s), cleared ? 1 : 0);
        // Regions of later sheets are sheet No. 1's design moved to their sheet.
        QCOMPARE(doc.textRects().rect(s).left, (s % sheets) * 500 + 10);
    }
}

void TestPagination::sheetsWithoutARecordPrintNothing_data()
{
    QTest::addColumn<QString>("attribute");
    QTest::newRow("sender") << u"氏名(S)"_qs;
    QTest::newRow("fixed text") << u"謹賀新年"_qs;
    QTest::newRow("sheet number") << u"シートNo.(A)"_qs;
}

// A sender, a fixed text or a sheet number printed onto a label already used is a fault:
// the sheets before the start position and after the last record carry no text at all.
void TestPagination::sheetsWithoutARecordPrintNothing()
{
    QFETCH(QString, attribute);
    QTemporaryDir folder;
    MemoryProfile profile;
    CORINOTEDoc doc(&profile);
    doc.dataFolder = folder.path();
    setUp(doc, 4, 1, 2);
    doc.labelTemplate().regions.setAttribute(0, attribute);
    doc.addressBook().group(AddressBook::SenderGroup).appendRecord(
        {u"SENDER-1"_qs, QString(), QString(), QString(), QString(), u"差出人"_qs});
    Pagination::buildFromReservation(doc, QDate(2027, 1, 1), nullptr);
    QCOMPARE(doc.textRects().size(), 4);
    QCOMPARE(doc.textRects().text(0), QString());
    QVERIFY(!doc.textRects().text(1).isEmpty());
    QCOMPARE(doc.textRects().text(2), QString());
    QCOMPARE(doc.textRects().text(3), QString());
}

void TestPagination::reservationWithoutRecipientFieldsIsSaid_data()
{
    QTest::addColumn<QString>("attribute");
    QTest::addColumn<int>("reserved");
    QTest::addColumn<bool>("said");
    QTest::newRow("a recipient's name") << u"氏名(R)"_qs << 3 << false;
    QTest::newRow("inside a longer attribute") << u"〒郵1(R)"_qs << 3 << false;
    QTest::newRow("only the sender") << u"氏名(S)"_qs << 3 << true;
    QTest::newRow("fixed text only") << QString() << 3 << true;
    QTest::newRow("nothing reserved") << QString() << 0 << false;
}

void TestPagination::reservationWithoutRecipientFieldsIsSaid()
{
    QFETCH(QString, attribute);
    QFETCH(int, reserved);
    QFETCH(bool, said);
    QTemporaryDir folder;
    MemoryProfile profile;
    CORINOTEDoc doc(&profile);
    doc.dataFolder = folder.path();
    setUp(doc, 2, reserved, 1);
    doc.labelTemplate().regions.setAttribute(0, attribute);
    const QString message = RecipientFieldCheck::message(doc);
    QCOMPARE(!message.isEmpty(), said);
    if (said)
        QVERIFY(message.contains(u"印刷予約した3件は印刷されません。"_qs));
}

QTEST_GUILESS_MAIN(TestPagination)
#include "tst_pagination.moc"
