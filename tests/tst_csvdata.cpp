#include "base/ArchiveWriter.h"
#include "base/TextCodec.h"
#include "datasource/CsvDataModel.h"
#include "datasource/CsvDataTable.h"
#include "datasource/CsvFieldSplitter.h"
#include "datasource/CsvQuotedRecord.h"
#include "datasource/CsvMarker.h"
#include "datasource/CsvPlacement.h"
#include "datasource/CsvRecords.h"
#include "merge/MergeExpander.h"
#include "model/CORINOTEDoc.h"
#include "model/MemoryProfile.h"
#include "pages/Pagination.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTest>

#include <limits>
#include <numeric>

namespace {

const QString kBatch = QStringLiteral(ORINOTE_BATCH);

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// The markers of the test template, one region each, in this order on sheet No. 1.
const QStringList kAttributes{QStringLiteral("@1(CSV)"), QStringLiteral("@2(CSV)"),
                              QStringLiteral("固定"), QStringLiteral("@12(CSV)"),
                              QStringLiteral("シートNo.(A)")};

// A template of `sheets` sheets side by side with the regions of kAttributes on sheet
// No. 1; the second region has a vertical face.
CLabelSheetTemplate csvTemplate(int sheets)
{
    CLabelSheetTemplate t;
    t.reset();
    t.paperRect = Rect{0, 0, sheets * 500, -400};
    for (int i = 0; i < sheets; ++i) {
        Sheet s;
        s.rect = Rect{i * 500, 0, i * 500 + 400, -300};
        s.backColor = 0x00FF00;
        t.sheets.append(s);
    }
    for (int i = 0; i < kAttributes.size(); ++i) {
        TextRect r;
        r.rect = Rect{10, -10 - i * 50, 300, -50 - i * 50};
        r.attribute = kAttributes.at(i);
        r.font =
            FontRecord::make(i == 1 ? QStringLiteral("@ＭＳ 明朝") : QStringLiteral("ＭＳ 明朝"),
                             -40, i == 1 ? 2700 : 0);
        t.regions.append(r);
    }
    return t;
}

void setUp(CORINOTEDoc& doc, int sheets, int start)
{
    doc.newDocument();
    doc.labelTemplate() = csvTemplate(sheets);
    doc.scalars().printStartPosition = start;
}

// A table of `rows` rows "r<n>,<n>-15,…" of `columns` columns.
CsvDataTable numberedTable(int rows, int columns)
{
    QStringList lines;
    for (int r = 1; r <= rows; ++r) {
        QStringList fields{QStringLiteral("r%1").arg(r), QStringLiteral("%1-15").arg(r)};
        for (int c = 2; c < columns; ++c)
            fields.append(QStringLiteral("c%1").arg(c + 1));
        lines.append(fields.join(QLatin1Char(',')));
    }
    return CsvDataTable(lines);
}

// What orinote-batch wrote and its exit code.
struct BatchRun
{
    int exitCode = -1;
    QByteArray out;
    QString errors;
};

// Runs orinote-batch in `dir` with the template saved as label.ont, the CSV file and the
// JSON dump on standard output, after `options`.
BatchRun runBatch(const QTemporaryDir& dir, const CLabelSheetTemplate& t, const QString& csv,
                  const QStringList& options)
{
    QSaveFile file(dir.filePath(u"label.ont"_qs));
    if (!file.open(QIODevice::WriteOnly))
        return {};
    ArchiveWriter writer(&file);
    t.write(writer);
    if (!writer.finish() || !file.commit())
        return {};
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"QT_QPA_PLATFORM"_qs, u"offscreen"_qs);
    process.setProcessEnvironment(env);
    process.start(kBatch,
                  QStringList{u"--profile"_qs, dir.filePath(u"batch.ini"_qs), u"--data-folder"_qs,
                              dir.path(), u"--template"_qs, dir.filePath(u"label.ont"_qs),
                              u"--csv"_qs, csv, u"--json"_qs, u"-"_qs} +
                      options);
    if (!process.waitForFinished(20000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), process.readAllStandardOutput(),
            QString::fromUtf8(process.readAllStandardError())};
}

// The text of every region in a JSON dump.
QStringList regionTexts(const QByteArray& json)
{
    QStringList texts;
    const QJsonArray regions =
        QJsonDocument::fromJson(json).object().value(u"textRects"_qs).toArray();
    for (const QJsonValue& r : regions)
        texts.append(r.toObject().value(u"text"_qs).toString());
    return texts;
}

// Region `which` of kAttributes on data-mode sheet s.
QString regionText(const CORINOTEDoc& doc, int sheet, int which)
{
    return doc.textRects().text(sheet * int(kAttributes.size()) + which);
}

} // namespace

class TestCsvData : public QObject
{
    Q_OBJECT
private slots:
    void splitsFields_data();
    void splitsFields();
    void countsColumns_data();
    void countsColumns();
    void splitsLongLinesInLinearTime_data();
    void splitsLongLinesInLinearTime();
    void readsLines_data();
    void readsLines();
    void tableKeepsTheFirstLinesColumns();
    void keepsQuotedLineBreaksInOneRow_data();
    void keepsQuotedLineBreaksInOneRow();
    void cutsLongCells();
    void sortsByCp932Bytes_data();
    void sortsByCp932Bytes();
    void modelKeepsSelectedRowsThroughASort();
    void takesTheFirstLineAsNames_data();
    void takesTheFirstLineAsNames();
    void readsColumnMarkers_data();
    void readsColumnMarkers();
    void resolvesColumns_data();
    void resolvesColumns();
    void placesNamedAndBracedMarkers_data();
    void placesNamedAndBracedMarkers();
    void namesMissingColumns();
    void batchNamesMissingColumns();
    void mapsRecordColumns_data();
    void mapsRecordColumns();
    void batchPlacesRowsAsRecords_data();
    void batchPlacesRowsAsRecords();
    void checksTheSelection_data();
    void checksTheSelection();
    void placesRowsFromTheStartPosition_data();
    void placesRowsFromTheStartPosition();
    void placesInSortedOrder();
    void writesKanjiNumeralsInVerticalFaces_data();
    void writesKanjiNumeralsInVerticalFaces();
    void clearsThePrintReservation();
    void batchPlacesRows_data();
    void batchPlacesRows();
};

