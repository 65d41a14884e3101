#include "base/ArchiveWriter.h"
#include "base/TextCodec.h"
#include "model/CLabelSheetTemplate.h"
#include "model/CORINOTEDoc.h"
#include "model/PageBuilder.h"
#include "model/SettingsProfile.h"
#include "model/TextMeasurer.h"
#include "support/FamilySizes.h"

#include <QBuffer>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

Q_DECLARE_METATYPE(Rect)

namespace {

const Rect kA4{0, 0, 2100, -2970};

// --- family consistency, checked over every attribute of the attribute lists

// Whether every array has `expected` entries (or, with -1, the same number).
bool sizesAre(const QList<qsizetype>& sizes, qsizetype expected = -1)
{
    if (expected < 0)
        expected = sizes.first();
    return std::all_of(sizes.begin(), sizes.end(), [&](qsizetype n) { return n == expected; });
}

QByteArray describe(const QList<qsizetype>& sizes)
{
    QByteArray text;
    for (qsizetype n : sizes)
        text += QByteArray::number(n) + ' ';
    return text;
}

#define VERIFY_FAMILY(family, expected, where)                                                     \
    do {                                                                                           \
        const auto sizes = arraySizes((family).arrays());                                          \
        QVERIFY2(sizesAre(sizes, (expected)),                                                      \
                 QByteArray(QByteArray(where) + ": " + describe(sizes)));                          \
    } while (false)

// Every family of the document and of its template has arrays of one length each.
#define VERIFY_DOCUMENT_CONSISTENT(doc, where)                                                     \
    do {                                                                                           \
        VERIFY_FAMILY((doc).textRects(), -1, QByteArray(where) + " regions");                      \
        VERIFY_FAMILY((doc).sheets(), -1, QByteArray(where) + " sheets");                          \
        VERIFY_FAMILY((doc).keisenns(), -1, QByteArray(where) + " lines");                         \
        VERIFY_FAMILY((doc).labelTemplate().regions, -1, QByteArray(where) + " t-regions");        \
        VERIFY_FAMILY((doc).labelTemplate().sheets, -1, QByteArray(where) + " t-sheets");          \
        VERIFY_FAMILY((doc).labelTemplate().keisenns, -1, QByteArray(where) + " t-lines");         \
    } while (false)

// --- objects whose every attribute differs from every other object's

void distinct(qint32& v, int s)
{
    v = 1000 + s;
}
void distinct(QString& v, int s)
{
    v = QStringLiteral("値%1").arg(s);
}
void distinct(Rect& v, int s)
{
    v = Rect{s, -s, s + 10, -s - 10};
}
void distinct(Point& v, int s)
{
    v = Point{s, -2 * s};
}
void distinct(FontRecord& v, int s)
{
    v = FontRecord::make(QStringLiteral("F%1").arg(s), -s, 0);
}
void distinct(BorderSides& v, int s)
{
    v = BorderSides{s, s + 1, s + 2, s + 3};
}

#define SET_DISTINCT(Type, name, setter, init) distinct(o.name, seed * 100 + k++);
TextRect distinctRegion(int seed)
{
    TextRect o;
    int k = 0;
    ORINOTE_TEXTRECT_ATTRIBUTES(SET_DISTINCT)
    return o;
}
Sheet distinctSheet(int seed)
{
    Sheet o;
    int k = 0;
    ORINOTE_SHEET_ATTRIBUTES(SET_DISTINCT)
    return o;
}
Keisenn distinctLine(int seed)
{
    Keisenn o;
    int k = 0;
    ORINOTE_KEISENN_ATTRIBUTES(SET_DISTINCT)
    return o;
}
#undef SET_DISTINCT

template <class Family, class Object> Family familyOf(const QList<int>& seeds, Object (*make)(int))
{
    Family f;
    for (int seed : seeds)
        f.append(make(seed));
    return f;
}

// --- files and the profile

bool writeTemplateFile(const QString& path, const CLabelSheetTemplate& t, qsizetype keep = -1)
{
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        ArchiveWriter out(&buffer);
        t.write(out);
        if (!out.finish())
            return false;
    }
    if (keep >= 0)
        bytes.truncate(keep);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The body size of a template file, for cutting it.
qsizetype bodySize(const CLabelSheetTemplate& t)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ArchiveWriter out(&buffer);
    t.write(out);
    out.finish();
    return bytes.size();
}

// A return-reply postcard (往復はがき): two halves, three regions on the first, two lines.
CLabelSheetTemplate postcardTemplate()
{
    CLabelSheetTemplate t;
    t.paperRect = Rect{0, 0, 2000, -1480};
    t.printSheetFrames = 1;
    t.roundSheetCorners = 1;
    t.printRuledLines = 0;
    Sheet first;
    first.rect = Rect{0, 0, 1000, -1480};
    first.backColor = 0xEEFFEE;
    first.bleedX = 15;
    Sheet second;
    second.rect = Rect{1000, 0, 2000, -1480};
    second.backPicture = QStringLiteral("/srv/pictures/返信.png");
    second.elliptic = 1;
    t.sheets.append(first);
    t.sheets.append(second);
    const QStringList attributes = {QStringLiteral("郵便番号(R)"), QStringLiteral("住所1(R)"),
                                    QStringLiteral("氏名(R)")};
    for (int i = 0; i < attributes.size(); ++i) {
        TextRect r;
        r.rect = Rect{100 + 250 * i, -100, 300 + 250 * i, -1300};
        r.attribute = attributes.at(i);
        r.font = FontRecord::make(QStringLiteral("@ＭＳ 明朝"), -200, 900);
        r.layer = 2 + i;
        r.borderSides = BorderSides{1, 1, 0, 0};
        r.spareValue = 5;
        t.regions.append(r);
    }
    Keisenn k;
    k.start = Point{100, -740};
    k.end = Point{900, -740};
    t.keisenns.append(k);
    k.width = 3;
    k.color = 0xFF;
    k.start = Point{1100, -740};
    k.end = Point{1900, -740};
    t.keisenns.append(k);
    return t;
}

