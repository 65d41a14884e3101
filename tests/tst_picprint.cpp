#include "address/AddressBook.h"
#include "merge/MergeExpander.h"
#include "model/CORINOTEDoc.h"
#include "model/MemoryProfile.h"
#include "model/PageBuilder.h"
#include "pages/Pagination.h"
#include "pages/PicturePrintCheck.h"
#include "picprint/PictureChooser.h"
#include "picprint/PicturePlacement.h"
#include "render/PageRenderer.h"
#include "render/PictureCache.h"
#include "render/PictureFile.h"
#include "render/PrintJob.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(Rect)

namespace QTest {
template <> char* toString(const Rect& r)
{
    return qstrdup(QStringLiteral("(%1, %2, %3, %4)")
                       .arg(r.left)
                       .arg(r.top)
                       .arg(r.right)
                       .arg(r.bottom)
                       .toUtf8()
                       .constData());
}
} // namespace QTest

using PicturePlacement::Picture;
using PicturePlacement::Target;

namespace {

// Pictures named p1 … pn (paths /pictures/pN.jpg; the placement never opens them except
// through the size reader the tests give).
QList<Picture> pictures(int count)
{
    QList<Picture> list;
    for (int i = 1; i <= count; ++i)
        list.append({QStringLiteral("p%1.jpg").arg(i), QStringLiteral("/pictures/p%1.jpg").arg(i)});
    return list;
}

QSize squareSize(const QString&)
{
    return QSize(100, 100);
}

// A template of n sheets of 400 × 300 side by side; sheet No. 1 has the given regions,
// each 400 × 200 at the sheet's top-left corner shifted down by 10 per region.
void setUp(CORINOTEDoc& doc, int sheets, const QStringList& attributes, int start)
{
    doc.newDocument();
    CLabelSheetTemplate& t = doc.labelTemplate();
    t.sheets.clear();
    t.regions.clear();
    for (int i = 0; i < sheets; ++i) {
        Sheet s;
        s.rect = Rect{i * 500, 0, i * 500 + 400, -300};
        s.backPicture = QStringLiteral("/template/background.png");
        t.sheets.append(s);
    }
    for (int k = 0; k < attributes.size(); ++k) {
        TextRect r;
        r.rect = Rect{0, -10 * k, 400, -10 * k - 200};
        r.attribute = attributes.at(k);
        t.regions.append(r);
    }
    doc.scalars().printStartPosition = start;
    PageBuilder::buildPageOne(doc);
    Pagination::mergeHeldRecords(doc, QDate(2027, 1, 1), nullptr);
}

void reserve(CORINOTEDoc& doc, int records)
{
    CAddressData& group = doc.addressBook().group(0);
    for (int i = 0; i < records; ++i) {
        QStringList values(CAddressData::TextColumnCount);
        values[CAddressData::EntryNumber] = QStringLiteral("A-%1").arg(i + 1);
        values[CAddressData::Name] = QStringLiteral("名前%1").arg(i + 1);
        group.appendRecord(values);
        group.setFlag(i, 1);
    }
    Pagination::buildFromReservation(doc, QDate(2027, 1, 1), nullptr);
}

QStringList sheetPictures(const CORINOTEDoc& doc)
{
    QStringList list;
    for (int s = 0; s < doc.sheets().size(); ++s) {
        const QString path = doc.sheets().backPicture(s);
        list.append(path.isEmpty() ? QStringLiteral("-") : QFileInfo(path).completeBaseName());
    }
    return list;
}

QStringList regionValues(const CORINOTEDoc& doc, bool pictureColumn)
{
    QStringList list;
    for (int w = 0; w < doc.textRects().size(); ++w) {
        const QString v = pictureColumn
                              ? QFileInfo(doc.textRects().backPicture(w)).completeBaseName()
                              : doc.textRects().text(w);
        list.append(v.isEmpty() ? QStringLiteral("-") : v);
    }
    return list;
}

void writeImage(const QString& path, const QSize& size, const QColor& colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QVERIFY(image.save(path));
}

} // namespace

class TestPicPrint : public QObject
{
    Q_OBJECT
private slots:
    void unreadablePicturesAreNamed();
    void photographsStandUpright();
    void picturesGoOntoSheets_data();
    void picturesGoOntoSheets();
    void picturesGoIntoRegions_data();
    void picturesGoIntoRegions();
    void keepAddsAfterWhatWasPlaced_data();
    void keepAddsAfterWhatWasPlaced();
    void pictureFittedIntoItsRegion_data();
    void pictureFittedIntoItsRegion();
    void refusedWithoutPictureRegions();
    void reservationClearedOnlyWithoutKeep();
    void pageCount_data();
    void pageCount();
    void chooserListsFoldersAndPictures();
    void chooserAppendsAndRemoves();
    void printJobDecodesPicturesAhead_data();
    void printJobDecodesPicturesAhead();
    void cacheDownscalesForPdf_data();
    void cacheDownscalesForPdf();
    void batchPlacesPictures_data();
    void batchPlacesPictures();
};

