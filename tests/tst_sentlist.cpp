// After printing: which address records the printed pages hold and the history rows they
// get; the printed address list (rows, pages, PDF) and orinote-batch --list-pdf.

#include "address/AddressBook.h"
#include "address/CAddressData.h"
#include "addressbook/AddressListPrint.h"
#include "addressbook/SentHistory.h"
#include "model/CORINOTEDoc.h"
#include "model/MemoryProfile.h"
#include "pages/Pagination.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using C = CAddressData;

namespace {

QStringList record(const QString& entry, const QString& name)
{
    QStringList values(C::TextColumnCount);
    values[C::EntryNumber] = entry;
    values[C::Name] = name;
    return values;
}

// A template of `sheets` sheets with one name region; `reserved` reserved records A-1 …
// in group 0 after one record that is not reserved; pages built from the reservation.
std::unique_ptr<CORINOTEDoc> printedDocument(MemoryProfile& profile, const QString& folder,
                                             int sheets, int reserved, int start)
{
    auto doc = std::make_unique<CORINOTEDoc>(&profile);
    doc->dataFolder = folder;
    doc->newDocument();
    CLabelSheetTemplate& t = doc->labelTemplate();
    t.sheets.clear();
    for (int i = 0; i < sheets; ++i) {
        Sheet s;
        s.rect = Rect{i * 500, 0, i * 500 + 400, -300};
        t.sheets.append(s);
    }
    TextRect r;
    r.rect = Rect{10, -10, 300, -100};
    r.attribute = QStringLiteral("氏名(R)");
    t.regions.append(r);
    CAddressData& g = doc->addressBook().group(0);
    g.appendRecord(record(u"A-0"_qs, u"予約なし"_qs));
    for (int i = 1; i <= reserved; ++i) {
        g.appendRecord(record(QStringLiteral("A-%1").arg(i), QStringLiteral("名前%1").arg(i)));
        g.setFlag(i, 1);
    }
    doc->scalars().printStartPosition = start;
    Pagination::buildFromReservation(*doc, QDate(2026, 12, 8), nullptr);
    return doc;
}

QStringList entryNumbers(const CORINOTEDoc& doc, const QList<AddressRecordRef>& refs)
{
    QStringList out;
    for (const AddressRecordRef& r : refs)
        out.append(doc.addressBook().group(r.group).field(r.record, C::EntryNumber));
    return out;
}

int pdfPages(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    return int(QString::fromLatin1(file.readAll())
                   .count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))));
}

// The text of one page through pdftotext; empty when poppler's tools are missing.
QString pdfText(const QString& path, int page)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return QString();
    QProcess p;
    p.start(tool, {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                   QString::number(page), path, QStringLiteral("-")});
    p.waitForFinished();
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestSentList : public QObject
{
    Q_OBJECT

private slots:
    void printedRecords_data();
    void printedRecords();
    void printedRecordsFollowTheBook();
    void proposal_data();
    void proposal();
    void recordIsOneUndoStepAndRemembersTheSubject();
    void listRows();
    void listPdfOf120Records();
    void listWrapsLongTexts();
    void emptyListWritesNothing();
    void batchListPdf_data();
    void batchListPdf();
};

void TestSentList::printedRecords_data()
{
    QTest::addColumn<int>("sheets");
    QTest::addColumn<int>("reserved");
    QTest::addColumn<int>("start");
    QTest::addColumn<QList<int>>("pages");
    QTest::addColumn<QStringList>("want");

    QTest::newRow("every page") << 2 << 3 << 1 << QList<int>{}
                                << QStringList{u"A-1"_qs, u"A-2"_qs, u"A-3"_qs};
    QTest::newRow("the last page only") << 2 << 3 << 1 << QList<int>{2} << QStringList{u"A-3"_qs};
    QTest::newRow("labels before the start position are no records")
        << 2 << 3 << 2 << QList<int>{1} << QStringList{u"A-1"_qs};
    QTest::newRow("first and third of one-sheet pages")
        << 1 << 3 << 1 << QList<int>{1, 3} << QStringList{u"A-1"_qs, u"A-3"_qs};
    QTest::newRow("a page past the end") << 2 << 3 << 1 << QList<int>{7} << QStringList{};
    QTest::newRow("nothing reserved") << 4 << 0 << 1 << QList<int>{} << QStringList{};
}