void TestCsvData::splitsFields_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("maxFields");
    QTest::addColumn<QStringList>("fields");
    const int all = 100;
    QTest::newRow("quoted comma") << u"a,\"b,c\",d"_qs << all
                                  << QStringList{u"a"_qs, u"b,c"_qs, u"d"_qs};
    QTest::newRow("quoted first") << u"\"x\",y"_qs << all << QStringList{u"x"_qs, u"y"_qs};
    QTest::newRow("empty middle") << u"a,,b"_qs << all << QStringList{u"a"_qs, QString(), u"b"_qs};
    QTest::newRow("trailing comma") << u"a,"_qs << all << QStringList{u"a"_qs, QString()};
    QTest::newRow("empty line") << QString() << all << QStringList{QString()};
    QTest::newRow("only commas") << u",,"_qs << all << QStringList{QString(), QString(), QString()};
    QTest::newRow("quoted last") << u"a,\"b\""_qs << all << QStringList{u"a"_qs, u"b"_qs};
    // The last quoted field loses the line's last character, whatever it is.
    QTest::newRow("quoted last, text after")
        << u"a,\"b\"c"_qs << all << QStringList{u"a"_qs, u"b\""_qs};
    QTest::newRow("quoted last, kanji after")
        << u"a,\"b\"漢"_qs << all << QStringList{u"a"_qs, u"b\""_qs};
    QTest::newRow("unclosed quote") << u"a,\"b"_qs << all << QStringList{u"a"_qs, u"\"b"_qs};
    QTest::newRow("doubled quotes kept")
        << u"\"a\"\"b\",c"_qs << all << QStringList{u"a\"\"b"_qs, u"c"_qs};
    QTest::newRow("text before the quote dropped")
        << u"x\"y\",z"_qs << all << QStringList{u"y"_qs, u"z"_qs};
    // A closing quote without a comma after it: the next character is the separator.
    QTest::newRow("closing quote, no comma")
        << u"\"ab\"c,d"_qs << all << QStringList{u"ab"_qs, QString(), u"d"_qs};
    QTest::newRow("quote in a later field")
        << u"a,b\"c"_qs << all << QStringList{u"a"_qs, u"b\"c"_qs};
    QTest::newRow("kanji") << u"\"東京都,千代田区\",１００-０００１"_qs << all
                           << QStringList{u"東京都,千代田区"_qs, u"１００-０００１"_qs};
    QTest::newRow("fields beyond the count dropped")
        << u"a,b,c,d,e"_qs << 3 << QStringList{u"a"_qs, u"b"_qs, u"c"_qs};
    QTest::newRow("no field wanted") << u"a,b"_qs << 0 << QStringList();
}

void TestCsvData::splitsFields()
{
    QFETCH(QString, line);
    QFETCH(int, maxFields);
    QFETCH(QStringList, fields);
    QCOMPARE(CsvFieldSplitter::fields(line, maxFields), fields);
}

void TestCsvData::countsColumns_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("columns");
    QTest::newRow("plain") << u"a,b,c"_qs << 3;
    QTest::newRow("quoted comma") << u"a,\"b,c\",d"_qs << 3;
    QTest::newRow("empty") << QString() << 1;
    // Only a quote right after a comma opens a quoted field for the count.
    QTest::newRow("quote at the start") << u"\"a,b\""_qs << 2;
    QTest::newRow("trailing comma") << u"a,"_qs << 2;
}

void TestCsvData::countsColumns()
{
    QFETCH(QString, line);
    QFETCH(int, columns);
    QCOMPARE(CsvFieldSplitter::columnCount(line), columns);
}

void TestCsvData::splitsLongLinesInLinearTime_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("end");
    // Each repeated unit makes a naive search for the closing quote scan to the end.
    QTest::newRow("quotes without comma") << u"\"a"_qs << u","_qs;
    QTest::newRow("closed fields without comma") << u"\"a\"b"_qs << u","_qs;
    QTest::newRow("commas then one quote") << u"a,"_qs << u"\""_qs;
    QTest::newRow("opening quotes") << u",\""_qs << QString();
}

void TestCsvData::splitsLongLinesInLinearTime()
{
    QFETCH(QString, unit);
    QFETCH(QString, end);
    const QString line = unit.repeated(200000) + end;
    QElapsedTimer timer;
    timer.start();
    QList<CsvFieldSplitter::Span> spans;
    CsvFieldSplitter::split(line, std::numeric_limits<int>::max(), &spans);
    QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed())));
    for (const CsvFieldSplitter::Span& s : spans) {
        QVERIFY(s.start >= 0 && s.length >= 0);
        QVERIFY(qsizetype(s.start) + s.length <= line.size());
    }
}

void TestCsvData::readsLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("message");
    const QString noData = u"データが見つかりませんでした。"_qs;
    QTest::newRow("cp932, crlf") << TextCodec::encode(u"山田,太郎\r\n鈴木,花子\r\n"_qs)
                                 << QStringList{u"山田,太郎"_qs, u"鈴木,花子"_qs} << QString();
    QTest::newRow("utf-8 with bom") << QByteArray("\xEF\xBB\xBF") + u"山田,𠮷\n"_qs.toUtf8()
                                    << QStringList{u"山田,𠮷"_qs} << QString();
    QTest::newRow("empty lines count")
        << QByteArray("a\n\nb") << QStringList{u"a"_qs, QString(), u"b"_qs} << QString();
    QTest::newRow("one empty line") << QByteArray("\n") << QStringList{QString()} << QString();
    QTest::newRow("empty file") << QByteArray() << QStringList() << noData;
    QTest::newRow("bom only") << QByteArray("\xEF\xBB\xBF") << QStringList() << noData;
}

