#include "address/AddressBook.h"
#include "address/CAddressData.h"
#include "base/ArchiveWriter.h"
#include "model/CORINOTEDoc.h"
#include "model/PageObjects.h"
#include "model/DocumentFile.h"
#include "model/SettingsProfile.h"
#include "model/UndoSnapshots.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>
#include <sys/resource.h>

namespace {

// The lengths of every array of a family, gathered from the attribute lists so that an
// attribute added later is covered too.
#define COLLECT_SIZE(Type, name, setter, init) sizes.append(qsizetype(a.name.size()));
QList<qsizetype> arraySizes(const TextRectArrays& a)
{
    QList<qsizetype> sizes;
    ORINOTE_TEXTRECT_ATTRIBUTES(COLLECT_SIZE)
    return sizes;
}
QList<qsizetype> arraySizes(const SheetArrays& a)
{
    QList<qsizetype> sizes;
    ORINOTE_SHEET_ATTRIBUTES(COLLECT_SIZE)
    return sizes;
}
QList<qsizetype> arraySizes(const KeisennArrays& a)
{
    QList<qsizetype> sizes;
    ORINOTE_KEISENN_ATTRIBUTES(COLLECT_SIZE)
    return sizes;
}
#undef COLLECT_SIZE

bool allEqual(const QList<qsizetype>& sizes)
{
    return std::all_of(sizes.begin(), sizes.end(),
                       [&](qsizetype n) { return n == sizes.first(); });
}

// Every family of the document and of its template has arrays of one length each.
bool familiesConsistent(const CORINOTEDoc& doc)
{
    const CLabelSheetTemplate& t = doc.labelTemplate();
    return allEqual(arraySizes(doc.textRects().arrays())) &&
           allEqual(arraySizes(doc.sheets().arrays())) &&
           allEqual(arraySizes(doc.keisenns().arrays())) &&
           allEqual(arraySizes(t.regions.arrays())) && allEqual(arraySizes(t.sheets.arrays())) &&
           allEqual(arraySizes(t.keisenns.arrays()));
}

// The stored state of a document: its file body.
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

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile::remove(path);
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QStringList recordValues(const QString& entry, const QString& name)
{
    QStringList v(CAddressData::TextColumnCount);
    v[CAddressData::EntryNumber] = entry;
    v[CAddressData::Name] = name;
    v[CAddressData::Address1] = QStringLiteral("東京都練馬区旭町1-2-3");
    return v;
}

TextRect region(const QString& text, int sheetNo, int seed)
{
    TextRect r;
    r.text = text;
    r.attribute = QStringLiteral("氏名(R)");
    r.font = FontRecord::make(QStringLiteral("ＭＳ 明朝"), -100 - seed, 0);
    r.rect = Rect{100 + seed, -100 - seed, 900, -300};
    r.textColor = 0x0000FF;
    r.layer = 1 + seed % 10;
    r.sheetNo = r.orderSheetNo = sheetNo;
    return r;
}

// The document every script starts from: a new document with two sheets, a few
// regions, a ruled line and reserved address records.
void makeBase(CORINOTEDoc& doc)
{
    doc.newDocument();
    Sheet second;
    second.rect = Rect{0, -1485, 2100, -2970};
    doc.sheets().setRect(0, Rect{0, 0, 2100, -1485});
    doc.sheets().append(second);
    doc.textRects().append(region(QStringLiteral("山田　太郎　様"), 1, 0));
    doc.textRects().append(region(QStringLiteral("〒176-0001"), 1, 1));
    doc.textRects().append(region(QStringLiteral("鈴木　花子　様"), 2, 2));
    Keisenn line;
    line.start = Point{0, -1485};
    line.end = Point{2100, -1485};
    doc.keisenns().append(line);
    CAddressData& a = doc.addressBook().group(0);
    a.appendRecord(recordValues(QStringLiteral("A-1"), QStringLiteral("青木　一郎")));
    a.appendRecord(recordValues(QStringLiteral("A-2"), QStringLiteral("安藤　二郎")));
    a.setFlag(0, 1);
    a.appendHistory(QStringLiteral("A-1"), QStringLiteral("年賀状"), QStringLiteral("2024/01/01"),
                    QString());
    doc.addressBook().group(19).appendRecord(
        recordValues(QStringLiteral("SENDER-1"), QStringLiteral("差出　人")));
}

// The edits of the scripts, each a change in another part of the document.
void applyEdit(CORINOTEDoc& doc, QChar edit)
{
    switch (edit.unicode()) {
    case u'a': // a text region is added and the current sheet changes
        doc.textRects().append(region(QStringLiteral("追加 %1").arg(doc.textRects().size()), 2,
                                      doc.textRects().size()));
        doc.scalars().currentSheetNo += 1;
        break;
    case u'b': { // an address record with history, reserved for printing
        CAddressData& g = doc.addressBook().group(3);
        const QString entry = QStringLiteral("TA-%1").arg(g.recordCount() + 1);
        g.appendRecord(recordValues(entry, QStringLiteral("田中　誠")));
        g.setFlag(g.recordCount() - 1, 1);
        g.appendHistory(entry, QStringLiteral("暑中見舞い"), QStringLiteral("2024/07/20"),
                        QStringLiteral("メモ"));
        break;
    }
    case u'c': { // the template and the ruled lines
        Keisenn k;
        k.start = Point{10, -10};
        k.end = Point{10, -2900};
        k.width = 3;
        doc.keisenns().append(k);
        doc.labelTemplate().keisenns.append(k);
        doc.scalars().templateName = QStringLiteral("往復はがき");
        doc.reservedArrays().ints1.append(7);
        break;
    }
    case u'x': // most of the document goes: the next snapshot is shorter than the last
        doc.textRects().clear();
        doc.addressBook().clear();
        doc.keisenns().clear();
        break;
    default:
        qFatal("unknown edit");
    }
    doc.setModified(true);
}

// The body a document has after the given edits on top of the base ("new" for a new
// document).
QByteArray stateOf(Profile* profile, const QString& label)
{
    CORINOTEDoc doc(profile);
    if (label == QLatin1String("new")) {
        doc.newDocument();
        return bodyOf(doc);
    }
    makeBase(doc);
    for (QChar edit : label)
        applyEdit(doc, edit);
    return bodyOf(doc);
}

QByteArray flagsOf(const CORINOTEDoc& doc)
{
    return QByteArray::number(doc.undoAvailable) + QByteArray::number(doc.redoAvailable);
}

struct Fixture
{
    QTemporaryDir dir;
    std::unique_ptr<SettingsProfile> profile;

