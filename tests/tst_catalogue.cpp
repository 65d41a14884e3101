#include "address/AddressBook.h"
#include "address/CAddressData.h"
#include "address/NameBlock.h"
#include "addressbook/AddressHistory.h"
#include "addressbook/CardSeason.h"
#include "app/TemplatePreview.h"
#include "base/ArchiveReader.h"
#include "base/ArchiveWriter.h"
#include "catalogue/AddressBookDefinition.h"
#include "catalogue/TemplateCatalogue.h"
#include "catalogue/TemplateDefinition.h"
#include "model/CLabelSheetTemplate.h"
#include "model/CORINOTEDoc.h"
#include "model/MemoryProfile.h"
#include "model/DocumentFile.h"
#include "model/TemplateFile.h"
#include "pages/Pagination.h"
#include "render/PageImageExporter.h"
#include "render/PdfExporter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <utility>

// Without the old PointerHolder type, which nothing here uses.
#define POINTERHOLDER_TRANSITION 4
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

#include <cmath>

namespace {

const QString kCatalogue = QStringLiteral(ORINOTE_CATALOGUE_DIR);
const QString kSampleBook = QStringLiteral(ORINOTE_SAMPLE_BOOK);
const QString kSampleDefinition = QStringLiteral(ORINOTE_SAMPLE_DEFINITION);
const QString kBatch = QStringLiteral(ORINOTE_BATCH);
const QString kPostcard = QStringLiteral("はがき宛名（縦書き）");

// The boxes printed on postcards and envelopes, in tenths of a millimetre from the
// paper's top-left corner, y downwards.
struct Box
{
    int x, y, w, h;
};

QList<Box> boxes(const QList<int>& lefts, int top, int w, int h)
{
    QList<Box> result;
    for (int left : lefts)
        result.append(Box{left, top, w, h});
    return result;
}
const QList<Box> kRecipientBoxes = boxes({443, 513, 583, 659, 727, 795, 863}, 120, 57, 80);
const QList<Box> kSenderBoxes = boxes({52, 92, 132, 182, 222, 262, 302}, 1225, 40, 65);

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray bodyOf(const CLabelSheetTemplate& t)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ArchiveWriter out(&buffer);
    t.write(out);
    return out.finish() ? bytes : QByteArray();
}

// A region of the template by its attribute; the null rectangle when there is none.
Rect regionRect(const CLabelSheetTemplate& t, const QString& attribute)
{
    const int i = int(t.regions.attribute().indexOf(attribute));
    return i < 0 ? Rect() : t.regions.rect(i);
}

bool inside(const Rect& r, const Box& b)
{
    return r.left >= b.x && r.right <= b.x + b.w && -r.top >= b.y && -r.bottom <= b.y + b.h;
}

// One word of `pdftotext -bbox`, converted to tenths of a millimetre.
struct Word
{
    QString text;
    double x0, y0, x1, y1;
};

// The words of every page of a PDF.
QList<QList<Word>> pdfWords(const QString& pdf, QString* error)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        *error = QString::fromLocal8Bit(process.readAllStandardError());
        return {};
    }
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression tag(
        QStringLiteral("<page |<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" "
                       "yMax=\"([0-9.]+)\">([^<]*)</word>"));
    constexpr double toTenths = 254.0 / 72.0;
    QList<QList<Word>> pages;
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(0).startsWith(QLatin1String("<page"))) {
            pages.append(QList<Word>());
            continue;
        }
        if (pages.isEmpty())
            continue;
        pages.last().append(Word{
            m.captured(5), m.captured(1).toDouble() * toTenths, m.captured(2).toDouble() * toTenths,
            m.captured(3).toDouble() * toTenths, m.captured(4).toDouble() * toTenths});
    }
    return pages;
}

bool isDigits(const QString& s)
{
    return !s.isEmpty() && std::all_of(s.begin(), s.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
}

// The seven digits of a postal code as the boxes show them ("123-4567" → "1234567").
QString boxDigits(const QString& code)
{
    return code.size() == 8 ? code.left(3) + code.mid(4) : QString();
}

} // namespace

Q_DECLARE_METATYPE(Box)

class TestCatalogue : public QObject
{
    Q_OBJECT
private slots:
    void templates_data();
    void templates();
    void pdfPagesExact();
    void postalBoxes_data();
    void postalBoxes();
    void badTemplateDefinitions_data();
    void badTemplateDefinitions();
    void labelGridFillsRowByRow();
    void badAddressBookDefinitions_data();
    void badAddressBookDefinitions();
    void sampleAddressBook();
    void catalogueFolders_data();
    void catalogueFolders();
    void dialogStart_data();
    void dialogStart();
    void postcardPdf();
    void drawingIsReadOnly_data();
    void drawingIsReadOnly();
};

