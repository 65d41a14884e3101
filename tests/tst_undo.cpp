#include "address/AddressBook.h"
#include "address/CAddressData.h"
#include "base/ArchiveWriter.h"
#include "model/CORINOTEDoc.h"
#include "model/PageObjects.h"
#include "model/DocumentFile.h"
#include "model/SettingsProfile.h"
#include "model/UndoSnapshots.h"
#include "app/ModeSwitch.h"
#include "edit/LayoutEdits.h"
#include "pages/Pagination.h"
#include "support/FamilySizes.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {


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

    // One undo step unless a test asks for more: the scripts were written for it.
    Fixture() : profile(std::make_unique<SettingsProfile>(dir.filePath(QStringLiteral("t.ini"))))
    {
        profile->writeInt(UndoSnapshots::depthKey(), 1);
    }
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

} // namespace

class TestUndo : public QObject
{
    Q_OBJECT
private slots:
    void scripts_data();
    void scripts();
    void runtimeStateAfterLoad_data();
    void runtimeStateAfterLoad();
    void deepScripts_data();
    void deepScripts();
    void hundredStepsThereAndBack();
    void depthBounds_data();
    void depthBounds();
    void quickStepsMerge();
    void twoDocumentsOnOneFolder_data();
    void twoDocumentsOnOneFolder();
    void placedRecordsStayPlaced_data();
    void placedRecordsStayPlaced();
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

// A step holds what a document file holds, the record list and the page. Going back
// restores them, while the mode, the zoom, the settings and the modified flag stay.
void TestUndo::runtimeStateAfterLoad()
{
    QFETCH(bool, redo);
    QFETCH(bool, modified);

    Fixture fx;
    auto doc = fx.makeDoc();
    makeBase(*doc);
    doc->templateMode = 0;
    // In data mode, on page 2, with two records placed.
    doc->recordList() = doc->addressBook().buildRecordList(2);
    doc->currentPage = 2;
    doc->takeUndoSnapshot();
    applyEdit(*doc, u'a');
    if (redo)
        doc->undo();

    // Now in template mode, zoomed, on page 3, with another record list and a selection.
    doc->recordList() = doc->addressBook().buildRecordList(4);
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
    // The record list and the page are those of the step.
    QCOMPARE(doc->recordList().recordCount(), 2);
    QCOMPARE(doc->currentPage, std::clamp(2, 1, doc->pageCount()));
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

void TestUndo::deepScripts_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("state");
    QTest::addColumn<int>("undoCount");
    QTest::addColumn<int>("redoCount");

    QTest::newRow("three edits, three undos") << "a b c U U U" << "" << 0 << 3;
    QTest::newRow("undo past the first edit does nothing") << "a b U U U" << "" << 0 << 2;
    QTest::newRow("two back, one forward") << "a b c U U R" << "ab" << 2 << 1;
    QTest::newRow("an edit after undos withdraws every redo") << "a b c U U x" << "ax" << 2 << 0;
    QTest::newRow("redo to the end") << "a b c U U U R R R" << "abc" << 3 << 0;
}

// With the default depth every step goes back and forward in turn.
void TestUndo::deepScripts()
{
    QFETCH(QString, script);
    QFETCH(QString, state);
    QFETCH(int, undoCount);
    QFETCH(int, redoCount);

    Fixture fx;
    fx.profile->writeInt(UndoSnapshots::depthKey(), UndoSnapshots::DefaultDepth);
    auto doc = fx.makeDoc();
    makeBase(*doc);
    for (const QString& step : script.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        runStep(*doc, step);
    QVERIFY(bodyOf(*doc) == stateOf(fx.profile.get(), state));
    QCOMPARE(doc->undoSnapshots().undoCount(), undoCount);
    QCOMPARE(doc->undoSnapshots().redoCount(), redoCount);
    QCOMPARE(flagsOf(*doc), QByteArray::number(undoCount ? 1 : 0) + QByteArray::number(redoCount ? 1 : 0));
}

// 100 edits of every kind (moves, attributes, adds, deletes, the address book), undone
// one by one back to the first byte, then redone to the last.
void TestUndo::hundredStepsThereAndBack()
{
    Fixture fx;
    fx.profile->writeInt(UndoSnapshots::depthKey(), 100);
    auto doc = fx.makeDoc();
    makeBase(*doc);
    const QByteArray first = bodyOf(*doc);
    QList<QByteArray> states{first};
    quint32 seed = 7;
    const auto next = [&seed](quint32 n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % n;
    };
    for (int i = 0; i < 100; ++i) {
        doc->takeUndoSnapshot(QStringLiteral("step %1").arg(i));
        TextRectFamily& regions = doc->textRects();
        switch (next(6)) {
        case 0: { // a move
            const int r = int(next(quint32(regions.size())));
            Rect rect = regions.rect(r);
            rect.left += 5;
            rect.right += 5;
            regions.setRect(r, rect);
            break;
        }
        case 1: // an attribute
            regions.setTextColor(int(next(quint32(regions.size()))), int(next(0xFFFFFF)));
            break;
        case 2:
            applyEdit(*doc, u'a');
            break;
        case 3: // a delete, keeping at least one region
            if (regions.size() > 1)
                regions.removeAt(int(next(quint32(regions.size()))));
            break;
        case 4:
            applyEdit(*doc, u'b');
            break;
        default:
            applyEdit(*doc, u'c');
            break;
        }
        states.append(bodyOf(*doc));
    }
    QCOMPARE(doc->undoSnapshots().undoCount(), 100);
    QCOMPARE(doc->undoSnapshots().undoName(), u"step 99"_qs);
    for (int i = 100; i > 0; --i) {
        QVERIFY(doc->undoSnapshots().undo(*doc));
        QVERIFY2(bodyOf(*doc) == states[i - 1], QByteArray::number(i));
        QVERIFY(familiesConsistent(*doc));
    }
    QVERIFY(bodyOf(*doc) == first);
    QVERIFY(!doc->undoSnapshots().undo(*doc));
    QCOMPARE(doc->undoSnapshots().redoName(), u"step 0"_qs);
    for (int i = 1; i <= 100; ++i)
        QVERIFY(doc->undoSnapshots().redo(*doc));
    QVERIFY(bodyOf(*doc) == states.last());
    QCOMPARE(doc->redoAvailable, 0);
}

void TestUndo::depthBounds_data()
{
    QTest::addColumn<int>("depth");
    QTest::addColumn<int>("edits");
    QTest::addColumn<int>("kept");
    QTest::newRow("one, as before") << 1 << 5 << 1;
    QTest::newRow("three of five") << 3 << 5 << 3;
    QTest::newRow("below the range") << 0 << 3 << 1;
    QTest::newRow("above the range") << 5000 << 3 << 3;
}

// The oldest steps go when the depth is reached; lowering the depth drops them too.
void TestUndo::depthBounds()
{
    QFETCH(int, depth);
    QFETCH(int, edits);
    QFETCH(int, kept);
    Fixture fx;
    fx.profile->writeInt(UndoSnapshots::depthKey(), depth);
    auto doc = fx.makeDoc();
    makeBase(*doc);
    QString applied;
    for (int i = 0; i < edits; ++i) {
        runStep(*doc, QStringLiteral("a"));
        applied += u'a';
    }
    QCOMPARE(doc->undoSnapshots().undoCount(), kept);
    for (int i = 0; i < edits; ++i)
        doc->undo();
    QVERIFY(bodyOf(*doc) == stateOf(fx.profile.get(), applied.left(edits - kept)));
    doc->undoSnapshots().setDepth(1);
    QCOMPARE(doc->undoSnapshots().redoCount(), 1);
    QVERIFY(doc->undoSnapshots().bytes() > 0);
}

// Steps with one merge key in quick succession are one step; another key, or a pause
// of a second, starts a new one.
void TestUndo::quickStepsMerge()
{
    Fixture fx;
    fx.profile->writeInt(UndoSnapshots::depthKey(), 100);
    auto doc = fx.makeDoc();
    makeBase(*doc);
    const QByteArray before = bodyOf(*doc);
    for (int i = 0; i < 10; ++i) {
        doc->takeUndoSnapshot(QStringLiteral("移動"), QStringLiteral("nudge 1"));
        applyEdit(*doc, u'a');
    }
    QCOMPARE(doc->undoSnapshots().undoCount(), 1);
    QCOMPARE(doc->undoStepName(), u"移動"_qs);
    doc->takeUndoSnapshot(QStringLiteral("移動"), QStringLiteral("nudge 2"));
    applyEdit(*doc, u'a');
    QCOMPARE(doc->undoSnapshots().undoCount(), 2);
    QTest::qWait(UndoSnapshots::MergeMilliseconds + 100);
    doc->takeUndoSnapshot(QStringLiteral("移動"), QStringLiteral("nudge 2"));
    QCOMPARE(doc->undoSnapshots().undoCount(), 3);
    doc->undo();
    doc->undo();
    doc->undo();
    QVERIFY(bodyOf(*doc) == before);
    QCOMPARE(doc->redoStepName(), u"移動"_qs);
    // After an undo the same key starts a new step.
    doc->redo();
    doc->takeUndoSnapshot(QStringLiteral("移動"), QStringLiteral("nudge 1"));
    QCOMPARE(doc->undoSnapshots().undoCount(), 2);
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

// Two documents on one data folder (two copies of the program) keep steps of their own
// and never restore each other's documents.
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
}

void TestUndo::placedRecordsStayPlaced_data()
{
    QTest::addColumn<bool>("reopen");
    QTest::newRow("undo in template mode") << false;
    QTest::newRow("a reopened document") << true;
}

// 17 reserved records on 17 postcards; template mode, one nudge, undo (or the document
// saved and opened again first), back to data mode: every card holds its record again.
void TestUndo::placedRecordsStayPlaced()
{
    QFETCH(bool, reopen);
    Fixture fx;
    fx.profile->writeInt(UndoSnapshots::depthKey(), UndoSnapshots::DefaultDepth);
    auto doc = fx.makeDoc();
    doc->newDocument();
    CLabelSheetTemplate& t = doc->labelTemplate();
    t.sheets.clear();
    Sheet card;
    card.rect = Rect{0, 0, 1000, -1480};
    t.sheets.append(card);
    TextRect name;
    name.rect = Rect{100, -100, 900, -300};
    name.attribute = QStringLiteral("氏名(R)");
    t.regions.append(name);
    for (int i = 1; i <= 17; ++i) {
        CAddressData& g = doc->addressBook().group(0);
        g.appendRecord(recordValues(QStringLiteral("A-%1").arg(i), QStringLiteral("名前%1").arg(i)));
        g.setFlag(i - 1, 1);
    }
    const QDate today(2026, 12, 8);
    Pagination::buildFromReservation(*doc, today, nullptr);
    QCOMPARE(doc->pageCount(), 17);
    if (reopen) {
        const QString path = fx.path(QStringLiteral("cards.ond"));
        QCOMPARE(DocumentFile::save(*doc, path), QString());
        doc = fx.makeDoc();
        QCOMPARE(DocumentFile::open(*doc, path), QString());
        QCOMPARE(doc->recordList().recordCount(), 0); // the file does not hold it
    }

    ModeSwitch::enterTemplateMode(*doc);
    doc->selection().textRect = 0;
    QVERIFY(LayoutEdits::moveSelection(*doc, 10, 0));
    if (!reopen)
        doc->undo();
    const ModeSwitch::RecordMerger merger = [&today](CORINOTEDoc& d, ProgressReporter*) {
        Pagination::mergeHeldRecords(d, today, nullptr);
    };
    QCOMPARE(ModeSwitch::enterDataMode(*doc, merger), QString());
    QCOMPARE(doc->pageCount(), 17);
    for (int i = 0; i < 17; ++i)
        QCOMPARE(doc->textRects().text(i), QStringLiteral("名前%1").arg(i + 1));
}

QTEST_GUILESS_MAIN(TestUndo)
#include "tst_undo.moc"