    Fixture() : profile(std::make_unique<SettingsProfile>(dir.filePath(QStringLiteral("t.ini")))) {}
    QString path(const QString& name) const { return dir.filePath(name); }
    QString dataFolder() const
    {
        const QString folder = dir.filePath(QStringLiteral("data"));
        QDir().mkpath(folder);
        return folder;
    }
    std::unique_ptr<CORINOTEDoc> makeDoc() const
    {
        auto doc = std::make_unique<CORINOTEDoc>(profile.get());
        doc->dataFolder = dataFolder();
        return doc;
    }
};

// Runs one step of a script: a lower-case letter takes a snapshot and makes that edit,
// "U" undoes, "R" redoes, "N" makes a new document.
void runStep(CORINOTEDoc& doc, const QString& step)
{
    if (step == QLatin1String("U")) {
        doc.undo();
    } else if (step == QLatin1String("R")) {
        doc.redo();
    } else if (step == QLatin1String("N")) {
        doc.newDocument();
    } else {
        doc.takeUndoSnapshot();
        applyEdit(doc, step.at(0));
    }
}

enum class Blocked { MissingFolder, FolderIsFile, UndoFileIsFolder };

} // namespace

Q_DECLARE_METATYPE(Blocked)

class TestUndo : public QObject
{
    Q_OBJECT
private slots:
    void scripts_data();
    void scripts();
    void runtimeStateAfterLoad_data();
    void runtimeStateAfterLoad();
    void snapshotCannotBeWritten_data();
    void snapshotCannotBeWritten();
    void failedSnapshotWithdrawsRedo_data();
    void failedSnapshotWithdrawsRedo();
    void snapshotBreaksOffPartWay_data();
    void snapshotBreaksOffPartWay();
    void snapshotFileMissing_data();
    void snapshotFileMissing();
    void truncatedSnapshot_data();
    void truncatedSnapshot();
    void twoDocumentsOnOneFolder_data();
    void twoDocumentsOnOneFolder();
    void releasedFilesAreTakenOver();
};

