// The customer barcode: the address number of Japan Post's published examples, the
// characters, the check character and the bars libzint draws for them.

#include "address/AddressBook.h"
#include "model/CORINOTEDoc.h"
#include "model/MemoryProfile.h"
#include "pages/Pagination.h"
#include "pages/PostalPrintCheck.h"
#include "postal/AddressNumber.h"
#include "postal/CustomerBarcode.h"
#include "postal/PostalData.h"
#include "postal/PostalTable.h"
#include "render/BarcodePainter.h"
#include "render/PageImageExporter.h"
#include "render/PageRenderer.h"
#include "render/PdfExporter.h"

#include <QImageReader>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QStandardPaths>
#include <QTest>

#include <memory>

Q_DECLARE_METATYPE(Rect)

namespace {

struct ScannedBar
{
    int left = 0, right = 0, top = 0, bottom = 0; // pixels, right and bottom exclusive
};

// The dark columns of the image's band as bars, left to right.
QList<ScannedBar> scanBars(const QImage& image, const QRect& band)
{
    QList<ScannedBar> bars;
    bool inBar = false;
    for (int x = band.left(); x <= band.right(); ++x) {
        int top = -1;
        int bottom = -1;
        for (int y = band.top(); y <= band.bottom(); ++y) {
            if (qGray(image.pixel(x, y)) < 128) {
                if (top < 0)
                    top = y;
                bottom = y + 1;
            }
        }
        if (top >= 0 && !inBar) {
            bars.append({x, x + 1, top, bottom});
            inBar = true;
        } else if (top >= 0) {
            ScannedBar& b = bars.last();
            b.right = x + 1;
            b.top = std::min(b.top, top);
            b.bottom = std::max(b.bottom, bottom);
        } else {
            inBar = false;
        }
    }
    return bars;
}

// A postcard with a barcode region of the given font, one record reserved and merged.
std::unique_ptr<CORINOTEDoc> barcodeCard(MemoryProfile& profile, const QString& dataFolder,
                                         const QString& code, const QStringList& lines)
{
    auto doc = std::make_unique<CORINOTEDoc>(&profile);
    doc->dataFolder = dataFolder;
    doc->newDocument();
    CLabelSheetTemplate& t = doc->labelTemplate();
    t.sheets.clear();
    Sheet card;
    card.rect = Rect{0, 0, 1000, -1480};
    t.sheets.append(card);
    TextRect region;
    region.rect = Rect{100, -1000, 900, -1060};
    region.attribute = u"バーコード(R)"_qs;
    region.font = FontRecord::make(u"ＭＳ 明朝"_qs, -35, 0); // 3.5 mm: 9.9 points
    t.regions.append(region);
    QStringList values(CAddressData::TextColumnCount);
    values[CAddressData::EntryNumber] = u"A-1"_qs;
    values[CAddressData::PostalCode] = code;
    const int columns[3] = {CAddressData::Address1, CAddressData::Address2,
                            CAddressData::Address3};
    for (int i = 0; i < 3 && i < lines.size(); ++i)
        values[columns[i]] = lines.at(i);
    doc->addressBook().group(0).appendRecord(values);
    doc->addressBook().group(0).setFlag(0, 1);
    Pagination::buildFromReservation(*doc, QDate(2026, 12, 8), nullptr);
    return doc;
}

} // namespace

class TestBarcode : public QObject
{
    Q_OBJECT

private slots:
    void kanjiNumbers_data();
    void kanjiNumbers();
    void publishedExamples_data();
    void publishedExamples();
    void charactersAndCheck_data();
    void charactersAndCheck();
    void barsDecodeToTheCharacters_data();
    void barsDecodeToTheCharacters();
    void addressLinesJoined_data();
    void addressLinesJoined();
    void scaledIntoRegion_data();
    void scaledIntoRegion();
    void smallRegionNamedAndNotDrawn();
    void noBarcode_data();
    void noBarcode();
    void renderedBarsReadBack_data();
    void renderedBarsReadBack();
    void printCheckNamesRecordsWithoutBarcode();
    void batchOption_data();
    void batchOption();
};

void TestBarcode::kanjiNumbers_data()
{
    QTest::addColumn<QString>("kanji");
    QTest::addColumn<int>("value");
    QTest::newRow("one") << u"一"_qs << 1;
    QTest::newRow("ten") << u"十"_qs << 10;
    QTest::newRow("eleven") << u"十一"_qs << 11;
    QTest::newRow("twenty-one") << u"二十一"_qs << 21;
    QTest::newRow("hundred and one") << u"百一"_qs << 101;
    QTest::newRow("positional") << u"三〇五"_qs << 305;
    QTest::newRow("thousands") << u"千二百三十四"_qs << 1234;
    QTest::newRow("two digits before a unit") << u"二三十"_qs << -1;
    QTest::newRow("empty") << QString() << -1;
}

