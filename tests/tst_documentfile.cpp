#include "address/AddressBook.h"
#include "address/CAddressData.h"
#include "base/ArchiveWriter.h"
#include "model/CORINOTEDoc.h"
#include "model/DocumentFile.h"
#include "model/SettingsProfile.h"
#include "model/TemplateFile.h"
#include "pages/Pagination.h"
#include "support/FamilySizes.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>
#include <sys/resource.h>

namespace {

const QString kOpenFailed = QStringLiteral("ドキュメントを開くことに失敗しました。");
const QString kSaveFailed = QStringLiteral("ドキュメントの保存に失敗しました。");
const Rect kA4{0, 0, 2100, -2970};

// ---------------------------------------------------------------------------------------
// Expected bytes, spelled out by hand rather than produced by the writer under test.

class Bytes
{
public:
    Bytes& i32(qint32 v)
    {
        for (int k = 0; k < 4; ++k)
            mBytes.append(char((quint32(v) >> (8 * k)) & 0xFF));
        return *this;
    }
    Bytes& word(quint16 v)
    {
        mBytes.append(char(v & 0xFF));
        mBytes.append(char(v >> 8));
        return *this;
    }
    Bytes& rect(const Rect& r) { return i32(r.left).i32(r.top).i32(r.right).i32(r.bottom); }
    // A string of fewer than 255 bytes: its length in one byte, then its CP932 bytes.
    Bytes& str(const QByteArray& cp932)
    {
        Q_ASSERT(cp932.size() < 255);
        mBytes.append(char(cp932.size()));
        mBytes.append(cp932);
        return *this;
    }
    Bytes& count(quint16 n) { return word(n); }
    Bytes& raw(const QByteArray& b)
    {
        mBytes.append(b);
        return *this;
    }
    const QByteArray& bytes() const { return mBytes; }

private:
    QByteArray mBytes;
};


bool allOf(const QList<qsizetype>& sizes, qsizetype n)
{
    return std::all_of(sizes.begin(), sizes.end(), [n](qsizetype s) { return s == n; });
}

QByteArray bodyOf(const CORINOTEDoc& doc)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ArchiveWriter out(&buffer);
    DocumentFile::write(doc, out);
    if (!out.finish())
        qFatal("document body could not be written to memory");
    return bytes;
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Replaces a file by a new one. Removing it first rather than truncating keeps ext4 from
// flushing the old content to disk on every rewrite, which made the cut loop take seconds.
bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile::remove(path);
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// Where two byte strings first differ, for failure messages.
QByteArray firstDifference(const QByteArray& got, const QByteArray& want)
{
    qsizetype at = 0;
    while (at < got.size() && at < want.size() && got[at] == want[at])
        ++at;
    return "sizes " + QByteArray::number(got.size()) + " and " + QByteArray::number(want.size()) +
           ", first difference at byte " + QByteArray::number(at) + ": got [" +
           got.mid(at, 16).toHex(' ') + "] want [" + want.mid(at, 16).toHex(' ') + "]";
}

// ---------------------------------------------------------------------------------------
// Documents

Sheet richSheet(const Rect& rect, int seed)
{
    Sheet s;
    s.rect = rect;
    s.autoCols = 2 + seed;
    s.autoRows = 3 + seed;
    s.backColor = 0x203040 + seed;
    s.backPicture = QStringLiteral("/home/user/画像/背景%1.jpg").arg(seed);
    s.spareSheetValue = 61 + seed; // not stored: reads back as 0
    s.bleedX = 11 + seed;
    s.bleedY = 21 + seed;
    s.keepPictureAspect = 1;
    s.backPictureRotation = 90 * (1 + seed % 3);
    s.elliptic = 1;
    s.pictureTransparency = 31 + seed;
    s.reservedText = QStringLiteral("sheet reserve %1").arg(seed);
    s.reservedC = -7 - seed;
    return s;
}

TextRect richRegion(const Rect& rect, const QString& text, int sheetNo, int seed)
{
    TextRect r;
    r.text = text;
    r.font = FontRecord::make(QStringLiteral("@ＭＳ ゴシック"), -(80 + seed), 900);
    r.font.width = 31 + seed;
    r.font.weight = 700;
    r.font.italic = 1;
    r.font.underline = 1;
    r.font.strikeOut = 1;
    r.font.charSet = 1;
    r.font.outPrecision = 3;
    r.font.clipPrecision = 2;
    r.font.quality = 4;
    r.font.pitchAndFamily = 0x31;
    r.font.face[31] = char(0x40 + seed); // bytes after the terminator are kept
    r.textColor = 0x0000FF + seed;
    r.rect = rect;
    r.alignment = 1 + seed % 2;
    r.outlineWidth = 2 + seed % 29;
    r.outlineColor = 0x00FF00 + seed;
    r.backColor = 0x654321 + seed;
    r.backColorOff = 0;
    r.backPicture = QStringLiteral("/srv/写真/%1.png").arg(seed);
    r.spareValue = 91 + seed; // not stored: reads back as 0
    r.borderSides = BorderSides{1, seed % 2, 1, 1 - seed % 2};
    r.borderWidth = 3 + seed;
    r.borderColor = 0x00ABCD + seed;
    r.layer = 2 + seed % 9;
    r.orderSheetNo = sheetNo + 100; // kept apart from sheetNo to catch a swap of the two
    r.reservedA = -11 - seed;
    r.sheetNo = sheetNo;
    r.backPictureRotation = 180;
    r.charSpacing = 6 + seed;
    r.reservedB = 71 + seed;
    r.transparentColor = 0x00EEDD + seed;
    r.transparentColorOn = 1;
    r.pictureTransparency = 41 + seed % 60;
    r.reservedText = QStringLiteral("region reserve %1").arg(seed);
    r.elliptic = 1;
    r.attribute = QStringLiteral("氏名(R)%1").arg(seed);
    return r;
}

// The template keeps neither the sheets' automatic layout counts nor the regions' text
// and sheet numbers: those stay at their defaults in a template.
Sheet templateSheet(const Rect& rect, int seed)
{
    Sheet s = richSheet(rect, seed);
    s.autoCols = Sheet().autoCols;
    s.autoRows = Sheet().autoRows;
    return s;
}

TextRect templateRegion(const Rect& rect, int seed)
{
    TextRect r = richRegion(rect, QString(), 1, seed);
    r.orderSheetNo = TextRect().orderSheetNo;
    r.sheetNo = TextRect().sheetNo;
    return r;
}

Keisenn richLine(int seed)
{
    Keisenn k;
    k.start = Point{100 + seed, -120 - seed};
    k.end = Point{1800 - seed, -130 - seed};
    k.width = 2 + seed;
    k.color = 0x0000FF << (seed % 3 * 8);
    return k;
}

QStringList recordValues(const QString& entry, const QString& name, const QString& address)
{
    QStringList v(CAddressData::TextColumnCount);
    v[CAddressData::EntryNumber] = entry;
    v[CAddressData::Name] = name;
    v[CAddressData::Honorific] = QStringLiteral("様");
    v[CAddressData::PostalCode] = QStringLiteral("154-0015");
    v[CAddressData::Address1] = address;
    v[CAddressData::Mail1] = QStringLiteral("someone@example.jp");
    return v;
}

void fillAddressBook(AddressBook& book)
{
    CAddressData& a = book.group(0);
    a.appendRecord(recordValues(QStringLiteral("A-1"), QStringLiteral("青木　一郎"),
                                QStringLiteral("東京都世田谷区桜新町1-2-3")));
    a.appendRecord(recordValues(QStringLiteral("A-2"), QStringLiteral("𠮷田　花子"),
                                QStringLiteral("大阪府大阪市北区本町4-5")));
    a.setFlag(1, 1);
    a.appendHistory(QStringLiteral("A-1"), QStringLiteral("年賀状"), QStringLiteral("2023/01/01"),
                    QStringLiteral("送付済み"));
    a.appendHistory(QStringLiteral("A-2"), QStringLiteral("暑中見舞い"),
                    QStringLiteral("2023/07/20"), QString());
    a.appendHistory(QStringLiteral("A-1"), QStringLiteral("喪中"), QStringLiteral("2023/11/30"),
                    QStringLiteral("返信あり"));
    CAddressData& ta = book.group(3);
    ta.appendRecord(recordValues(QStringLiteral("TA-1"), QStringLiteral("田中　誠"),
                                 QString(200, QChar(u'長')))); // a field longer than 255 bytes
    ta.setFlag(0, 1);
    CAddressData& sender = book.group(AddressBook::SenderGroup);
    sender.appendRecord(recordValues(QStringLiteral("SENDER-1"), QStringLiteral("差出　太郎"),
                                     QStringLiteral("神奈川県横浜市港北区1-1")));
    sender.appendRecord(recordValues(QStringLiteral("SENDER-2"), QStringLiteral("差出　次郎"),
                                     QString()));
}

// Every stored value away from its default: two pages of three sheets, two regions a
// sheet, ruled lines, reserved arrays, a template of its own and an address book.
void makeRich(CORINOTEDoc& doc, int pages = 2)
{
    doc.newDocument();
    DocumentScalars& s = doc.scalars();
    s.autoRows = 3;
    s.autoCols = 2;
    s.currentSheetNo = 4;
    s.templateName = QStringLiteral("往復はがき");
    s.paperRect = Rect{0, 0, 2000, -1480};
    s.printSheetFrames = 1;
    s.reservedE = 5;
    s.perSheetBackgrounds = 0;
    s.reservedF = -6;
    s.verticalText = 1;
    s.roundSheetCorners = 1;
    s.printRuledLines = 0;
    s.reservedD = 7;
    s.senderIndex = 1;
    s.printStartPosition = 3;

    CLabelSheetTemplate& t = doc.labelTemplate();
    t.paperRect = s.paperRect;
    t.paperPicture = QStringLiteral("/home/user/用紙.png");
    t.verticalText = 1;
    t.printSheetFrames = 1;
    t.roundSheetCorners = 1;
    t.printRuledLines = 0;
    t.reserved1 = 12;
    t.reserved2 = -13;
    t.reserved3 = 14;
    t.sheets.clear();
    for (int i = 0; i < 3; ++i)
        t.sheets.append(templateSheet(Rect{100 + 650 * i, -100, 700 + 650 * i, -1400}, i));
    t.regions.append(templateRegion(Rect{150, -150, 650, -300}, 0));
    t.regions.append(templateRegion(Rect{150, -400, 650, -1300}, 1));
    t.keisenns.append(richLine(0));
    t.reserved.rects1 = {Rect{1, 2, 3, 4}};
    t.reserved.ints1 = {5, -6};
    t.reserved.rects4 = {Rect{7, 8, 9, 10}, Rect{-1, -2, -3, -4}};
    t.reserved.ints2 = {11};

    doc.sheets().clear();
    doc.textRects().clear();
    doc.keisenns().clear();
    const QString texts[] = {QString(), QStringLiteral("東京都世田谷区"),
                             QString(300, QChar(u'あ')), QStringLiteral("𠮷田様"),
                             QStringLiteral("〒154-0015"), QStringLiteral("Mr. Smith")};
    int n = 0;
    for (int p = 0; p < pages; ++p) {
        for (int i = 0; i < 3; ++i) {
            const int sheetNo = p * 3 + i + 1;
            doc.sheets().append(richSheet(t.sheets.rect(i), sheetNo));
            for (int k = 0; k < 2; ++k, ++n) {
                doc.textRects().append(richRegion(t.regions.rect(k), texts[n % 6], sheetNo, n));
            }
        }
        doc.keisenns().append(richLine(2 * p + 1));
        doc.keisenns().append(richLine(2 * p + 2));
    }
    ReservedArrays& r = doc.reservedArrays();
    r.rects1 = {Rect{10, 20, 30, 40}, Rect{-10, -20, -30, -40}};
    r.rects2 = {Rect{1, 1, 1, 1}};
    r.ints1 = {100, 200, 300};
    r.rects3 = {Rect{5, 6, 7, 8}};
    r.rects4 = {Rect{9, 10, 11, 12}, Rect{13, 14, 15, 16}, Rect{17, 18, 19, 20}};
    r.ints2 = {-1};

    fillAddressBook(doc.addressBook());
    // Runtime state that is not stored.
    doc.recordList() = doc.addressBook().buildRecordList(s.printStartPosition);
    doc.groupList(2).append(42);
    doc.currentPage = 2;
    doc.selection().textRect = 3;
    doc.selection().sheet = 1;
    doc.selection().keisenns = {0, 1};
    doc.setModified(true);
}

// A few objects only, for cutting a file at every byte.
void makeSmall(CORINOTEDoc& doc)
{
    doc.newDocument();
    doc.scalars().templateName = QStringLiteral("宛名");
    doc.sheets().append(richSheet(Rect{0, -1500, 2100, -2970}, 1));
    doc.textRects().append(richRegion(Rect{100, -100, 900, -300}, QStringLiteral("山田様"), 1, 0));
    doc.textRects().append(richRegion(Rect{100, -1600, 900, -1800}, QString(), 2, 1));
    doc.keisenns().append(richLine(0));
    doc.reservedArrays().ints1 = {1, 2};
    doc.labelTemplate().regions.append(templateRegion(Rect{100, -100, 900, -300}, 2));
    CAddressData& a = doc.addressBook().group(0);
    a.appendRecord(recordValues(QStringLiteral("A-1"), QStringLiteral("青木"), QString()));
    a.appendHistory(QStringLiteral("A-1"), QStringLiteral("年賀状"), QStringLiteral("2024/01/01"),
                    QString());
    doc.addressBook().group(19).appendRecord(
        recordValues(QStringLiteral("SENDER-1"), QStringLiteral("差出人"), QString()));
}

// The families as they must read back: the unstored spare values become 0.
TextRectFamily withoutSpare(TextRectFamily f)
{
    for (int i = 0; i < f.size(); ++i)
        f.setSpareValue(i, 0);
    return f;
}

SheetFamily withoutSpare(SheetFamily f)
{
    for (int i = 0; i < f.size(); ++i)
        f.setSpareSheetValue(i, 0);
    return f;
}

// Each document of a test gets a profile of its own in a temporary folder, so nothing
// of the user's settings (a default template above all) takes part.
struct Fixture
{
    QTemporaryDir dir;
    std::unique_ptr<SettingsProfile> profile;

