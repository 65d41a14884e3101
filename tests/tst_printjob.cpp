// The print page loop on PDF: where things land on paper, the offsets, the calibration
// page, the pages a job prints, the print settings, and the batch command's print options.

#include "RenderProbe.h"

#include "address/AddressBook.h"
#include "model/CORINOTEDoc.h"
#include "model/DocumentFile.h"
#include "model/MemoryProfile.h"
#include "model/PageBuilder.h"
#include "pages/Pagination.h"
#include "render/CalibrationPage.h"
#include "render/PageRenderer.h"
#include "render/PdfExporter.h"
#include "render/PdfPageBoxes.h"
#include "render/PrintJob.h"
#include "render/PrintSettings.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <limits>

Q_DECLARE_METATYPE(Rect)

namespace {

const QString kBatch = QStringLiteral(ORINOTE_BATCH);
const QColor kBlue(0, 0, 255);

// An A4 document in data mode with `pages` pages of one sheet and one region at
// (300, -200)-(600, -400) with a blue background and the text "頁<n>".
void setUp(CORINOTEDoc& doc, int pages = 1)
{
    doc.newDocument();
    CLabelSheetTemplate& t = doc.labelTemplate();
    TextRect r;
    r.rect = Rect{300, -200, 600, -400};
    r.backColor = 0xFF0000; // COLORREF: blue
    r.backColorOff = 0;
    r.font = FontRecord::make(QStringLiteral("ＭＳ ゴシック"), -100, 0);
    t.regions.append(r);
    PageBuilder::buildPageOne(doc);
    Pagination::addPages(doc, pages);
    for (int p = 0; p < pages; ++p)
        doc.textRects().setText(p, QStringLiteral("頁%1").arg(p + 1));
    doc.templateMode = 0;
}

bool havePoppler()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty();
}

// Page `page` of the PDF at 254 dpi: one pixel per 0.1 mm.
QImage rasterise(const QString& pdf, int page)
{
    static QTemporaryDir images;
    const QString prefix = images.filePath(QStringLiteral("page"));
    QProcess::execute(QStringLiteral("pdftoppm"),
                      {QStringLiteral("-r"), QStringLiteral("254"), QStringLiteral("-png"),
                       QStringLiteral("-singlefile"), QStringLiteral("-f"), QString::number(page),
                       QStringLiteral("-l"), QString::number(page), pdf, prefix});
    QImage image(prefix + QStringLiteral(".png"));
    return image.convertToFormat(QImage::Format_ARGB32);
}

QString pageText(const QString& pdf, int page)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"),
            {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
             QString::number(page), pdf, QStringLiteral("-")});
    p.waitForFinished();
    return QString::fromUtf8(p.readAllStandardOutput());
}

int pdfPages(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {pdf});
    p.waitForFinished();
    for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split(u'\n')) {
        if (line.startsWith(QLatin1String("Pages:")))
            return line.mid(6).trimmed().toInt();
    }
    return -1;
}

// The centre of the dark pixels in a pixel area.
QPointF darkCentre(const QImage& image, const QRect& area)
{
    QPointF centre(-1, -1);
    RenderProbe::count(image, RenderProbe::dark, &centre, area);
    return centre;
}

// A document whose region (300, -200)-(1300, -500) holds "山田" in black on white, 20 mm
// high, outlined 0.5 mm in blue; italic when asked (the installed Japanese faces have no
// italic, so the slant is made up).
void setUpItalic(CORINOTEDoc& doc, bool italic)
{
    setUp(doc);
    doc.labelTemplate().regions.clear();
    TextRect r;
    r.rect = Rect{300, -200, 1300, -500};
    r.backColorOff = 1;
    r.outlineWidth = 5;
    r.outlineColor = 0xFF0000;
    r.font = FontRecord::make(QStringLiteral("ＭＳ ゴシック"), -200, 0);
    r.font.italic = italic ? 1 : 0;
    doc.labelTemplate().regions.append(r);
    PageBuilder::buildPageOne(doc);
    doc.textRects().setText(0, QStringLiteral("山田"));
    doc.templateMode = 0;
}