// Page 1 of a document built from `t`: the template's regions with empty texts on sheet 1.
TextRectFamily pageOneRegions(const CLabelSheetTemplate& t)
{
    TextRectFamily expected;
    for (int i = 0; i < t.regions.size(); ++i) {
        TextRect r = t.regions.at(i);
        r.text.clear();
        r.sheetNo = 1;
        r.orderSheetNo = 1;
        expected.append(r);
    }
    return expected;
}

// The extent of a font of fixed advance: every CP932 byte is half the cross size wide.
class FixedAdvanceMeasurer : public TextMeasurer
{
public:
    int textExtent(const QString& text, const FontRecord& font, int crossSize) const override
    {
        ++calls;
        lastFont = font;
        lastCross = crossSize;
        return TextCodec::byteLength(text) * crossSize / 2;
    }
    mutable int calls = 0;
    mutable FontRecord lastFont;
    mutable int lastCross = 0;
};

// A document over a profile in a temporary INI file.
struct Fixture
{
    QTemporaryDir dir;
    QString iniPath = dir.filePath(QStringLiteral("orinote.ini"));
    SettingsProfile profile{iniPath};
    std::unique_ptr<CORINOTEDoc> doc;

    CORINOTEDoc& makeDocument()
    {
        doc = std::make_unique<CORINOTEDoc>(&profile);
        return *doc;
    }
};

// Fills a document with objects, selections and changed scalars, so that a test sees
// what an operation resets.
void dirty(CORINOTEDoc& doc)
{
    for (int i = 0; i < 3; ++i) {
        doc.textRects().append(distinctRegion(i));
        doc.sheets().append(distinctSheet(i));
        doc.keisenns().append(distinctLine(i));
        doc.labelTemplate().regions.append(distinctRegion(i + 10));
        doc.labelTemplate().sheets.append(distinctSheet(i + 10));
        doc.labelTemplate().keisenns.append(distinctLine(i + 10));
    }
    doc.reservedArrays().ints1 = {1, 2};
    doc.reservedArrays().rects4 = {Rect{1, 2, 3, 4}};
    doc.labelTemplate().reserved.ints2 = {9};
    doc.addressBook().group(0).appendRecord({QStringLiteral("A-1"), QStringLiteral("100-0001")});
    doc.addressBook().group(AddressBook::SenderGroup).appendRecord({QStringLiteral("SENDER-1")});
    doc.recordList().appendBlankRecord();
    doc.groupList(3) = {7, 8};
    doc.selection().textRect = 2;
    doc.selection().sheet = 1;
    doc.selection().keisenns = {0, 2};
    doc.selection().group = {ObjectRef{ObjectRef::SheetKind, 0}};
    DocumentScalars& s = doc.scalars();
    s.reservedD = 5;
    s.verticalText = 1;
    s.roundSheetCorners = 1;
    s.printRuledLines = 0;
    s.senderIndex = 4;
    s.printStartPosition = 3;
    s.autoRows = 4;
    s.autoCols = 2;
    s.currentSheetNo = 3;
    s.printSheetFrames = 1;
    s.perSheetBackgrounds = 0;
    s.templateName = QStringLiteral("古いテンプレート");
    doc.currentPage = 4;
    doc.displayedLayer = 3;
    doc.newObjectDefaults().text = QStringLiteral("前の文字");
    doc.newObjectDefaults().layer = 5;
    doc.setModified(true);
}

} // namespace

class TestDocument : public QObject
{
    Q_OBJECT
private slots:
    void newDocumentWithoutTemplate_data();
    void newDocumentWithoutTemplate();
    void newDocumentFromTemplateFile_data();
    void newDocumentFromTemplateFile();
    void newDocumentFromTruncatedTemplate();
    void newDocumentWithUnreadableTemplate();
    void deleteContents_data();
    void deleteContents();
    void familyInsertAndRemove_data();
    void familyInsertAndRemove();
    void insertTextRegion_data();
    void insertTextRegion();
    void addTemplateSheet();
    void templateRegionFont_data();
    void templateRegionFont();
    void templateRegionSizing_data();
    void templateRegionSizing();
    void profileSettings_data();
    void profileSettings();
    void zoomIndexKeptInProfile_data();
    void zoomIndexKeptInProfile();
    void mapBetweenSheets_data();
    void mapBetweenSheets();
    void repeatFirstSheetDesign_data();
    void repeatFirstSheetDesign();
};

// ---------------------------------------------------------------- new document

void TestDocument::newDocumentWithoutTemplate_data()
{
    QTest::addColumn<bool>("setStf");
    QTest::addColumn<QString>("stf"); // relative to the temporary folder unless empty

    QTest::newRow("no STF key") << false << QString();
    QTest::newRow("empty STF") << true << QString();
    QTest::newRow("missing file") << true << QStringLiteral("無い.ont");
    QTest::newRow("missing folder") << true << QStringLiteral("no/such/folder/a.ont");
}