    Fixture() : profile(std::make_unique<SettingsProfile>(dir.filePath(QStringLiteral("t.ini")))) {}

    std::unique_ptr<CORINOTEDoc> makeDoc() const
    {
        auto doc = std::make_unique<CORINOTEDoc>(profile.get());
        doc->dataFolder = dir.path();
        return doc;
    }
    QString path(const QString& name) const { return dir.filePath(name); }
};

// What Delete contents leaves: no objects, the template of a fresh reset, no address
// data, the reset scalars and no selection.
#define VERIFY_EMPTIED(doc, where)                                                            \
    do {                                                                                      \
        QVERIFY2(allOf(arraySizes((doc).textRects().arrays()), 0), where);                    \
        QVERIFY2(allOf(arraySizes((doc).sheets().arrays()), 0), where);                       \
        QVERIFY2(allOf(arraySizes((doc).keisenns().arrays()), 0), where);                     \
        QVERIFY2((doc).reservedArrays() == ReservedArrays(), where);                          \
        CLabelSheetTemplate resetTemplate;                                                    \
        resetTemplate.reset();                                                                \
        QVERIFY2((doc).labelTemplate() == resetTemplate, where);                              \
        QVERIFY2((doc).addressBook() == AddressBook(), where);                                \
        QVERIFY2((doc).recordList().recordCount() == 0, where);                               \
        for (int g = 0; g < AddressBook::GroupCount; ++g)                                     \
            QVERIFY2((doc).groupList(g).isEmpty(), where);                                    \
        const DocumentScalars& s = (doc).scalars();                                           \
        QVERIFY2(s.reservedD == 1 && s.verticalText == 0 && s.roundSheetCorners == 0 &&       \
                     s.printRuledLines == 1 && s.senderIndex == 0 &&                          \
                     s.printStartPosition == 1,                                               \
                 where);                                                                      \
        QVERIFY2((doc).currentPage == 1, where);                                              \
        QVERIFY2((doc).selection().textRect == -1 && (doc).selection().sheet == -1 &&         \
                     (doc).selection().keisenns.isEmpty(),                                    \
                 where);                                                                      \
    } while (false)

enum class SaveTrouble { MissingFolder, PathIsFolder, ParentIsFile, FileSizeLimit };

} // namespace