void TestCatalogue::templates_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("size");
    // The sheets as [x, y, w, h] of the first, the grid and its pitch.
    QTest::addColumn<QList<int>>("grid"); // x, y, w, h, columns, rows, h-pitch, v-pitch
    QTest::addColumn<bool>("vertical");

    QTest::newRow("postcard") << kPostcard << QStringLiteral("100.0 × 148.0")
                              << QList<int>{0, 0, 1000, 1480, 1, 1, 0, 0} << true;
    QTest::newRow("postcard landscape")
        << QStringLiteral("はがき宛名（横書き）") << QStringLiteral("148.0 × 100.0")
        << QList<int>{0, 0, 1480, 1000, 1, 1, 0, 0} << false;
    QTest::newRow("return postcard")
        << QStringLiteral("往復はがき宛名（縦書き）") << QStringLiteral("200.0 × 148.0")
        << QList<int>{0, 0, 1000, 1480, 1, 1, 0, 0} << true;
    QTest::newRow("naga3") << QStringLiteral("長形3号封筒宛名（縦書き）")
                           << QStringLiteral("120.0 × 235.0")
                           << QList<int>{0, 0, 1200, 2350, 1, 1, 0, 0} << true;
    QTest::newRow("naga4") << QStringLiteral("長形4号封筒宛名（縦書き）")
                           << QStringLiteral("90.0 × 205.0")
                           << QList<int>{0, 0, 900, 2050, 1, 1, 0, 0} << true;
    QTest::newRow("you2") << QStringLiteral("洋形2号封筒宛名（縦書き）")
                          << QStringLiteral("114.0 × 162.0")
                          << QList<int>{0, 0, 1140, 1620, 1, 1, 0, 0} << true;
    QTest::newRow("kaku2") << QStringLiteral("角形2号封筒宛名（縦書き）")
                           << QStringLiteral("240.0 × 332.0")
                           << QList<int>{0, 0, 2400, 3320, 1, 1, 0, 0} << true;
    const QString a4 = QStringLiteral("210.0 × 297.0");
    QTest::newRow("10") << QStringLiteral("A4ラベル10面") << a4
                        << QList<int>{186, 212, 864, 508, 2, 5, 864, 508} << false;
    QTest::newRow("12") << QStringLiteral("A4ラベル12面") << a4
                        << QList<int>{186, 212, 864, 423, 2, 6, 864, 423} << false;
    QTest::newRow("12 with barcodes") << QStringLiteral("A4ラベル12面（バーコード付き）") << a4
                                      << QList<int>{186, 212, 864, 423, 2, 6, 864, 423} << false;
    QTest::newRow("18") << QStringLiteral("A4ラベル18面") << a4
                        << QList<int>{0, 212, 700, 423, 3, 6, 700, 423} << false;
    QTest::newRow("21") << QStringLiteral("A4ラベル21面") << a4
                        << QList<int>{0, 5, 700, 423, 3, 7, 700, 423} << false;
    QTest::newRow("24") << QStringLiteral("A4ラベル24面") << a4
                        << QList<int>{60, 129, 660, 339, 3, 8, 660, 339} << false;
    QTest::newRow("44") << QStringLiteral("A4ラベル44面") << a4
                        << QList<int>{84, 88, 483, 254, 4, 11, 483, 254} << false;
    QTest::newRow("65") << QStringLiteral("A4ラベル65面") << a4
                        << QList<int>{48, 109, 381, 212, 5, 13, 406, 212} << false;
}

