// CSV rows and pictures placed on the data-mode pages come back after the pages are rebuilt
// from the template (a trip to template mode, with and without undo there); undo, a
// reservation and a CSV file gone or shortened decide what comes back.

#include "address/AddressBook.h"
#include "app/ModeSwitch.h"
#include "app/PlacementReplay.h"
#include "datasource/CsvDataTable.h"
#include "datasource/CsvPlacement.h"
#include "model/CORINOTEDoc.h"
#include "model/MemoryProfile.h"
#include "model/PageBuilder.h"
#include "pages/Pagination.h"
#include "picprint/PicturePlacement.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QDate kDay(2027, 1, 1);

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// Four sheets side by side, one region on sheet No. 1 taking the first column.
void setUp(CORINOTEDoc& doc)
{
    doc.newDocument();
    CLabelSheetTemplate& t = doc.labelTemplate();
    t.sheets.clear();
    t.regions.clear();
    for (int i = 0; i < 4; ++i) {
        Sheet s;
        s.rect = Rect{i * 500, 0, i * 500 + 400, -300};
        t.sheets.append(s);
    }
    TextRect r;
    r.rect = Rect{0, 0, 400, -200};
    r.attribute = QStringLiteral("@1(CSV)");
    t.regions.append(r);
    PageBuilder::buildPageOne(doc);
}

// Each sheet's text ("-" for none) and picture name ("-" for none), joined by spaces.
QString texts(const CORINOTEDoc& doc)
{
    QStringList list;
    for (int w = 0; w < doc.textRects().size(); ++w)
        list.append(doc.textRects().text(w).isEmpty() ? QStringLiteral("-")
                                                      : doc.textRects().text(w));
    return list.join(QLatin1Char(' '));
}

QString pictures(const CORINOTEDoc& doc)
{
    QStringList list;
    for (int s = 0; s < doc.sheets().size(); ++s) {
        const QString path = doc.sheets().backPicture(s);
        list.append(path.isEmpty() ? QStringLiteral("-") : QFileInfo(path).completeBaseName());
    }
    return list.join(QLatin1Char(' '));
}

} // namespace

class TestPlacementReplay : public QObject
{
    Q_OBJECT
private slots:
    void rebuildPlacesAgain_data();
    void rebuildPlacesAgain();
};

void TestPlacementReplay::rebuildPlacesAgain_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("texts");
    QTest::addColumn<QString>("pictures");
    QTest::addColumn<QString>("message");
    const auto row = [](const char* name, const char* steps, const char* texts,
                        const char* pictures, const QString& message = QString()) {
        QTest::newRow(name) << QString::fromUtf8(steps) << QString::fromUtf8(texts)
                            << QString::fromUtf8(pictures) << message;
    };
    const QString gone =
        u"CSVファイル「rows.csv」が見つからないため、CSVのデータは配置し直していません。"_qs;

    // csv: rows 3 and 1 placed as the CSV command places them; pics: p1, p2 on the sheets;
    // keep: q1 with "keep"; edit: template mode, the region's text changed there;
    // back: template mode and back to data mode; undo; gone: the CSV file deleted;
    // garble: bytes no encoding reads; shrink: the file cut to one row; reserve: a record
    // reserved and the pages rebuilt.
    row("rows after a trip", "csv back", "a3 a1 - -", "- - - -");
    row("the template's new text", "csv edit back", "b3様 b1様 - -", "- - - -");
    row("the edit undone in template mode", "csv edit undo back", "a3 a1 - -", "- - - -");
    row("pictures after a trip", "pics back", "- - - -", "p1 p2 - -");
    row("kept pictures after the rows", "csv keep back", "a3 a1 - -", "- - q1 -");
    row("pictures without keep replace the rows", "csv pics back", "- - - -", "p1 p2 - -");
    row("rows replace the pictures", "pics csv back", "a3 a1 - -", "- - - -");
    row("the placement undone is forgotten", "csv undo back", "- - - -", "- - - -");
    row("undoing the kept pictures keeps the rows", "csv keep undo back", "a3 a1 - -", "- - - -");
    row("a reservation replaces the rows", "csv reserve back", "- - - -", "- - - -");
    row("the file gone: said, then forgotten", "csv gone back", "- - - -", "- - - -", gone);
    row("said once", "csv gone back back", "- - - -", "- - - -");
    // Kept pictures go after the last sheet used, and no row holds one now.
    row("pictures stay when the file is gone", "csv keep gone back", "- - - -", "q1 - - -", gone);
    row("the file no longer readable", "csv garble back", "- - - -", "- - - -",
        u"CSVファイル「rows.csv」を読み込めないため、CSVのデータは配置し直していません。"_qs);
    row("rows the file no longer has", "csv shrink back", "a1 - - -", "- - - -",
        u"CSVファイル「rows.csv」の行が減っているため、1行は配置し直していません。"_qs);
}