void TestCsvData::readsLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"data.csv"_qs);
    QVERIFY(writeFile(path, bytes));
    QStringList read;
    QCOMPARE(CsvDataTable::readLines(path, &read), message);
    QCOMPARE(read, lines);

    // A missing file and a folder are errors, not empty files.
    QCOMPARE(CsvDataTable::readLines(dir.filePath(u"missing.csv"_qs), &read),
             u"エラーが発生しました。"_qs);
    QCOMPARE(CsvDataTable::readLines(dir.path(), &read), u"エラーが発生しました。"_qs);
    QVERIFY(read.isEmpty());
}

void TestCsvData::tableKeepsTheFirstLinesColumns()
{
    int reports = 0;
    int lastDone = -1;
    const CsvDataTable table({u"a,b,c"_qs, u"1,2,3,4,5"_qs, u"x"_qs, QString()},
                             [&](int done, int total) {
                                 QCOMPARE(total, 4);
                                 QVERIFY(done >= lastDone);
                                 lastDone = done;
                                 ++reports;
                             });
    QVERIFY(reports >= 2);
    QCOMPARE(lastDone, 4);
    QCOMPARE(table.rowCount(), 4);
    QCOMPARE(table.columnCount(), 3);
    QCOMPARE(table.cell(1, 2), u"3"_qs);
    QCOMPARE(table.fieldCount(1), 3); // "4" and "5" dropped
    QCOMPARE(table.cell(1, 3), QString());
    QCOMPARE(table.cell(2, 0), u"x"_qs);
    QCOMPARE(table.cell(2, 1), QString());
    QCOMPARE(table.cell(3, 0), QString());
    QCOMPARE(table.cell(-1, 0), QString());
    QCOMPARE(table.cell(4, 0), QString());
    QCOMPARE(table.cell(0, -1), QString());
}

// A quoted cell of two lines, as spreadsheets save a note, stays one cell of one row; the
// rows after it keep their own lines' numbers. Lines without such a cell split as before.
void TestCsvData::keepsQuotedLineBreaksInOneRow_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QList<QStringList>>("rows");
    QTest::addColumn<QList<int>>("lineNumbers");
    QTest::newRow("spreadsheet note of two lines")
        << QStringList{u"氏名,備考,住所"_qs, u"山田,\"今年もよろしく"_qs, u"来年春\",東京"_qs,
                       u"鈴木,なし,大阪"_qs}
        << QList<QStringList>{{u"氏名"_qs, u"備考"_qs, u"住所"_qs},
                              {u"山田"_qs, u"今年もよろしく\n来年春"_qs, u"東京"_qs},
                              {u"鈴木"_qs, u"なし"_qs, u"大阪"_qs}}
        << QList<int>{1, 2, 4};
    QTest::newRow("doubled quotes inside a cell of several lines")
        << QStringList{u"a,b"_qs, u"1,\"\"\"大事\"\"な人"_qs, u"二行目\""_qs, u"2,x"_qs}
        << QList<QStringList>{{u"a"_qs, u"b"_qs},
                              {u"1"_qs, u"\"大事\"な人\n二行目"_qs},
                              {u"2"_qs, u"x"_qs}}
        << QList<int>{1, 2, 4};
    QTest::newRow("quotes closed on their line: as before")
        << QStringList{u"a,b"_qs, u"\"x,y\",z"_qs, u"\"\"\"大事\"\"な人\",w"_qs}
        << QList<QStringList>{{u"a"_qs, u"b"_qs},
                              CsvFieldSplitter::fields(u"\"x,y\",z", 2),
                              CsvFieldSplitter::fields(u"\"\"\"大事\"\"な人\",w", 2)}
        << QList<int>{1, 2, 3};
    QTest::newRow("a quote that never closes takes no line")
        << QStringList{u"a,b"_qs, u"\"open,1"_qs, u"2,3"_qs}
                   + QStringList(CsvQuotedRecord::MaxLines, u"4,5"_qs)
        << QList<QStringList>{{u"a"_qs, u"b"_qs}, CsvFieldSplitter::fields(u"\"open,1", 2),
                              {u"2"_qs, u"3"_qs}}
        << QList<int>{1, 2, 3};
}

void TestCsvData::keepsQuotedLineBreaksInOneRow()
{
    QFETCH(QStringList, lines);
    QFETCH(QList<QStringList>, rows);
    QFETCH(QList<int>, lineNumbers);
    const CsvDataTable table(lines);
    QCOMPARE(table.columnCount(), rows.first().size());
    for (int r = 0; r < rows.size(); ++r) {
        QStringList cells;
        for (int c = 0; c < table.fieldCount(r); ++c)
            cells.append(table.cell(r, c));
        QCOMPARE(cells, rows.at(r));
        QCOMPARE(table.lineNumber(r), lineNumbers.at(r));
    }
}