void TestSentList::printedRecords()
{
    QFETCH(int, sheets);
    QFETCH(int, reserved);
    QFETCH(int, start);
    QFETCH(QList<int>, pages);
    QFETCH(QStringList, want);
    QTemporaryDir dir;
    MemoryProfile profile;
    auto doc = printedDocument(profile, dir.path(), sheets, reserved, start);
    const QList<AddressRecordRef> printed = SentHistory::printedRecords(*doc, pages);
    QCOMPARE(entryNumbers(*doc, printed), want);
}

// Records are found in the book by entry number, told apart by name where two share a
// number, and left out once deleted; CSV rows (no record list) give none.
void TestSentList::printedRecordsFollowTheBook()
{
    QTemporaryDir dir;
    MemoryProfile profile;
    auto doc = printedDocument(profile, dir.path(), 4, 2, 1);
    CAddressData& other = doc->addressBook().group(5);
    other.appendRecord(record(u"A-2"_qs, u"別人"_qs));
    other.appendRecord(record(u"A-1"_qs, u"名前1"_qs));
    other.setFlag(1, 1);
    doc->scalars().printStartPosition = 1;
    Pagination::buildFromReservation(*doc, QDate(2026, 12, 8), nullptr);
    QList<AddressRecordRef> printed = SentHistory::printedRecords(*doc, {});
    QCOMPARE(printed, (QList<AddressRecordRef>{{0, 1}, {0, 2}, {5, 1}}));

    doc->addressBook().group(0).removeRecord(2); // A-2 in group 0 is gone; 別人 is not it
    printed = SentHistory::printedRecords(*doc, {});
    QCOMPARE(printed, (QList<AddressRecordRef>{{0, 1}, {5, 1}}));

    Pagination::dropReservation(*doc);
    QVERIFY(SentHistory::printedRecords(*doc, {}).isEmpty());
}

void TestSentList::proposal_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("subject");
    QTest::newRow("December") << QDate(2026, 12, 8) << u"送信-暑中見舞い"_qs << u"送信-年賀状"_qs;
    QTest::newRow("January") << QDate(2027, 1, 31) << u"送信-ご案内"_qs << u"送信-年賀状"_qs;
    QTest::newRow("summer, last used") << QDate(2026, 7, 20) << u"送信-暑中見舞い"_qs
                                       << u"送信-暑中見舞い"_qs;
    QTest::newRow("never used") << QDate(2026, 2, 1) << QString() << u"送信-年賀状"_qs;
}

void TestSentList::proposal()
{
    QFETCH(QDate, today);
    QFETCH(QString, last);
    QFETCH(QString, subject);
    MemoryProfile profile;
    if (!last.isEmpty())
        profile.writeString(SentHistory::subjectKey(), last);
    const AddressHistory::Entry e = SentHistory::proposal(&profile, today);
    QCOMPARE(e.subject, subject);
    QCOMPARE(e.date, today.toString(u"yyyy/MM/dd"_qs));
    QVERIFY(SentHistory::asks(&profile));
    SentHistory::setAsks(&profile, false);
    QVERIFY(!SentHistory::asks(&profile));
}

void TestSentList::recordIsOneUndoStepAndRemembersTheSubject()
{
    QTemporaryDir dir;
    MemoryProfile profile;
    auto doc = printedDocument(profile, dir.path(), 2, 3, 1);
    const QList<AddressRecordRef> printed = SentHistory::printedRecords(*doc, {});
    const AddressHistory::Entry entry{u"送信-ご案内"_qs, u"2026/12/08"_qs, QString()};
    QVERIFY(SentHistory::record(*doc, printed, entry));
    const CAddressData& g = doc->addressBook().group(0);
    QCOMPARE(g.historyCount(), 3);
    for (int h = 0; h < 3; ++h) {
        QCOMPARE(g.history(h, C::HistoryKey), QStringLiteral("A-%1").arg(h + 1));
        QCOMPARE(g.history(h, C::HistorySubject), entry.subject);
    }
    QCOMPARE(profile.readString(SentHistory::subjectKey(), QString()), entry.subject);
    QVERIFY(doc->isModified());
    // Printed again the same day: nothing more; another day, another subject: a row each.
    QVERIFY(!SentHistory::record(*doc, printed, {entry.subject, u"2026/12/8"_qs, QString()}));
    QCOMPARE(g.historyCount(), 3);
    QVERIFY(SentHistory::record(*doc, printed.mid(0, 1), {entry.subject, u"2026/12/09"_qs, {}}));
    QVERIFY(SentHistory::record(*doc, printed.mid(0, 1), {u"送信-年賀状"_qs, entry.date, {}}));
    QCOMPARE(g.historyCount(), 5);
    doc->undo();
    doc->undo();
    doc->undo();
    QCOMPARE(doc->addressBook().group(0).historyCount(), 0);
    QVERIFY(!SentHistory::record(*doc, {}, entry));
}