Q_DECLARE_METATYPE(SaveTrouble)

class TestDocumentFile : public QObject
{
    Q_OBJECT
private slots:
    void openedDocumentTakesTheSettingsOffsets();
    void emptyDocumentLayout();
    void roundTrip_data();
    void roundTrip();
    void openReplacesEverything();
    void damagedFileAtEveryCut();
    void openFailures_data();
    void openFailures();
    void trailingBytes_data();
    void trailingBytes();
    void textKeptThroughSaveAndUndo_data();
    void textKeptThroughSaveAndUndo();
    void printStartPositionKeptInRange_data();
    void printStartPositionKeptInRange();
    void templateKeepsPrintLimit_data();
    void templateKeepsPrintLimit();
    void failedSaveKeepsFiles_data();
    void failedSaveKeepsFiles();
};

void TestDocumentFile::emptyDocumentLayout()
{
    Fixture fx;
    auto doc = fx.makeDoc();
    QVERIFY(doc->newDocument().isEmpty());

    // Header: 13 ints, the template name, the paper.
    const QByteArray a4Name("A4\x96\xb3\x92\x6e", 6); // "A4無地" in CP932
    Bytes e;
    e.i32(1).i32(1).i32(1).str(a4Name).rect(kA4);
    for (qint32 v : {0, 0, 1, 0, 0, 0, 1, 1, 0, 1})
        e.i32(v);
    const int headerEnd = int(e.bytes().size());

    // Fields 16 to 64: only the sheet arrays hold an element (the one A4 sheet).
    const QMap<int, QByteArray> docSheetFields{
        {17, Bytes().rect(kA4).bytes()},   {36, Bytes().i32(0xFFFFFF).bytes()},
        {37, Bytes().str({}).bytes()},     {38, Bytes().i32(0).bytes()},
        {39, Bytes().i32(0).bytes()},      {40, Bytes().i32(0).bytes()},
        {42, Bytes().i32(0).bytes()},      {48, Bytes().i32(1).bytes()},
        {49, Bytes().i32(1).bytes()},      {51, Bytes().i32(0).bytes()},
        {52, Bytes().i32(0).bytes()},      {53, Bytes().str({}).bytes()},
        {54, Bytes().i32(0).bytes()},
    };
    for (int field = 16; field <= 64; ++field) {
        if (docSheetFields.contains(field))
            e.count(1).raw(docSheetFields[field]);
        else
            e.count(0);
    }
    const int templateStart = int(e.bytes().size());

    // The template body: paper, picture, seven ints, then fields 10 to 56.
    e.rect(kA4).str({});
    for (qint32 v : {0, 0, 0, 1, 0, 0, 1})
        e.i32(v);
    const QMap<int, QByteArray> templateSheetFields{
        {10, Bytes().rect(kA4).bytes()},   {32, Bytes().i32(0xFFFFFF).bytes()},
        {33, Bytes().str({}).bytes()},     {34, Bytes().i32(0).bytes()},
        {35, Bytes().i32(0).bytes()},      {36, Bytes().i32(0).bytes()},
        {37, Bytes().i32(0).bytes()},      {38, Bytes().i32(0).bytes()},
        {44, Bytes().i32(0).bytes()},      {45, Bytes().i32(0).bytes()},
        {46, Bytes().str({}).bytes()},     {47, Bytes().i32(0).bytes()},
    };
    for (int field = 10; field <= 56; ++field) {
        if (templateSheetFields.contains(field))
            e.count(1).raw(templateSheetFields[field]);
        else
            e.count(0);
    }
    const int groupsStart = int(e.bytes().size());
    // Twenty empty address groups of 56 empty columns each.
    e.raw(QByteArray(2240, '\0'));

    const QByteArray body = bodyOf(*doc);
    QCOMPARE(headerEnd, 75);
    QCOMPARE(templateStart, 231);
    QCOMPARE(groupsStart, 424);
    QCOMPARE(body.size(), 2664);
    QVERIFY2(body == e.bytes(), firstDifference(body, e.bytes()));

    // A few landmarks, read straight off the file.
    QCOMPARE(quint8(body[12]), quint8(6));
    QCOMPARE(body.mid(13, 6), a4Name);
    QCOMPARE(body.mid(19, 16), Bytes().rect(kA4).bytes());
    QCOMPARE(body.mid(75, 2), QByteArray("\0\0", 2)); // no region texts
    QCOMPARE(body.mid(77, 2), QByteArray("\1\0", 2)); // one sheet rectangle
    QCOMPARE(body.mid(79, 16), Bytes().rect(kA4).bytes());
    QCOMPARE(body.mid(231, 16), Bytes().rect(kA4).bytes()); // the template's paper
    QCOMPARE(body.mid(424), QByteArray(2240, '\0'));

    // Saved to disk, the file is the same bytes.
    const QString path = fx.path(QStringLiteral("empty.ond"));
    QCOMPARE(DocumentFile::save(*doc, path), QString());
    QCOMPARE(readFile(path), body);
}