void TestBarcode::kanjiNumbers()
{
    QFETCH(QString, kanji);
    QFETCH(int, value);
    QCOMPARE(AddressNumber::kanjiValue(kanji), value);
}

void TestBarcode::publishedExamples_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("content");

    // The examples of the barcode manual (郵便番号・バーコードマニュアル).
    QTest::newRow("丁目 and a room") << u"263-0023"_qs << u"千葉県千葉市稲毛区緑町3丁目30-8 郵便ビル403号"_qs
                                  << u"26300233-30-8-403"_qs;
    QTest::newRow("no town number") << u"014-0113"_qs << u"秋田県大仙市堀見内 南田茂木 添60-1"_qs
                                 << u"014011360-1"_qs;
    QTest::newRow("letters and a floor") << u"110-0016"_qs << u"東京都台東区台東5-6-3 ABCビル10F"_qs
                                      << u"11000165-6-3-10"_qs;
    QTest::newRow("号館") << u"060-0906"_qs << u"北海道札幌市東区北六条東4丁目 郵便センター6号館"_qs
                        << u"06009064-6"_qs;
    QTest::newRow("a number after the district") << u"407-0033"_qs
                                                  << u"山梨県韮崎市龍岡町下條南割 韮崎400"_qs
                                                  << u"4070033400"_qs;
    QTest::newRow("&, a small letter, a single letter")
        << u"273-0102"_qs << u"千葉県鎌ケ谷市右京塚 東3丁目-20-5 郵便・A&bコーポB604号"_qs
        << u"27301023-20-5B604"_qs;
    QTest::newRow("kanji numerals") << u"198-0036"_qs
                                    << u"東京都青梅市河辺町十一丁目六番地一号 郵便タワー601"_qs
                                    << u"198003611-6-1-601"_qs;
    QTest::newRow("地割") << u"027-0203"_qs << u"岩手県宮古市大字津軽石第二十一地割大淀５番地"_qs
                        << u"027020321-5"_qs;
    QTest::newRow("丁 without 目") << u"590-0016"_qs << u"大阪府堺市堺区中田出井町四丁六番十九号"_qs
                                  << u"59000164-6-19"_qs;
    QTest::newRow("線") << u"080-0831"_qs << u"北海道帯広市稲田町南七線 西28"_qs
                       << u"08008317-28"_qs;
    QTest::newRow("2F") << u"317-0055"_qs << u"茨城県日立市宮田町6丁目7-14 ABCビル2F"_qs
                        << u"31700556-7-14-2"_qs;
    QTest::newRow("letters around hyphens") << u"910-0067"_qs
                                            << u"福井県福井市新田塚3丁目80-25 J1ビル2-B"_qs
                                            << u"91000673-80-25J1-2B"_qs;
    QTest::newRow("long") << u"064-0804"_qs
                          << u"北海道札幌市中央区南四条西29丁目1524-23 第2郵便ハウス501"_qs
                          << u"064080429-1524-23-2-501"_qs;
    QTest::newRow("full-width digits and dashes") << u"100-0013"_qs
                                                  << u"東京都千代田区霞が関１－３－２　郵便プラザ５０３室"_qs
                                                  << u"10000131-3-2-503"_qs;
}

void TestBarcode::publishedExamples()
{
    QFETCH(QString, code);
    QFETCH(QString, address);
    QFETCH(QString, content);
    const PostalTable& table = PostalData::table();
    if (!table.isLoaded())
        QSKIP("no postal code table");
    const CustomerBarcode::Content c = CustomerBarcode::content(code, address, &table);
    QCOMPARE(c.error, QString());
    QCOMPARE(c.text, content);
}