void TestSentList::listRows()
{
    AddressBook book;
    CAddressData& g = book.group(2);
    QStringList a = record(u"U-1"_qs, u"山田 太郎"_qs);
    a[C::Honorific] = u"様"_qs;
    a[C::PostalCode] = u"100-0001"_qs;
    a[C::Address1] = u"東京都千代田区千代田1-1"_qs;
    a[C::Address2] = u"千代田ハイツ101"_qs;
    a[C::Phone1] = u"03-0000-0000"_qs;
    g.appendRecord(a);
    g.appendRecord(record(u"U-2"_qs, u"履歴なし"_qs));
    g.appendHistory(u"U-1"_qs, u"送信-年賀状"_qs, u"2025/12/20"_qs, QString());
    g.appendHistory(u"U-1"_qs, u"受信-年賀状"_qs, u"2026/01/02"_qs, QString());
    g.appendHistory(u"U-1"_qs, u"送信-暑中見舞い"_qs, u"2025/07/10"_qs, QString());

    const QList<AddressListPrint::Row> rows =
        AddressListPrint::rows(book, {{2, 1}, {2, 9}, {25, 0}, {2, 0}});
    QCOMPARE(rows.size(), 2); // references to no record are left out
    QCOMPARE(rows[0].name, u"履歴なし"_qs);
    QVERIFY(rows[0].historySubject.isEmpty() && rows[0].historyDate.isEmpty());
    const AddressListPrint::Row& r = rows[1];
    QCOMPARE(QStringList({r.entryNumber, r.name, r.honorific, r.postalCode, r.address1,
                          r.address2, r.phone}),
             QStringList({u"U-1"_qs, u"山田 太郎"_qs, u"様"_qs, u"100-0001"_qs,
                          u"東京都千代田区千代田1-1"_qs, u"千代田ハイツ101"_qs,
                          u"03-0000-0000"_qs}));
    // The newest row by date, whatever the stored order.
    QCOMPARE(r.historySubject, u"受信-年賀状"_qs);
    QCOMPARE(r.historyDate, u"2026/01/02"_qs);
}

void TestSentList::listPdfOf120Records()
{
    QTemporaryDir dir;
    AddressBook book;
    QList<AddressRecordRef> refs;
    for (int i = 0; i < 120; ++i) {
        book.group(0).appendRecord(
            record(QStringLiteral("A-%1").arg(i + 1), QStringLiteral("名前%1").arg(i + 1)));
        refs.append({0, i});
    }
    const QString pdf = dir.filePath(u"list.pdf"_qs);
    QCOMPARE(AddressListPrint::exportPdf(pdf, AddressListPrint::rows(book, refs), u"あ行"_qs,
                                         QDate(2026, 12, 8)),
             QString());
    QCOMPARE(pdfPages(pdf), 5);
    const QString first = pdfText(pdf, 1);
    const QString last = pdfText(pdf, 5);
    if (first.isEmpty())
        QSKIP("pdftotext is not installed");
    QVERIFY(first.contains(u"住所録リスト"_qs) && first.contains(u"あ行"_qs));
    QVERIFY(first.contains(u"2026年12月8日"_qs));
    QVERIFY(first.contains(u"名前28"_qs) && !first.contains(u"名前29"_qs));
    QVERIFY(last.contains(u"名前113"_qs) && last.contains(u"名前120"_qs));
    QVERIFY(!last.contains(u"名前112"_qs));
    QVERIFY(last.contains(u"5 / 5"_qs));
}