void TestPicPrint::picturesGoOntoSheets_data()
{
    QTest::addColumn<int>("sheets");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("keep");
    QTest::addColumn<int>("reserved");
    QTest::addColumn<QStringList>("expected"); // every sheet's picture, "-" for none

    QTest::newRow("start 3 of 4, five pictures: two pages")
        << 4 << 3 << 5 << false << 0
        << QStringList{u"-"_qs, u"-"_qs, u"p1"_qs, u"p2"_qs, u"p3"_qs, u"p4"_qs, u"p5"_qs, u"-"_qs};
    QTest::newRow("four pictures fill one page")
        << 4 << 1 << 4 << false << 0 << QStringList{u"p1"_qs, u"p2"_qs, u"p3"_qs, u"p4"_qs};
    QTest::newRow("no picture: one empty page")
        << 2 << 1 << 0 << false << 0 << QStringList{u"-"_qs, u"-"_qs};
    // The pages are kept: two free sheets from the start position take two pictures and a
    // page is added for the others (its sheet after the last picture cleared); the sheets
    // before keep the template's picture.
    QTest::newRow("keep, fewer free sheets than pictures")
        << 4 << 3 << 5 << true << 0
        << QStringList{u"background"_qs, u"background"_qs, u"p1"_qs, u"p2"_qs,
                       u"p3"_qs,         u"p4"_qs,         u"p5"_qs, u"-"_qs};
    QTest::newRow("keep, pictures run out first")
        << 4 << 2 << 1 << true << 0
        << QStringList{u"background"_qs, u"p1"_qs, u"background"_qs, u"background"_qs};
    // The records' sheets stay as they are; the pictures follow them.
    QTest::newRow("keep on pages of records")
        << 2 << 1 << 3 << true << 3
        << QStringList{u"background"_qs, u"background"_qs, u"background"_qs,
                       u"p1"_qs,         u"p2"_qs,         u"p3"_qs};
}

void TestPicPrint::picturesGoOntoSheets()
{
    QFETCH(int, sheets);
    QFETCH(int, start);
    QFETCH(int, count);
    QFETCH(bool, keep);
    QFETCH(int, reserved);
    QFETCH(QStringList, expected);

    QTemporaryDir folder;
    MemoryProfile profile;
    CORINOTEDoc doc(&profile);
    doc.dataFolder = folder.path();
    setUp(doc, sheets, {u"謹賀新年"_qs}, start);
    if (reserved > 0)
        reserve(doc, reserved);
    doc.scalars().perSheetBackgrounds = 0;
    QList<int> progress;
    const QString message =
        PicturePlacement::place(doc, pictures(count), {Target::Sheets, keep}, QDate(2027, 1, 1),
                                nullptr, [&](int done, int total) {
                                    QCOMPARE(total, count);
                                    progress.append(done);
                                });
    QVERIFY(message.isEmpty());
    QCOMPARE(sheetPictures(doc), expected);
    for (int s = 0; s < expected.size(); ++s) {
        if (expected.at(s).startsWith(u'p'))
            QCOMPARE(doc.sheets().keepPictureAspect(s), 1);
    }
    // Every sheet shows its own picture, even where one background served all sheets.
    QCOMPARE(doc.scalars().perSheetBackgrounds, 1);
    QCOMPARE(progress.first(), 0);
    QVERIFY(doc.undoAvailable);
    QVERIFY(doc.isModified());
    if (!keep) {
        // Labels before the start position are used, those after the last picture are
        // left for another time: nothing is printed on either.
        for (int s = 0; s < doc.sheets().size(); ++s) {
            const bool used = s >= start - 1 && s < start - 1 + count;
            QCOMPARE(doc.textRects().text(s), used ? u"謹賀新年"_qs : QString());
        }
    } else if (reserved > 0) {
        // The merged records stay under the pictures.
        QCOMPARE(doc.textRects().text(1), u"謹賀新年"_qs);
        QCOMPARE(doc.recordList().recordCount(), reserved);
    }
}