// A PDF as the writer makes them: the given objects, then a classic cross-reference
// table and trailer.
QByteArray pdfOf(const QList<QByteArray>& objects)
{
    QByteArray pdf = "%PDF-1.4\n";
    QList<qsizetype> offsets;
    for (qsizetype i = 0; i < objects.size(); ++i) {
        offsets.append(pdf.size());
        pdf += QByteArray::number(i + 1) + " 0 obj\n" + objects.at(i) + "\nendobj\n";
    }
    const qsizetype xref = pdf.size();
    pdf += "xref\n0 " + QByteArray::number(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (qsizetype o : offsets)
        pdf += QByteArray::number(o).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<< /Size " + QByteArray::number(objects.size() + 1) +
           " /Root 1 0 R >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    return pdf;
}

// Whether every entry of the table points at its object's "N 0 obj".
bool tableMatches(const QByteArray& pdf)
{
    const qsizetype start = pdf.lastIndexOf("startxref");
    const qsizetype xref = pdf.mid(start + 9).trimmed().split('\n').value(0).toLongLong();
    const QList<QByteArray> lines = pdf.mid(xref).split('\n');
    const int count = lines.value(1).split(' ').value(1).toInt();
    for (int i = 1; i < count; ++i) {
        const qsizetype offset = lines.value(2 + i).left(10).toLongLong();
        if (!pdf.mid(offset).startsWith(QByteArray::number(i) + " 0 obj"))
            return false;
    }
    return count > 0;
}

} // namespace

class TestPrintJob : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void regionLandsAtItsCoordinatesShiftedByTheOffsets_data();
    void regionLandsAtItsCoordinatesShiftedByTheOffsets();
    void calibrationCrossesMoveWithTheOffsets_data();
    void calibrationCrossesMoveWithTheOffsets();
    void calibrationReplacesTheFirstPrintedPageOnly();
    void pagesToPrint_data();
    void pagesToPrint();
    void pageLayoutFollowsThePaper_data();
    void pdfPageAtMostFiveMetres_data();
    void pdfPageAtMostFiveMetres();
    void pageLayoutFollowsThePaper();
    void pageBoxesMadeExact_data();
    void pageBoxesMadeExact();
    void printSettingsCheck_data();
    void printSettingsCheck();
    void printSettingsApply();
    void batchPrintOptions_data();
    void batchPrintOptions();
    void batchRefusesMoreThan500Records();
    void madeUpItalicLeansOnce_data();
    void madeUpItalicLeansOnce();
    void printsThroughTheSpooler();

private:
    QTemporaryDir mDir;
    MemoryProfile mProfile;
};

void TestPrintJob::init()
{
    QVERIFY(mDir.isValid());
    if (!havePoppler())
        QSKIP("poppler-utils (pdftoppm, pdftotext) are not installed");
}

void TestPrintJob::regionLandsAtItsCoordinatesShiftedByTheOffsets_data()
{
    QTest::addColumn<int>("offsetX");
    QTest::addColumn<int>("offsetY");
    QTest::newRow("no offset") << 0 << 0;
    QTest::newRow("2.5 mm right, 1 mm up") << 25 << -10;
    QTest::newRow("3 mm left, 4 mm down") << -30 << 40;
}

void TestPrintJob::regionLandsAtItsCoordinatesShiftedByTheOffsets()
{
    QFETCH(int, offsetX);
    QFETCH(int, offsetY);
    CORINOTEDoc doc(&mProfile);
    setUp(doc);
    PrintJob::Settings settings;
    settings.offsetX = offsetX;
    settings.offsetY = offsetY;
    const QString pdf = mDir.filePath(QStringLiteral("region.pdf"));
    QCOMPARE(PdfExporter::exportPdf(doc, pdf, settings), QString());
    const QImage image = rasterise(pdf, 1);
    QVERIFY(!image.isNull());
    // 30.0 mm from the left and 20.0 mm from the top, within 0.1 mm, plus the offsets.
    const QRect blue = RenderProbe::box(image, RenderProbe::like(kBlue, 60));
    QVERIFY(qAbs(blue.left() - (300 + offsetX)) <= 1);
    QVERIFY(qAbs(blue.top() - (200 + offsetY)) <= 1);
    QVERIFY(qAbs(blue.width() - 300) <= 2);
    QVERIFY(qAbs(blue.height() - 200) <= 2);
}