void TestDocument::newDocumentWithoutTemplate()
{
    QFETCH(bool, setStf);
    QFETCH(QString, stf);

    Fixture f;
    if (setStf)
        f.profile.writeString(QStringLiteral("STF"), stf.isEmpty() ? stf : f.dir.filePath(stf));
    CORINOTEDoc& doc = f.makeDocument();
    dirty(doc);

    QCOMPARE(doc.newDocument(), QString());

    QCOMPARE(doc.pageCount(), 1);
    QCOMPARE(doc.sheets().size(), 1);
    QCOMPARE(doc.sheets().rect(0), kA4);
    QCOMPARE(doc.sheets().backColor(0), 0xFFFFFF);
    QCOMPARE(doc.sheets().backPicture(0), QString());
    QCOMPARE(doc.sheets().elliptic(0), 0);
    QCOMPARE(doc.sheets().autoCols(0), 1);
    QCOMPARE(doc.sheets().autoRows(0), 1);
    QCOMPARE(doc.textRects().size(), 0);
    QCOMPARE(doc.keisenns().size(), 0);
    VERIFY_DOCUMENT_CONSISTENT(doc, "new");

    const DocumentScalars& s = doc.scalars();
    QCOMPARE(s.paperRect, kA4);
    QCOMPARE(s.templateName, QStringLiteral("A4無地"));
    QCOMPARE(s.printRuledLines, 1);
    QCOMPARE(s.perSheetBackgrounds, 1);
    QCOMPARE(s.printStartPosition, 1);
    QCOMPARE(s.printSheetFrames, 0);
    QCOMPARE(s.roundSheetCorners, 0);
    QCOMPARE(s.verticalText, 0);
    QCOMPARE(s.autoRows, 1);
    QCOMPARE(s.autoCols, 1);
    QCOMPARE(s.currentSheetNo, 1);
    QCOMPARE(s.senderIndex, 0);
    QCOMPARE(s.reservedD, 1);
    QCOMPARE(doc.currentPage, 1);
    QCOMPARE(doc.displayedLayer, 0);
    QCOMPARE(doc.selection().textRect, -1);
    QCOMPARE(doc.selection().sheet, -1);
    QVERIFY(doc.selection().keisenns.isEmpty());
    QVERIFY(!doc.isModified());

    // The template is the A4 page with one sheet equal to the paper.
    const CLabelSheetTemplate& t = doc.labelTemplate();
    QCOMPARE(t.paperRect, kA4);
    QCOMPARE(t.sheets.size(), 1);
    QCOMPARE(t.sheets.rect(0), kA4);
    QCOMPARE(t.regions.size(), 0);
    QCOMPARE(t.keisenns.size(), 0);
    QCOMPARE(t.printRuledLines, 1);
    QVERIFY(t.reserved == ReservedArrays());
    QVERIFY(doc.reservedArrays() == ReservedArrays());

    // Nothing of the address data survives, and the new-object values are fresh.
    for (int g = 0; g < AddressBook::GroupCount; ++g) {
        QCOMPARE(doc.addressBook().group(g).recordCount(), 0);
        QVERIFY(doc.groupList(g).isEmpty());
    }
    QCOMPARE(doc.recordList().recordCount(), 0);
    QCOMPARE(doc.newObjectDefaults().text, QString());
    QCOMPARE(doc.newObjectDefaults().layer, 1);
    QCOMPARE(doc.newObjectDefaults().regionWidth, 100);
    QCOMPARE(doc.newObjectDefaults().regionHeight, 100);
}

void TestDocument::newDocumentFromTemplateFile_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("title");

    QTest::newRow("return postcard")
        << QStringLiteral("往復はがき.ont") << QStringLiteral("往復はがき");
    QTest::newRow("dots and spaces")
        << QStringLiteral("宛名 ラベル.v2.ont") << QStringLiteral("宛名 ラベル.v2");
    QTest::newRow("other extension") << QStringLiteral("label.dat") << QStringLiteral("label");
    QTest::newRow("name shorter than an extension") << QStringLiteral("abc") << QString();
}

void TestDocument::newDocumentFromTemplateFile()
{
    QFETCH(QString, fileName);
    QFETCH(QString, title);

    Fixture f;
    const CLabelSheetTemplate written = postcardTemplate();
    const QString path = f.dir.filePath(fileName);
    QVERIFY(writeTemplateFile(path, written));
    f.profile.writeString(QStringLiteral("STF"), path);
    CORINOTEDoc& doc = f.makeDocument();
    dirty(doc);

    QCOMPARE(doc.newDocument(), QString());

    QCOMPARE(doc.scalars().templateName, title);
    QVERIFY(doc.labelTemplate() == written);

    // Page 1 is a copy of the template; the design is not yet repeated on sheet 2.
    QCOMPARE(doc.pageCount(), 1);
    QCOMPARE(doc.scalars().paperRect, written.paperRect);
    QCOMPARE(doc.scalars().printSheetFrames, 1);
    QCOMPARE(doc.scalars().roundSheetCorners, 1);
    QCOMPARE(doc.scalars().printRuledLines, 0);
    QVERIFY(doc.sheets() == written.sheets);
    QVERIFY(doc.keisenns() == written.keisenns);
    QCOMPARE(doc.textRects().size(), 3);
    QVERIFY(doc.textRects() == pageOneRegions(written));
    VERIFY_DOCUMENT_CONSISTENT(doc, "from template");
    QVERIFY(!doc.isModified());
}