void TestPicPrint::picturesGoIntoRegions_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<bool>("keep");
    QTest::addColumn<QStringList>("pictures"); // every region's picture
    QTest::addColumn<QStringList>("texts");    // every region's text

    // Two sheets per page, regions 画像(A), 画像ファイル名(A), 画像(A), fixed text.
    // Keep off, the fourth sheet carries nothing: it is cleared like a sheet without a
    // record, its fixed text included.
    QTest::newRow("five pictures, two regions a sheet: three sheets used")
        << 1 << false
        << QStringList{u"p1"_qs, u"-"_qs, u"p2"_qs, u"-"_qs, u"p3"_qs, u"-"_qs, u"p4"_qs, u"-"_qs,
                       u"p5"_qs, u"-"_qs, u"-"_qs,  u"-"_qs, u"-"_qs,  u"-"_qs, u"-"_qs,  u"-"_qs}
        << QStringList{u"-"_qs, u"p1.jpg"_qs, u"-"_qs, u"写真"_qs,   u"-"_qs, u"p2.jpg"_qs,
                       u"-"_qs, u"写真"_qs,   u"-"_qs, u"p3.jpg"_qs, u"-"_qs, u"写真"_qs,
                       u"-"_qs, u"-"_qs,      u"-"_qs, u"-"_qs};
    QTest::newRow("start 2: the first sheet emptied")
        << 2 << false
        << QStringList{u"-"_qs,  u"-"_qs, u"-"_qs,  u"-"_qs, u"p1"_qs, u"-"_qs, u"p2"_qs, u"-"_qs,
                       u"p3"_qs, u"-"_qs, u"p4"_qs, u"-"_qs, u"p5"_qs, u"-"_qs, u"-"_qs,  u"-"_qs}
        << QStringList{u"-"_qs, u"-"_qs,      u"-"_qs, u"-"_qs,      u"-"_qs, u"p1.jpg"_qs,
                       u"-"_qs, u"写真"_qs,   u"-"_qs, u"p2.jpg"_qs, u"-"_qs, u"写真"_qs,
                       u"-"_qs, u"p3.jpg"_qs, u"-"_qs, u"写真"_qs};
    QTest::newRow("keep: a page added for the fifth picture")
        << 1 << true
        << QStringList{u"p1"_qs, u"-"_qs, u"p2"_qs, u"-"_qs, u"p3"_qs, u"-"_qs, u"p4"_qs, u"-"_qs,
                       u"p5"_qs, u"-"_qs, u"-"_qs,  u"-"_qs, u"-"_qs,  u"-"_qs, u"-"_qs,  u"-"_qs}
        << QStringList{u"-"_qs, u"p1.jpg"_qs, u"-"_qs, u"写真"_qs,   u"-"_qs, u"p2.jpg"_qs,
                       u"-"_qs, u"写真"_qs,   u"-"_qs, u"p3.jpg"_qs, u"-"_qs, u"写真"_qs,
                       u"-"_qs, u"-"_qs,      u"-"_qs, u"-"_qs};
}

void TestPicPrint::picturesGoIntoRegions()
{
    QFETCH(int, start);
    QFETCH(bool, keep);
    QFETCH(QStringList, pictures);
    QFETCH(QStringList, texts);

    QTemporaryDir folder;
    MemoryProfile profile;
    CORINOTEDoc doc(&profile);
    doc.dataFolder = folder.path();
    setUp(doc, 2, {u"画像(A)"_qs, u"画像ファイル名(A)"_qs, u"画像(A)"_qs, u"写真"_qs}, start);
    QVERIFY(PicturePlacement::place(doc, ::pictures(5), {Target::Regions, keep}, QDate(2027, 1, 1),
                                    nullptr, {}, squareSize)
                .isEmpty());
    QCOMPARE(regionValues(doc, true), pictures);
    QCOMPARE(regionValues(doc, false), texts);
}

void TestPicPrint::keepAddsAfterWhatWasPlaced_data()
{
    QTest::addColumn<int>("target");
    QTest::addColumn<int>("start");
    QTest::newRow("sheets") << int(Target::Sheets) << 1;
    QTest::newRow("regions") << int(Target::Regions) << 1;
    // A start position before the placed pictures does not reach back into them.
    QTest::newRow("regions from sheet 2") << int(Target::Regions) << 2;
}