void TestPrintJob::calibrationCrossesMoveWithTheOffsets_data()
{
    regionLandsAtItsCoordinatesShiftedByTheOffsets_data();
}

void TestPrintJob::calibrationCrossesMoveWithTheOffsets()
{
    QFETCH(int, offsetX);
    QFETCH(int, offsetY);
    CORINOTEDoc doc(&mProfile);
    setUp(doc);
    PrintJob::Settings settings;
    settings.offsetX = offsetX;
    settings.offsetY = offsetY;
    settings.calibration = true;
    const QString pdf = mDir.filePath(QStringLiteral("calibration.pdf"));
    QCOMPARE(PdfExporter::exportPdf(doc, pdf, settings), QString());
    const QImage image = rasterise(pdf, 1);
    QVERIFY(!image.isNull());
    // Nothing of the layout is on the calibration page.
    QCOMPARE(RenderProbe::count(image, RenderProbe::like(kBlue, 60)), 0);
    for (int i = 0; i < 4; ++i) {
        const QPointF c = CalibrationPage::cross(i).centre;
        const int x = int(c.x()) + offsetX;
        const int y = int(-c.y()) + offsetY;
        // The vertical arm above the centre and the horizontal arm left of it, away from
        // the captions.
        const QPointF vertical = darkCentre(image, QRect(x - 10, y - 90, 21, 70));
        const QPointF horizontal = darkCentre(image, QRect(x - 90, y - 10, 70, 21));
        QVERIFY2(qAbs(vertical.x() - x) <= 1.0, qPrintable(QString::number(vertical.x())));
        QVERIFY2(qAbs(horizontal.y() - y) <= 1.0, qPrintable(QString::number(horizontal.y())));
    }
    const QString text = pageText(pdf, 1);
    QVERIFY(text.contains(QStringLiteral("X座標 = 500mm, Y座標 = 100mm")));
    QVERIFY(text.contains(CalibrationPage::instruction()));
}

void TestPrintJob::calibrationReplacesTheFirstPrintedPageOnly()
{
    CORINOTEDoc doc(&mProfile);
    setUp(doc, 3);
    PrintJob::Settings settings;
    settings.pages = {1, 2, 3};
    settings.calibration = true;
    doc.currentPage = 2;
    const QString pdf = mDir.filePath(QStringLiteral("test-print.pdf"));
    QCOMPARE(PdfExporter::exportPdf(doc, pdf, settings), QString());
    QCOMPARE(pdfPages(pdf), 3);
    QVERIFY(pageText(pdf, 1).contains(QStringLiteral("X座標")));
    QVERIFY(!pageText(pdf, 1).contains(QStringLiteral("頁1")));
    QVERIFY(pageText(pdf, 2).contains(QStringLiteral("頁2")));
    QVERIFY(pageText(pdf, 3).contains(QStringLiteral("頁3")));
    // The window stays on the page it showed, not on the last page printed.
    QCOMPARE(doc.currentPage, 2);
}

void TestPrintJob::pagesToPrint_data()
{
    QTest::addColumn<QList<int>>("requested");
    QTest::addColumn<QList<int>>("printed");
    QTest::newRow("all") << QList<int>{} << QList<int>{1, 2, 3, 4};
    QTest::newRow("range") << QList<int>{2, 3} << QList<int>{2, 3};
    QTest::newRow("unordered, repeated") << QList<int>{4, 1, 4} << QList<int>{1, 4};
    QTest::newRow("outside the document") << QList<int>{0, 5, 9} << QList<int>{};
}

void TestPrintJob::pagesToPrint()
{
    QFETCH(QList<int>, requested);
    QFETCH(QList<int>, printed);
    CORINOTEDoc doc(&mProfile);
    setUp(doc, 4);
    QCOMPARE(PrintJob::pagesToPrint(doc, requested), printed);
    if (printed.isEmpty()) {
        PrintJob::Settings settings;
        settings.pages = requested;
        const QString pdf = mDir.filePath(QStringLiteral("none.pdf"));
        QVERIFY(!PdfExporter::exportPdf(doc, pdf, settings).isEmpty());
        QVERIFY(!QFile::exists(pdf));
    }
}