// A template file that ends early still gives a document whose families agree with each
// other and with the template.
void TestDocument::newDocumentFromTruncatedTemplate()
{
    Fixture f;
    const CLabelSheetTemplate written = postcardTemplate();
    const QString path = f.dir.filePath(QStringLiteral("往復はがき.ont"));
    f.profile.writeString(QStringLiteral("STF"), path);
    CORINOTEDoc& doc = f.makeDocument();

    const qsizetype size = bodySize(written);
    for (qsizetype cut = 0; cut < size; ++cut) {
        const QByteArray where = "cut at " + QByteArray::number(cut);
        QVERIFY(writeTemplateFile(path, written, cut));
        dirty(doc);
        QVERIFY2(doc.newDocument().isEmpty(), where);
        QVERIFY2(doc.scalars().templateName == QStringLiteral("往復はがき"), where);
        VERIFY_DOCUMENT_CONSISTENT(doc, where);

        const CLabelSheetTemplate& t = doc.labelTemplate();
        QVERIFY2(t.sheets.size() >= 1, where);
        QVERIFY2(doc.sheets() == t.sheets, where);
        QVERIFY2(doc.keisenns() == t.keisenns, where);
        QVERIFY2(doc.textRects() == pageOneRegions(t), where);
        QVERIFY2(doc.scalars().paperRect == t.paperRect, where);
        for (int i = 0; i < doc.textRects().size(); ++i) {
            const int sheetNo = doc.textRects().sheetNo(i);
            QVERIFY2(sheetNo >= 1 && sheetNo <= doc.sheets().size(), where);
        }
        QCOMPARE(doc.pageCount(), 1);
    }
}

void TestDocument::newDocumentWithUnreadableTemplate()
{
    Fixture f;
    const QString path = f.dir.filePath(QStringLiteral("locked.ont"));
    QVERIFY(writeTemplateFile(path, postcardTemplate()));
    QFile::setPermissions(path, QFileDevice::Permissions());
    {
        QFile probe(path);
        if (probe.open(QIODevice::ReadOnly))
            QSKIP("this user can read a file without read permission");
    }
    f.profile.writeString(QStringLiteral("STF"), path);
    CORINOTEDoc& doc = f.makeDocument();
    dirty(doc);

    QCOMPARE(doc.newDocument(), QStringLiteral("テンプレートファイルオープン失敗"));
    QCOMPARE(doc.scalars().templateName, QStringLiteral("A4無地"));
    QCOMPARE(doc.sheets().size(), 1);
    QCOMPARE(doc.sheets().rect(0), kA4);
    QCOMPARE(doc.textRects().size(), 0);
}

// ---------------------------------------------------------------- delete contents

void TestDocument::deleteContents_data()
{
    QTest::addColumn<int>("printSheetFrames");
    QTest::addColumn<int>("perSheetBackgrounds");

    QTest::newRow("frames on, shared background") << 1 << 0;
    QTest::newRow("frames off, own backgrounds") << 0 << 1;
    QTest::newRow("both on") << 1 << 1;
}

void TestDocument::deleteContents()
{
    QFETCH(int, printSheetFrames);
    QFETCH(int, perSheetBackgrounds);

    Fixture f;
    CORINOTEDoc& doc = f.makeDocument();
    doc.newDocument();
    dirty(doc);
    doc.scalars().printSheetFrames = printSheetFrames;
    doc.scalars().perSheetBackgrounds = perSheetBackgrounds;

    doc.deleteContents();

    VERIFY_FAMILY(doc.textRects(), 0, "regions");
    VERIFY_FAMILY(doc.sheets(), 0, "sheets");
    VERIFY_FAMILY(doc.keisenns(), 0, "lines");
    VERIFY_FAMILY(doc.labelTemplate().regions, 0, "template regions");
    VERIFY_FAMILY(doc.labelTemplate().sheets, 0, "template sheets");
    VERIFY_FAMILY(doc.labelTemplate().keisenns, 0, "template lines");
    QVERIFY(doc.reservedArrays() == ReservedArrays());
    QVERIFY(doc.labelTemplate().reserved == ReservedArrays());
    QCOMPARE(doc.labelTemplate().paperRect, (Rect{0, 0, 2970, -4200}));
    for (int g = 0; g < AddressBook::GroupCount; ++g) {
        QCOMPARE(doc.addressBook().group(g).recordCount(), 0);
        QVERIFY(doc.groupList(g).isEmpty());
    }
    QCOMPARE(doc.recordList().recordCount(), 0);

    const Selection& sel = doc.selection();
    QCOMPARE(sel.textRect, -1);
    QCOMPARE(sel.sheet, -1);
    QVERIFY(sel.keisenns.isEmpty());
    QVERIFY(sel.group.isEmpty());

    const DocumentScalars& s = doc.scalars();
    QCOMPARE(s.reservedD, 1);
    QCOMPARE(s.verticalText, 0);
    QCOMPARE(s.roundSheetCorners, 0);
    QCOMPARE(s.printRuledLines, 1);
    QCOMPARE(s.senderIndex, 0);
    QCOMPARE(s.printStartPosition, 1);
    QCOMPARE(doc.currentPage, 1);
    // These two are kept.
    QCOMPARE(s.printSheetFrames, printSheetFrames);
    QCOMPARE(s.perSheetBackgrounds, perSheetBackgrounds);
}

// ---------------------------------------------------------------- families

void TestDocument::familyInsertAndRemove_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<bool>("insert");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("count"); // objects before the change

    for (const QString& family : {QStringLiteral("text regions"), QStringLiteral("sheets"),
                                  QStringLiteral("ruled lines")}) {
        const QByteArray f = family.toUtf8();
        QTest::addRow("%s: insert into empty", f.constData()) << family << true << 0 << 0;
        QTest::addRow("%s: insert first", f.constData()) << family << true << 0 << 3;
        QTest::addRow("%s: insert middle", f.constData()) << family << true << 1 << 3;
        QTest::addRow("%s: append", f.constData()) << family << true << 3 << 3;
        QTest::addRow("%s: remove first", f.constData()) << family << false << 0 << 3;
        QTest::addRow("%s: remove middle", f.constData()) << family << false << 1 << 3;
        QTest::addRow("%s: remove last", f.constData()) << family << false << 2 << 3;
        QTest::addRow("%s: remove only", f.constData()) << family << false << 0 << 1;
    }
}