// A cell longer than the bound reads cut there (a surrogate pair kept whole) and is counted.
void TestCsvData::cutsLongCells()
{
    const QString pairAtBound = QString(CsvDataTable::MaxCellChars - 1, u'x') + u"𠮷"_qs;
    const CsvDataTable table({u"a,b"_qs, QString(5000, u'y') + u",short"_qs, pairAtBound + u",z"_qs});
    QCOMPARE(table.cell(1, 0).size(), CsvDataTable::MaxCellChars);
    QCOMPARE(table.cell(1, 1), u"short"_qs);
    QCOMPARE(table.cell(2, 0), QString(CsvDataTable::MaxCellChars - 1, u'x'));
    QCOMPARE(table.longCellCount(), 2);
    QCOMPARE(table.longCellsMessage(), u"4,096文字を超えるセルが2個あり、4,096文字までを使います。"_qs);
    QCOMPARE(CsvDataTable({u"a"_qs}).longCellsMessage(), QString());
}

void TestCsvData::sortsByCp932Bytes_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<bool>("ascending");
    QTest::addColumn<QList<int>>("order");
    // ～ (U+FF5E) is 0x8160 in CP932, ア (U+30A2) 0x8341: Unicode order would put ア first.
    QTest::newRow("cp932, not unicode")
        << QStringList{u"ア"_qs, u"～"_qs, u"a"_qs} << true << QList<int>{2, 1, 0};
    QTest::newRow("descending") << QStringList{u"ア"_qs, u"～"_qs, u"a"_qs} << false
                                << QList<int>{0, 1, 2};
    QTest::newRow("ties keep their order")
        << QStringList{u"b"_qs, u"a"_qs, u"b"_qs, u"a"_qs} << true << QList<int>{1, 3, 0, 2};
    QTest::newRow("ties keep their order, descending")
        << QStringList{u"b"_qs, u"a"_qs, u"b"_qs, u"a"_qs} << false << QList<int>{0, 2, 1, 3};
    QTest::newRow("empty first") << QStringList{u"x"_qs, QString()} << true << QList<int>{1, 0};
    // A column of numbers sorts by value, where bytes would put 10 before 9.
    QTest::newRow("numbers") << QStringList{u"10"_qs, u"9"_qs, u"-1"_qs, u"1.5"_qs} << true
                             << QList<int>{2, 3, 1, 0};
    QTest::newRow("numbers, descending")
        << QStringList{u"10"_qs, u"9"_qs, u"-1"_qs, u"1.5"_qs} << false << QList<int>{0, 1, 3, 2};
    QTest::newRow("full-width and grouped numbers")
        << QStringList{u"１,２００"_qs, u" 300 "_qs, u"２５"_qs, u"+7"_qs} << true
        << QList<int>{3, 2, 1, 0};
    QTest::newRow("empty cells first among numbers")
        << QStringList{u"10"_qs, QString(), u"9"_qs} << true << QList<int>{1, 2, 0};
    QTest::newRow("empty cells last among numbers, descending")
        << QStringList{u"10"_qs, QString(), u"9"_qs} << false << QList<int>{0, 2, 1};
    QTest::newRow("a word makes the column text")
        << QStringList{u"10"_qs, u"9"_qs, u"x"_qs} << true << QList<int>{0, 1, 2};
    // "1,00" is no number (groups of three), so the column compares as text.
    QTest::newRow("misgrouped number") << QStringList{u"1,00"_qs, u"2"_qs} << true
                                       << QList<int>{0, 1};
    QTest::newRow("postal codes are text")
        << QStringList{u"164-0013"_qs, u"10-1"_qs} << true << QList<int>{1, 0};
}

void TestCsvData::sortsByCp932Bytes()
{
    QFETCH(QStringList, keys);
    QFETCH(bool, ascending);
    QFETCH(QList<int>, order);
    QStringList lines;
    for (const QString& k : keys)
        lines.append(u"0,\""_qs + k + u"\""_qs);
    const CsvDataTable table(lines);
    QList<int> rows(keys.size());
    std::iota(rows.begin(), rows.end(), 0);
    table.sortRows(rows, 1, ascending);
    QCOMPARE(rows, order);

    // An order naming a row outside the table is left alone.
    QList<int> bad{0, int(keys.size())};
    table.sortRows(bad, 1, ascending);
    QCOMPARE(bad, (QList<int>{0, int(keys.size())}));
}

void TestCsvData::modelKeepsSelectedRowsThroughASort()
{
    CsvDataModel model(CsvDataTable({u"b,1"_qs, u"c,2"_qs, u"a,3"_qs}));
    QCOMPARE(model.columnCount(), 3); // the line numbers first
    QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), u"2"_qs);
    const QPersistentModelIndex c(model.index(1, 1));
    model.sortRows(1, false); // c, b, a
    QCOMPARE(model.data(model.index(0, 1)).toString(), u"c"_qs);
    QCOMPARE(model.data(model.index(0, 0)).toInt(), 2);
    QCOMPARE(c.row(), 0);
    QCOMPARE(model.tableRows({0, 1, 2}), (QList<int>{1, 0, 2}));
    model.sortRows(2, true); // back to file order: 1, 2, 3
    QCOMPARE(model.tableRows({0, 1, 2}), (QList<int>{0, 1, 2}));
    QCOMPARE(c.row(), 1);
    QCOMPARE(model.tableRow(3), -1);
    model.sortRows(CsvDataModel::LineColumn, false); // the last line first
    QCOMPARE(model.tableRows({0, 1, 2}), (QList<int>{2, 1, 0}));
    QCOMPARE(c.row(), 1);
}

void TestCsvData::takesTheFirstLineAsNames_data()
{
    QTest::addColumn<bool>("names");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("firstCell");
    QTest::addColumn<int>("firstLine");
    QTest::addColumn<QStringList>("captions"); // the model's, line numbers' first
    QTest::newRow("first line a row") << false << 3 << u" 氏名 "_qs << 1
                                      << QStringList{u"行"_qs, u"1"_qs, u"2"_qs, u"3"_qs};
    // Names are trimmed; an empty one leaves the column its number.
    QTest::newRow("first line names")
        << true << 2 << u"山田"_qs << 2 << QStringList{u"行"_qs, u"氏名"_qs, u"住所"_qs, u"3"_qs};
}