void TestUndo::scripts_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("flags"); // undoAvailable and redoAvailable after each step
    QTest::addColumn<QString>("state"); // the edits the document holds at the end

    QTest::newRow("one edit, undo") << "a U" << "10 01" << "";
    QTest::newRow("two edits, undo returns to the first") << "a b U" << "10 10 01" << "a";
    QTest::newRow("undo, redo") << "a U R" << "10 01 10" << "a";
    QTest::newRow("undo, redo, undo goes back before") << "a U R U" << "10 01 10 01" << "";
    QTest::newRow("two edits, undo, redo") << "a b U R" << "10 10 01 10" << "ab";
    QTest::newRow("edit after undo withdraws redo") << "a U b" << "10 01 10" << "b";
    QTest::newRow("edit after undo, then undo") << "a U b U" << "10 01 10 01" << "";
    QTest::newRow("edit after undo, undo, redo") << "a U b U R" << "10 01 10 01 10" << "b";
    QTest::newRow("three kinds of edit, undo") << "a b c U" << "10 10 10 01" << "ab";
    // The snapshot before "x" is long, the one before "b" short: the tail of the long
    // one must not be read with the short one.
    QTest::newRow("shorter undo snapshot over a longer") << "a c x b U" << "10 10 10 10 01"
                                                         << "acx";
    QTest::newRow("shorter redo snapshot over a longer")
        << "a U R x U R" << "10 01 10 10 01 10" << "ax";
    QTest::newRow("new document offers nothing") << "a b U N" << "10 10 01 00" << "new";
    QTest::newRow("edit on a new document, undo") << "a N b U" << "10 00 10 01" << "new";
}

void TestUndo::scripts()
{
    QFETCH(QString, script);
    QFETCH(QString, flags);
    QFETCH(QString, state);

    Fixture fx;
    auto doc = fx.makeDoc();
    makeBase(*doc);
    QCOMPARE(flagsOf(*doc), QByteArray("00"));

    const QStringList steps = script.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QStringList expectedFlags = flags.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QCOMPARE(steps.size(), expectedFlags.size());
    for (int i = 0; i < steps.size(); ++i) {
        runStep(*doc, steps[i]);
        const QByteArray where = "after step " + QByteArray::number(i + 1) + " (" +
                                 steps[i].toLatin1() + ")";
        QVERIFY2(flagsOf(*doc) == expectedFlags[i].toLatin1(),
                 where + ": flags " + flagsOf(*doc) + ", expected " + expectedFlags[i].toLatin1());
        QVERIFY2(familiesConsistent(*doc), where);
    }
    QVERIFY(bodyOf(*doc) == stateOf(fx.profile.get(), state));
}

void TestUndo::runtimeStateAfterLoad_data()
{
    QTest::addColumn<bool>("redo");
    QTest::addColumn<bool>("modified");

    QTest::newRow("undo, document modified") << false << true;
    QTest::newRow("undo, document saved") << false << false;
    QTest::newRow("redo, document modified") << true << true;
    QTest::newRow("redo, document saved") << true << false;
}