void TestPrintJob::pageLayoutFollowsThePaper_data()
{
    QTest::addColumn<Rect>("paper");
    QTest::addColumn<QSizeF>("size");
    QTest::addColumn<int>("orientation");
    QTest::newRow("A4") << Rect{0, 0, 2100, -2970} << QSizeF(210, 297)
                        << int(QPageLayout::Portrait);
    QTest::newRow("postcard") << Rect{0, 0, 1000, -1480} << QSizeF(100, 148)
                              << int(QPageLayout::Portrait);
    QTest::newRow("A4 landscape") << Rect{0, 0, 2970, -2100} << QSizeF(210, 297)
                                  << int(QPageLayout::Landscape);
    QTest::newRow("long envelope")
        << Rect{0, 0, 1200, -2350} << QSizeF(120, 235) << int(QPageLayout::Portrait);
}

void TestPrintJob::pageLayoutFollowsThePaper()
{
    QFETCH(Rect, paper);
    QFETCH(QSizeF, size);
    QFETCH(int, orientation);
    const QPageLayout layout = PrintJob::pageLayout(paper);
    QCOMPARE(int(layout.orientation()), orientation);
    const QSizeF got = layout.pageSize().size(QPageSize::Millimeter);
    // Custom sizes are kept in whole points.
    QVERIFY(qAbs(got.width() - size.width()) < 0.4);
    QVERIFY(qAbs(got.height() - size.height()) < 0.4);
    QCOMPARE(layout.margins(), QMarginsF());
}

// A PDF page is at most 14,400 points a side: a larger paper is refused, as --png refuses
// it, instead of a page no reader shows.
void TestPrintJob::pdfPageAtMostFiveMetres_data()
{
    QTest::addColumn<Rect>("paper");
    QTest::addColumn<bool>("written");
    QTest::newRow("5.08 m square") << Rect{0, 0, 50800, -50800} << true;
    QTest::newRow("0.1 mm wider") << Rect{0, 0, 50801, -1480} << false;
    QTest::newRow("0.1 mm higher") << Rect{0, 0, 1000, -50801} << false;
    QTest::newRow("int32 limits") << Rect{0, 0, std::numeric_limits<qint32>::max(),
                                          std::numeric_limits<qint32>::min()}
                                  << false;
}

void TestPrintJob::pdfPageAtMostFiveMetres()
{
    QFETCH(Rect, paper);
    QFETCH(bool, written);
    CORINOTEDoc doc(&mProfile);
    setUp(doc);
    doc.scalars().paperRect = paper;
    const QString pdf = mDir.filePath(QStringLiteral("paper.pdf"));
    QFile::remove(pdf);
    const QString message = PdfExporter::exportPdf(doc, pdf, PrintJob::Settings());
    if (written) {
        QCOMPARE(message, QString());
        QVERIFY(QFile::exists(pdf));
        return;
    }
    QCOMPARE(message, pdf + QStringLiteral(": 用紙の大きさから画像を作れません。"));
    QVERIFY(!QFile::exists(pdf));
}

// Every page box that is the paper's size, give or take a point, becomes the paper's exact
// size with its top edge kept; the table still finds every object. Files without the
// writer's table are refused and left as they were.
void TestPrintJob::pageBoxesMadeExact_data()
{
    QTest::addColumn<QByteArray>("pdf");
    QTest::addColumn<QByteArray>("boxes"); // the MediaBoxes afterwards, "-" for a refusal
    const QByteArray page = "<< /Type /Page /Parent 3 0 R /MediaBox [0 0 284 420] >>";
    const QByteArray pages = "<< /Type /Pages /Kids [2 0 R] /MediaBox [0 0 284 420] >>";
    QTest::newRow("two pages")
        << pdfOf({"<< /Type /Catalog /Pages 3 0 R >>", page, pages, page})
        << QByteArray("[0 0.4724 283.4646 420] [0 0 284 420] [0 0.4724 283.4646 420]");
    QTest::newRow("a box of another size stays")
        << pdfOf({"<< /Type /Page /MediaBox [0 0 595 842] >>"}) << QByteArray("[0 0 595 842]");
    QTest::newRow("a stream that names a page stays")
        << pdfOf({"<< /Length 44 >>\nstream\n/Type /Page /MediaBox [0 0 284 420]\nendstream"})
        << QByteArray("[0 0 284 420]");
    QByteArray cut = pdfOf({page});
    cut.chop(30);
    QTest::newRow("cut short") << cut << QByteArray("-");
    QByteArray claims = pdfOf({page});
    claims.replace("xref\n0 2", "xref\n0 99999999");
    QTest::newRow("a table claiming more entries than the file holds") << claims << QByteArray("-");
    QTest::newRow("not a PDF") << QByteArray("startxref\n5\n%%EOF") << QByteArray("-");
}