void TestDocumentFile::roundTrip_data()
{
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("longReserved");
    QTest::addColumn<bool>("rich");

    QTest::newRow("new document") << 0 << 0 << false;
    QTest::newRow("one rich page") << 1 << 0 << true;
    QTest::newRow("three rich pages") << 3 << 0 << true;
    // More elements than a two-byte count holds switches the count to its long form.
    QTest::newRow("reserved array of 70000") << 1 << 70000 << true;
}

void TestDocumentFile::roundTrip()
{
    QFETCH(int, pages);
    QFETCH(int, longReserved);
    QFETCH(bool, rich);

    Fixture fx;
    auto original = fx.makeDoc();
    if (rich)
        makeRich(*original, pages);
    else
        original->newDocument();
    for (int i = 0; i < longReserved; ++i)
        original->reservedArrays().ints2.append(i * 7 - 3);
    original->setModified(true);

    const QString first = fx.path(QStringLiteral("first.ond"));
    QCOMPARE(DocumentFile::save(*original, first), QString());
    QVERIFY(!original->isModified());
    const QByteArray firstBytes = readFile(first);
    QCOMPARE(firstBytes, bodyOf(*original));

    auto copy = fx.makeDoc();
    copy->setModified(true);
    QCOMPARE(DocumentFile::open(*copy, first), QString());
    QVERIFY(!copy->isModified());

    // Every stored value came back; the spare values are one 0 per object.
    QVERIFY(copy->scalars() == original->scalars());
    QVERIFY(copy->textRects() == withoutSpare(original->textRects()));
    QVERIFY(copy->sheets() == withoutSpare(original->sheets()));
    QVERIFY(copy->keisenns() == original->keisenns());
    QVERIFY(copy->reservedArrays() == original->reservedArrays());
    QVERIFY(copy->labelTemplate() == original->labelTemplate());
    QVERIFY(copy->addressBook() == original->addressBook());
    QCOMPARE(copy->textRects().spareValue(), QList<qint32>(original->textRects().size(), 0));
    QCOMPARE(copy->sheets().spareSheetValue(), QList<qint32>(original->sheets().size(), 0));
    QVERIFY(allOf(arraySizes(copy->textRects().arrays()), original->textRects().size()));
    QVERIFY(allOf(arraySizes(copy->sheets().arrays()), original->sheets().size()));
    QVERIFY(allOf(arraySizes(copy->keisenns().arrays()), original->keisenns().size()));
    // The runtime state is not in the file.
    QCOMPARE(copy->recordList().recordCount(), 0);
    QVERIFY(copy->groupList(2).isEmpty());
    QCOMPARE(copy->currentPage, 1);
    QCOMPARE(copy->selection().textRect, -1);
    QCOMPARE(copy->selection().sheet, -1);
    QVERIFY(copy->selection().keisenns.isEmpty());

    const QString second = fx.path(QStringLiteral("second.ond"));
    QCOMPARE(DocumentFile::save(*copy, second), QString());
    const QByteArray secondBytes = readFile(second);
    QVERIFY2(secondBytes == firstBytes, firstDifference(secondBytes, firstBytes));
}