// A snapshot holds what a document file holds. Loading one empties the record list and
// goes to page 1, while the mode, the zoom, the settings and the modified flag stay.
void TestUndo::runtimeStateAfterLoad()
{
    QFETCH(bool, redo);
    QFETCH(bool, modified);

    Fixture fx;
    auto doc = fx.makeDoc();
    makeBase(*doc);
    doc->templateMode = 0;
    doc->takeUndoSnapshot(); // in data mode
    applyEdit(*doc, u'a');
    if (redo)
        doc->undo();

    // Now in template mode, zoomed, on page 3, with a record list and a selection.
    doc->recordList() = doc->addressBook().buildRecordList(2);
    QVERIFY(doc->recordList().recordCount() > 0);
    doc->currentPage = 3;
    doc->templateMode = 1;
    doc->setZoomIndex(4);
    doc->printOffsetX = 55;
    doc->printOffsetY = -44;
    doc->environment().fitData = EnvironmentSettings::TwoLines;
    doc->selection().textRect = 1;
    doc->selection().sheet = 0;
    doc->selection().keisenns = {0};
    doc->selection().group = {ObjectRef{ObjectRef::TextRectKind, 0}};
    doc->groupList(0) = {1, 2};
    doc->setModified(modified);
    QSignalSpy redraws(doc.get(), &CORINOTEDoc::changed);

    if (redo)
        doc->redo();
    else
        doc->undo();

    QVERIFY(bodyOf(*doc) == stateOf(fx.profile.get(), redo ? QStringLiteral("a") : QString()));
    QCOMPARE(flagsOf(*doc), redo ? QByteArray("10") : QByteArray("01"));
    QCOMPARE(doc->recordList().recordCount(), 0);
    QCOMPARE(doc->currentPage, 1);
    QCOMPARE(doc->templateMode, 1);
    QCOMPARE(doc->zoomIndex(), 4);
    QCOMPARE(doc->printOffsetX, 55);
    QCOMPARE(doc->printOffsetY, -44);
    QCOMPARE(doc->environment().fitData, int(EnvironmentSettings::TwoLines));
    // The selection stays on the objects the restored document still has.
    const PageObjects page = PageObjects::of(*doc, 1);
    QCOMPARE(doc->selection().textRect, page.hasRegion(1) ? 1 : -1);
    QCOMPARE(doc->selection().sheet, page.hasSheet(0) ? 0 : -1);
    QCOMPARE(doc->selection().keisenns, page.hasLine(0) ? QList<int>{0} : QList<int>{});
    QCOMPARE(doc->selection().group.size(), page.hasRegion(0) ? 1 : 0);
    QVERIFY(doc->groupList(0).isEmpty());
    QCOMPARE(doc->isModified(), modified);
    QVERIFY(redraws.count() >= 1);
}

void TestUndo::snapshotCannotBeWritten_data()
{
    QTest::addColumn<Blocked>("blocked");

    QTest::newRow("data folder missing") << Blocked::MissingFolder;
    QTest::newRow("data folder is a file") << Blocked::FolderIsFile;
    QTest::newRow("undo file is a folder") << Blocked::UndoFileIsFolder;
}

void TestUndo::snapshotCannotBeWritten()
{
    QFETCH(Blocked, blocked);

    Fixture fx;
    auto doc = fx.makeDoc();
    makeBase(*doc);
    switch (blocked) {
    case Blocked::MissingFolder:
        doc->dataFolder = fx.path(QStringLiteral("no/such/folder"));
        break;
    case Blocked::FolderIsFile:
        QVERIFY(writeFile(fx.path(QStringLiteral("file")), "x"));
        doc->dataFolder = fx.path(QStringLiteral("file"));
        break;
    case Blocked::UndoFileIsFolder:
        QVERIFY(QDir(doc->dataFolder).mkdir(QStringLiteral("ONUTmpFile.dat")));
        break;
    }
    const QByteArray before = bodyOf(*doc);

    doc->takeUndoSnapshot();
    QCOMPARE(flagsOf(*doc), QByteArray("00"));
    applyEdit(*doc, u'b');
    doc->takeUndoSnapshot();
    QCOMPARE(flagsOf(*doc), QByteArray("00"));
    // Nothing was written anywhere and the document is the edited one.
    if (blocked == Blocked::MissingFolder)
        QVERIFY(!QFileInfo::exists(fx.path(QStringLiteral("no"))));
    if (blocked == Blocked::FolderIsFile)
        QCOMPARE(readFile(fx.path(QStringLiteral("file"))), QByteArray("x"));
    QVERIFY(bodyOf(*doc) != before);
    QVERIFY(bodyOf(*doc) == stateOf(fx.profile.get(), QStringLiteral("b")));
}