void TestBarcode::charactersAndCheck_data()
{
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("characters"); // the 20 and the check character
    // The manual's first example: check character 9.
    QTest::newRow("padded with CC4") << u"10000131-3-2-503"_qs
                                     << u"1 0 0 0 0 1 3 1 - 3 - 2 - 5 0 3 CC4 CC4 CC4 CC4 | 9"_qs;
    QTest::newRow("cut at 20") << u"064080429-1524-23-2-501"_qs
                               << u"0 6 4 0 8 0 4 2 9 - 1 5 2 4 - 2 3 - 2 - | 3"_qs;
    QTest::newRow("a control code on the 20th place")
        << u"91000673-80-25J1-2B"_qs
        << u"9 1 0 0 0 6 7 3 - 8 0 - 2 5 CC1 9 1 - 2 CC1 | 9"_qs;
    QTest::newRow("a business code alone") << u"1008798"_qs
                                           << u"1 0 0 8 7 9 8 CC4 CC4 CC4 CC4 CC4 CC4 CC4 CC4 CC4 CC4 CC4 CC4 CC4 | 13"_qs;
    QTest::newRow("letters of each control code") << u"1000013A-K-U"_qs
                                                  << u"1 0 0 0 0 1 3 CC1 0 - CC2 0 - CC3 0 CC4 CC4 CC4 CC4 CC4 | 2"_qs;
}

void TestBarcode::charactersAndCheck()
{
    QFETCH(QString, content);
    QFETCH(QString, characters);
    const QList<int> values = CustomerBarcode::characters(content);
    QCOMPARE(values.size(), CustomerBarcode::Characters);
    QStringList texts;
    for (int v : values)
        texts.append(CustomerBarcode::characterText(v));
    const int check = CustomerBarcode::checkCharacter(values);
    QCOMPARE(texts.join(u' ') + u" | "_qs + QString::number(check), characters);
    int sum = check;
    for (int v : values)
        sum += v;
    QCOMPARE(sum % 19, 0);
}

void TestBarcode::barsDecodeToTheCharacters_data()
{
    QTest::addColumn<QString>("content");
    QTest::newRow("digits") << u"26300233-30-8-403"_qs;
    QTest::newRow("letters") << u"27301023-20-5B604"_qs;
    QTest::newRow("cut") << u"064080429-1524-23-2-501"_qs;
    QTest::newRow("control code cut") << u"91000673-80-25J1-2B"_qs;
    QTest::newRow("every letter group") << u"1000013A-K-U-Z"_qs;
}

// What libzint draws reads back as the characters and the check character above.
void TestBarcode::barsDecodeToTheCharacters()
{
    QFETCH(QString, content);
    QString error;
    const QList<CustomerBarcode::Bar> bars = CustomerBarcode::bars(content, &error);
    QCOMPARE(error, QString());
    QCOMPARE(bars.size(), CustomerBarcode::BarCount);
    QList<int> want = CustomerBarcode::characters(content);
    want.append(CustomerBarcode::checkCharacter(want));
    QCOMPARE(CustomerBarcode::decode(bars), want);
    // libzint and the manual's table agree.
    QCOMPARE(CustomerBarcode::barsOf(CustomerBarcode::characters(content)), bars);
}

void TestBarcode::addressLinesJoined_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("lines"); // 住所1–3
    QTest::addColumn<QString>("content");
    QTest::newRow("room number on 住所2")
        << u"164-0013"_qs << QStringList{u"東京都中野区弥生町2-8-15"_qs, u"201"_qs}
        << u"16400132-8-15-201"_qs;
    QTest::newRow("building on 住所2, room on 住所3")
        << u"164-0013"_qs
        << QStringList{u"東京都中野区弥生町2-8-15"_qs, u"コーポ若葉"_qs, u"201"_qs}
        << u"16400132-8-15-201"_qs;
    QTest::newRow("丁目 at the end of 住所1")
        << u"263-0023"_qs
        << QStringList{u"千葉県千葉市稲毛区緑町3丁目"_qs, u"30-8"_qs, u"郵便ビル403号"_qs}
        << u"26300233-30-8-403"_qs;
    QTest::newRow("empty 住所2 between") << u"164-0013"_qs
                                         << QStringList{u"東京都中野区弥生町2-8-15"_qs,
                                                        QString(), u"201"_qs}
                                         << u"16400132-8-15-201"_qs;
    // A business's own code (大口事業所個別番号) is not in the national table: the code
    // alone, padded with CC4.
    QTest::newRow("business code")
        << u"100-8798"_qs << QStringList{u"東京都千代田区霞が関1丁目3-2"_qs, u"郵便事業株式会社"_qs}
        << u"1008798"_qs;
}

