#include "base/ArchiveReader.h"
#include "base/ArchiveWriter.h"
#include "model/CLabelSheetTemplate.h"
#include "support/FamilySizes.h"

#include <QBuffer>
#include <QTest>

#include <cstring>

Q_DECLARE_METATYPE(CLabelSheetTemplate)
Q_DECLARE_METATYPE(Rect)

namespace {


bool allEqual(const QList<qsizetype>& sizes)
{
    return std::all_of(sizes.begin(), sizes.end(), [&](qsizetype n) { return n == sizes.first(); });
}

QByteArray describe(const QList<qsizetype>& sizes)
{
    QByteArray text;
    for (qsizetype n : sizes)
        text += QByteArray::number(n) + ' ';
    return text;
}

// Verifies the three families of a template have arrays of one length each.
#define VERIFY_CONSISTENT(t, where)                                                                \
    do {                                                                                           \
        const auto tr = arraySizes((t).regions.arrays());                                          \
        const auto sh = arraySizes((t).sheets.arrays());                                           \
        const auto ks = arraySizes((t).keisenns.arrays());                                         \
        QVERIFY2(allEqual(tr), QByteArray(where + QByteArray(" regions: ") + describe(tr)));       \
        QVERIFY2(allEqual(sh), QByteArray(where + QByteArray(" sheets: ") + describe(sh)));        \
        QVERIFY2(allEqual(ks), QByteArray(where + QByteArray(" lines: ") + describe(ks)));         \
    } while (false)

QByteArray bodyOf(const CLabelSheetTemplate& t)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ArchiveWriter out(&buffer);
    t.write(out);
    if (!out.finish())
        qFatal("template body could not be written");
    return bytes;
}

bool readBody(CLabelSheetTemplate& t, QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    ArchiveReader in(&buffer);
    return t.read(in);
}

QByteArray rectBytes(const Rect& r)
{
    QByteArray bytes;
    for (qint32 v : {r.left, r.top, r.right, r.bottom})
        bytes.append(reinterpret_cast<const char*>(&v), 4); // the test hosts are little-endian
    return bytes;
}

Sheet sheetAt(const Rect& rect, int seed)
{
    Sheet s;
    s.rect = rect;
    s.backColor = 0x102030 + seed;
    s.backPicture = QStringLiteral("/srv/labels/back%1.jpg").arg(seed);
    s.spareSheetValue = 40 + seed;
    s.bleedX = 10 + seed;
    s.bleedY = 20 + seed;
    s.keepPictureAspect = 1;
    s.backPictureRotation = 90 * (seed % 4);
    s.elliptic = 1;
    s.pictureTransparency = 30 + seed;
    s.reservedText = QStringLiteral("reserved sheet %1").arg(seed);
    s.reservedC = -seed - 1;
    return s;
}

TextRect regionAt(const Rect& rect, const QString& attribute, int seed)
{
    TextRect r;
    r.rect = rect;
    r.attribute = attribute;
    r.font = FontRecord::make(QStringLiteral("@ＭＳ ゴシック"), -(90 + seed), 900);
    r.font.width = 33 + seed;
    r.font.weight = 700;
    r.font.italic = 1;
    r.font.underline = 1;
    r.font.strikeOut = 1;
    r.font.charSet = 1;
    r.font.outPrecision = 3;
    r.font.clipPrecision = 2;
    r.font.quality = 5;
    r.font.pitchAndFamily = 0x31;
    // Bytes after the terminator of the face name are kept as they were read.
    r.font.face[30] = char(0xA5);
    r.font.face[31] = char(0x5A + seed);
    r.textColor = 0x0000FF + seed;
    r.alignment = 1 + seed % 2;
    r.outlineWidth = 3 + seed;
    r.outlineColor = 0x00FF00 + seed;
    r.backColor = 0x123456 + seed;
    r.backColorOff = 0;
    r.backPicture = QStringLiteral("C:\\写真\\%1.png").arg(seed);
    r.spareValue = 77 + seed;
    r.borderSides = BorderSides{1, 0, 1, seed % 2};
    r.borderWidth = 4 + seed;
    r.borderColor = 0x00ABCD + seed;
    r.layer = 2 + seed;
    r.reservedA = -5 - seed;
    r.backPictureRotation = 270;
    r.charSpacing = 12 + seed;
    r.reservedB = 99 + seed;
    r.transparentColor = 0x00EEDD + seed;
    r.transparentColorOn = 1;
    r.pictureTransparency = 50 + seed;
    r.reservedText = QString(300, QChar(u'あ' + seed)); // longer than a one-byte length
    r.elliptic = 1;
    return r;
}

Keisenn lineAt(int seed)
{
    Keisenn k;
    k.start = Point{100 + seed, -200 - seed};
    k.end = Point{1900 - seed, -200 - seed};
    k.width = 2 + seed;
    k.color = 0x0000FF << seed;
    return k;
}