// Opening over a document that held more of everything leaves nothing of it behind.
void TestDocumentFile::openReplacesEverything()
{
    Fixture fx;
    auto small = fx.makeDoc();
    makeSmall(*small);
    const QString path = fx.path(QStringLiteral("small.ond"));
    QCOMPARE(DocumentFile::save(*small, path), QString());

    auto doc = fx.makeDoc();
    makeRich(*doc, 4);
    QCOMPARE(DocumentFile::open(*doc, path), QString());
    QCOMPARE(bodyOf(*doc), readFile(path));
    QVERIFY(doc->textRects() == withoutSpare(small->textRects()));
    QVERIFY(doc->sheets() == withoutSpare(small->sheets()));
    QCOMPARE(doc->recordList().recordCount(), 0);
    QVERIFY(doc->groupList(2).isEmpty());
    QCOMPARE(doc->currentPage, 1);
    QCOMPARE(doc->selection().textRect, -1);
}

void TestDocumentFile::damagedFileAtEveryCut()
{
    Fixture fx;
    auto small = fx.makeDoc();
    makeSmall(*small);
    const QString whole = fx.path(QStringLiteral("whole.ond"));
    QCOMPARE(DocumentFile::save(*small, whole), QString());
    const QByteArray bytes = readFile(whole);
    QVERIFY(bytes.size() > 2664);

    const QString cutPath = fx.path(QStringLiteral("cut.ond"));
    auto doc = fx.makeDoc();
    for (qsizetype cut = 0; cut < bytes.size(); ++cut) {
        const QByteArray where = "cut at " + QByteArray::number(cut);
        // Start from a document that holds something everywhere.
        QCOMPARE(DocumentFile::open(*doc, whole), QString());
        doc->recordList() = doc->addressBook().buildRecordList(2);
        doc->groupList(0).append(1);
        doc->currentPage = 2;
        doc->selection().textRect = 0;
        doc->selection().sheet = 0;
        doc->selection().keisenns = {0};
        doc->scalars().printStartPosition = 2;
        doc->scalars().senderIndex = 1;

        QVERIFY2(writeFile(cutPath, bytes.left(cut)), where);
        const QString message = DocumentFile::open(*doc, cutPath);
        QVERIFY2(message == kOpenFailed || message.startsWith(kOpenFailed + QLatin1Char('\n')),
                 qPrintable(QString::fromLatin1(where) + QStringLiteral(": ") + message));
        VERIFY_EMPTIED(*doc, where.constData());
        // The emptied document is still written without trouble.
        QVERIFY2(!bodyOf(*doc).isEmpty(), where);
    }
}