// Every template of the catalogue opens, previews with its paper and sheet count, writes
// back byte for byte, has the sheets of its paper, and places the sample's reservation.
void TestCatalogue::templates()
{
    QFETCH(QString, title);
    QFETCH(QString, size);
    QFETCH(QList<int>, grid);
    QFETCH(bool, vertical);

    const QString path = QDir(kCatalogue).filePath(title + QStringLiteral(".ont"));
    TemplatePreview preview;
    QVERIFY2(preview.load(path), qPrintable(path));
    const CLabelSheetTemplate& t = *preview.loaded();
    const int sheets = grid[4] * grid[5];
    QCOMPARE(preview.text(), QStringLiteral("【用紙サイズ】　%1 mm\r\n【シート数】　%2\r\n"
                                            "【文字列編集領域数】　%3\r\n")
                                 .arg(size)
                                 .arg(sheets)
                                 .arg(t.regions.size()));
    QVERIFY(t.regions.size() > 0);

    const QByteArray bytes = readFile(path);
    QCOMPARE(bodyOf(t), bytes);

    for (int row = 0; row < grid[5]; ++row) {
        for (int column = 0; column < grid[4]; ++column) {
            const int x = grid[0] + column * grid[6];
            const int y = grid[1] + row * grid[7];
            QCOMPARE(t.sheets.rect(row * grid[4] + column),
                     (Rect{x, -y, x + grid[2], -(y + grid[3])}));
        }
    }
    const Rect first = t.sheets.rect(0);
    for (int i = 0; i < t.regions.size(); ++i) {
        const Rect r = t.regions.rect(i);
        const QByteArray what = t.regions.attribute(i).toUtf8();
        QVERIFY2(r.left >= first.left && r.right <= first.right && r.top <= first.top &&
                     r.bottom >= first.bottom && r.width() >= 25 && r.height() >= 25,
                 what);
        // A vertical face always goes with escapement 900, a horizontal one with 0.
        const FontRecord f = t.regions.font(i);
        QCOMPARE(f.escapement, f.isVertical() ? 900 : 0);
        QCOMPARE(f.orientation, f.escapement);
        const int cross = int(f.isVertical() ? r.width() : r.height());
        if (NameBlock::isField(t.regions.attribute(i)))
            QVERIFY2(-f.height > 0 && -f.height <= cross, what); // the block's largest size
        else
            QCOMPARE(-f.height, cross);
    }
    QCOMPARE(t.verticalText, vertical ? 1 : 0);
    qsizetype block = t.regions.attribute().indexOf(QStringLiteral("宛名(R)"));
    if (block < 0)
        block = t.regions.attribute().indexOf(QStringLiteral("宛名会社(R)"));
    const qsizetype name = t.regions.attribute().indexOf(QStringLiteral("氏名(R)"));
    QVERIFY(block >= 0 || name >= 0);

    // Opened as the command does, with the sample's reservation: one sheet per record.
    MemoryProfile profile;
    QTemporaryDir data;
    CORINOTEDoc doc(&profile);
    doc.dataFolder = data.path();
    doc.newDocument();
    QCOMPARE(TemplateFile::apply(doc, path), QString());
    QCOMPARE(doc.scalars().templateName, title);
    QCOMPARE(doc.addressBook().loadFile(kSampleBook), QString());
    Pagination::buildFromReservation(doc, QDate(2024, 1, 1), nullptr);
    const int reserved = doc.addressBook().buildRecordList(1).recordCount();
    QCOMPARE(doc.pageCount(), Pagination::pagesFor(reserved, sheets));
    if (block >= 0)
        QCOMPARE(doc.textRects().text(int(block)), u"青柳\t春菜\t様\n\t大輔\t様"_qs);
    else
        QCOMPARE(doc.textRects().text(int(name)), QStringLiteral("青柳　春菜"));
}

void TestCatalogue::postalBoxes_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QList<Box>>("recipient");
    QTest::addColumn<QList<Box>>("sender");

    QTest::newRow("postcard") << kPostcard << kRecipientBoxes << kSenderBoxes;
    QTest::newRow("return postcard")
        << QStringLiteral("往復はがき宛名（縦書き）") << kRecipientBoxes << kSenderBoxes;
    QTest::newRow("naga3") << QStringLiteral("長形3号封筒宛名（縦書き）")
                           << boxes({643, 713, 783, 859, 927, 995, 1063}, 120, 57, 80)
                           << QList<Box>();
    QTest::newRow("naga4") << QStringLiteral("長形4号封筒宛名（縦書き）")
                           << boxes({343, 413, 483, 559, 627, 695, 763}, 120, 57, 80)
                           << QList<Box>();
    QTest::newRow("you2") << QStringLiteral("洋形2号封筒宛名（縦書き）")
                          << boxes({583, 653, 723, 799, 867, 935, 1003}, 120, 57, 80)
                          << QList<Box>();
    QTest::newRow("kaku2") << QStringLiteral("角形2号封筒宛名（縦書き）")
                           << boxes({1743, 1813, 1883, 1959, 2027, 2095, 2163}, 180, 57, 80)
                           << QList<Box>();
}

// The digit regions lie in the printed boxes, and every other region of the recipient
// starts below them.
void TestCatalogue::postalBoxes()
{
    QFETCH(QString, title);
    QFETCH(QList<Box>, recipient);
    QFETCH(QList<Box>, sender);

    CLabelSheetTemplate t;
    QCOMPARE(TemplateFile::read(t, QDir(kCatalogue).filePath(title + QStringLiteral(".ont"))),
             QString());
    for (int k = 0; k < 7; ++k) {
        const QString r = QStringLiteral("郵%1(R)").arg(k + 1);
        QVERIFY2(inside(regionRect(t, r), recipient[k]), qPrintable(r));
        const Rect s = regionRect(t, QStringLiteral("郵%1(S)").arg(k + 1));
        QCOMPARE(s == Rect(), sender.isEmpty());
        if (!sender.isEmpty())
            QVERIFY2(inside(s, sender[k]), qPrintable(r));
    }
    const int boxBottom = recipient[0].y + recipient[0].h;
    const int boxLeft = recipient[0].x;
    for (int i = 0; i < t.regions.size(); ++i) {
        const Rect r = t.regions.rect(i);
        if (t.regions.attribute(i).startsWith(QStringLiteral("郵")) || r.right <= boxLeft)
            continue;
        QVERIFY2(-r.top >= boxBottom, t.regions.attribute(i).toUtf8());
    }
}