// A template with three sheets, regions and lines whose every stored attribute differs
// from its default, and reserved fields and arrays that hold something.
CLabelSheetTemplate richTemplate()
{
    CLabelSheetTemplate t;
    t.paperRect = Rect{0, 0, 2000, -1480};
    t.paperPicture = QStringLiteral("/home/user/画像/往復はがき.png");
    t.verticalText = 1;
    t.printSheetFrames = 1;
    t.roundSheetCorners = 1;
    t.printRuledLines = 1;
    t.reserved1 = 7;
    t.reserved2 = -8;
    t.reserved3 = 9;
    t.sheets.append(sheetAt(Rect{100, -100, 1010, -650}, 0));
    t.sheets.append(sheetAt(Rect{1100, -100, 2010, -650}, 1));
    t.sheets.append(sheetAt(Rect{100, -700, 1010, -1250}, 2));
    t.regions.append(regionAt(Rect{150, -120, 900, -200}, QStringLiteral("氏名(R)"), 0));
    t.regions.append(regionAt(Rect{150, -300, 900, -380}, QStringLiteral("𠮷田商店"), 1));
    t.regions.append(regionAt(Rect{800, -400, 990, -640}, QString(), 2));
    t.keisenns.append(lineAt(0));
    t.keisenns.append(lineAt(1));
    t.reserved.rects1 = {Rect{1, 2, 3, 4}};
    t.reserved.rects2 = {Rect{5, 6, 7, 8}, Rect{9, 10, 11, 12}};
    t.reserved.ints1 = {13, -14, 15};
    t.reserved.rects3 = {Rect{-16, -17, -18, -19}};
    t.reserved.rects4 = {Rect{20, 21, 22, 23}};
    t.reserved.ints2 = {24};
    return t;
}

CLabelSheetTemplate a4Template()
{
    CLabelSheetTemplate t;
    t.paperRect = Rect{0, 0, 2100, -2970};
    Sheet s;
    s.rect = t.paperRect;
    t.sheets.append(s);
    t.printRuledLines = 1;
    return t;
}

} // namespace

class TestTemplate : public QObject
{
    Q_OBJECT
private slots:
    void roundTripIsByteIdentical_data();
    void roundTripIsByteIdentical();
    void freshBodyLayout();
    void secondRegionRectangleArrayWins();
    void summary_data();
    void summary();
    void truncatedBodyKeepsFamiliesConsistent_data();
    void truncatedBodyKeepsFamiliesConsistent();
};

void TestTemplate::roundTripIsByteIdentical_data()
{
    QTest::addColumn<CLabelSheetTemplate>("original");

    CLabelSheetTemplate fresh;
    fresh.reset();
    QTest::newRow("fresh") << fresh;
    QTest::newRow("A4 plain") << a4Template();
    QTest::newRow("every attribute set") << richTemplate();
    CLabelSheetTemplate noRegions = richTemplate();
    noRegions.regions.clear();
    noRegions.keisenns.clear();
    QTest::newRow("sheets only") << noRegions;
}

void TestTemplate::roundTripIsByteIdentical()
{
    QFETCH(CLabelSheetTemplate, original);

    const QByteArray first = bodyOf(original);
    CLabelSheetTemplate copy;
    copy.reset();
    QVERIFY(readBody(copy, first));
    QVERIFY(copy == original);
    VERIFY_CONSISTENT(copy, "after reading");
    QCOMPARE(bodyOf(copy), first);

    // Reading over a template that held other objects replaces them all.
    CLabelSheetTemplate over = richTemplate();
    over.sheets.append(sheetAt(Rect{0, 0, 10, -10}, 5));
    QVERIFY(readBody(over, first));
    QVERIFY(over == original);
    QCOMPARE(bodyOf(over), first);
}

void TestTemplate::freshBodyLayout()
{
    CLabelSheetTemplate t;
    t.paperPicture = QStringLiteral("stale");
    t.sheets.append(Sheet());
    t.reset();

    // Paper rectangle (16), empty picture path (1), seven ints (28), then 47 empty
    // arrays of a two-byte count each.
    QByteArray expected = rectBytes(Rect{0, 0, 2970, -4200});
    expected += QByteArray(1, '\0');
    expected += QByteArray(24, '\0');
    expected += QByteArray("\x01\x00\x00\x00", 4);
    expected += QByteArray(47 * 2, '\0');

    const QByteArray body = bodyOf(t);
    QCOMPARE(body.size(), 139);
    QCOMPARE(body.toHex(' '), expected.toHex(' '));
}

// The region rectangles are stored twice; the later copy is the one that counts.
void TestTemplate::secondRegionRectangleArrayWins()
{
    CLabelSheetTemplate t = a4Template();
    const Rect first{123, -4567, 891, -4999};
    const Rect second{222, -333, 444, -555};
    t.regions.append(regionAt(first, QStringLiteral("宛先"), 0));

    QByteArray body = bodyOf(t);
    const QByteArray pattern = rectBytes(first);
    const qsizetype one = body.indexOf(pattern);
    const qsizetype two = body.indexOf(pattern, one + 1);
    QVERIFY(one > 0);
    QVERIFY(two > one);
    QCOMPARE(body.indexOf(pattern, two + 1), qsizetype(-1));
    body.replace(two, pattern.size(), rectBytes(second));

    CLabelSheetTemplate read;
    QVERIFY(readBody(read, body));
    QCOMPARE(read.regions.size(), 1);
    QCOMPARE(read.regions.rect(0), second);
}