void TestDocumentFile::openFailures_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("asFolder");
    QTest::addColumn<bool>("kept"); // the open document stays; else it is emptied

    // A file that cannot be opened costs nothing: a recent file that has moved.
    QTest::newRow("missing file") << QByteArray() << false << true;
    QTest::newRow("a folder") << QByteArray() << true << true;
    QTest::newRow("empty file") << QByteArray("") << false << false;
    // A header, then a count claiming far more strings than the file holds.
    Bytes huge;
    huge.i32(1).i32(1).i32(1).str("x").rect(kA4);
    for (int i = 0; i < 10; ++i)
        huge.i32(0);
    huge.word(0xFFFF).i32(0x7FFFFFFF);
    QTest::newRow("count beyond the end") << huge.bytes() << false << false;
    // A string length beyond the end.
    Bytes longString;
    longString.i32(1).i32(1).i32(1).raw(QByteArray("\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 7));
    QTest::newRow("string beyond the end") << longString.bytes() << false << false;
    // Zeros read as an empty document with no paper: not a document.
    QTest::newRow("zeros") << QByteArray(256 * 1024, '\0') << false << false;
}

void TestDocumentFile::trailingBytes_data()
{
    QTest::addColumn<int>("padding");
    QTest::addColumn<bool>("opens");
    QTest::newRow("none") << 0 << true;
    QTest::newRow("a little") << 4096 << true;
    // Far more than the content: taken for something else, as a huge file of zeros.
    QTest::newRow("megabytes") << 3 * 1024 * 1024 << false;
}

void TestDocumentFile::trailingBytes()
{
    QFETCH(int, padding);
    QFETCH(bool, opens);
    Fixture fx;
    const QString path = fx.path(QStringLiteral("padded.ond"));
    auto saved = fx.makeDoc();
    makeRich(*saved);
    QCOMPARE(DocumentFile::save(*saved, path), QString());
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::Append));
        QVERIFY(file.write(QByteArray(padding, '\0')) == padding);
    }
    auto doc = fx.makeDoc();
    const QString message = DocumentFile::open(*doc, path);
    QCOMPARE(message.isEmpty(), opens);
    if (opens)
        QCOMPARE(doc->textRects().size(), saved->textRects().size());
    else
        QVERIFY(message.endsWith(u"ドキュメントファイルではありません。"_qs));
}

void TestDocumentFile::openFailures()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, asFolder);
    QFETCH(bool, kept);

    Fixture fx;
    const QString path = fx.path(QStringLiteral("bad.ond"));
    if (asFolder)
        QVERIFY(QDir(fx.dir.path()).mkdir(QStringLiteral("bad.ond")));
    else if (!content.isNull())
        QVERIFY(writeFile(path, content));

    auto doc = fx.makeDoc();
    makeRich(*doc);
    const QByteArray before = bodyOf(*doc);
    const int records = doc->recordList().recordCount();
    bool wasKept = !kept;
    const QString message = DocumentFile::open(*doc, path, &wasKept);
    QVERIFY2(message == kOpenFailed || message.startsWith(kOpenFailed + QLatin1Char('\n')),
             qPrintable(message));
    QCOMPARE(wasKept, kept);
    if (kept) {
        QVERIFY(bodyOf(*doc) == before);
        QVERIFY(doc->isModified());
        QCOMPARE(doc->recordList().recordCount(), records);
        QCOMPARE(doc->currentPage, 2);
    } else {
        VERIFY_EMPTIED(*doc, "after the failed open");
    }
}

void TestDocumentFile::textKeptThroughSaveAndUndo_data()
{
    QTest::addColumn<QString>("text");

    // Characters whose CP932 form reads back as another character, each beside ordinary
    // text, and the characters those bytes do read as.
    QTest::newRow("yen") << u"山田 ¥太郎"_qs;
    QTest::newRow("overline") << u"a‾b"_qs;
    QTest::newRow("wave dash") << u"1〜3"_qs;
    QTest::newRow("minus sign") << u"−5℃"_qs;
    QTest::newRow("em dash") << u"東京—大阪"_qs;
    QTest::newRow("cent") << u"50¢"_qs;
    QTest::newRow("pound") << u"£10"_qs;
    QTest::newRow("not sign") << u"¬A"_qs;
    QTest::newRow("double vertical line") << u"a‖b"_qs;
    QTest::newRow("all at once") << u"¥‾〜−—¢£¬‖"_qs;
    QTest::newRow("what CP932 reads") << u"\\~～－―￠￡￢∥"_qs;
}