namespace {

// Inserting object `count` at `index` into objects 0 … count−1 (or removing object
// `index` from objects 0 … count−1) must give the family built from the resulting list,
// in every array at once.
template <class Family, class Object>
void checkInsertRemove(bool insert, int index, int count, Object (*make)(int))
{
    QList<int> before;
    for (int i = 0; i < count; ++i)
        before.append(i);
    QList<int> after = before;
    Family family = familyOf<Family>(before, make);
    if (insert) {
        after.insert(index, count);
        family.insert(index, make(count));
    } else {
        after.removeAt(index);
        family.removeAt(index);
    }
    VERIFY_FAMILY(family, after.size(), "after the change");
    QVERIFY(family == familyOf<Family>(after, make));
}

} // namespace

void TestDocument::familyInsertAndRemove()
{
    QFETCH(QString, family);
    QFETCH(bool, insert);
    QFETCH(int, index);
    QFETCH(int, count);

    if (family == QStringLiteral("text regions"))
        checkInsertRemove<TextRectFamily>(insert, index, count, &distinctRegion);
    else if (family == QStringLiteral("sheets"))
        checkInsertRemove<SheetFamily>(insert, index, count, &distinctSheet);
    else
        checkInsertRemove<KeisennFamily>(insert, index, count, &distinctLine);
}

void TestDocument::insertTextRegion_data()
{
    QTest::addColumn<int>("verticalText");
    QTest::addColumn<int>("index");

    QTest::newRow("horizontal, first") << 0 << 0;
    QTest::newRow("horizontal, between") << 0 << 1;
    QTest::newRow("horizontal, last") << 0 << 2;
    QTest::newRow("vertical, between") << 1 << 1;
}

void TestDocument::insertTextRegion()
{
    QFETCH(int, verticalText);
    QFETCH(int, index);

    Fixture f;
    CORINOTEDoc& doc = f.makeDocument();
    doc.newDocument();
    doc.textRects() = familyOf<TextRectFamily>({0, 1}, &distinctRegion);
    doc.scalars().verticalText = verticalText;

    const Rect rect{300, -200, 800, -300};
    doc.insertTextRegion(index, QStringLiteral("東京都千代田区"), 4, rect, 2);

    TextRect e;
    e.text = QStringLiteral("東京都千代田区");
    e.font.height = -150;
    e.font.width = 0;
    e.font.escapement = e.font.orientation = verticalText ? 900 : 0;
    e.font.weight = 400;
    e.font.italic = e.font.underline = e.font.strikeOut = 0;
    e.font.charSet = 128;
    e.font.pitchAndFamily = 0x20;
    e.font.setFaceName(QStringLiteral("ＭＳ Ｐゴシック"));
    e.textColor = 0;
    e.rect = rect;
    e.alignment = 0;
    e.outlineWidth = 0;
    e.outlineColor = 0;
    e.backColor = 0xFFFFFF;
    e.backColorOff = 1;
    e.backPicture.clear();
    e.spareValue = 0;
    e.borderSides = BorderSides{0, 0, 0, 0};
    e.borderWidth = 0;
    e.borderColor = 0xFFFFFF;
    e.layer = 1;
    e.orderSheetNo = 4;
    e.reservedA = 0;
    e.sheetNo = 2;
    e.backPictureRotation = 0;
    e.charSpacing = 0;
    e.reservedB = 0;
    e.transparentColor = 0xFFFFFF;
    e.transparentColorOn = 0;
    e.pictureTransparency = 0;
    e.reservedText.clear();
    e.elliptic = 0;
    e.attribute.clear();

    TextRectFamily expected = familyOf<TextRectFamily>({0, 1}, &distinctRegion);
    expected.insert(index, e);
    VERIFY_FAMILY(doc.textRects(), 3, "after inserting");
    QCOMPARE(doc.textRects().font(index).faceName(), QStringLiteral("ＭＳ Ｐゴシック"));
    QVERIFY(doc.textRects() == expected);
}

void TestDocument::addTemplateSheet()
{
    Fixture f;
    CORINOTEDoc& doc = f.makeDocument();
    doc.newDocument();
    doc.newObjectDefaults().sheetElliptic = 1;
    const Rect rect{100, -100, 1010, -650};
    doc.addTemplateSheet(rect);

    const SheetFamily& sheets = doc.labelTemplate().sheets;
    VERIFY_FAMILY(sheets, 2, "template sheets");
    const Sheet s = sheets.at(1);
    QCOMPARE(s.rect, rect);
    QCOMPARE(s.backColor, 0xFFFFFF);
    QCOMPARE(s.backPicture, QString());
    QCOMPARE(s.spareSheetValue, 0);
    QCOMPARE(s.bleedX, 0);
    QCOMPARE(s.bleedY, 0);
    QCOMPARE(s.keepPictureAspect, 0);
    QCOMPARE(s.backPictureRotation, 0);
    QCOMPARE(s.elliptic, 1);
    QCOMPARE(s.pictureTransparency, 0);
    QCOMPARE(s.reservedText, QString());
    QCOMPARE(s.reservedC, 0);
}

// ---------------------------------------------------------------- template text regions