// Five pictures placed, then one more with 現在の印刷データをクリアしない: the five stay
// where they were and the new one follows them.
void TestPicPrint::keepAddsAfterWhatWasPlaced()
{
    QFETCH(int, target);
    QFETCH(int, start);
    QTemporaryDir folder;
    MemoryProfile profile;
    CORINOTEDoc doc(&profile);
    doc.dataFolder = folder.path();
    setUp(doc, 2, {u"画像(A)"_qs, u"画像ファイル名(A)"_qs, u"画像(A)"_qs}, start);
    const Target t = Target(target);
    QVERIFY(PicturePlacement::place(doc, ::pictures(5), {t, false}, QDate(2027, 1, 1), nullptr, {},
                                    squareSize)
                .isEmpty());
    const QList<Picture> more{{u"q1.jpg"_qs, u"/pictures/q1.jpg"_qs}};
    QVERIFY(
        PicturePlacement::place(doc, more, {t, true}, QDate(2027, 1, 1), nullptr, {}, squareSize)
            .isEmpty());
    QStringList placed;
    const QStringList all = t == Target::Sheets ? sheetPictures(doc) : regionValues(doc, true);
    for (const QString& p : all) {
        if (p.startsWith(u'p') || p.startsWith(u'q'))
            placed.append(p);
    }
    // The placed pictures in page order, the new one after them.
    QCOMPARE(placed, (QStringList{u"p1"_qs, u"p2"_qs, u"p3"_qs, u"p4"_qs, u"p5"_qs, u"q1"_qs}));
    if (t == Target::Regions) {
        // The names placed before stay, and the new one is named.
        QVERIFY(regionValues(doc, false).contains(u"p3.jpg"_qs));
        QVERIFY(regionValues(doc, false).contains(u"q1.jpg"_qs));
    }
    // One undo takes back only the kept placement.
    doc.undo();
    QCOMPARE(t == Target::Sheets ? sheetPictures(doc).count(u"q1"_qs)
                                 : regionValues(doc, true).count(u"q1"_qs),
             0);
}

void TestPicPrint::pictureFittedIntoItsRegion_data()
{
    QTest::addColumn<Rect>("box");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<int>("rotation");
    QTest::addColumn<Rect>("fitted");

    QTest::newRow("square into a wide box: centred across")
        << Rect{0, 0, 400, -200} << QSize(100, 100) << 0 << Rect{100, 0, 300, -200};
    QTest::newRow("wide into a tall box: centred down")
        << Rect{0, 0, 200, -400} << QSize(400, 100) << 0 << Rect{0, -175, 200, -225};
    QTest::newRow("same proportions: the box")
        << Rect{10, -10, 310, -160} << QSize(60, 30) << 0 << Rect{10, -10, 310, -160};
    QTest::newRow("turned a quarter: sides swapped")
        << Rect{0, 0, 400, -200} << QSize(400, 100) << 90 << Rect{175, 0, 225, -200};
    QTest::newRow("thirds truncated")
        << Rect{0, 0, 100, -100} << QSize(3, 1) << 0 << Rect{0, -33, 100, -66};
    QTest::newRow("unreadable: the box")
        << Rect{0, 0, 400, -200} << QSize() << 0 << Rect{0, 0, 400, -200};
}

// The region becomes the largest rectangle of the picture's proportions centred in it.
void TestPicPrint::pictureFittedIntoItsRegion()
{
    QFETCH(Rect, box);
    QFETCH(QSize, picture);
    QFETCH(int, rotation);
    QFETCH(Rect, fitted);

    QTemporaryDir folder;
    MemoryProfile profile;
    CORINOTEDoc doc(&profile);
    doc.dataFolder = folder.path();
    setUp(doc, 1, {u"画像(A)"_qs}, 1);
    doc.labelTemplate().sheets.setRect(0, Rect{0, 0, 2000, -2000});
    doc.labelTemplate().regions.setRect(0, box);
    doc.labelTemplate().regions.setBackPictureRotation(0, rotation);
    QVERIFY(PicturePlacement::place(doc, pictures(1), {Target::Regions, false}, QDate(), nullptr,
                                    {}, [&](const QString&) { return picture; })
                .isEmpty());
    QCOMPARE(doc.textRects().rect(0), fitted);
    // Placing again over the kept page fits into the region as designed, not into the
    // rectangle the last picture left.
    QVERIFY(PicturePlacement::place(doc, pictures(1), {Target::Regions, true}, QDate(), nullptr, {},
                                    [&](const QString&) { return picture; })
                .isEmpty());
    QCOMPARE(doc.textRects().rect(0), fitted);
}

void TestPicPrint::refusedWithoutPictureRegions()
{
    QTemporaryDir folder;
    MemoryProfile profile;
    CORINOTEDoc doc(&profile);
    doc.dataFolder = folder.path();
    setUp(doc, 2, {u"画像ファイル名(A)"_qs, u"画像"_qs}, 1);
    reserve(doc, 3);
    doc.setModified(false);
    const int undo = doc.undoAvailable;
    const PicturePlacement::Options options{Target::Regions, false};
    const QString expected = u"シートに「画像(A)」属性の文字列編集領域がありません。"_qs;
    QCOMPARE(PicturePlacement::refusal(doc, options), expected);
    QCOMPARE(PicturePlacement::place(doc, pictures(2), options, QDate(), nullptr), expected);
    // Nothing happened: the reservation and the pages are as they were.
    QCOMPARE(doc.recordList().recordCount(), 3);
    QCOMPARE(doc.addressBook().group(0).flag(0), 1);
    QVERIFY(!doc.isModified());
    QCOMPARE(doc.undoAvailable, undo);
    QVERIFY(PicturePlacement::refusal(doc, {Target::Sheets, false}).isEmpty());
}