void TestPrintJob::pageBoxesMadeExact()
{
    QFETCH(QByteArray, pdf);
    QFETCH(QByteArray, boxes);
    const QByteArray before = pdf;
    const QString message = PdfPageBoxes::setPageSizes(pdf, PdfPageBoxes::pointsOf(1000, 1480));
    if (boxes == "-") {
        QVERIFY(!message.isEmpty());
        QCOMPARE(pdf, before);
        return;
    }
    QCOMPARE(message, QString());
    QList<QByteArray> found;
    for (qsizetype at = pdf.indexOf("/MediaBox "); at >= 0; at = pdf.indexOf("/MediaBox ", at + 1))
        found.append(pdf.mid(at + 10, pdf.indexOf(']', at) - at - 9));
    QCOMPARE(found.join(' '), boxes);
    QVERIFY(tableMatches(pdf));
}

void TestPrintJob::printSettingsCheck_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("offsetX");
    QTest::addColumn<int>("offsetY");
    QTest::addColumn<bool>("accepted");
    const int n = 12;
    QTest::newRow("first sheet") << 1 << 0 << 0 << true;
    QTest::newRow("last sheet") << n << 1000 << -1000 << true;
    QTest::newRow("start 0") << 0 << 0 << 0 << false;
    QTest::newRow("start beyond the page") << n + 1 << 0 << 0 << false;
    QTest::newRow("offset beyond 100 mm") << 1 << 1001 << 0 << false;
    QTest::newRow("offset below -100 mm") << 1 << 0 << -1001 << false;
}

void TestPrintJob::printSettingsCheck()
{
    QFETCH(int, start);
    QFETCH(int, offsetX);
    QFETCH(int, offsetY);
    QFETCH(bool, accepted);
    PrintSettings::Values v;
    v.startPosition = start;
    v.offsetX = offsetX;
    v.offsetY = offsetY;
    const QString message = PrintSettings::check(v, 12);
    QCOMPARE(message.isEmpty(), accepted);
    if (start < 1 || start > 12)
        QCOMPARE(message, QStringLiteral("印刷開始シート位置の数値が正しくありません。"));
}

void TestPrintJob::printSettingsApply()
{
    CORINOTEDoc doc(&mProfile);
    doc.dataFolder = mDir.path();
    setUp(doc);
    doc.setModified(false);
    PrintSettings::Values v = PrintSettings::current(doc);
    v.offsetX = 25;
    v.offsetY = -10;
    v.sheetFrames = false;
    v.roundCorners = true; // dropped: round corners need frames
    v.ruledLines = false;
    v.startPosition = 1;
    QCOMPARE(PrintSettings::apply(doc, v), QString());
    QCOMPARE(mProfile.readInt(QStringLiteral("PosX"), 0), 25);
    QCOMPARE(mProfile.readInt(QStringLiteral("PosY"), 0), -10);
    QCOMPARE(doc.printOffsetX, 25);
    QCOMPARE(doc.scalars().roundSheetCorners, 0);
    QCOMPARE(doc.scalars().printRuledLines, 0);
    QVERIFY(doc.isModified());
    QVERIFY(doc.undoAvailable != 0);

    // A wrong start position changes nothing, not even the profile.
    v.offsetX = 99;
    v.startPosition = 2;
    QVERIFY(!PrintSettings::apply(doc, v).isEmpty());
    QCOMPARE(mProfile.readInt(QStringLiteral("PosX"), 0), 25);
    QCOMPARE(doc.printOffsetX, 25);

    // A new document takes the offsets from the profile.
    doc.newDocument();
    QCOMPARE(doc.printOffsetX, 25);
    QCOMPARE(doc.printOffsetY, -10);
}