void TestCsvData::takesTheFirstLineAsNames()
{
    QFETCH(bool, names);
    QFETCH(int, rows);
    QFETCH(QString, firstCell);
    QFETCH(int, firstLine);
    QFETCH(QStringList, captions);
    CsvDataModel model(CsvDataTable({u" 氏名 ,住所,"_qs, u"山田,東京"_qs, u"鈴木,大阪"_qs}));
    if (names)
        model.sortRows(1, false); // taking the names shows the rows in file order again
    model.setFirstLineNames(names);
    const CsvDataTable& table = model.table();
    QCOMPARE(table.rowCount(), rows);
    QCOMPARE(model.rowCount(), rows);
    QCOMPARE(table.cell(0, 0), firstCell);
    QCOMPARE(table.lineNumber(0), firstLine);
    QCOMPARE(table.lineNumber(rows - 1), 3);
    QCOMPARE(table.lineNumber(rows), 0);
    QCOMPARE(table.cell(rows, 0), QString());
    QCOMPARE(model.data(model.index(0, 0)).toInt(), firstLine);
    QStringList shown;
    for (int c = 0; c < model.columnCount(); ++c)
        shown.append(model.headerData(c, Qt::Horizontal).toString());
    QCOMPARE(shown, captions);
    QCOMPARE(model.headerData(1, Qt::Horizontal, Qt::ToolTipRole).toString(), u"@1(CSV)"_qs);
    QCOMPARE(model.tableRows({0, 1}), (QList<int>{0, 1}));
    QCOMPARE(table.columnNames(),
             (names ? QStringList{u"氏名"_qs, u"住所"_qs, QString()} : QStringList(3)));
}

void TestCsvData::readsColumnMarkers_data()
{
    QTest::addColumn<QString>("attribute");
    QTest::addColumn<bool>("marker");
    QTest::addColumn<int>("column");
    QTest::newRow("third") << u"@3(CSV)"_qs << true << 3;
    QTest::newRow("twelfth") << u"@12(CSV)"_qs << true << 12;
    QTest::newRow("text around") << u"〒@ 4(CSV)様"_qs << true << 4;
    QTest::newRow("digits then text") << u"@2x(CSV)"_qs << true << 2;
    QTest::newRow("no number") << u"@(CSV)"_qs << true << 0;
    QTest::newRow("not a number") << u"@x(CSV)"_qs << true << 0;
    QTest::newRow("negative") << u"@-2(CSV)"_qs << true << -2;
    QTest::newRow("marker before @") << u"(CSV)@3"_qs << true << 0;
    QTest::newRow("too large") << u"@99999999999(CSV)"_qs << true
                               << std::numeric_limits<int>::max();
    QTest::newRow("braced") << u"{@2(CSV)} 様"_qs << true << 2;
    QTest::newRow("name") << u"@氏名(CSV)"_qs << true << 0;
    QTest::newRow("no (CSV)") << u"@3"_qs << false << 0;
    QTest::newRow("no @") << u"3(CSV)"_qs << false << 0;
}

void TestCsvData::readsColumnMarkers()
{
    QFETCH(QString, attribute);
    QFETCH(bool, marker);
    QFETCH(int, column);
    QCOMPARE(CsvPlacement::hasMarker(attribute), marker);
    QCOMPARE(CsvPlacement::columnNumber(attribute), column);
}

void TestCsvData::resolvesColumns_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("column");
    const QStringList names{u"氏名"_qs, u"住所"_qs, u"2020"_qs};
    QTest::newRow("number") << u"3"_qs << names << 3;
    QTest::newRow("number past the last column") << u"4"_qs << names << 0;
    QTest::newRow("number without names") << u"2"_qs << QStringList(3) << 2;
    QTest::newRow("zero") << u"0"_qs << names << 0;
    QTest::newRow("negative") << u"-1"_qs << names << 0;
    QTest::newRow("digits then text") << u"2x"_qs << names << 2;
    QTest::newRow("name") << u"住所"_qs << names << 2;
    QTest::newRow("name with blanks") << u" 氏名　"_qs << names << 1;
    QTest::newRow("part of a name") << u"氏"_qs << names << 0;
    QTest::newRow("name without names") << u"氏名"_qs << QStringList(3) << 0;
    QTest::newRow("empty key never matches an empty name") << QString() << QStringList(3) << 0;
    // A key of digits is a column number, even where a column is named so.
    QTest::newRow("digits name a number") << u"2020"_qs << names << 0;
    QTest::newRow("first of equal names")
        << u"氏名"_qs << QStringList{u"x"_qs, u"氏名"_qs, u"氏名"_qs} << 2;
}

void TestCsvData::resolvesColumns()
{
    QFETCH(QString, key);
    QFETCH(QStringList, names);
    QFETCH(int, column);
    QCOMPARE(CsvMarker::column(key, names), column);
}

void TestCsvData::placesNamedAndBracedMarkers_data()
{
    QTest::addColumn<QString>("attribute");
    QTest::addColumn<bool>("header");
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<QString>("text");
    QTest::newRow("name") << u"@氏名(CSV)"_qs << true << false << u"山田 太郎"_qs;
    QTest::newRow("name trimmed") << u"@ 住所 (CSV)"_qs << true << false << u"2-15"_qs;
    QTest::newRow("name without a header line") << u"@氏名(CSV)"_qs << false << false
                                                << QString();
    QTest::newRow("missing name") << u"@会社(CSV)"_qs << true << false << QString();
    QTest::newRow("number with a header line") << u"@1(CSV)"_qs << true << false
                                               << u"山田 太郎"_qs;
    QTest::newRow("number without a header line") << u"@1(CSV)"_qs << false << false
                                                  << u" 氏名 "_qs;
    QTest::newRow("braced") << u"{@1(CSV)} 様"_qs << true << false << u"山田 太郎 様"_qs;
    QTest::newRow("braced, several")
        << u"{@氏名(CSV)}{@会社(CSV)} 様 ({@3(CSV)})"_qs << true << false
        << u"山田 太郎 様 (A-1)"_qs;
    // Templates made before braces print as they did: the cell alone.
    QTest::newRow("unbraced with text") << u"@1(CSV) 様"_qs << true << false << u"山田 太郎"_qs;
    QTest::newRow("braced, kanji numerals") << u"{@住所(CSV)}番地"_qs << true << true
                                            << u"二ー一五番地"_qs;
}