void TestPicPrint::reservationClearedOnlyWithoutKeep()
{
    for (const bool keep : {false, true}) {
        QTemporaryDir folder;
        MemoryProfile profile;
        CORINOTEDoc doc(&profile);
        doc.dataFolder = folder.path();
        setUp(doc, 2, {u"氏名(R)"_qs}, 1);
        QVERIFY(!PicturePlacement::clearsReservation(doc, {Target::Sheets, keep}));
        reserve(doc, 3);
        QCOMPARE(PicturePlacement::clearsReservation(doc, {Target::Sheets, keep}), !keep);
        QVERIFY(PicturePlacement::place(doc, pictures(1), {Target::Sheets, keep}, QDate(), nullptr)
                    .isEmpty());
        QCOMPARE(doc.recordList().recordCount(), keep ? 3 : 0);
        for (int r = 0; r < 3; ++r)
            QCOMPARE(doc.addressBook().group(0).flag(r), keep ? 1 : 0);
        QCOMPARE(doc.textRects().text(0), keep ? u"名前1"_qs : QString());
        QCOMPARE(doc.pageCount(), keep ? 2 : 1);
        // One undo step brings the reservation back.
        doc.undo();
        QCOMPARE(doc.addressBook().group(0).flag(2), 1);
    }
}

void TestPicPrint::pageCount_data()
{
    QTest::addColumn<int>("pictures");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("sheets");
    QTest::addColumn<int>("regions");
    QTest::addColumn<int>("target");
    QTest::addColumn<int>("pages");

    QTest::newRow("sheets: S 3, N 4, P 5") << 5 << 3 << 4 << 0 << 0 << 2;
    QTest::newRow("sheets: exactly full") << 8 << 1 << 4 << 0 << 0 << 2;
    QTest::newRow("sheets: none") << 0 << 1 << 4 << 0 << 0 << 1;
    QTest::newRow("regions: R 2, P 5") << 5 << 1 << 2 << 2 << 1 << 2;
    QTest::newRow("regions: R 2, P 4, S 4 of 4") << 4 << 4 << 4 << 2 << 1 << 2;
    QTest::newRow("regions: R 3, P 1") << 1 << 1 << 12 << 3 << 1 << 1;
    QTest::newRow("no sheet") << 5 << 1 << 0 << 1 << 0 << 1;
    QTest::newRow("huge count does not overflow")
        << std::numeric_limits<int>::max() << 4 << 4 << 1 << 0 << 536870913;
}

void TestPicPrint::pageCount()
{
    QFETCH(int, pictures);
    QFETCH(int, start);
    QFETCH(int, sheets);
    QFETCH(int, regions);
    QFETCH(int, target);
    QFETCH(int, pages);
    QCOMPARE(PicturePlacement::pagesFor(pictures, start, sheets, regions, Target(target)), pages);
}