void TestCatalogue::badTemplateDefinitions_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("message");

    const QByteArray ok = R"j({"name": "t", "paper": [1000, 1480], "sheets": [[0, 0, 1000, 1480]],
        "regions": [%1]})j";
    const auto with = [&ok](const char* region) { return QByteArray(ok).replace("%1", region); };
    QTest::newRow("unknown key") << QByteArray(R"j({"name": "t", "papr": [1000, 1480]})j")
                                 << QStringLiteral("不明なキー「papr」");
    QTest::newRow("no name")
        << QByteArray(R"j({"paper": [1000, 1480], "sheets": [[0,0,100,100]], "regions": []})j")
        << QStringLiteral("\"name\"");
    QTest::newRow("name with a folder")
        << QByteArray(
               R"j({"name": "../x", "paper": [1000, 1480], "sheets": [[0,0,100,100]], "regions": []})j")
        << QStringLiteral("\"name\"");
    QTest::newRow("paper too large")
        << QByteArray(
               R"j({"name": "t", "paper": [3000, 1480], "sheets": [[0,0,100,100]], "regions": []})j")
        << QStringLiteral("\"paper\"");
    QTest::newRow("paper fraction")
        << QByteArray(
               R"j({"name": "t", "paper": [1000.5, 1480], "sheets": [[0,0,100,100]], "regions": []})j")
        << QStringLiteral("\"paper\"");
    QTest::newRow("no sheets") << QByteArray(
                                      R"j({"name": "t", "paper": [1000, 1480], "regions": []})j")
                               << QStringLiteral("\"sheets\" か \"labels\"");
    QTest::newRow("sheets and labels")
        << QByteArray(R"j({"name": "t", "paper": [1000, 1480], "sheets": [[0,0,100,100]],
            "labels": {"size": [100, 100], "grid": [1, 1], "origin": [0, 0], "pitch": [100, 100]},
            "regions": []})j")
        << QStringLiteral("\"sheets\" か \"labels\"");
    QTest::newRow("sheet off the paper")
        << QByteArray(
               R"j({"name": "t", "paper": [1000, 1480], "sheets": [[900, 0, 200, 100]], "regions": []})j")
        << QStringLiteral("シート 1 が用紙からはみ出して");
    QTest::newRow("grid too large")
        << QByteArray(R"j({"name": "t", "paper": [2100, 2970], "labels": {"size": [50, 50],
            "grid": [100000, 100000], "origin": [0, 0], "pitch": [50, 50]}, "regions": []})j")
        << QStringLiteral(".grid");
    QTest::newRow("labels overlap")
        << QByteArray(R"j({"name": "t", "paper": [2100, 2970], "labels": {"size": [500, 500],
            "grid": [2, 2], "origin": [0, 0], "pitch": [400, 500]}, "regions": []})j")
        << QStringLiteral("重なります");
    QTest::newRow("last label off the paper")
        << QByteArray(R"j({"name": "t", "paper": [2100, 2970], "labels": {"size": [500, 500],
            "grid": [5, 1], "origin": [0, 0], "pitch": [500, 500]}, "regions": []})j")
        << QStringLiteral("シート 5 が用紙からはみ出して");
    QTest::newRow("region off sheet 1")
        << with(R"j({"text": "氏名(R)", "rect": [900, 0, 200, 100]})j")
        << QStringLiteral("\"regions\"[0].rect");
    QTest::newRow("region too small") << with(R"j({"text": "氏名(R)", "rect": [0, 0, 24, 100]})j")
                                      << QStringLiteral("\"regions\"[0].rect");
    QTest::newRow("rect of three") << with(R"j({"text": "氏名(R)", "rect": [0, 0, 100]})j")
                                   << QStringLiteral("\"regions\"[0].rect");
    QTest::newRow("empty text") << with(R"j({"text": "", "rect": [0, 0, 100, 100]})j")
                                << QStringLiteral("\"regions\"[0].text");
    QTest::newRow("bad align")
        << with(R"j({"text": "氏名(R)", "rect": [0, 0, 100, 100], "align": "center"})j")
        << QStringLiteral("\"regions\"[0].align");
    QTest::newRow("vertical as text")
        << with(R"j({"text": "氏名(R)", "rect": [0, 0, 100, 100], "vertical": "yes"})j")
        << QStringLiteral("\"vertical\"");
    QTest::newRow("face with @")
        << with(R"j({"text": "氏名(R)", "rect": [0, 0, 100, 100], "face": "@ＭＳ 明朝"})j")
        << QStringLiteral("\"regions\"[0].face");
    QTest::newRow("face too long")
        << with(
               R"j({"text": "氏名(R)", "rect": [0, 0, 100, 100], "face": "ＭＳ 明朝ＭＳ 明朝ＭＳ 明朝ＭＳ 明朝"})j")
        << QStringLiteral("\"regions\"[0].face");
    QTest::newRow("unknown region key")
        << with(R"j({"text": "氏名(R)", "rect": [0, 0, 100, 100], "sizes": 3})j")
        << QStringLiteral("不明なキー「sizes」");
    QTest::newRow("font size out of range")
        << with(R"j({"text": "宛名(R)", "rect": [0, 0, 100, 100], "size": 3})j")
        << QStringLiteral("\"regions\"[0].size: 10 から 1000 までの整数");
    QTest::newRow("shrink not a truth value")
        << with(R"j({"text": "住所1(R)", "rect": [0, 0, 100, 100], "shrink": 1})j")
        << QStringLiteral("\"shrink\" には true か false");
    QTest::newRow("regions not an array")
        << QByteArray(
               R"j({"name": "t", "paper": [1000, 1480], "sheets": [[0,0,100,100]], "regions": {}})j")
        << QStringLiteral("\"regions\"");
}