void TestCsvData::placesNamedAndBracedMarkers()
{
    QFETCH(QString, attribute);
    QFETCH(bool, header);
    QFETCH(bool, vertical);
    QFETCH(QString, text);
    QTemporaryDir folder;
    MemoryProfile profile;
    CORINOTEDoc doc(&profile);
    doc.dataFolder = folder.path();
    setUp(doc, 1, 1);
    doc.environment().kanjiNumerals = 1;
    doc.labelTemplate().regions.setAttribute(0, attribute);
    if (vertical)
        doc.labelTemplate().regions.setFont(0, FontRecord::make(u"@ＭＳ 明朝"_qs, -40, 2700));
    CsvDataTable table({u" 氏名 ,住所,番号"_qs, u"山田 太郎,2-15,A-1"_qs});
    table.setFirstLineNames(header);
    CsvPlacement::place(doc, table, {0}, QDate(2027, 1, 1), nullptr);
    QCOMPARE(regionText(doc, 0, 0), text);
}

void TestCsvData::namesMissingColumns()
{
    MemoryProfile profile;
    CORINOTEDoc doc(&profile);
    setUp(doc, 1, 1);
    TextRectFamily& regions = doc.labelTemplate().regions;
    regions.setAttribute(0, u"@会社(CSV)"_qs);
    regions.setAttribute(1, u"{@氏名(CSV)} {@部署(CSV)} {@ 会社 (CSV)} {@9(CSV)}"_qs);
    regions.setAttribute(2, u"部署"_qs); // not a marker
    CsvDataTable table({u"氏名,住所"_qs, u"a,b"_qs});
    // Without a header line every name is missing; numbers never are.
    QCOMPARE(CsvPlacement::missingNames(doc, table), (QStringList{u"会社"_qs, u"氏名"_qs, u"部署"_qs}));
    table.setFirstLineNames(true);
    const QStringList missing = CsvPlacement::missingNames(doc, table);
    QCOMPARE(missing, (QStringList{u"会社"_qs, u"部署"_qs}));
    QCOMPARE(CsvPlacement::missingNamesMessage(missing),
             u"次の列名はCSVファイルの見出しにありません（何も印刷されません）：会社、部署"_qs);
}

void TestCsvData::batchNamesMissingColumns()
{
    QTemporaryDir dir;
    const QString csv = dir.filePath(u"rows.csv"_qs);
    QVERIFY(writeFile(csv, u"番号,氏名\n1,山田\n"_qs.toUtf8()));
    CLabelSheetTemplate t = csvTemplate(1);
    t.regions.setAttribute(0, u"{@氏名(CSV)} 様"_qs);
    t.regions.setAttribute(1, u"@会社(CSV)"_qs);
    const BatchRun run = runBatch(dir, t, csv, {u"--csv-header"_qs});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.errors.contains(
                 u"orinote-batch: 次の列名はCSVファイルの見出しにありません（何も印刷されません）：会社\n"_qs),
             qPrintable(run.errors));
    const QStringList texts = regionTexts(run.out);
    QCOMPARE(texts.value(0), u"山田 様"_qs);
    QCOMPARE(texts.value(1), QString());
}

void TestCsvData::mapsRecordColumns_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("column");
    QTest::newRow("氏名") << u"氏名"_qs << int(CAddressData::Name);
    QTest::newRow("住所2, blanks") << u" 住所2 "_qs << int(CAddressData::Address2);
    QTest::newRow("連名3") << u"連名3"_qs << int(CAddressData::JointName1) + 4;
    QTest::newRow("敬称5") << u"敬称5"_qs << int(CAddressData::JointName1) + 9;
    QTest::newRow("会社") << u"会社"_qs << int(CAddressData::Company);
    QTest::newRow("住所") << u"住所"_qs << int(CAddressData::Address1);
    // A CSV row must never pass for a record of the address book.
    QTest::newRow("登録番号") << u"登録番号"_qs << -1;
    QTest::newRow("Name") << u"Name"_qs << int(CAddressData::Name);
    QTest::newRow("Postal Code") << u"Postal Code"_qs << int(CAddressData::PostalCode);
    QTest::newRow("postal_code") << u"postal_code"_qs << int(CAddressData::PostalCode);
    QTest::newRow("ZIP") << u"ZIP"_qs << int(CAddressData::PostalCode);
    QTest::newRow("Address 1") << u"Address 1"_qs << int(CAddressData::Address1);
    QTest::newRow("address2") << u"address2"_qs << int(CAddressData::Address2);
    QTest::newRow("Title is no column") << u"Title"_qs << -1;
    QTest::newRow("unknown") << u"メモ"_qs << -1;
    QTest::newRow("empty") << QString() << -1;
}

void TestCsvData::mapsRecordColumns()
{
    QFETCH(QString, name);
    QFETCH(int, column);
    QCOMPARE(CsvRecords::columnFor(name), column);
}