// What the user typed is what a saved and reopened document holds, and what undo and
// redo bring back: in a region, in an address record and in the template's name.
void TestDocumentFile::textKeptThroughSaveAndUndo()
{
    QFETCH(QString, text);

    Fixture fx;
    auto doc = fx.makeDoc();
    makeSmall(*doc);
    doc->textRects().setText(0, text);
    doc->scalars().templateName = text;
    doc->addressBook().group(1).appendRecord(recordValues(u"KA-1"_qs, text, text));
    const QByteArray typed = bodyOf(*doc);

    const QString path = fx.path(QStringLiteral("text.ond"));
    QCOMPARE(DocumentFile::save(*doc, path), QString());
    auto copy = fx.makeDoc();
    QCOMPARE(DocumentFile::open(*copy, path), QString());
    QCOMPARE(copy->textRects().text(0), text);
    QCOMPARE(copy->scalars().templateName, text);
    QCOMPARE(copy->addressBook().group(1).field(0, CAddressData::Name), text);
    QVERIFY(bodyOf(*copy) == typed);

    doc->takeUndoSnapshot();
    QCOMPARE(doc->undoAvailable, 1);
    doc->textRects().setText(0, u"変更"_qs);
    const QByteArray edited = bodyOf(*doc);
    doc->undo();
    QCOMPARE(doc->textRects().text(0), text);
    QCOMPARE(doc->addressBook().group(1).field(0, CAddressData::Address1), text);
    QVERIFY(bodyOf(*doc) == typed);
    doc->redo();
    QVERIFY(bodyOf(*doc) == edited);
    doc->undo();
    QVERIFY(bodyOf(*doc) == typed);
}

void TestDocumentFile::printStartPositionKeptInRange_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("expected"); // on pages of three sheets

    QTest::newRow("first sheet") << 1 << 1;
    QTest::newRow("last sheet") << 3 << 3;
    QTest::newRow("zero") << 0 << 1;
    QTest::newRow("negative") << -5 << 1;
    QTest::newRow("one past the page") << 4 << 3;
    QTest::newRow("largest number") << int(INT32_MAX) << 3;
    QTest::newRow("smallest number") << int(INT32_MIN) << 1;
}

// A start position out of range, from a damaged file or left from a template of more
// sheets, is brought onto the page: it never places more than a page of blank records.
void TestDocumentFile::printStartPositionKeptInRange()
{
    QFETCH(int, stored);
    QFETCH(int, expected);

    Fixture fx;
    auto doc = fx.makeDoc();
    makeRich(*doc, 1);
    QCOMPARE(doc->sheetsPerPage(), 3);
    const int reserved = doc->addressBook().buildRecordList(1).recordCount();
    doc->scalars().printStartPosition = stored;
    QCOMPARE(doc->printStartPosition(), expected);
    const QString path = fx.path(QStringLiteral("start.ond"));
    QCOMPARE(DocumentFile::save(*doc, path), QString());

    auto copy = fx.makeDoc();
    QCOMPARE(DocumentFile::open(*copy, path), QString());
    QCOMPARE(copy->scalars().printStartPosition, expected);
    Pagination::buildFromReservation(*copy, QDate(2024, 1, 1), nullptr);
    QCOMPARE(copy->recordList().recordCount(), expected - 1 + reserved);

    // Set in memory past the page (a template of fewer sheets opened since), it is
    // still brought onto the page when the pages are built.
    if (stored > 0 && stored < 1000) {
        copy->scalars().printStartPosition = stored * 1000;
        Pagination::buildFromReservation(*copy, QDate(2024, 1, 1), nullptr);
        QCOMPARE(copy->recordList().recordCount(), 3 - 1 + reserved);
    }
}

void TestDocumentFile::templateKeepsPrintLimit_data()
{
    QTest::addColumn<int>("reserved");
    QTest::addColumn<int>("placed");
    QTest::addColumn<QString>("message");

    QTest::newRow("500 reserved") << 500 << 500 << QString();
    QTest::newRow("501 reserved") << 501 << 0
                                  << u"一度に印刷できる住所録データは500件までです。"_qs;
}

// Opening a template places the reservation as every other way does: at most 500 records.
void TestDocumentFile::templateKeepsPrintLimit()
{
    QFETCH(int, reserved);
    QFETCH(int, placed);
    QFETCH(QString, message);

    Fixture fx;
    auto doc = fx.makeDoc();
    makeSmall(*doc);
    const QString path = fx.path(QStringLiteral("宛名.ont"));
    QCOMPARE(TemplateFile::write(doc->labelTemplate(), path), TemplateFile::WriteResult::Written);
    CAddressData& group = doc->addressBook().group(2);
    for (int i = 0; i < reserved; ++i) {
        group.appendRecord(recordValues(u"SA-%1"_qs.arg(i + 1), u"佐藤"_qs, QString()));
        group.setFlag(i, 1);
    }
    QCOMPARE(TemplateFile::apply(*doc, path), message);
    QCOMPARE(doc->recordList().recordCount(), placed);
    QCOMPARE(doc->scalars().templateName, u"宛名"_qs);
}