void TestDocument::templateRegionFont_data()
{
    QTest::addColumn<int>("vertical");
    QTest::addColumn<int>("western");
    QTest::addColumn<QString>("face");
    QTest::addColumn<int>("escapement");
    QTest::addColumn<int>("height");

    // The new-object region is 300 wide and 120 high.
    QTest::newRow("horizontal") << 0 << 0 << QStringLiteral("ＭＳ 明朝") << 0 << -120;
    QTest::newRow("vertical") << 1 << 0 << QStringLiteral("@ＭＳ 明朝") << 900 << -300;
    QTest::newRow("horizontal for western envelopes")
        << 0 << 1 << QStringLiteral("ＭＳ 明朝") << 2700 << -300;
    QTest::newRow("vertical wins over western")
        << 1 << 1 << QStringLiteral("@ＭＳ 明朝") << 900 << -300;
}

void TestDocument::templateRegionFont()
{
    QFETCH(int, vertical);
    QFETCH(int, western);
    QFETCH(QString, face);
    QFETCH(int, escapement);
    QFETCH(int, height);

    Fixture f;
    CORINOTEDoc& doc = f.makeDocument();
    doc.newDocument();
    NewObjectDefaults& n = doc.newObjectDefaults();
    n.vertical = vertical;
    n.westernHorizontal = western;
    n.regionWidth = 300;
    n.regionHeight = 120;
    n.text = QStringLiteral("差出人住所(S)");
    n.layer = 4;
    n.elliptic = 1;
    const Rect rect{200, -300, 500, -420};
    doc.addTemplateTextRegion(rect, nullptr);

    const TextRectFamily& regions = doc.labelTemplate().regions;
    VERIFY_FAMILY(regions, 1, "template regions");
    const TextRect r = regions.at(0);
    QCOMPARE(r.font.faceName(), face);
    QCOMPARE(r.font.escapement, escapement);
    QCOMPARE(r.font.orientation, escapement);
    QCOMPARE(r.font.height, height);
    QCOMPARE(r.font.width, 0);
    QCOMPARE(r.font.weight, 400);
    QCOMPARE(r.font.charSet, quint8(128));
    QCOMPARE(r.font.pitchAndFamily, quint8(0x20));
    QCOMPARE(r.font.italic, quint8(0));
    QCOMPARE(r.font.underline, quint8(0));
    QCOMPARE(r.font.strikeOut, quint8(0));
    QCOMPARE(r.attribute, QStringLiteral("差出人住所(S)"));
    QCOMPARE(r.rect, rect);
    QCOMPARE(r.layer, 4);
    QCOMPARE(r.elliptic, 1);
    QCOMPARE(r.borderColor, 0x000000);
    QCOMPARE(r.backColor, 0xFFFFFF);
    QCOMPARE(r.backColorOff, 1);
    QCOMPARE(r.transparentColor, 0xFFFFFF);
    QCOMPARE(r.spareValue, 0);
}

void TestDocument::templateRegionSizing_data()
{
    QTest::addColumn<int>("ars");
    QTest::addColumn<int>("vertical");
    QTest::addColumn<int>("western");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Rect>("rect");
    QTest::addColumn<Rect>("expected");

    // Each CP932 byte advances half the cross size: extent cx = bytes · cross / 2, and
    // the region grows by cx plus h = cx / bytes / 2.
    // "ABC": cross 100, cx 150, h 25.
    QTest::newRow("horizontal latin") << 1 << 0 << 0 << QStringLiteral("ABC")
                                      << Rect{100, -100, 1000, -200} << Rect{100, -100, 275, -200};
    // "宛名": 4 bytes, cross 80, cx 160, h 20.
    QTest::newRow("horizontal kanji") << 1 << 0 << 0 << QStringLiteral("宛名")
                                      << Rect{0, -50, 30, -130} << Rect{0, -50, 180, -130};
    // "ABCDEFG": 7 bytes, cross 33, cx 115, h 115 / 7 / 2 = 8.
    QTest::newRow("horizontal, divisions truncate")
        << 1 << 0 << 0 << QStringLiteral("ABCDEFG") << Rect{10, -10, 20, -43}
        << Rect{10, -10, 133, -43};
    // "山田太郎": 8 bytes, cross = width 120, cx 480, h 30.
    QTest::newRow("vertical") << 1 << 1 << 0 << QStringLiteral("山田太郎")
                              << Rect{500, -300, 620, -1000} << Rect{500, -300, 620, -810};
    // "Smith": 5 bytes, cross = width 90, cx 225, h 22.
    QTest::newRow("western") << 1 << 0 << 1 << QStringLiteral("Smith") << Rect{500, -300, 590, -400}
                             << Rect{500, -300, 590, -547};
    QTest::newRow("merge field (R) keeps the rectangle")
        << 1 << 0 << 0 << QStringLiteral("氏名(R)") << Rect{100, -100, 1000, -200}
        << Rect{100, -100, 1000, -200};
    QTest::newRow("sender field (S) keeps the rectangle")
        << 1 << 1 << 0 << QStringLiteral("差出人氏名(S)") << Rect{500, -300, 620, -1000}
        << Rect{500, -300, 620, -1000};
    QTest::newRow("field (A) keeps the rectangle")
        << 1 << 0 << 0 << QStringLiteral("シートNo.(A)") << Rect{100, -100, 1000, -200}
        << Rect{100, -100, 1000, -200};
    QTest::newRow("ARS 0 keeps the rectangle")
        << 0 << 0 << 0 << QStringLiteral("ABC") << Rect{100, -100, 1000, -200}
        << Rect{100, -100, 1000, -200};
    QTest::newRow("empty text keeps the rectangle")
        << 1 << 0 << 0 << QString() << Rect{100, -100, 1000, -200} << Rect{100, -100, 1000, -200};
}