void TestCsvData::batchPlacesRowsAsRecords_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("expected"); // 氏名(R) of sheet 1, or the message
    QTest::newRow("as records") << QStringList{u"--csv-header"_qs, u"--csv-as-records"_qs} << 0
                                << u"山田"_qs;
    QTest::newRow("header only: markers alone") << QStringList{u"--csv-header"_qs} << 0
                                                << QString();
    // A command line the parser refuses exits with 2.
    QTest::newRow("without the header")
        << QStringList{u"--csv-as-records"_qs} << 2
        << u"--csv-as-records は --csv-header と一緒に指定してください。"_qs;
}

void TestCsvData::batchPlacesRowsAsRecords()
{
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString csv = dir.filePath(u"rows.csv"_qs);
    QVERIFY(writeFile(csv, u"Name,Zip Code\n山田,1640013\n"_qs.toUtf8()));
    CLabelSheetTemplate t = csvTemplate(1);
    t.regions.setAttribute(0, u"氏名(R)"_qs);
    t.regions.setAttribute(2, u"郵便番号(R)"_qs);
    const BatchRun run = runBatch(dir, t, csv, options);
    QCOMPARE(run.exitCode, exitCode);
    if (exitCode != 0) {
        QVERIFY2(run.errors.contains(expected), qPrintable(run.errors));
        return;
    }
    const QStringList texts = regionTexts(run.out);
    QCOMPARE(texts.value(0), expected);
    QCOMPARE(texts.value(2), expected.isEmpty() ? QString() : u"164-0013"_qs);
}

void TestCsvData::checksTheSelection_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("message");
    QTest::newRow("none") << 0 << u"アイテムが選択されていません。"_qs;
    QTest::newRow("one") << 1 << QString();
    QTest::newRow("500") << 500 << QString();
    QTest::newRow("501") << 501 << u"一度に読み込めるアイテム数は500までです。"_qs;
}

void TestCsvData::checksTheSelection()
{
    QFETCH(int, count);
    QFETCH(QString, message);
    QCOMPARE(CsvPlacement::checkSelection(count), message);
}

void TestCsvData::placesRowsFromTheStartPosition_data()
{
    QTest::addColumn<int>("sheets");
    QTest::addColumn<int>("start");
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<int>("pages");
    // Column 1 of every sheet's row, "-" for a cleared sheet.
    QTest::addColumn<QStringList>("firsts");
    QTest::newRow("start 2 on 4 sheets, 3 rows")
        << 4 << 2 << QList<int>{0, 1, 2} << 1 << QStringList{u"-"_qs, u"r1"_qs, u"r2"_qs, u"r3"_qs};
    QTest::newRow("start 1, 5 rows: 2 pages")
        << 4 << 1 << QList<int>{0, 1, 2, 3, 4} << 2
        << QStringList{u"r1"_qs, u"r2"_qs, u"r3"_qs, u"r4"_qs, u"r5"_qs, u"-"_qs, u"-"_qs, u"-"_qs};
    QTest::newRow("rows in the order given")
        << 2 << 1 << QList<int>{3, 0} << 1 << QStringList{u"r4"_qs, u"r1"_qs};
    QTest::newRow("start 4 of 4, 2 rows")
        << 4 << 4 << QList<int>{0, 1} << 2
        << QStringList{u"-"_qs, u"-"_qs, u"-"_qs, u"r1"_qs, u"r2"_qs, u"-"_qs, u"-"_qs, u"-"_qs};
}

void TestCsvData::placesRowsFromTheStartPosition()
{
    QFETCH(int, sheets);
    QFETCH(int, start);
    QFETCH(QList<int>, rows);
    QFETCH(int, pages);
    QFETCH(QStringList, firsts);

    QTemporaryDir folder;
    MemoryProfile profile;
    CORINOTEDoc doc(&profile);
    doc.dataFolder = folder.path();
    setUp(doc, sheets, start);
    doc.environment().kanjiNumerals = 0;
    doc.currentPage = 3;
    CsvPlacement::place(doc, numberedTable(10, 10), rows, QDate(2027, 1, 1), nullptr);

    QCOMPARE(doc.pageCount(), pages);
    QCOMPARE(doc.currentPage, 1);
    QVERIFY(doc.isModified());
    QCOMPARE(doc.textRects().size(), firsts.size() * kAttributes.size());
    for (int s = 0; s < firsts.size(); ++s) {
        const bool cleared = firsts.at(s) == u"-"_qs;
        QCOMPARE(doc.sheets().backColor(s), cleared ? 0xFFFFFF : 0x00FF00);
        QCOMPARE(regionText(doc, s, 0), cleared ? QString() : firsts.at(s));
        QCOMPARE(regionText(doc, s, 1), cleared ? QString() : firsts.at(s).mid(1) + u"-15"_qs);
        // Fixed text and automatic fields stay on the rows' sheets.
        QCOMPARE(regionText(doc, s, 2), cleared ? QString() : u"固定"_qs);
        QCOMPARE(regionText(doc, s, 4), cleared ? QString() : QString::number(s + 1));
        // @12(CSV) with 10 columns keeps what the merge gave: nothing.
        QCOMPARE(regionText(doc, s, 3), QString());
    }
}

void TestCsvData::placesInSortedOrder()
{
    QTemporaryDir folder;
    MemoryProfile profile;
    CORINOTEDoc doc(&profile);
    doc.dataFolder = folder.path();
    setUp(doc, 4, 1);
    CsvDataModel model(numberedTable(3, 2));
    model.sortRows(0, false); // r3, r2, r1
    QList<int> all(model.rowCount());
    std::iota(all.begin(), all.end(), 0);
    CsvPlacement::place(doc, model.table(), model.tableRows(all), QDate(2027, 1, 1), nullptr);
    QCOMPARE(regionText(doc, 0, 0), u"r3"_qs);
    QCOMPARE(regionText(doc, 1, 0), u"r2"_qs);
    QCOMPARE(regionText(doc, 2, 0), u"r1"_qs);
    QCOMPARE(regionText(doc, 3, 0), QString());
}