// A mistaken definition is refused with a message naming the entry; nothing is made.
void TestCatalogue::badTemplateDefinitions()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, message);

    const QJsonDocument document = QJsonDocument::fromJson(json);
    QVERIFY2(document.isObject(), json);
    CLabelSheetTemplate t;
    t.paperRect = Rect{0, 0, 123, -456};
    const CLabelSheetTemplate before = t;
    QString name = QStringLiteral("unchanged");
    QString error;
    QVERIFY(!TemplateDefinition::fromJson(document.object(), &t, &name, &error));
    QVERIFY2(error.contains(message), qPrintable(error));
    QVERIFY(t == before);
    QCOMPARE(name, QStringLiteral("unchanged"));
}

// Labels are filled row by row, their rectangles with y up; regions sit on sheet No. 1
// and get the font the editor gives a new region.
void TestCatalogue::labelGridFillsRowByRow()
{
    const QByteArray json = R"j({"name": "grid", "paper": [2100, 2970],
        "labels": {"size": [600, 300], "grid": [3, 2], "origin": [50, 100], "pitch": [650, 320]},
        "regions": [{"text": "氏名(R)", "rect": [10, 20, 300, 50], "align": "end"},
                    {"text": "住所1(R)", "rect": [500, 30, 60, 250], "vertical": true, "bold": true}]})j";
    CLabelSheetTemplate t;
    QString name, error;
    QVERIFY2(
        TemplateDefinition::fromJson(QJsonDocument::fromJson(json).object(), &t, &name, &error),
        qPrintable(error));
    QCOMPARE(name, QStringLiteral("grid"));
    QCOMPARE(t.paperRect, (Rect{0, 0, 2100, -2970}));
    QCOMPARE(t.sheets.size(), 6);
    QCOMPARE(t.sheets.rect(1), (Rect{700, -100, 1300, -400}));
    QCOMPARE(t.sheets.rect(3), (Rect{50, -420, 650, -720}));
    QCOMPARE(t.regions.rect(0), (Rect{60, -120, 360, -170}));
    QCOMPARE(t.regions.alignment(0), 2);
    QCOMPARE(t.regions.font(0).faceName(), QStringLiteral("ＭＳ 明朝"));
    QCOMPARE(t.regions.font(0).height, -50);
    QCOMPARE(t.regions.font(1).faceName(), QStringLiteral("@ＭＳ 明朝"));
    QCOMPARE(t.regions.font(1).escapement, 900);
    QCOMPARE(t.regions.font(1).height, -60);
    QCOMPARE(t.regions.font(1).weight, 700);
    QCOMPARE(t.reserved3, 1);
    QCOMPARE(t.printRuledLines, 1);

    // What the generator writes reads back as the same template.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("grid.ont"));
    QCOMPARE(TemplateDefinition::writeFile(t, path), QString());
    CLabelSheetTemplate back;
    QCOMPARE(TemplateFile::read(back, path), QString());
    QVERIFY(back == t);
}

void TestCatalogue::badAddressBookDefinitions_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("message");

    QTest::newRow("unknown group")
        << QByteArray(R"j({"groups": {"ん": []}})j") << QStringLiteral("「ん」というグループ");
    QTest::newRow("groups as array")
        << QByteArray(R"j({"groups": []})j") << QStringLiteral("\"groups\"");
    QTest::newRow("unknown top key")
        << QByteArray(R"j({"group": {}})j") << QStringLiteral("不明なキー");
    QTest::newRow("records not array")
        << QByteArray(R"j({"groups": {"あ": {}}})j") << QStringLiteral("あ:");
    QTest::newRow("entry number given")
        << QByteArray(R"j({"groups": {"あ": [{"登録番号": "A-9", "氏名": "x"}]}})j")
        << QStringLiteral("あ[0]: 登録番号");
    QTest::newRow("unknown column") << QByteArray(R"j({"groups": {"か": [{}, {"氏 名": "x"}]}})j")
                                    << QStringLiteral("か[1]: 不明なキー「氏 名」");
    QTest::newRow("number value") << QByteArray(R"j({"groups": {"あ": [{"郵便番号": 1234567}]}})j")
                                  << QStringLiteral("あ[0].郵便番号");
    QTest::newRow("reserved as text")
        << QByteArray(R"j({"groups": {"あ": [{"予約": "yes"}]}})j") << QStringLiteral("あ[0].予約");
    QTest::newRow("impossible birth date")
        << QByteArray(R"j({"groups": {"あ": [{"生年月日": "1990/02/30"}]}})j")
        << QStringLiteral("あ[0].生年月日");
    QTest::newRow("history date")
        << QByteArray(R"j({"groups": {"あ": [{"履歴": [{"件名": "年賀状", "日付": "1/1"}]}]}})j")
        << QStringLiteral("あ[0].履歴[0].日付");
    QTest::newRow("history key")
        << QByteArray(R"j({"groups": {"あ": [{"履歴": [{"件名": "年賀状", "memo": ""}]}]}})j")
        << QStringLiteral("不明なキー「memo」");
}