void TestDocument::templateRegionSizing()
{
    QFETCH(int, ars);
    QFETCH(int, vertical);
    QFETCH(int, western);
    QFETCH(QString, text);
    QFETCH(Rect, rect);
    QFETCH(Rect, expected);

    Fixture f;
    f.profile.writeInt(QStringLiteral("ARS"), ars);
    CORINOTEDoc& doc = f.makeDocument();
    doc.newDocument();
    NewObjectDefaults& n = doc.newObjectDefaults();
    n.vertical = vertical;
    n.westernHorizontal = western;
    n.text = text;
    // The new-object size gives the font height only; the measured cross size is the
    // rectangle's.
    n.regionWidth = 777;
    n.regionHeight = 555;

    FixedAdvanceMeasurer measurer;
    doc.addTemplateTextRegion(rect, &measurer);

    const TextRectFamily& regions = doc.labelTemplate().regions;
    VERIFY_FAMILY(regions, 1, "template regions");
    QCOMPARE(regions.rect(0), expected);
    if (expected != rect) {
        // Measured in the region's own font.
        QCOMPARE(measurer.lastFont.escapement, regions.font(0).escapement);
        QCOMPARE(measurer.lastFont.faceName(), regions.font(0).faceName());
        QCOMPARE(measurer.lastCross, (vertical || western) ? rect.width() : rect.height());
    }
}

// ---------------------------------------------------------------- the settings profile

void TestDocument::profileSettings_data()
{
    QTest::addColumn<QStringList>("stored");  // key=value pairs written before New
    QTest::addColumn<QList<int>>("expected"); // NTJ TROT TROD ARS ARP PosX PosY

    QTest::newRow("defaults") << QStringList() << QList<int>{1, 0, 0, 1, 1, 0, 0};
    QTest::newRow("every key set")
        << QStringList{QStringLiteral("NTJ=0"),   QStringLiteral("TROT=2"),
                       QStringLiteral("TROD=3"),  QStringLiteral("ARS=0"),
                       QStringLiteral("ARP=0"),   QStringLiteral("PosX=-15"),
                       QStringLiteral("PosY=250")}
        << QList<int>{0, 2, 3, 0, 0, -15, 250};
    QTest::newRow("some keys set")
        << QStringList{QStringLiteral("TROD=1"), QStringLiteral("PosY=-1000")}
        << QList<int>{1, 0, 1, 1, 1, 0, -1000};
    QTest::newRow("text that is not a number")
        << QStringList{QStringLiteral("ARS=yes"), QStringLiteral("PosX=")}
        << QList<int>{1, 0, 0, 1, 1, 0, 0};
}

void TestDocument::profileSettings()
{
    QFETCH(QStringList, stored);
    QFETCH(QList<int>, expected);

    Fixture f;
    CORINOTEDoc& doc = f.makeDocument();
    // New document reads the profile again, so values written after the document was
    // made take effect.
    for (const QString& pair : stored) {
        const QStringList kv = pair.split(u'=');
        f.profile.writeString(kv.at(0), kv.at(1));
    }
    doc.newDocument();

    const EnvironmentSettings& e = doc.environment();
    QCOMPARE(e.kanjiNumerals, expected.at(0));
    QCOMPARE(e.fitTemplate, expected.at(1));
    QCOMPARE(e.fitData, expected.at(2));
    QCOMPARE(e.sizeNewRegions, expected.at(3));
    QCOMPARE(e.pictureAspect, expected.at(4));
    QCOMPARE(doc.printOffsetX, expected.at(5));
    QCOMPARE(doc.printOffsetY, expected.at(6));
}

void TestDocument::zoomIndexKeptInProfile_data()
{
    QTest::addColumn<int>("storedBn"); // -1: no key
    QTest::addColumn<int>("atStart");
    QTest::addColumn<double>("factor");
    QTest::addColumn<int>("changeTo"); // -1: left alone
    QTest::addColumn<int>("written");

    QTest::newRow("default") << -1 << 1 << 1.0 << -1 << 1;
    QTest::newRow("stored 3") << 3 << 3 << 2.0 << -1 << 3;
    QTest::newRow("changed while open") << 0 << 0 << 0.5 << 5 << 5;
}

void TestDocument::zoomIndexKeptInProfile()
{
    QFETCH(int, storedBn);
    QFETCH(int, atStart);
    QFETCH(double, factor);
    QFETCH(int, changeTo);
    QFETCH(int, written);

    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("orinote.ini"));
    {
        SettingsProfile profile(ini);
        if (storedBn >= 0)
            profile.writeInt(QStringLiteral("BN"), storedBn);
        {
            CORINOTEDoc doc(&profile);
            QCOMPARE(doc.zoomIndex(), atStart);
            QCOMPARE(doc.zoomFactor(), factor);
            if (changeTo >= 0)
                doc.setZoomIndex(changeTo);
        }
        QCOMPARE(profile.readInt(QStringLiteral("BN"), -1), written);
    }
    // On disk, in the section "ON".
    QSettings onDisk(ini, QSettings::IniFormat);
    QCOMPARE(onDisk.value(QStringLiteral("ON/BN")).toString(), QString::number(written));
}

// ---------------------------------------------------------------- page 1