void TestCsvData::writesKanjiNumeralsInVerticalFaces_data()
{
    QTest::addColumn<int>("ntj");
    QTest::addColumn<int>("region");
    QTest::addColumn<QString>("text");
    QTest::newRow("vertical face, NTJ on") << 1 << 1 << u"二ー一五"_qs;
    QTest::newRow("vertical face, NTJ off") << 0 << 1 << u"2-15"_qs;
    QTest::newRow("horizontal face, NTJ on") << 1 << 0 << u"2-15"_qs;
}

void TestCsvData::writesKanjiNumeralsInVerticalFaces()
{
    QFETCH(int, ntj);
    QFETCH(int, region);
    QFETCH(QString, text);
    QTemporaryDir folder;
    MemoryProfile profile;
    CORINOTEDoc doc(&profile);
    doc.dataFolder = folder.path();
    setUp(doc, 1, 1);
    doc.environment().kanjiNumerals = ntj;
    CsvPlacement::place(doc, CsvDataTable({u"2-15,2-15"_qs}), {0}, QDate(2027, 1, 1), nullptr);
    QCOMPARE(regionText(doc, 0, region), text);
}

void TestCsvData::clearsThePrintReservation()
{
    MemoryProfile profile;
    CORINOTEDoc doc(&profile);
    doc.newDocument();
    QVERIFY(!CsvPlacement::holdsReservation(doc));
    doc.recordList().appendBlankRecord(); // padding for the start position only
    QVERIFY(!CsvPlacement::holdsReservation(doc));
    QStringList values(CAddressData::TextColumnCount);
    values[CAddressData::EntryNumber] = u"KA-1"_qs;
    doc.addressBook().group(1).appendRecord(values);
    doc.addressBook().group(1).setFlag(0, 1);
    QVERIFY(CsvPlacement::holdsReservation(doc));
    Pagination::dropReservation(doc);
    QVERIFY(!CsvPlacement::holdsReservation(doc));
    QCOMPARE(doc.addressBook().group(1).recordCount(), 1);
    QCOMPARE(doc.recordList().recordCount(), 0);
}

void TestCsvData::batchPlacesRows_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");
    // Column 1 of every sheet, "-" for a cleared one; for a failure the message.
    QTest::addColumn<QStringList>("firsts");
    QTest::newRow("rows 2-3 and 1, file order")
        << QStringList{u"--rows"_qs, u"3,1-2"_qs} << 0 << QStringList{u"r1"_qs, u"r2"_qs, u"r3"_qs};
    QTest::newRow("all rows") << QStringList() << 0 << QStringList{u"r1"_qs, u"r2"_qs, u"r3"_qs,
                                                                   u"r4"_qs, u"-"_qs,  u"-"_qs};
    QTest::newRow("start 2") << QStringList{u"--rows"_qs, u"4"_qs, u"--start"_qs, u"2"_qs} << 0
                             << QStringList{u"-"_qs, u"r4"_qs, u"-"_qs};
    QTest::newRow("row outside the file") << QStringList{u"--rows"_qs, u"2-5"_qs} << 1
                                          << QStringList{u"行の指定が正しくありません: 2-5"_qs};
    QTest::newRow("no row") << QStringList{u"--rows"_qs, u"x"_qs} << 1
                            << QStringList{u"行の指定が正しくありません: x"_qs};
    // The first line names the columns: it is not placed, and row 1 is the second line.
    QTest::newRow("header") << QStringList{u"--csv-header"_qs} << 0
                            << QStringList{u"r2"_qs, u"r3"_qs, u"r4"_qs};
    QTest::newRow("header, rows after it")
        << QStringList{u"--csv-header"_qs, u"--rows"_qs, u"3"_qs} << 0
        << QStringList{u"r4"_qs, u"-"_qs, u"-"_qs};
    QTest::newRow("header, row 4 is past the end")
        << QStringList{u"--csv-header"_qs, u"--rows"_qs, u"4"_qs} << 1
        << QStringList{u"行の指定が正しくありません: 4"_qs};
}

void TestCsvData::batchPlacesRows()
{
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    QFETCH(QStringList, firsts);

    QTemporaryDir dir;
    const QString csv = dir.filePath(u"rows.csv"_qs);
    QVERIFY(writeFile(csv, TextCodec::encode(u"r1,1-15\r\nr2,2-15\r\nr3,3-15\r\nr4,4-15\r\n"_qs)));
    const BatchRun run = runBatch(dir, csvTemplate(3), csv, options);
    QCOMPARE(run.exitCode, exitCode);
    if (exitCode != 0) {
        QVERIFY2(run.errors.contains(firsts.constFirst()), qPrintable(firsts.constFirst()));
        QVERIFY(run.out.isEmpty());
        return;
    }
    const QStringList texts = regionTexts(run.out);
    QCOMPARE(texts.size(), firsts.size() * kAttributes.size());
    for (int s = 0; s < firsts.size(); ++s) {
        const QString first = firsts.at(s) == u"-"_qs ? QString() : firsts.at(s);
        const int base = s * int(kAttributes.size());
        QCOMPARE(texts.at(base), first);
        // The vertical region gets kanji numerals ("NTJ" is on by default).
        QString second = first.isEmpty() ? QString() : first.mid(1) + u"ー一五"_qs;
        second.replace(u'1', u'一').replace(u'2', u'二').replace(u'3', u'三').replace(u'4', u'四');
        QCOMPARE(texts.at(base + 1), second);
    }
}

QTEST_GUILESS_MAIN(TestCsvData)
#include "tst_csvdata.moc"