// Long addresses, 住所3 and joint names wrap within their cells instead of being cut.
void TestSentList::listWrapsLongTexts()
{
    QTemporaryDir dir;
    AddressBook book;
    QStringList a = record(u"A-1"_qs, u"長谷川 太郎"_qs);
    a[C::Address1] = u"京都府京都市下京区東塩小路釜殿町東塩小路町721-1"_qs;
    a[C::Address2] = u"グランドメゾン京都駅前タワーレジデンス東館1203号室"_qs;
    a[C::Address3] = u"長谷川様方"_qs;
    a[C::JointName1] = u"花子"_qs;
    a[C::JointName1 + 2] = u"鈴木 一郎"_qs;
    book.group(0).appendRecord(a);
    const QList<AddressListPrint::Row> rows = AddressListPrint::rows(book, {{0, 0}});
    QCOMPARE(rows.front().address3, u"長谷川様方"_qs);
    QCOMPARE(rows.front().jointNames, (QStringList{u"花子"_qs, u"鈴木 一郎"_qs}));
    const QString pdf = dir.filePath(u"list.pdf"_qs);
    QCOMPARE(AddressListPrint::exportPdf(pdf, rows, u"あ行"_qs, QDate(2026, 12, 8)), QString());
    QString text = pdfText(pdf, 1);
    if (text.isEmpty())
        QSKIP("pdftotext is not installed");
    text.remove(QRegularExpression(u"\\s"_qs));
    for (const QString& whole : {a[C::Address1], a[C::Address2], a[C::Address3], u"花子"_qs,
                                 u"鈴木一郎"_qs})
        QVERIFY2(text.contains(whole), qPrintable(whole));
    QVERIFY(!text.contains(u"…"_qs));
}

void TestSentList::emptyListWritesNothing()
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"list.pdf"_qs);
    QCOMPARE(AddressListPrint::exportPdf(pdf, {}, u"検索結果"_qs, QDate(2026, 12, 8)),
             u"出力する住所録データがありません。"_qs);
    QVERIFY(!QFile::exists(pdf));
    const QString bad = dir.filePath(u"no/such/folder/list.pdf"_qs);
    QVERIFY(AddressListPrint::exportPdf(bad, {AddressListPrint::Row{}}, u"あ行"_qs,
                                        QDate(2026, 12, 8))
                .contains(u"保存先のフォルダ"_qs));
}

void TestSentList::batchListPdf_data()
{
    QTest::addColumn<QStringList>("group");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QString>("error");
    QTest::newRow("every group") << QStringList{} << 0 << 2 << QString();
    QTest::newRow("one group") << QStringList{u"--group"_qs, u"か"_qs} << 0 << 1 << QString();
    QTest::newRow("no such group") << QStringList{u"--group"_qs, u"なし"_qs} << 1 << -1
                                   << u"グループ「なし」はありません"_qs;
    QTest::newRow("a group without a use") << QStringList{u"--group"_qs, u"か"_qs, u"--no-list"_qs}
                                           << 2 << -1 << u"--group は --import-vcard、--import-contacts か --list-pdf"_qs;
}

void TestSentList::batchListPdf()
{
    QFETCH(QStringList, group);
    QFETCH(int, exitCode);
    QFETCH(int, pages);
    QFETCH(QString, error);
    QTemporaryDir dir;
    AddressBook book;
    for (int i = 0; i < 30; ++i)
        book.group(0).appendRecord(record(QStringLiteral("A-%1").arg(i + 1), u"あ"_qs));
    book.group(1).appendRecord(record(u"K-1"_qs, u"か"_qs));
    const QString ona = dir.filePath(u"book.ona"_qs);
    QCOMPARE(book.storeFile(ona), QString());
    const QString pdf = dir.filePath(u"list.pdf"_qs);
    QStringList args{u"--addressbook"_qs, ona, u"--data-folder"_qs, dir.path(),
                     u"--profile"_qs, dir.filePath(u"p.ini"_qs)};
    if (group.removeAll(u"--no-list"_qs) == 0)
        args << u"--list-pdf"_qs << pdf;
    QProcess p;
    p.start(QStringLiteral(ORINOTE_BATCH), args + group);
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitCode(), exitCode);
    QVERIFY(QString::fromUtf8(p.readAllStandardError()).contains(error));
    QCOMPARE(pdfPages(pdf), pages);
}

QTEST_MAIN(TestSentList)
#include "tst_sentlist.moc"