void TestBarcode::addressLinesJoined()
{
    QFETCH(QString, code);
    QFETCH(QStringList, lines);
    QFETCH(QString, content);
    if (!PostalData::table().isLoaded())
        QSKIP("no postal code table");
    QTemporaryDir dir;
    MemoryProfile profile;
    const auto doc = barcodeCard(profile, dir.path(), code, lines);
    QCOMPARE(doc->textRects().text(0), content);
    QVERIFY(PostalPrintCheck::problems(*doc).isEmpty());
}

void TestBarcode::scaledIntoRegion_data()
{
    QTest::addColumn<Rect>("rect");
    QTest::addColumn<QString>("face");
    QTest::addColumn<int>("fontHeight"); // 0.1 mm
    QTest::addColumn<double>("points");  // below 8: too small, nothing drawn

    // 79.8 × 3.6 mm at 10 points.
    QTest::newRow("font height within a wide region") << Rect{0, 0, 900, -60} << u"ＭＳ 明朝"_qs
                                                      << 35 << 35 / (25.4 / 7.2);
    QTest::newRow("a large font stops at 11.5") << Rect{0, 0, 1000, -60} << u"ＭＳ 明朝"_qs << 60
                                                << 11.5;
    QTest::newRow("a small font is taken as 8") << Rect{0, 0, 900, -60} << u"ＭＳ 明朝"_qs << 20
                                                << 8.0;
    QTest::newRow("a narrow region scales it down") << Rect{0, 0, 700, -60} << u"ＭＳ 明朝"_qs
                                                    << 40 << 10.0 * 700 / 798;
    QTest::newRow("a low region scales it down") << Rect{0, 0, 900, -30} << u"ＭＳ 明朝"_qs << 40
                                                 << 10.0 * 30 / 36;
    QTest::newRow("an @ face's height is not the bars'") << Rect{0, 0, 900, -40}
                                                         << u"@ＭＳ 明朝"_qs << 900
                                                         << 10.0 * 40 / 36;
    QTest::newRow("a vertical region too narrow") << Rect{0, 0, 60, -800} << u"@ＭＳ 明朝"_qs << 60
                                                  << 10.0 * 60 / 798;
    QTest::newRow("too low for 8 points") << Rect{0, 0, 900, -28} << u"ＭＳ 明朝"_qs << 28
                                          << 10.0 * 28 / 36;
}

void TestBarcode::scaledIntoRegion()
{
    QFETCH(Rect, rect);
    QFETCH(QString, face);
    QFETCH(int, fontHeight);
    QFETCH(double, points);
    TextRect region;
    region.rect = rect;
    region.attribute = u"バーコード(R)"_qs;
    region.font = FontRecord::make(face, -fontHeight, face.startsWith(u'@') ? 900 : 0);
    QVERIFY(std::abs(BarcodePainter::pointSize(region) - points) < 1e-6);
    QCOMPARE(BarcodePainter::fits(region), points >= 8.0);

    // Drawn at 10 pixels a millimetre: the bars stay inside the region, or are not drawn.
    QImage image(1100, 900, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setTransform(QTransform(1, 0, 0, -1, 50, 50));
    BarcodePainter::draw(painter, region, u"26300233-30-8-403"_qs);
    painter.end();
    QRect black;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128)
                black |= QRect(x, y, 1, 1);
        }
    }
    if (points < 8.0) {
        QVERIFY(black.isNull());
        return;
    }
    QVERIFY(!black.isNull());
    QVERIFY2(black.right() <= 50 + rect.right && black.bottom() <= 50 - rect.bottom,
             qPrintable(u"%1 %2"_qs.arg(black.right()).arg(black.bottom())));
}

// A vertical card whose barcode region is narrower than the barcode at 8 points: the check
// before printing names the region, with or without records.
void TestBarcode::smallRegionNamedAndNotDrawn()
{
    MemoryProfile profile;
    CORINOTEDoc doc(&profile);
    TextRect region;
    region.attribute = u"バーコード(R)"_qs;
    region.rect = Rect{800, -300, 860, -1300};
    region.font = FontRecord::make(u"@ＭＳ 明朝"_qs, -60, 900);
    doc.labelTemplate().regions.append(region);
    const QList<PostalPrintCheck::Problem> problems = PostalPrintCheck::problems(doc);
    QCOMPARE(problems.size(), 1);
    QCOMPARE(problems.front().region, 0);
    QCOMPARE(PostalPrintCheck::recordCount(problems), 0);
    QCOMPARE(PostalPrintCheck::describe(problems.front()),
             u"バーコード(R)の領域 1（幅 6.0 mm、高さ 100.0 mm では8ポイントのバーコードが入りません）"_qs);
    QVERIFY(PostalPrintCheck::question(problems).startsWith(u"バーコードの領域が小さすぎます。"_qs));
    QVERIFY(PostalPrintCheck::warning(problems).contains(u"バーコード(R)の領域 1"_qs));
}