void TestPicPrint::chooserListsFoldersAndPictures()
{
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir(u"旅行"_qs));
    QVERIFY(QDir(folder.path()).mkdir(u"Album"_qs));
    for (const QString& name : {u"b.JPG"_qs, u"a.png"_qs, u"c.txt"_qs, u"d.gif"_qs, u"e.jpeg"_qs,
                                u"f.bmp"_qs, u"g.tiff"_qs}) {
        QFile f(folder.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    PictureChooser chooser;
    chooser.setFolder(folder.path());
    QCOMPARE(chooser.entries(),
             (QStringList{u"[..]"_qs, u"[Album]"_qs, u"[旅行]"_qs, u"a.png"_qs, u"b.JPG"_qs,
                          u"d.gif"_qs, u"e.jpeg"_qs, u"f.bmp"_qs, u"g.tiff"_qs}));
    QCOMPARE(chooser.fileRows(), (QList<int>{3, 4, 5, 6, 7, 8}));
    QVERIFY(chooser.isFolderEntry(1));
    QCOMPARE(chooser.pathOf(2), QDir(folder.path()).filePath(u"旅行"_qs));

    // A double click on a file only reads the list again; on a folder it enters it.
    chooser.activate(3);
    QCOMPARE(chooser.folder(), QDir::cleanPath(folder.path()));
    chooser.activate(2);
    QCOMPARE(chooser.folder(), QDir(folder.path()).filePath(u"旅行"_qs));
    QCOMPARE(chooser.entries(), QStringList{u"[..]"_qs});
    chooser.activate(0);
    QCOMPARE(chooser.folder(), QDir::cleanPath(folder.path()));

    // A folder that cannot be read lists nothing.
    chooser.setFolder(folder.filePath(u"missing"_qs));
    QVERIFY(chooser.entries().isEmpty());
}

void TestPicPrint::chooserAppendsAndRemoves()
{
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir(u"sub"_qs));
    for (const QString& name : {u"x.jpg"_qs, u"y.png"_qs}) {
        QFile f(folder.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    PictureChooser chooser;
    chooser.setFolder(folder.path());
    // すべて選択 then ⇒: every file, never a folder.
    chooser.append(chooser.fileRows());
    QCOMPARE(chooser.chosen().size(), 2);
    for (const Picture& p : chooser.chosen())
        QVERIFY(!p.name.startsWith(u'['));
    // The same file again: a second row, which places a second sheet.
    chooser.append({3, 2});
    QCOMPARE(chooser.chosen().size(), 4);
    QCOMPARE(chooser.chosen().at(2), (Picture{u"x.jpg"_qs, folder.filePath(u"x.jpg"_qs)}));
    QCOMPARE(chooser.chosen().at(3).name, u"y.png"_qs);

    QVERIFY(!chooser.remove({}));
    QVERIFY(chooser.remove({0, 2, 2}));
    QCOMPARE(chooser.chosen().size(), 2);
    QCOMPARE(chooser.chosen().at(0).name, u"y.png"_qs);
    QCOMPARE(chooser.chosen().at(1).name, u"y.png"_qs);
    chooser.clear();
    QVERIFY(chooser.chosen().isEmpty());

    QTemporaryDir pagesFolder;
    MemoryProfile profile;
    CORINOTEDoc doc(&profile);
    doc.dataFolder = pagesFolder.path();
    setUp(doc, 4, {}, 1);
    chooser.append({2});
    chooser.append({2});
    QVERIFY(PicturePlacement::place(doc, chooser.chosen(), {}, QDate(), nullptr).isEmpty());
    QCOMPARE(sheetPictures(doc), (QStringList{u"x"_qs, u"x"_qs, u"-"_qs, u"-"_qs}));
}

// A photograph printed on a label is embedded at no more than 300 dots an inch of paper,
// decoded at that size rather than whole.
void TestPicPrint::printJobDecodesPicturesAhead_data()
{
    QTest::addColumn<int>("target");
    QTest::addColumn<bool>("keepAspect");
    QTest::addColumn<int>("turn");
    QTest::newRow("sheets, aspect kept") << int(Target::Sheets) << true << 0;
    QTest::newRow("sheets, stretched, a quarter turn") << int(Target::Sheets) << false << 90;
    QTest::newRow("regions") << int(Target::Regions) << false << 0;
}

// Each page's pictures are decoded while the page before is drawn: the job takes every
// one from there, which holds only when the pass that notes them sees the sizes the page
// draws them at.
void TestPicPrint::printJobDecodesPicturesAhead()
{
    QFETCH(int, target);
    QFETCH(bool, keepAspect);
    QFETCH(int, turn);
    QTemporaryDir folder;
    QList<Picture> photos;
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::cyan};
    for (int i = 0; i < 5; ++i) {
        const QString path = folder.filePath(QStringLiteral("p%1.jpg").arg(i));
        // Larger than 300 dpi of a 40 × 30 mm sheet, so drawn at a reduced size.
        writeImage(path, QSize(1200 + 40 * i, 900), colours[i]);
        photos.append({QFileInfo(path).fileName(), path});
    }
    MemoryProfile profile;
    CORINOTEDoc doc(&profile);
    doc.dataFolder = folder.path();
    setUp(doc, 2, {u"画像(A)"_qs}, 1);
    QVERIFY(PicturePlacement::place(doc, photos, {Target(target), false}, QDate(2027, 1, 1),
                                    nullptr)
                .isEmpty());
    for (int s = 0; s < doc.sheets().size(); ++s) {
        doc.sheets().setKeepPictureAspect(s, keepAspect ? 1 : 0);
        doc.sheets().setBackPictureRotation(s, turn);
    }
    QCOMPARE(doc.pageCount(), 3);
    QBuffer out;
    QVERIFY(out.open(QIODevice::WriteOnly));
    QPdfWriter writer(&out);
    writer.setResolution(600);
    PageRenderer renderer;
    QVERIFY(PrintJob::run(writer, doc, PrintJob::Settings(), renderer).isEmpty());
    QCOMPARE(renderer.pictures().takenAhead(), 5);
    QCOMPARE(renderer.pictures().decodedAhead(), 0);
}

void TestPicPrint::cacheDownscalesForPdf_data()
{
    QTest::addColumn<bool>("ahead");
    QTest::newRow("decoded when drawn") << false;
    QTest::newRow("decoded ahead") << true;
}

void TestPicPrint::cacheDownscalesForPdf()
{
    QFETCH(bool, ahead);
    QTemporaryDir folder;
    const QString photo = folder.filePath(u"photo.jpg"_qs);
    writeImage(photo, QSize(3000, 2000), Qt::darkGreen);
    const QString pdf = folder.filePath(u"out.pdf"_qs);
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::WriteOnly));
    PictureCache cache;
    // 50.8 mm wide: 600 dots at 300 dpi, 2400 at the writer's 1200.
    const QRectF target(0, -339, 508, 339);
    if (ahead) {
        // As a print job notes the next page's pictures: on a scratch image, nothing drawn.
        QImage scratch(1, 1, QImage::Format_RGB32);
        scratch.fill(Qt::white);
        for (int round = 0; round < 2; ++round) {
            QPainter painter(&scratch);
            painter.setTransform(PageRenderer::deviceTransform(1200, 1200));
            cache.startCollecting(1200, true);
            QVERIFY(cache.draw(painter, target, photo, 0, 1.0));
            painter.end();
            QCOMPARE(cache.decodeCollected(), round == 0 ? 1 : 0); // the second finds it started
        }
        QCOMPARE(scratch.pixel(0, 0), qRgb(255, 255, 255));
        QCOMPARE(cache.decodedAhead(), 1);
    }
    {
        QPdfWriter writer(&file);
        writer.setResolution(1200);
        QPainter painter(&writer);
        painter.setTransform(PageRenderer::deviceTransform(1200, 1200));
        QVERIFY(cache.draw(painter, target, photo, 0, 1.0));
    }
    // What was decoded ahead is what the page took.
    QCOMPARE(cache.decodedAhead(), 0);
    file.close();
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    // The image's dictionary is plain text in the file: "/Width 600".
    const qsizetype at = bytes.indexOf("/Width");
    QVERIFY(at >= 0);
    const int width =
        bytes.mid(at + 6, 12).trimmed().split('\n').first().split('/').first().trimmed().toInt();
    QVERIFY2(width >= 600 && width <= 601, qPrintable(QString::number(width)));
    QVERIFY(bytes.size() < 400 * 1024);
    // The drawn copy is what the cache holds, not the whole photograph.
    QVERIFY(cache.drawnBytes() < 2 * 1024 * 1024);
}