void TestPrintJob::batchPrintOptions_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("error"); // part of the message; empty: success
    QTest::addColumn<int>("pages");
    QTest::newRow("calibration") << QStringList{QStringLiteral("--calibration")} << QString() << 1;
    QTest::newRow("offset") << QStringList{QStringLiteral("--offset"), QStringLiteral("25,-10")}
                            << QString() << 1;
    QTest::newRow("offset out of range")
        << QStringList{QStringLiteral("--offset"), QStringLiteral("1001,0")}
        << QStringLiteral("--offset") << 0;
    QTest::newRow("offset not a pair")
        << QStringList{QStringLiteral("--offset"), QStringLiteral("25")}
        << QStringLiteral("--offset") << 0;
    QTest::newRow("start beyond the sheets")
        << QStringList{QStringLiteral("--start"), QStringLiteral("2")}
        << QStringLiteral("印刷開始シート位置の数値が正しくありません。") << 0;
    QTest::newRow("start 0") << QStringList{QStringLiteral("--start"), QStringLiteral("0")}
                             << QStringLiteral("印刷開始シート位置の数値が正しくありません。") << 0;
    QTest::newRow("pages outside")
        << QStringList{QStringLiteral("--pages"), QStringLiteral("3")} << QStringLiteral("3") << 0;
}

void TestPrintJob::batchPrintOptions()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, error);
    QFETCH(int, pages);
    const QString pdf = mDir.filePath(QStringLiteral("batch.pdf"));
    QFile::remove(pdf);
    QProcess process;
    process.start(kBatch, QStringList{QStringLiteral("--data-folder"), mDir.path(),
                                      QStringLiteral("--pdf"), pdf} +
                              arguments);
    QVERIFY(process.waitForFinished(60000));
    const QString stderrText = QString::fromLocal8Bit(process.readAllStandardError());
    if (error.isEmpty()) {
        QVERIFY2(process.exitCode() == 0, qPrintable(stderrText));
        QCOMPARE(pdfPages(pdf), pages);
    } else {
        QVERIFY(process.exitCode() != 0);
        QVERIFY2(stderrText.contains(error), qPrintable(stderrText));
        QVERIFY(!QFile::exists(pdf));
    }
}

void TestPrintJob::batchRefusesMoreThan500Records()
{
    for (const int reserved : {500, 501}) {
        AddressBook book;
        CAddressData& group = book.group(1);
        for (int i = 0; i < reserved; ++i) {
            QStringList values(CAddressData::TextColumnCount);
            values[CAddressData::EntryNumber] = QStringLiteral("KA-%1").arg(i + 1);
            values[CAddressData::Name] = QStringLiteral("名前%1").arg(i + 1);
            group.appendRecord(values);
            group.setFlag(i, 1);
        }
        const QString ona = mDir.filePath(QStringLiteral("book.ona"));
        QCOMPARE(book.storeFile(ona), QString());
        const QString json = mDir.filePath(QStringLiteral("book.json"));
        QFile::remove(json);
        QProcess process;
        process.start(kBatch,
                      {QStringLiteral("--data-folder"), mDir.path(),
                       QStringLiteral("--addressbook"), ona, QStringLiteral("--json"), json});
        QVERIFY(process.waitForFinished(60000));
        const QString stderrText = QString::fromLocal8Bit(process.readAllStandardError());
        if (reserved <= AddressBook::PrintLimit) {
            QVERIFY2(process.exitCode() == 0, qPrintable(stderrText));
        } else {
            QVERIFY(process.exitCode() != 0);
            QVERIFY(stderrText.contains(
                QStringLiteral("一度に印刷できる住所録データは500件までです。")));
            QVERIFY(!QFile::exists(json));
        }
    }
}