void TestUndo::failedSnapshotWithdrawsRedo_data()
{
    QTest::addColumn<bool>("diskFull"); // else the undo file has become a folder

    QTest::newRow("undo file is a folder") << false;
    QTest::newRow("disk full") << true;
}

// Undo, then an edit whose snapshot cannot be written: redoing would put the older state
// over the edit, so Redo goes even though Undo cannot be offered.
void TestUndo::failedSnapshotWithdrawsRedo()
{
    QFETCH(bool, diskFull);

    Fixture fx;
    auto doc = fx.makeDoc();
    makeBase(*doc);
    doc->reservedArrays().ints2 = QList<qint32>(100000, 3); // larger than the limit below
    doc->takeUndoSnapshot();
    applyEdit(*doc, u'a');
    doc->undo();
    QCOMPARE(flagsOf(*doc), QByteArray("01"));

    rlimit old{};
    QVERIFY(getrlimit(RLIMIT_FSIZE, &old) == 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    if (diskFull) {
        rlimit limited = old;
        limited.rlim_cur = 65536;
        QVERIFY(setrlimit(RLIMIT_FSIZE, &limited) == 0);
    } else {
        const QString undoFile = doc->undoSnapshots().undoPath();
        QVERIFY(QFile::remove(undoFile));
        QVERIFY(QDir().mkdir(undoFile));
    }
    doc->takeUndoSnapshot();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    applyEdit(*doc, u'b');

    QCOMPARE(flagsOf(*doc), QByteArray("00"));
}

void TestUndo::snapshotBreaksOffPartWay_data()
{
    QTest::addColumn<bool>("undo"); // the redo file written by undo, else the undo file
    QTest::addColumn<bool>("large");

    // A document of a few kilobytes reaches the disk only when the file is closed, a
    // large one while it is being written; both must be noticed.
    QTest::newRow("snapshot, small document") << false << false;
    QTest::newRow("snapshot, large document") << false << true;
    QTest::newRow("undo saving the redo file, small document") << true << false;
    QTest::newRow("undo saving the redo file, large document") << true << true;
}

// A snapshot that cannot be written to its end (a full disk; here the process's file
// size limit, which binds root too) is not offered.
void TestUndo::snapshotBreaksOffPartWay()
{
    QFETCH(bool, undo);
    QFETCH(bool, large);

    Fixture fx;
    auto doc = fx.makeDoc();
    makeBase(*doc);
    if (large)
        doc->reservedArrays().ints2 = QList<qint32>(100000, 3);
    const rlim_t limit = large ? 65536 : 2048;
    QVERIFY(bodyOf(*doc).size() > qsizetype(limit) + 1024);
    const QByteArray before = bodyOf(*doc);
    if (undo) {
        doc->takeUndoSnapshot();
        applyEdit(*doc, u'a');
    }
    doc->undoSnapshots(); // the lock file is made before the limit is set

    rlimit old{};
    QVERIFY(getrlimit(RLIMIT_FSIZE, &old) == 0);
    rlimit limited = old;
    limited.rlim_cur = limit;
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    QVERIFY(setrlimit(RLIMIT_FSIZE, &limited) == 0);
    if (undo)
        doc->undo();
    else
        doc->takeUndoSnapshot();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    if (undo) {
        // The undo itself worked (reading is not limited); redo would load a torn file.
        QVERIFY(bodyOf(*doc) == before);
        QCOMPARE(doc->redoAvailable, 0);
    } else {
        QCOMPARE(doc->undoAvailable, 0);
    }
}

void TestUndo::snapshotFileMissing_data()
{
    QTest::addColumn<bool>("redo");

    QTest::newRow("undo file removed") << false;
    QTest::newRow("redo file removed") << true;
}

// A snapshot file that has gone leaves the document as it is and withdraws the command.
void TestUndo::snapshotFileMissing()
{
    QFETCH(bool, redo);

    Fixture fx;
    auto doc = fx.makeDoc();
    makeBase(*doc);
    doc->takeUndoSnapshot();
    applyEdit(*doc, u'a');
    if (redo)
        doc->undo();
    const QString file = redo ? doc->undoSnapshots().redoPath() : doc->undoSnapshots().undoPath();
    QVERIFY(QFile::remove(file));
    doc->recordList() = doc->addressBook().buildRecordList(1);
    doc->currentPage = 2;
    doc->selection().textRect = 1;
    const QByteArray before = bodyOf(*doc);

    if (redo) {
        doc->redo();
        QCOMPARE(doc->redoAvailable, 0);
        QCOMPARE(doc->undoAvailable, 0);
    } else {
        doc->undo();
        QCOMPARE(doc->undoAvailable, 0);
    }
    QVERIFY(bodyOf(*doc) == before);
    QCOMPARE(doc->recordList().recordCount(), 1);
    QCOMPARE(doc->currentPage, 2);
    QCOMPARE(doc->selection().textRect, 1);
}

void TestUndo::truncatedSnapshot_data()
{
    QTest::addColumn<bool>("redo");

    QTest::newRow("undo file cut short") << false;
    QTest::newRow("redo file cut short") << true;
}

// A snapshot that ends early leaves what was read, with consistent families; a failed
// undo offers neither direction, a failed redo offers undo only.
void TestUndo::truncatedSnapshot()
{
    QFETCH(bool, redo);

    Fixture fx;
    auto doc = fx.makeDoc();
    makeBase(*doc);
    doc->takeUndoSnapshot();
    applyEdit(*doc, u'a');
    applyEdit(*doc, u'c');
    if (redo)
        doc->undo();
    const QString file = redo ? doc->undoSnapshots().redoPath() : doc->undoSnapshots().undoPath();
    const QByteArray whole = readFile(file);
    QVERIFY(whole.size() > 2664);
    // The state to start every attempt from.
    const QString start = fx.path(QStringLiteral("start.ond"));
    QCOMPARE(DocumentFile::save(*doc, start), QString());

    // The body reader is cut at every byte by its own test; here a stride that is prime
    // to the field sizes is enough to hit every kind of field, and keeps the rewrites of
    // the snapshot files few.
    QList<qsizetype> cuts;
    for (qsizetype cut = 0; cut < whole.size(); cut += cut < 1200 ? 7 : 61)
        cuts.append(cut);
    cuts.append(whole.size() - 1);
    for (qsizetype cut : cuts) {
        const QByteArray where = "cut at " + QByteArray::number(cut);
        QCOMPARE(DocumentFile::open(*doc, start), QString());
        doc->undoAvailable = redo ? 0 : 1;
        doc->redoAvailable = redo ? 1 : 0;
        QVERIFY2(writeFile(file, whole.left(cut)), where);

        if (redo)
            doc->redo();
        else
            doc->undo();
        QVERIFY2(flagsOf(*doc) == (redo ? "10" : "00"), where + ": flags " + flagsOf(*doc));
        QVERIFY2(familiesConsistent(*doc), where);
        QVERIFY2(doc->selection().textRect == -1 && doc->selection().keisenns.isEmpty(), where);
        QVERIFY2(!bodyOf(*doc).isEmpty(), where);
    }
}

void TestUndo::twoDocumentsOnOneFolder_data()
{
    QTest::addColumn<QString>("script"); // steps prefixed by the document they act on
    QTest::addColumn<QString>("stateA");
    QTest::addColumn<QString>("stateB");
    QTest::addColumn<QString>("flags"); // of A and B at the end

    // Document B starts from the base with edit "c" already made.
    QTest::newRow("each undoes its own edit") << "A:a B:b A:U B:U" << "" << "c" << "01 01";
    QTest::newRow("the other snapshots in between")
        << "A:a B:b B:x A:U B:U" << "" << "cb" << "01 01";
    QTest::newRow("each redoes its own edit")
        << "A:a B:b A:U B:U A:R B:R" << "a" << "cb" << "10 10";
    QTest::newRow("one edits while the other can redo")
        << "A:a B:b A:U B:x A:R B:U" << "a" << "cb" << "10 01";
    QTest::newRow("second document first") << "B:b A:a B:U A:U" << "" << "c" << "01 01";
}

// Two documents on one data folder (two copies of the program) keep snapshot files of
// their own and never restore each other's documents.
void TestUndo::twoDocumentsOnOneFolder()
{
    QFETCH(QString, script);
    QFETCH(QString, stateA);
    QFETCH(QString, stateB);
    QFETCH(QString, flags);

    Fixture fx;
    auto a = fx.makeDoc();
    auto b = fx.makeDoc();
    QCOMPARE(a->dataFolder, b->dataFolder);
    makeBase(*a);
    makeBase(*b);
    applyEdit(*b, u'c');

    for (const QString& step : script.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        runStep(step.startsWith(QLatin1Char('A')) ? *a : *b, step.mid(2));

    QVERIFY(bodyOf(*a) == stateOf(fx.profile.get(), stateA));
    QVERIFY(bodyOf(*b) == stateOf(fx.profile.get(), stateB));
    QCOMPARE(flagsOf(*a) + ' ' + flagsOf(*b), flags.toLatin1());

    // The snapshot files: one set each, both in the data folder.
    const QStringList paths{a->undoSnapshots().undoPath(), a->undoSnapshots().redoPath(),
                            b->undoSnapshots().undoPath(), b->undoSnapshots().redoPath()};
    for (const QString& p : paths)
        QCOMPARE(QFileInfo(p).absolutePath(), QFileInfo(a->dataFolder).absoluteFilePath());
    QStringList names;
    for (const QString& p : paths)
        names.append(QFileInfo(p).fileName());
    names.sort();
    QCOMPARE(names, (QStringList{QStringLiteral("ONRTmpFile-2.dat"),
                                 QStringLiteral("ONRTmpFile.dat"),
                                 QStringLiteral("ONUTmpFile-2.dat"),
                                 QStringLiteral("ONUTmpFile.dat")}));
}

// The files a closed document used go to the next document; its flags start at 0 even
// though the files still hold snapshots.
void TestUndo::releasedFilesAreTakenOver()
{
    Fixture fx;
    auto first = fx.makeDoc();
    makeBase(*first);
    first->takeUndoSnapshot();
    applyEdit(*first, u'a');
    const QString undoFile = first->undoSnapshots().undoPath();
    QCOMPARE(QFileInfo(undoFile).fileName(), QStringLiteral("ONUTmpFile.dat"));
    QCOMPARE(QFileInfo(first->undoSnapshots().redoPath()).fileName(),
             QStringLiteral("ONRTmpFile.dat"));
    QVERIFY(QFileInfo(undoFile).size() > 0);
    first.reset();

    auto next = fx.makeDoc();
    next->newDocument();
    QCOMPARE(flagsOf(*next), QByteArray("00"));
    QCOMPARE(next->undoSnapshots().undoPath(), undoFile);
    QVERIFY(QFileInfo::exists(undoFile));
}

QTEST_GUILESS_MAIN(TestUndo)
#include "tst_undo.moc"