void TestPicPrint::batchPlacesPictures_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("succeeds");
    QTest::addColumn<QString>("firstSheetPicture");

    QTest::newRow("sheets") << QStringList{u"--picture"_qs, u"a.png"_qs, u"--picture"_qs,
                                           u"a.png"_qs}
                            << true << u"a.png"_qs;
    QTest::newRow("regions without a picture region")
        << QStringList{u"--picture"_qs, u"a.png"_qs, u"--picture-regions"_qs} << false << QString();
    QTest::newRow("missing file") << QStringList{u"--picture"_qs, u"nothing.png"_qs} << false
                                  << QString();
    QTest::newRow("keep without pictures") << QStringList{u"--keep"_qs} << false << QString();
}

void TestPicPrint::batchPlacesPictures()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, succeeds);
    QFETCH(QString, firstSheetPicture);

    QTemporaryDir folder;
    writeImage(folder.filePath(u"a.png"_qs), QSize(40, 30), Qt::red);
    QProcess batch;
    batch.setWorkingDirectory(folder.path());
    batch.start(QStringLiteral(ORINOTE_BATCH),
                arguments + QStringList{u"--data-folder"_qs, folder.path(), u"--json"_qs, u"-"_qs});
    QVERIFY(batch.waitForFinished(30000));
    QCOMPARE(batch.exitCode() == 0, succeeds);
    if (!succeeds) {
        QVERIFY(!batch.readAllStandardError().isEmpty());
        return;
    }
    const QJsonObject json = QJsonDocument::fromJson(batch.readAllStandardOutput()).object();
    const QJsonArray sheets = json.value(u"sheets"_qs).toArray();
    QVERIFY(!sheets.isEmpty());
    QCOMPARE(sheets.at(0).toObject().value(u"backPicture"_qs).toString(),
             folder.filePath(firstSheetPicture));
    QCOMPARE(sheets.at(0).toObject().value(u"keepPictureAspect"_qs).toInt(), 1);
}