void TestCatalogue::badAddressBookDefinitions()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, message);

    const QJsonDocument document = QJsonDocument::fromJson(json);
    QVERIFY2(document.isObject(), json);
    AddressBook book;
    book.group(3).appendRecord({QStringLiteral("TA-1"), QStringLiteral("100-0001")});
    const AddressBook before = book;
    QString error;
    QVERIFY(!AddressBookDefinition::fromJson(document.object(), &book, &error));
    QVERIFY2(error.contains(message), qPrintable(error));
    QVERIFY(book == before);
}

// The sample built at build time is what its definition says, and it exercises what the
// catalogue prints: reserved records in several groups, joint names, honorifics, company
// data, a sender.
void TestCatalogue::sampleAddressBook()
{
    AddressBook book;
    QCOMPARE(book.loadFile(kSampleBook), QString());
    AddressBook defined;
    QString error;
    QVERIFY2(AddressBookDefinition::load(kSampleDefinition, &defined, &error), qPrintable(error));
    QVERIFY(book == defined);

    int records = 0, groups = 0, company = 0;
    for (int g = 0; g < AddressBook::GroupCount; ++g) {
        const CAddressData& group = book.group(g);
        records += group.recordCount();
        groups += group.isEmpty() ? 0 : 1;
        for (int r = 0; r < group.recordCount(); ++r) {
            QCOMPARE(group.field(r, CAddressData::EntryNumber),
                     AddressBook::entryPrefix(g) + QString::number(r + 1));
            company += group.field(r, CAddressData::Company).isEmpty() ? 0 : 1;
        }
    }
    QCOMPARE(records, 30);
    QVERIFY(groups >= 8);
    QVERIFY(company >= 2);
    QVERIFY(!book.group(AddressBook::SenderGroup).isEmpty());
    QCOMPARE(
        boxDigits(book.group(AddressBook::SenderGroup).field(0, CAddressData::PostalCode)).size(),
        7);

    const CAddressData list = book.buildRecordList(1);
    QVERIFY(list.recordCount() >= 10 && list.recordCount() < records);
    int joint = 0;
    for (int r = 0; r < list.recordCount(); ++r) {
        QVERIFY(!list.field(r, CAddressData::Honorific).isEmpty());
        QVERIFY(isDigits(boxDigits(list.field(r, CAddressData::PostalCode))));
        joint += list.field(r, CAddressData::JointName1).isEmpty() ? 0 : 1;
    }
    QVERIFY(joint >= 3);

    // Its history uses the kinds the program knows, so 年賀状の準備 finds last season's
    // cards and leaves out a mourning notice.
    const QStringList kinds = AddressHistory::subjects();
    for (int g = 0; g < AddressBook::SenderGroup; ++g) {
        const CAddressData& group = book.group(g);
        for (int h = 0; h < group.historyCount(); ++h)
            QVERIFY2(kinds.contains(group.history(h, CAddressData::HistorySubject)),
                     qPrintable(group.history(h, CAddressData::HistorySubject)));
    }
    const CardSeason::Plan plan = CardSeason::plan(book, 2027);
    QCOMPARE(plan.records.size(), 4);
    QCOMPARE(plan.mourning, 1);
}

void TestCatalogue::catalogueFolders_data()
{
    QTest::addColumn<bool>("installed");
    QTest::addColumn<bool>("built");
    QTest::addColumn<QString>("program"); // the running program's folder
    QTest::addColumn<QString>("expected");

    QTest::newRow("installed wins") << true << true << u"bin"_qs
                                    << QStringLiteral("share/orinote/templates");
    QTest::newRow("run from its build tree") << false << true << u"build/src/app"_qs
                                             << QStringLiteral("build/catalogue");
    // An installed program never falls back on the tree it was built in: a package that
    // lacks its files must show it on the machine that built it too.
    QTest::newRow("installed, build tree still there") << false << true << u"bin"_qs << QString();
    QTest::newRow("installed only") << true << false << u"bin"_qs
                                    << QStringLiteral("share/orinote/templates");
    QTest::newRow("neither") << false << false << u"bin"_qs << QString();
}

void TestCatalogue::catalogueFolders()
{
    QFETCH(bool, installed);
    QFETCH(bool, built);
    QFETCH(QString, program);
    QFETCH(QString, expected);

    QTemporaryDir root;
    QDir dir(root.path());
    QVERIFY(dir.mkpath(program));
    if (installed)
        QVERIFY(dir.mkpath(QStringLiteral("share/orinote/templates")));
    if (built)
        QVERIFY(dir.mkpath(QStringLiteral("build/catalogue")));
    const QStringList places = TemplateCatalogue::candidates(
        dir.filePath(program), QStringLiteral("../share/orinote/templates"),
        dir.filePath(QStringLiteral("build/catalogue")));
    const QString found = TemplateCatalogue::firstExisting(places);
    QCOMPARE(found, expected.isEmpty() ? QString() : QDir::cleanPath(dir.filePath(expected)));
}