void TestDocumentFile::failedSaveKeepsFiles_data()
{
    QTest::addColumn<SaveTrouble>("trouble");
    QTest::addColumn<bool>("large");

    QTest::newRow("folder missing") << SaveTrouble::MissingFolder << false;
    QTest::newRow("path is a folder") << SaveTrouble::PathIsFolder << false;
    QTest::newRow("parent is a file") << SaveTrouble::ParentIsFile << false;
    // Root may write anywhere, but not beyond the process's file size limit: the save
    // breaks off part-way onto an existing document, as on a full disk. A document of a
    // few kilobytes reaches the disk only when the file is flushed; a large one while
    // it is being written.
    QTest::newRow("disk full, small document") << SaveTrouble::FileSizeLimit << false;
    QTest::newRow("disk full, large document") << SaveTrouble::FileSizeLimit << true;
}

void TestDocumentFile::failedSaveKeepsFiles()
{
    QFETCH(SaveTrouble, trouble);
    QFETCH(bool, large);

    Fixture fx;
    auto other = fx.makeDoc();
    makeSmall(*other);
    const QString unrelated = fx.path(QStringLiteral("unrelated.ond"));
    QCOMPARE(DocumentFile::save(*other, unrelated), QString());
    const QByteArray unrelatedBytes = readFile(unrelated);

    QString target;
    QString keptFile; // a file that the failed save must leave as it was
    switch (trouble) {
    case SaveTrouble::MissingFolder:
        target = fx.path(QStringLiteral("missing/doc.ond"));
        break;
    case SaveTrouble::PathIsFolder:
        QVERIFY(QDir(fx.dir.path()).mkdir(QStringLiteral("doc.ond")));
        target = fx.path(QStringLiteral("doc.ond"));
        keptFile = fx.path(QStringLiteral("doc.ond/inside.txt"));
        QVERIFY(writeFile(keptFile, "inside"));
        break;
    case SaveTrouble::ParentIsFile:
        keptFile = fx.path(QStringLiteral("plain.txt"));
        QVERIFY(writeFile(keptFile, "plain"));
        target = fx.path(QStringLiteral("plain.txt/doc.ond"));
        break;
    case SaveTrouble::FileSizeLimit:
        target = fx.path(QStringLiteral("existing.ond"));
        keptFile = target;
        QCOMPARE(DocumentFile::save(*other, target), QString());
        break;
    }
    const QByteArray keptBytes = keptFile.isEmpty() ? QByteArray() : readFile(keptFile);
    const QStringList listing = QDir(fx.dir.path()).entryList(QDir::AllEntries | QDir::Hidden |
                                                              QDir::NoDotAndDotDot);

    auto doc = fx.makeDoc();
    makeRich(*doc, 3);
    if (large)
        doc->reservedArrays().ints2 = QList<qint32>(100000, 5);
    QVERIFY(doc->isModified());
    const qsizetype size = bodyOf(*doc).size();
    const rlim_t limit = large ? 65536 : 4096;
    QVERIFY(size > qsizetype(limit) + 4096);

    QString message;
    if (trouble == SaveTrouble::FileSizeLimit) {
        rlimit old{};
        QVERIFY(getrlimit(RLIMIT_FSIZE, &old) == 0);
        rlimit small = old;
        small.rlim_cur = limit;
        auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
        message = DocumentFile::save(*doc, target);
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
    } else {
        message = DocumentFile::save(*doc, target);
    }

    QCOMPARE(readFile(unrelated), unrelatedBytes);
    if (!keptFile.isEmpty())
        QCOMPARE(readFile(keptFile).size(), keptBytes.size());
    if (!keptFile.isEmpty())
        QCOMPARE(readFile(keptFile), keptBytes);
    QVERIFY2(message.startsWith(kSaveFailed), qPrintable(message));
    QVERIFY(doc->isModified());
    // Nothing was created or left behind: no half-written file, no temporary file.
    QCOMPARE(QDir(fx.dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             listing);
    if (trouble == SaveTrouble::MissingFolder)
        QVERIFY(!QFileInfo::exists(fx.path(QStringLiteral("missing"))));
    if (trouble == SaveTrouble::PathIsFolder) {
        QVERIFY(QFileInfo(target).isDir());
        QCOMPARE(QDir(target).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("inside.txt")});
    }
}

// The printer's offsets come from the settings for an opened document as for a new one, so
// --print and orinote-batch --document shift the pages as the window does.
void TestDocumentFile::openedDocumentTakesTheSettingsOffsets()
{
    Fixture fx;
    CORINOTEDoc doc(fx.profile.get());
    doc.dataFolder = fx.dir.path();
    doc.newDocument();
    const QString path = fx.dir.filePath(u"offsets.ond"_qs);
    QCOMPARE(DocumentFile::save(doc, path), QString());
    fx.profile->writeInt(u"PosX"_qs, 12);
    fx.profile->writeInt(u"PosY"_qs, -7);
    CORINOTEDoc opened(fx.profile.get());
    QCOMPARE(DocumentFile::open(opened, path), QString());
    QCOMPARE(opened.printOffsetX, 12);
    QCOMPARE(opened.printOffsetY, -7);
}

QTEST_GUILESS_MAIN(TestDocumentFile)
#include "tst_documentfile.moc"