void TestPlacementReplay::rebuildPlacesAgain()
{
    QFETCH(QString, steps);
    QFETCH(QString, texts);
    QFETCH(QString, pictures);
    QFETCH(QString, message);

    QTemporaryDir dir;
    MemoryProfile profile;
    CORINOTEDoc doc(&profile);
    doc.dataFolder = dir.path();
    setUp(doc);
    const QString csv = dir.filePath(QStringLiteral("rows.csv"));
    writeFile(csv, "a1,b1\na2,b2\na3,b3\n");

    QString said;
    // As the program's merger.
    const ModeSwitch::RecordMerger merger = [&said](CORINOTEDoc& d, ProgressReporter*) {
        said = PlacementReplay::replay(d, kDay, nullptr);
    };
    for (const QString& step : steps.split(QLatin1Char(' '))) {
        if (step == u"csv") {
            // What the CSV command does once the rows are chosen.
            QStringList lines;
            QVERIFY(CsvDataTable::readLines(csv, &lines).isEmpty());
            const CsvDataTable table(lines);
            doc.takeUndoSnapshot(QStringLiteral("CSVファイル"));
            CsvPlacement::place(doc, table, {2, 0}, kDay, nullptr);
            doc.placementMemory().rememberCsv({csv, false, false, {2, 0}});
        } else if (step == u"pics" || step == u"keep") {
            const bool keep = step == u"keep";
            const QList<PicturePlacement::Picture> list =
                keep ? QList<PicturePlacement::Picture>{{u"q1.jpg"_qs, u"/p/q1.jpg"_qs}}
                     : QList<PicturePlacement::Picture>{{u"p1.jpg"_qs, u"/p/p1.jpg"_qs},
                                                        {u"p2.jpg"_qs, u"/p/p2.jpg"_qs}};
            QVERIFY(PicturePlacement::place(doc, list, {PicturePlacement::Target::Sheets, keep},
                                            kDay, nullptr)
                        .isEmpty());
        } else if (step == u"edit") {
            ModeSwitch::enterTemplateMode(doc);
            doc.takeUndoSnapshot(QStringLiteral("文字列の変更"));
            doc.labelTemplate().regions.setAttribute(0, QStringLiteral("{@2(CSV)}様"));
        } else if (step == u"back") {
            said.clear();
            ModeSwitch::enterTemplateMode(doc);
            QVERIFY(ModeSwitch::enterDataMode(doc, merger).isEmpty());
        } else if (step == u"undo") {
            doc.undo();
        } else if (step == u"gone") {
            QVERIFY(QFile::remove(csv));
        } else if (step == u"garble") {
            writeFile(csv, "a1,\x82\n"); // neither UTF-8 nor CP932
        } else if (step == u"shrink") {
            writeFile(csv, "a1,b1\n");
        } else if (step == u"reserve") {
            QStringList values(CAddressData::TextColumnCount);
            values[CAddressData::EntryNumber] = QStringLiteral("A-1");
            doc.addressBook().group(0).appendRecord(values);
            doc.addressBook().group(0).setFlag(0, 1);
            Pagination::buildFromReservation(doc, kDay, nullptr);
        } else {
            QFAIL(qPrintable(step));
        }
    }
    QCOMPARE(::texts(doc), texts);
    QCOMPARE(::pictures(doc), pictures);
    QCOMPARE(said.section(QLatin1Char('\n'), 0, 0), message);
}

QTEST_GUILESS_MAIN(TestPlacementReplay)
#include "tst_placementreplay.moc"