void TestCatalogue::dialogStart_data()
{
    QTest::addColumn<QString>("requested");
    QTest::addColumn<QString>("remembered"); // "own": an existing folder of the user's
    QTest::addColumn<QString>("expected");   // "catalogue", "own" or the requested text

    QTest::newRow("first time") << QString() << QString() << QStringLiteral("catalogue");
    QTest::newRow("after a choice") << QString() << QStringLiteral("own") << QStringLiteral("own");
    QTest::newRow("folder gone") << QString() << QStringLiteral("/nonexistent/templates")
                                 << QStringLiteral("catalogue");
    QTest::newRow("caller's folder") << QStringLiteral("/srv/labels/a.ont") << QStringLiteral("own")
                                     << QStringLiteral("/srv/labels/a.ont");
}

// The template file dialog opens on the catalogue the first time and on the user's own
// folder once a template was chosen there.
void TestCatalogue::dialogStart()
{
    QFETCH(QString, requested);
    QFETCH(QString, remembered);
    QFETCH(QString, expected);

    QTemporaryDir own;
    const auto resolve = [&own](const QString& s) {
        if (s == QLatin1String("own"))
            return own.path();
        if (s == QLatin1String("catalogue"))
            return TemplateCatalogue::templateFolder();
        return s;
    };
    MemoryProfile profile;
    if (!remembered.isEmpty())
        TemplateCatalogue::rememberChoice(&profile, resolve(remembered) + QStringLiteral("/x.ont"));
    QCOMPARE(TemplateCatalogue::dialogStart(&profile, requested), resolve(expected));
    QCOMPARE(TemplateCatalogue::templateFolder(), QDir::cleanPath(kCatalogue));
    QCOMPARE(TemplateCatalogue::dialogStart(nullptr, QString()), QDir::cleanPath(kCatalogue));
}

// The postcard job of the sample printed to PDF: on every page each postal digit's glyph
// lies in its printed box, and nothing else of the recipient reaches up into the boxes.
void TestCatalogue::postcardPdf()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("runtime"));
    const QString pdf = dir.filePath(QStringLiteral("sample.pdf"));
    QProcess batch;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.filePath(QStringLiteral("runtime")));
    batch.setProcessEnvironment(env);
    batch.start(kBatch, {QStringLiteral("--profile"), dir.filePath(QStringLiteral("p.ini")),
                         QStringLiteral("--data-folder"), dir.path(), QStringLiteral("--template"),
                         QDir(kCatalogue).filePath(kPostcard + QStringLiteral(".ont")),
                         QStringLiteral("--addressbook"), kSampleBook, QStringLiteral("--today"),
                         QStringLiteral("2024-01-01"), QStringLiteral("--pdf"), pdf});
    QVERIFY(batch.waitForFinished(60000));
    QVERIFY2(batch.exitCode() == 0, batch.readAllStandardError());

    QString error;
    const QList<QList<Word>> pages = pdfWords(pdf, &error);
    AddressBook book;
    QCOMPARE(book.loadFile(kSampleBook), QString());
    const CAddressData list = book.buildRecordList(1);
    QCOMPARE(pages.size(), list.recordCount());
    const QString senderDigits =
        boxDigits(book.group(AddressBook::SenderGroup).field(0, CAddressData::PostalCode));

    constexpr double slack = 1.0; // points are rounded to a few decimals
    const auto within = [](const Word& w, const Box& b) {
        return w.x0 >= b.x - slack && w.x1 <= b.x + b.w + slack && w.y0 >= b.y - slack &&
               w.y1 <= b.y + b.h + slack;
    };
    const auto overlaps = [](const Word& w, const Box& b) {
        return w.x0 < b.x + b.w && w.x1 > b.x && w.y0 < b.y + b.h && w.y1 > b.y;
    };
    const int boxBottom = kRecipientBoxes[0].y + kRecipientBoxes[0].h;
    for (qsizetype p = 0; p < pages.size(); ++p) {
        const QList<Word>& words = pages.at(p);
        const QString recipientDigits = boxDigits(list.field(int(p), CAddressData::PostalCode));
        const QByteArray where = "page " + QByteArray::number(p + 1);
        for (const auto& [row, digits] :
             {std::pair{kRecipientBoxes, recipientDigits}, std::pair{kSenderBoxes, senderDigits}}) {
            for (int k = 0; k < 7; ++k) {
                QList<Word> found;
                for (const Word& w : words) {
                    if (overlaps(w, row[k]))
                        found.append(w);
                }
                const QByteArray what = where + " box " + QByteArray::number(k + 1);
                QVERIFY2(found.size() == 1, what + " holds " + QByteArray::number(found.size()));
                QCOMPARE(found[0].text, digits.mid(k, 1));
                QVERIFY2(within(found[0], row[k]), what);
            }
        }
        // The vertical address (its digits written in kanji) starts below the boxes, and
        // no other text of the recipient's side reaches up into them.
        bool address = false;
        for (const Word& w : words) {
            if (isDigits(w.text))
                continue;
            if (w.x1 > kRecipientBoxes[0].x)
                QVERIFY2(w.y0 >= boxBottom - slack, where + " " + w.text.toUtf8());
            address = address || (w.x0 >= 790 && w.x1 <= 870 && w.y0 >= boxBottom);
        }
        QVERIFY2(address, where);
    }
}