// A two-page job through a real CUPS queue (scripts/spooler sets one up and names it and
// the folder its backend keeps the jobs in).
void TestPrintJob::printsThroughTheSpooler()
{
    const QString queue = qEnvironmentVariable("ORINOTE_TEST_PRINTER");
    const QString spool = qEnvironmentVariable("ORINOTE_SPOOL_DIR");
    if (queue.isEmpty() || spool.isEmpty())
        QSKIP("no test print queue (run scripts/spooler as root)");
    CORINOTEDoc doc(&mProfile);
    doc.dataFolder = mDir.path();
    setUp(doc, 2);
    const QString document = mDir.filePath(QStringLiteral("two-pages.ond"));
    QCOMPARE(DocumentFile::save(doc, document), QString());

    const QDir folder(spool);
    const QStringList before = folder.entryList({QStringLiteral("job-*.pdf")}, QDir::Files);
    QProcess process;
    process.start(kBatch, {QStringLiteral("--data-folder"), mDir.path(),
                           QStringLiteral("--document"), document, QStringLiteral("--print"), queue,
                           QStringLiteral("--offset"), QStringLiteral("25,-10")});
    QVERIFY(process.waitForFinished(60000));
    QVERIFY2(process.exitCode() == 0, process.readAllStandardError().constData());

    QString job;
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            for (const QString& name :
                 folder.entryList({QStringLiteral("job-*.pdf")}, QDir::Files)) {
                if (!before.contains(name))
                    job = folder.filePath(name);
            }
            return !job.isEmpty();
        }(),
        30000);
    QCOMPARE(pdfPages(job), 2);
    QVERIFY(pageText(job, 1).contains(QStringLiteral("頁1")));
    QVERIFY(pageText(job, 2).contains(QStringLiteral("頁2")));
    // The printer got the same geometry as the PDF: the region, shifted by the offsets.
    const QImage image = rasterise(job, 2);
    const QRect blue = RenderProbe::box(image, RenderProbe::like(kBlue, 60));
    QVERIFY(qAbs(blue.left() - 325) <= 1);
    QVERIFY(qAbs(blue.top() - 190) <= 1);
}

// A made-up italic leans once, by the same slant on the screen's images and in PDF, and
// its outline stays on its letters (the font engine slanted the glyphs and the renderer
// slanted them again: twice the slant on the screen, an outline off its letters on paper).
void TestPrintJob::madeUpItalicLeansOnce_data()
{
    QTest::addColumn<bool>("pdf");
    QTest::newRow("image") << false;
    QTest::newRow("PDF") << true;
}

void TestPrintJob::madeUpItalicLeansOnce()
{
    QFETCH(bool, pdf);
    const auto ink = [&](bool italic) {
        CORINOTEDoc doc(&mProfile);
        setUpItalic(doc, italic);
        if (pdf) {
            const QString file = mDir.filePath(QStringLiteral("italic.pdf"));
            if (!PdfExporter::exportPdf(doc, file, PrintJob::Settings()).isEmpty())
                return QImage();
            return rasterise(file, 1);
        }
        QImage image(2100, 1000, QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        RenderProbe::begin(painter);
        PageRenderer renderer;
        PageRenderer::Options options;
        options.mode = RenderMode::Preview;
        renderer.draw(painter, doc, 1, options);
        return image;
    };
    const QImage upright = ink(false);
    const QImage italic = ink(true);
    QVERIFY(!upright.isNull() && !italic.isNull());
    const QRect letters = RenderProbe::box(italic, RenderProbe::dark);
    const QRect outline = RenderProbe::box(italic, RenderProbe::like(kBlue, 90));
    const QRect plain = RenderProbe::box(upright, RenderProbe::dark);
    QVERIFY(!letters.isEmpty() && !outline.isEmpty() && !plain.isEmpty());
    // The slant widens the ink by about 0.21 of its height, not twice that.
    const qreal widening = letters.width() - plain.width();
    const qreal expected = 0.2126 * plain.height();
    QVERIFY2(qAbs(widening - expected) < expected * 0.3,
             qPrintable(QStringLiteral("%1 for %2").arg(widening).arg(expected)));
    // The outline surrounds the letters by its width (5 pixels) on every side.
    for (const int gap : {letters.left() - outline.left(), outline.right() - letters.right(),
                          letters.top() - outline.top(), outline.bottom() - letters.bottom()})
        QVERIFY2(gap >= 3 && gap <= 7, qPrintable(QStringLiteral("gap %1").arg(gap)));
}

QTEST_MAIN(TestPrintJob)
#include "tst_printjob.moc"