namespace {

// A PNG whose header claims the given size, with an empty data chunk after it.
QByteArray pngHeader(quint32 width, quint32 height)
{
    QByteArray ihdr("IHDR");
    for (quint32 v : {width, height})
        for (int shift = 24; shift >= 0; shift -= 8)
            ihdr.append(char((v >> shift) & 0xFF));
    ihdr.append("\x08\x06\x00\x00\x00", 5); // 8 bits, RGBA
    quint32 crc = 0xFFFFFFFFu;
    for (const char c : ihdr) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    crc ^= 0xFFFFFFFFu;
    QByteArray png("\x89PNG\r\n\x1a\n\x00\x00\x00\x0d", 12);
    png += ihdr;
    for (int shift = 24; shift >= 0; shift -= 8)
        png.append(char((crc >> shift) & 0xFF));
    png.append("\x00\x00\x00\x00IDAT\x35\xaf\x06\x1e", 12); // the decoder looks this far
    return png;
}

} // namespace

// Before printing, the labels whose pictures cannot be drawn are counted and their files
// named once: missing, not a picture, larger than the decoders allow.
void TestPicPrint::unreadablePicturesAreNamed()
{
    QTemporaryDir dir;
    const QString good = dir.filePath(u"good.png"_qs);
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    QVERIFY(image.save(good));
    const QString missing = dir.filePath(u"missing.jpg"_qs);
    const QString text = dir.filePath(u"text.jpg"_qs);
    const QString huge = dir.filePath(u"huge.png"_qs);
    for (const auto& [path, bytes] :
         {std::pair{text, QByteArray("not a picture")}, std::pair{huge, pngHeader(40000, 40000)}}) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QVERIFY(PicturePrintCheck::readable(good));
    QVERIFY(QImageReader(huge).size().isValid()); // the header itself reads

    MemoryProfile profile;
    CORINOTEDoc doc(&profile);
    doc.newDocument();
    for (int s = 0; s < 3; ++s) {
        Sheet sheet;
        sheet.rect = Rect{s * 700, 0, s * 700 + 600, -600};
        doc.sheets().append(sheet);
    }
    doc.sheets().setBackPicture(0, good);
    doc.sheets().setBackPicture(1, missing);
    const QList<std::pair<int, QString>> regionPictures{
        {2, text}, {2, missing}, {3, huge}, {4, good}};
    for (const auto& [sheetNo, path] : regionPictures) {
        TextRect r;
        r.sheetNo = sheetNo;
        r.backPicture = path;
        doc.textRects().append(r);
    }
    const PicturePrintCheck::Result result = PicturePrintCheck::check(doc);
    QCOMPARE(result.files, (QStringList{missing, text, huge}));
    QCOMPARE(result.labels, 2); // sheet 2 (its own and two regions) and sheet 3
    QCOMPARE(PicturePrintCheck::question(result, 2),
             u"画像を読み込めないラベルが2枚あります。このまま印刷しますか？\n\n"_qs + missing +
                 u"\n"_qs + text + u"\nほか1件"_qs);
    QVERIFY(PicturePrintCheck::warning(result).endsWith(huge));
    doc.textRects().clear();
    doc.sheets().setBackPicture(1, QString());
    QVERIFY(PicturePrintCheck::question(PicturePrintCheck::check(doc)).isEmpty());
}

QTEST_MAIN(TestPicPrint)
// A phone held upright stores a landscape picture and says it is turned a quarter:
// sizes, fitting and drawing all take it upright, decoded at a reduced size too.
void TestPicPrint::photographsStandUpright()
{
    QTemporaryDir dir;
    QImage stored(400, 300, QImage::Format_RGB32);
    stored.fill(Qt::white);
    QPainter(&stored).fillRect(0, 0, 40, 300, Qt::black); // the stored left edge
    const QString path = dir.filePath(QStringLiteral("upright.jpg"));
    QImageWriter writer(path);
    writer.setTransformation(QImageIOHandler::TransformationRotate90);
    QVERIFY(writer.write(stored));

    QCOMPARE(PictureFile::size(path), QSize(300, 400));
    PictureCache cache;
    QCOMPARE(cache.pictureSize(path, 0), QSize(300, 400));
    QCOMPARE(cache.pictureSize(path, 90), QSize(400, 300));
    for (const QSize& size : {QSize(), QSize(150, 200)}) {
        const QImage upright = PictureFile::read(path, size);
        QCOMPARE(upright.size(), size.isValid() ? size : QSize(300, 400));
        // Turned clockwise, the stored left edge is now the top.
        QVERIFY(qGray(upright.pixel(upright.width() / 2, 2)) < 60);
        QVERIFY(qGray(upright.pixel(upright.width() / 2, upright.height() - 3)) > 200);
    }
}

#include "tst_picprint.moc"