void TestCatalogue::drawingIsReadOnly_data()
{
    QTest::addColumn<QString>("title");
    QTest::newRow("postcard") << kPostcard;
    QTest::newRow("landscape postcard") << QStringLiteral("はがき宛名（横書き）");
    QTest::newRow("naga3") << QStringLiteral("長形3号封筒宛名（縦書き）");
    QTest::newRow("12 labels") << QStringLiteral("A4ラベル12面");
}

// Painting, images and PDF output never change the document: every page of the bundled
// templates filled with the sample's reservation (long addresses on two lines, vertical
// faces, fitted regions), in edit and preview, in data and in template mode, leaves the
// saved bytes as they were.
void TestCatalogue::drawingIsReadOnly()
{
    QFETCH(QString, title);
    MemoryProfile profile;
    QTemporaryDir data;
    CORINOTEDoc doc(&profile);
    doc.dataFolder = data.path();
    doc.newDocument();
    QCOMPARE(TemplateFile::apply(doc, QDir(kCatalogue).filePath(title + QStringLiteral(".ont"))),
             QString());
    QCOMPARE(doc.addressBook().loadFile(kSampleBook), QString());
    Pagination::buildFromReservation(doc, QDate(2024, 1, 1), nullptr);
    const auto saved = [&doc] {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        ArchiveWriter out(&buffer);
        DocumentFile::write(doc, out);
        return out.finish() ? bytes : QByteArray();
    };
    const QByteArray before = saved();
    QVERIFY(!before.isEmpty());
    PageRenderer renderer;
    for (const int templateMode : {0, 1}) {
        doc.templateMode = templateMode;
        for (const RenderMode mode : {RenderMode::Edit, RenderMode::Preview, RenderMode::Print}) {
            PageRenderer::Options options;
            options.mode = mode;
            options.grid = true;
            for (int page = 1; page <= doc.pageCount(); ++page)
                QVERIFY(!PageImageExporter::renderPage(doc, page, 50, options, renderer).isNull());
        }
    }
    doc.templateMode = 0;
    QCOMPARE(PdfExporter::exportPdf(doc, data.filePath(QStringLiteral("out.pdf")), {}), QString());
    QCOMPARE(saved(), before);
}

// Every bundled paper's PDF pages are the paper's size to a hundredth of a point (the
// writer alone rounds them to whole points), and the drawing stays where it was.
void TestCatalogue::pdfPagesExact()
{
    const QStringList templates =
        QDir(kCatalogue).entryList({QStringLiteral("*.ont")}, QDir::Files, QDir::Name);
    QVERIFY(templates.size() >= 15);
    for (const QString& name : templates) {
        MemoryProfile profile;
        QTemporaryDir data;
        CORINOTEDoc doc(&profile);
        doc.dataFolder = data.path();
        doc.newDocument();
        QCOMPARE(TemplateFile::apply(doc, QDir(kCatalogue).filePath(name)), QString());
        QCOMPARE(doc.addressBook().loadFile(kSampleBook), QString());
        Pagination::buildFromReservation(doc, QDate(2024, 1, 1), nullptr);
        const QString pdf = data.filePath(QStringLiteral("out.pdf"));
        QCOMPARE(PdfExporter::exportPdf(doc, pdf, {}), QString());
        const Rect paper = doc.scalars().paperRect;
        const double width = std::abs(double(paper.width())) * 72.0 / 254.0;
        const double height = std::abs(double(paper.height())) * 72.0 / 254.0;
        QPDF file;
        file.processFile(QFile::encodeName(pdf).constData());
        const auto pages = QPDFPageDocumentHelper(file).getAllPages();
        QCOMPARE(int(pages.size()), doc.pageCount());
        for (const QPDFPageObjectHelper& page : pages) {
            const auto box = QPDFPageObjectHelper(page).getMediaBox().getArrayAsRectangle();
            QVERIFY2(std::abs(box.urx - box.llx - width) < 0.01, qPrintable(name));
            QVERIFY2(std::abs(box.ury - box.lly - height) < 0.01, qPrintable(name));
            // The top edge is the writer's, from which it draws.
            QVERIFY2(std::abs(box.ury - height) < 1 && box.ury == std::floor(box.ury), qPrintable(name));
        }
    }
}

QTEST_MAIN(TestCatalogue) // drawing needs the fonts of a GUI application
#include "tst_catalogue.moc"