void TestTemplate::summary_data()
{
    QTest::addColumn<Rect>("paper");
    QTest::addColumn<int>("sheets");
    QTest::addColumn<int>("regions");
    QTest::addColumn<QString>("expected");

    QTest::newRow("A4, three 91 x 55 labels, four regions")
        << Rect{0, 0, 2100, -2970} << 3 << 4
        << QStringLiteral("【用紙サイズ】　210.0 × 297.0 mm\r\n【シート数】　3\r\n"
                          "【文字列編集領域数】　4\r\n");
    QTest::newRow("postcard") << Rect{0, 0, 1000, -1480} << 1 << 0
                              << QStringLiteral(
                                     "【用紙サイズ】　100.0 × 148.0 mm\r\n【シート数】　1\r\n"
                                     "【文字列編集領域数】　0\r\n");
    QTest::newRow("tenths of a millimetre shown")
        << Rect{0, 0, 1051, -2233} << 12 << 25
        << QStringLiteral("【用紙サイズ】　105.1 × 223.3 mm\r\n【シート数】　12\r\n"
                          "【文字列編集領域数】　25\r\n");
    QTest::newRow("paper not at the origin")
        << Rect{50, -20, 2150, -2990} << 0 << 0
        << QStringLiteral("【用紙サイズ】　210.0 × 297.0 mm\r\n【シート数】　0\r\n"
                          "【文字列編集領域数】　0\r\n");
}

void TestTemplate::summary()
{
    QFETCH(Rect, paper);
    QFETCH(int, sheets);
    QFETCH(int, regions);
    QFETCH(QString, expected);

    CLabelSheetTemplate t;
    t.paperRect = paper;
    for (int i = 0; i < sheets; ++i)
        t.sheets.append(sheetAt(Rect{100 + 920 * (i % 2), -100 - 560 * (i / 2),
                                     1010 + 920 * (i % 2), -650 - 560 * (i / 2)},
                                i));
    for (int i = 0; i < regions; ++i)
        t.regions.append(regionAt(Rect{150, -120 - 100 * i, 900, -200 - 100 * i},
                                  QStringLiteral("住所%1").arg(i), i));

    QCOMPARE(t.summary(), expected);
    // The preview of a file read back from disk is the same.
    CLabelSheetTemplate read;
    QVERIFY(readBody(read, bodyOf(t)));
    QCOMPARE(read.summary(), expected);
}

void TestTemplate::truncatedBodyKeepsFamiliesConsistent_data()
{
    QTest::addColumn<CLabelSheetTemplate>("before");

    CLabelSheetTemplate empty;
    QTest::newRow("over an empty template") << empty;
    QTest::newRow("over an A4 template") << a4Template();
    // More objects than the file holds, so that a mix of old and new arrays differs.
    CLabelSheetTemplate larger = a4Template();
    for (int i = 0; i < 5; ++i) {
        larger.sheets.append(sheetAt(Rect{0, 0, 100 + i, -100}, i));
        larger.regions.append(regionAt(Rect{0, 0, 50 + i, -50}, QStringLiteral("古い"), i));
        larger.keisenns.append(lineAt(i));
    }
    QTest::newRow("over a larger template") << larger;
}

void TestTemplate::truncatedBodyKeepsFamiliesConsistent()
{
    QFETCH(CLabelSheetTemplate, before);

    const CLabelSheetTemplate source = richTemplate();
    const QByteArray body = bodyOf(source);
    for (qsizetype cut = 0; cut < body.size(); ++cut) {
        CLabelSheetTemplate t = before;
        const QByteArray where = "cut at " + QByteArray::number(cut);
        QVERIFY2(!readBody(t, body.left(cut)), where);
        VERIFY_CONSISTENT(t, where);
        // A family never grows beyond what either the old content or the file held.
        QVERIFY2(t.sheets.size() <= std::max(before.sheets.size(), source.sheets.size()), where);
        QVERIFY2(t.regions.size() <= std::max(before.regions.size(), source.regions.size()), where);
        // The fields read whole before the cut keep what was read.
        if (cut >= 16)
            QVERIFY2(t.paperRect == source.paperRect, where);
        else
            QVERIFY2(t.paperRect == before.paperRect, where);
        // The template is still written without trouble.
        QVERIFY2(!bodyOf(t).isEmpty(), where);
    }

    CLabelSheetTemplate whole = before;
    QVERIFY(readBody(whole, body));
    QVERIFY(whole == source);
}

QTEST_GUILESS_MAIN(TestTemplate)
#include "tst_template.moc"