void TestDocument::mapBetweenSheets_data()
{
    QTest::addColumn<Rect>("region");
    QTest::addColumn<Rect>("from");
    QTest::addColumn<Rect>("to");
    QTest::addColumn<Rect>("expected");

    QTest::newRow("same sheet") << Rect{150, -120, 900, -200} << Rect{100, -100, 1010, -650}
                                << Rect{100, -100, 1010, -650} << Rect{150, -120, 900, -200};
    QTest::newRow("same size: translation")
        << Rect{150, -120, 900, -200} << Rect{100, -100, 1010, -650}
        << Rect{1100, -700, 2010, -1250} << Rect{1150, -720, 1900, -800};
    QTest::newRow("twice as wide doubles x extents")
        << Rect{100, -50, 300, -150} << Rect{0, 0, 1000, -500} << Rect{0, -600, 2000, -1100}
        << Rect{200, -650, 600, -750};
    QTest::newRow("twice as tall doubles y extents")
        << Rect{100, -50, 300, -150} << Rect{0, 0, 1000, -500} << Rect{0, -600, 1000, -1600}
        << Rect{100, -700, 300, -900};
    // sy = 0.5: top −50.5 → −50, bottom −50 − 101.5 = −151.5 → −151 (not −152).
    QTest::newRow("negative values truncate toward zero")
        << Rect{0, -101, 1000, -304} << Rect{0, 0, 1000, -500} << Rect{0, 0, 1000, -250}
        << Rect{0, -50, 1000, -151};
    // sx = 1.5: left 1.5 → 1, right from the truncated left: 1 + 1.5 = 2.5 → 2 (not 3).
    QTest::newRow("far edge follows the truncated near edge")
        << Rect{1, 0, 2, -100} << Rect{0, 0, 100, -100} << Rect{0, 0, 150, -100}
        << Rect{1, 0, 2, -100};
    // A damaged file's sheets scale far beyond the coordinates: held at their edges.
    QTest::newRow("scaled past the range")
        << Rect{100, -50, 300, -150} << Rect{0, 0, 1, -1} << Rect{0, 0, 2000000000, -2000000000}
        << Rect{INT32_MAX, INT32_MIN, INT32_MAX, INT32_MIN};
    // 91 × 55 mm to 86.4 × 50.8 mm.
    QTest::newRow("smaller label") << Rect{150, -120, 900, -200} << Rect{100, -100, 1010, -650}
                                   << Rect{1100, -100, 1964, -608} << Rect{1147, -118, 1859, -191};
}

void TestDocument::mapBetweenSheets()
{
    QFETCH(Rect, region);
    QFETCH(Rect, from);
    QFETCH(Rect, to);
    QFETCH(Rect, expected);

    QCOMPARE(PageBuilder::mapBetweenSheets(region, from, to), expected);
}

void TestDocument::repeatFirstSheetDesign_data()
{
    QTest::addColumn<QList<Rect>>("sheetRects");
    QTest::addColumn<QList<Rect>>("regionRects");
    QTest::addColumn<QList<Rect>>("expectedRects");
    QTest::addColumn<QList<int>>("expectedSheetNos");

    const QList<Rect> twoRegions = {Rect{150, -120, 900, -200}, Rect{200, -300, 600, -640}};
    // The third sheet is twice as wide and twice as tall as the first.
    QTest::newRow("three sheets, two regions")
        << QList<Rect>{Rect{100, -100, 1010, -650}, Rect{1100, -100, 2010, -650},
                       Rect{100, -700, 1920, -1800}}
        << twoRegions
        << QList<Rect>{twoRegions.at(0),
                       twoRegions.at(1),
                       Rect{1150, -120, 1900, -200},
                       Rect{1200, -300, 1600, -640},
                       Rect{200, -740, 1700, -900},
                       Rect{300, -1100, 1100, -1780}}
        << QList<int>{1, 1, 2, 2, 3, 3};
    QTest::newRow("one sheet") << QList<Rect>{Rect{100, -100, 1010, -650}} << twoRegions
                               << twoRegions << QList<int>{1, 1};
    QTest::newRow("sheets without regions")
        << QList<Rect>{Rect{100, -100, 1010, -650}, Rect{1100, -100, 2010, -650}} << QList<Rect>()
        << QList<Rect>() << QList<int>();
}

void TestDocument::repeatFirstSheetDesign()
{
    QFETCH(QList<Rect>, sheetRects);
    QFETCH(QList<Rect>, regionRects);
    QFETCH(QList<Rect>, expectedRects);
    QFETCH(QList<int>, expectedSheetNos);

    Fixture f;
    CORINOTEDoc& doc = f.makeDocument();
    doc.newDocument();
    CLabelSheetTemplate& t = doc.labelTemplate();
    t.sheets.clear();
    for (const Rect& r : sheetRects) {
        Sheet s;
        s.rect = r;
        t.sheets.append(s);
    }
    for (int i = 0; i < regionRects.size(); ++i) {
        TextRect r = distinctRegion(i);
        r.rect = regionRects.at(i);
        t.regions.append(r);
    }

    PageBuilder::copyTemplate(doc);
    PageBuilder::repeatFirstSheetDesign(doc);

    const TextRectFamily& regions = doc.textRects();
    VERIFY_FAMILY(regions, expectedRects.size(), "data-mode regions");
    QCOMPARE(doc.sheets().size(), sheetRects.size());
    QCOMPARE(regions.rect(), expectedRects);
    QCOMPARE(regions.sheetNo(), expectedSheetNos);
    QCOMPARE(regions.orderSheetNo(), expectedSheetNos);
    // The copies carry every other attribute of their template region, with empty text.
    for (int i = 0; i < regions.size(); ++i) {
        TextRect copy = regions.at(i);
        TextRect source = t.regions.at(i % t.regions.size());
        QCOMPARE(copy.text, QString());
        copy.rect = source.rect;
        copy.text = source.text;
        copy.sheetNo = source.sheetNo;
        copy.orderSheetNo = source.orderSheetNo;
        TextRectFamily a, b;
        a.append(copy);
        b.append(source);
        QVERIFY2(a == b, QByteArray::number(i));
    }
}

QTEST_GUILESS_MAIN(TestDocument)
#include "tst_document.moc"