void TestBarcode::noBarcode_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("error");
    QTest::newRow("incomplete code") << u"100-001"_qs << u"NNN-NNNN"_qs;
    QTest::newRow("no code") << QString() << u"NNN-NNNN"_qs;
    QTest::newRow("representative code") << u"100-0000"_qs << u"代表"_qs;
}

void TestBarcode::noBarcode()
{
    QFETCH(QString, code);
    QFETCH(QString, error);
    const PostalTable& table = PostalData::table();
    if (!table.isLoaded() && error == u"代表"_qs)
        QSKIP("no postal code table");
    const CustomerBarcode::Content c =
        CustomerBarcode::content(code, u"東京都千代田区千代田1-1"_qs, &table);
    QVERIFY(c.text.isEmpty());
    QVERIFY2(c.error.contains(error), qPrintable(c.error));
}

// A card merged from a record and drawn at 600 dpi: the bars, classified by their heights
// into the four kinds, read back as the record's content; their sizes are the manual's.
void TestBarcode::renderedBarsReadBack_data()
{
    QTest::addColumn<bool>("pdf");
    QTest::newRow("image") << false;
    QTest::newRow("PDF") << true;
}

void TestBarcode::renderedBarsReadBack()
{
    const PostalTable& table = PostalData::table();
    if (!table.isLoaded())
        QSKIP("no postal code table");
    QTemporaryDir dir;
    MemoryProfile profile;
    const auto doc = barcodeCard(profile, dir.path(), u"263-0023"_qs,
                                 {u"千葉県千葉市稲毛区緑町3丁目30-8"_qs, u"郵便ビル403号"_qs});
    QCOMPARE(doc->textRects().text(0), u"26300233-30-8-403"_qs);

    QFETCH(bool, pdf);
    QImage image;
    if (pdf) {
        // The PDF writer gets the bars as an image mask: rasterised by poppler, they read
        // back as the screen's rectangles do.
        const QString pdftoppm = QStandardPaths::findExecutable(u"pdftoppm"_qs);
        if (pdftoppm.isEmpty())
            QSKIP("pdftoppm (poppler-utils) is not installed");
        const QString file = dir.filePath(u"bars.pdf"_qs);
        QCOMPARE(PdfExporter::exportPdf(*doc, file, {}), QString());
        QProcess raster;
        raster.start(pdftoppm, {u"-r"_qs, u"600"_qs, u"-gray"_qs, u"-singlefile"_qs, file,
                                dir.filePath(u"bars"_qs)});
        QVERIFY(raster.waitForFinished(60000) && raster.exitCode() == 0);
        QImageReader reader(dir.filePath(u"bars.pgm"_qs));
        QImageReader::setAllocationLimit(512); // an A4 page at 600 dpi
        image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
    } else {
        PageRenderer renderer;
        image = PageImageExporter::renderPage(
            *doc, 1, 600, PageRenderer::Options::fromProfile(profile, RenderMode::Preview),
            renderer);
    }
    QVERIFY(!image.isNull());
    const double pxPerMm = 600 / 25.4;
    const QRect band(int(10 * pxPerMm) - 5, int(99 * pxPerMm), int(80 * pxPerMm), int(8 * pxPerMm));
    const QList<ScannedBar> scanned = scanBars(image, band);
    QCOMPARE(scanned.size(), CustomerBarcode::BarCount);

    int top = INT_MAX;
    int bottom = 0;
    for (const ScannedBar& b : scanned) {
        top = std::min(top, b.top);
        bottom = std::max(bottom, b.bottom);
    }
    const double scale = (35 * 0.1 / (25.4 / 72)) / 10; // the size against 10 points
    QVERIFY(std::abs((bottom - top) / pxPerMm - 3.6 * scale) < 0.1);
    QList<CustomerBarcode::Bar> bars;
    const int slack = int(0.2 * pxPerMm);
    for (const ScannedBar& b : scanned) {
        const bool up = b.top <= top + slack;
        const bool down = b.bottom >= bottom - slack;
        bars.append(up && down ? CustomerBarcode::Bar::Long
                    : up       ? CustomerBarcode::Bar::Ascender
                    : down     ? CustomerBarcode::Bar::Descender
                               : CustomerBarcode::Bar::Timing);
        const double width = (b.right - b.left) / pxPerMm;
        QVERIFY2(std::abs(width - 0.6 * scale) < 0.1, qPrintable(QString::number(width)));
    }
    const double pitch = (scanned.last().left - scanned.first().left) / pxPerMm / 66;
    QVERIFY2(std::abs(pitch - 1.2 * scale) < 0.02, qPrintable(QString::number(pitch)));
    QList<int> want = CustomerBarcode::characters(u"26300233-30-8-403"_qs);
    want.append(CustomerBarcode::checkCharacter(want));
    QCOMPARE(CustomerBarcode::decode(bars), want);
}

// Before printing, the records that get no barcode are named with the reason, once; one
// already named for its code is not named again.
void TestBarcode::printCheckNamesRecordsWithoutBarcode()
{
    if (!PostalData::table().isLoaded())
        QSKIP("no postal code table");
    MemoryProfile profile;
    CORINOTEDoc doc(&profile);
    for (const char16_t* attribute : {u"郵1(R)", u"バーコード(R)"}) {
        TextRect r;
        r.attribute = QString::fromUtf16(attribute);
        r.rect = Rect{0, 0, 900, -60};
        doc.labelTemplate().regions.append(r);
    }
    const auto add = [&doc](const QString& name, const QString& code, const QString& address) {
        QStringList v(CAddressData::TextColumnCount);
        v[CAddressData::EntryNumber] = name;
        v[CAddressData::Name] = name;
        v[CAddressData::PostalCode] = code;
        v[CAddressData::Address1] = address;
        doc.recordList().appendRecord(v);
    };
    add(u"良"_qs, u"263-0023"_qs, u"千葉県千葉市稲毛区緑町3丁目30-8"_qs);
    add(u"代表"_qs, u"100-0000"_qs, u"東京都千代田区"_qs);
    add(u"欠け"_qs, u"100-001"_qs, u"東京都千代田区千代田1-1"_qs);
    const QList<PostalPrintCheck::Problem> problems = PostalPrintCheck::problems(doc);
    QStringList named;
    for (const auto& p : problems)
        named.append(PostalPrintCheck::describe(p));
    QCOMPARE(named.size(), 2);
    QVERIFY(named[0].startsWith(u"代表（バーコードなし: "_qs));
    QVERIFY(named[0].contains(u"代表の番号"_qs));
    QCOMPARE(named[1], u"欠け（100-001）"_qs);
    QVERIFY(PostalPrintCheck::question(problems).startsWith(
        u"郵便番号が正しくないか、バーコードを印刷できない宛先が2件あります。"_qs));
}

void TestBarcode::batchOption_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output"); // standard output, else a part of standard error
    QTest::newRow("content and check")
        << QStringList{u"100-0013"_qs, u"東京都千代田区霞が関1丁目3番2号 郵便プラザ503室"_qs} << 0
        << u"10000131-3-2-503\t9\n"_qs;
    QTest::newRow("a control code as check")
        << QStringList{u"１００００１３"_qs, u"東京都千代田区霞が関1-1"_qs} << 0
        << u"10000131-1\tCC4\n"_qs;
    QTest::newRow("letters as letters")
        << QStringList{u"910-0067"_qs, u"福井県福井市新田塚3丁目80-25 J1ビル2-B"_qs} << 0
        << u"91000673-80-25J1-2B\t9\n"_qs;
    QTest::newRow("business code alone")
        << QStringList{u"100-8798"_qs, u"東京都千代田区霞が関1丁目3-2 郵便事業株式会社"_qs} << 0
        << u"1008798\tCC3\n"_qs;
    QTest::newRow("representative code") << QStringList{u"100-0000"_qs, u"東京都千代田区"_qs} << 1
                                         << u"代表の番号"_qs;
    QTest::newRow("no address") << QStringList{u"100-0013"_qs} << 2 << u"郵便番号と住所"_qs;
}

void TestBarcode::batchOption()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    if (!PostalData::table().isLoaded())
        QSKIP("no postal code table");
    QProcess p;
    p.start(QStringLiteral(ORINOTE_BATCH), QStringList{u"--customer-barcode"_qs} + arguments);
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitCode(), exitCode);
    if (exitCode == 0)
        QCOMPARE(QString::fromUtf8(p.readAllStandardOutput()), output);
    else
        QVERIFY(QString::fromUtf8(p.readAllStandardError()).contains(output));
}

QTEST_GUILESS_MAIN(TestBarcode)
#include "tst_barcode.moc"
