// The shell's rules without a window: command states, page commands, zoom, status texts,
// grid snapping, display settings, recent files, mode switches, the data-mode form's
// operations, the template preview and the document session's save question.

#include "app/CommandIds.h"
#include "app/CommandState.h"
#include "app/DataFormEditor.h"
#include "app/DisplaySettings.h"
#include "app/DocumentSession.h"
#include "app/ModeSwitch.h"
#include "app/PageNavigation.h"
#include "app/RecentFiles.h"
#include "app/RegionListModel.h"
#include "app/SoftwareSettings.h"
#include "app/StatusTexts.h"
#include "app/TemplatePreview.h"
#include "app/ViewGeometry.h"
#include "app/ZoomControl.h"
#include "edit/GridSnap.h"
#include "model/CORINOTEDoc.h"
#include "model/DocumentFile.h"
#include "model/MemoryProfile.h"
#include "model/PageBuilder.h"
#include "model/TemplateFile.h"
#include "prompts/ProgressCounter.h"
#include "prompts/SessionPrompts.h"
#include "render/RegionPreview.h"
#include "support/MemoryDocument.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace CommandIds;

namespace {

// A template of `sheets` sheets side by side on A4, with `regions` text regions on the
// first sheet.
void makeTemplate(CORINOTEDoc& doc, int sheets, int regions)
{
    CLabelSheetTemplate& t = doc.labelTemplate();
    t.sheets.clear();
    t.regions.clear();
    for (int s = 0; s < sheets; ++s) {
        Sheet sheet;
        sheet.rect = Rect{s * 1000, -100, s * 1000 + 900, -1000};
        t.sheets.append(sheet);
    }
    for (int r = 0; r < regions; ++r) {
        TextRect region;
        region.rect = Rect{100, -200 - r * 100, 600, -280 - r * 100};
        region.attribute = QStringLiteral("固定%1").arg(r);
        region.font = FontRecord::make(QStringLiteral("ＭＳ 明朝"), -80, 0);
        t.regions.append(region);
    }
}

// Answers the session's questions from a script and records what was asked.
class ScriptedPrompts : public SessionPrompts
{
public:
    Answer answer = Answer::Cancel;
    QString openPath;
    QString savePath;
    QStringList questions;
    QStringList messages;
    QStringList saveSuggestions;

    Answer askSaveChanges(const QString& question) override
    {
        questions.append(question);
        return answer;
    }
    QString chooseOpenPath() override { return openPath; }
    QString chooseSavePath(const QString& suggestion) override
    {
        saveSuggestions.append(suggestion);
        return savePath;
    }
    void showMessage(const QString& text) override { messages.append(text); }
};

struct Fixture : MemoryDocument
{
    QString path(const QString& name) const { return dir.filePath(name); }
};

} // namespace

Q_DECLARE_METATYPE(SessionPrompts::Answer)

class TestAppCore : public QObject
{
    Q_OBJECT
private slots:
    void pageNavigation_data();
    void pageNavigation();
    void commandStates_data();
    void commandStates();
    void printingCommandStates_data();
    void printingCommandStates();
    void gridSnap_data();
    void gridSnap();
    void statusTexts_data();
    void statusTexts();
    void selectedRectFollowsMode();
    void screenExtent_data();
    void screenExtent();
    void pointerToPaper();
    void zoomWheel_data();
    void zoomWheel();
    void displaySettingsDefaultsAndWrite();
    void recentFiles();
    void progressPercent_data();
    void progressPercent();
    void templatePreview_data();
    void templatePreview();
    void templatePreviewMapping_data();
    void templatePreviewMapping();
    void templatePreviewPaints();
    void dataModeRefusedWithoutSheet();
    void dataModeBuildsPages();
    void templateModeResetsEditing();
    void dataFormApply_data();
    void dataFormApply();
    void dataFormClearAndSelect();
    void regionList();
    void regionPreviewPlacement_data();
    void regionPreviewPlacement();
    void savePrompt_data();
    void savePrompt();
    void failedOpenLeavesUsableDocument();
    void unopenableFileKeepsDocument_data();
    void unopenableFileKeepsDocument();
    void openWithdrawsUndo();
    void saveAsNamesAndRemembers();
    void failedSaveKeepsState();
    void softwareSettingsApply();
};

void TestAppCore::pageNavigation_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("target");

    QTest::newRow("first on 1") << int(FirstPage) << 1 << 5 << false << 1;
    QTest::newRow("first on 3") << int(FirstPage) << 3 << 5 << true << 1;
    QTest::newRow("previous on 1") << int(PreviousPage) << 1 << 5 << false << 1;
    QTest::newRow("previous on 2") << int(PreviousPage) << 2 << 5 << true << 1;
    QTest::newRow("next on last") << int(NextPage) << 5 << 5 << false << 5;
    QTest::newRow("next on 4") << int(NextPage) << 4 << 5 << true << 5;
    QTest::newRow("next single page") << int(NextPage) << 1 << 1 << false << 1;
    QTest::newRow("last on 2") << int(LastPage) << 2 << 5 << true << 5;
    QTest::newRow("last on last") << int(LastPage) << 5 << 5 << false << 5;
    QTest::newRow("ten back on 10") << int(BackTenPages) << 10 << 30 << false << 10;
    QTest::newRow("ten back on 11") << int(BackTenPages) << 11 << 30 << true << 1;
    QTest::newRow("ten forward 20/30") << int(ForwardTenPages) << 20 << 30 << true << 30;
    QTest::newRow("ten forward 21/30") << int(ForwardTenPages) << 21 << 30 << false << 21;
    // A page left beyond a shorter document is never moved further out.
    QTest::newRow("next beyond count") << int(NextPage) << 7 << 5 << false << 7;
    QTest::newRow("previous beyond count") << int(PreviousPage) << 7 << 5 << true << 6;
}

void TestAppCore::pageNavigation()
{
    QFETCH(int, command);
    QFETCH(int, current);
    QFETCH(int, count);
    QFETCH(bool, enabled);
    QFETCH(int, target);
    QCOMPARE(PageNavigation::isEnabled(command, current, count), enabled);
    QCOMPARE(PageNavigation::target(command, current, count), target);
}

void TestAppCore::commandStates_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<bool>("templateMode");
    QTest::addColumn<int>("zoomIndex");
    QTest::addColumn<bool>("undo");
    QTest::addColumn<int>("recent");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("checked");

    QTest::newRow("new, data mode") << int(FileNew) << false << 1 << false << 0 << true << false;
    // The file commands work from template mode too (the window applies the template).
    QTest::newRow("new, template mode")
        << int(FileNew) << true << 1 << false << 0 << true << false;
    QTest::newRow("save as, template")
        << int(FileSaveAs) << true << 1 << false << 0 << true << false;
    QTest::newRow("open template, template")
        << int(OpenTemplate) << true << 1 << false << 0 << true << false;
    QTest::newRow("zoom in at 4") << int(ZoomIn) << false << 4 << false << 0 << true << false;
    QTest::newRow("zoom in at 5") << int(ZoomIn) << false << 5 << false << 0 << false << false;
    QTest::newRow("zoom out at 0") << int(ZoomOut) << false << 0 << false << 0 << false << false;
    QTest::newRow("zoom out at 1") << int(ZoomOut) << false << 1 << false << 0 << true << false;
    QTest::newRow("undo offered") << int(EditUndo) << false << 1 << true << 0 << true << false;
    QTest::newRow("undo not offered")
        << int(EditUndo) << false << 1 << false << 0 << false << false;
    QTest::newRow("redo not offered") << int(EditRedo) << false << 1 << true << 0 << false << false;
    QTest::newRow("template mode checked")
        << int(TemplateMode) << true << 1 << false << 0 << true << true;
    QTest::newRow("data mode unchecked")
        << int(DataMode) << true << 1 << false << 0 << true << false;
    QTest::newRow("data mode checked") << int(DataMode) << false << 1 << false << 0 << true << true;
    QTest::newRow("recent 2 of 2")
        << int(RecentFile1 + 1) << false << 1 << false << 2 << true << false;
    QTest::newRow("recent 3 of 2")
        << int(RecentFile1 + 2) << false << 1 << false << 2 << false << false;
    QTest::newRow("recent in template")
        << int(RecentFile1) << true << 1 << false << 2 << true << false;
    QTest::newRow("edit display") << int(EditDisplay) << false << 1 << false << 0 << true << true;
    QTest::newRow("grid 0 checked") << int(GridNone) << false << 1 << false << 0 << true << true;
    QTest::newRow("grid 5 unchecked") << int(Grid5mm) << false << 1 << false << 0 << true << false;
    // Tool 0 is current in template mode; the object tool bar is the template's.
    QTest::newRow("add-sheet tool")
        << int(ToolAddSheet) << true << 1 << false << 0 << true << true;
    QTest::newRow("add-sheet tool, data mode")
        << int(ToolAddSheet) << false << 1 << false << 0 << false << false;
    // The position and size dialogs list every object: they are always offered.
    QTest::newRow("sheet positions") << int(SheetPosition) << false << 1 << false << 0 << true
                                     << false;
    // Text import says itself why it cannot run.
    QTest::newRow("text import") << int(ImportText) << false << 1 << false << 0 << true << false;
    QTest::newRow("next page, template")
        << int(NextPage) << true << 1 << false << 0 << false << false;
    for (const int unbuilt :
         {int(FilePrint), int(PrintSetup), int(AddressBookWindow), int(CsvFile), int(Database),
          int(PicturePrint), int(PrintSettings), int(TestPrint), int(ClearReservation),
          int(TextFont), int(RegionSplit), int(LineDistribute),
          int(DeleteSelection)})
        QTest::addRow("nothing selected %d", unbuilt)
            << unbuilt << false << 1 << true << 4 << false << false;
}

void TestAppCore::commandStates()
{
    QFETCH(int, command);
    QFETCH(bool, templateMode);
    QFETCH(int, zoomIndex);
    QFETCH(bool, undo);
    QFETCH(int, recent);
    QFETCH(bool, enabled);
    QFETCH(bool, checked);

    Fixture f;
    f.doc->templateMode = templateMode ? 1 : 0;
    f.doc->editTool = templateMode ? 0 : -1;
    f.doc->setZoomIndex(zoomIndex);
    f.doc->undoAvailable = undo ? 1 : 0;
    CommandContext c = CommandContext::fromDocument(*f.doc);
    c.recentFileCount = recent;
    const CommandState s = CommandStates::evaluate(command, c);
    QCOMPARE(s.enabled, enabled);
    QCOMPARE(s.checked, checked);
}

void TestAppCore::printingCommandStates_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<bool>("inData");
    QTest::addColumn<bool>("inTemplate");
    // The pages are printed, from template mode after the template is applied; the sheet
    // order is a template command.
    QTest::newRow("print") << int(FilePrint) << true << true;
    QTest::newRow("test print") << int(TestPrint) << true << true;
    QTest::newRow("PDF") << int(ExportPdf) << true << true;
    QTest::newRow("print settings") << int(PrintSettings) << true << true;
    QTest::newRow("address book") << int(AddressBookWindow) << true << true;
    QTest::newRow("clear reservation") << int(ClearReservation) << true << true;
    QTest::newRow("reload reservation") << int(ReloadReservation) << true << true;
    QTest::newRow("sheet order") << int(SheetOrder) << false << true;
}

void TestAppCore::printingCommandStates()
{
    QFETCH(int, command);
    QFETCH(bool, inData);
    QFETCH(bool, inTemplate);
    CommandContext c;
    c.printingAvailable = true;
    QCOMPARE(CommandStates::evaluate(command, c).enabled, inData);
    c.templateMode = true;
    QCOMPARE(CommandStates::evaluate(command, c).enabled, inTemplate);
}

void TestAppCore::gridSnap_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("unit");
    QTest::addColumn<int>("snapped");

    QTest::newRow("none") << 1234 << 0 << 1234;
    QTest::newRow("unknown unit") << 1234 << 3 << 1234;
    QTest::newRow("1mm down") << 14 << 1 << 10;
    QTest::newRow("1mm half up") << 15 << 1 << 20;
    QTest::newRow("1mm negative half") << -15 << 1 << -20;
    QTest::newRow("1mm negative") << -14 << 1 << -10;
    QTest::newRow("5mm") << 124 << 5 << 100;
    QTest::newRow("5mm half") << 125 << 5 << 150;
    QTest::newRow("10mm") << -2949 << 10 << -2900;
    QTest::newRow("10mm half") << -2950 << 10 << -3000;
    QTest::newRow("extreme") << INT32_MAX << 10 << INT32_MAX / 100 * 100;
}

void TestAppCore::gridSnap()
{
    QFETCH(int, value);
    QFETCH(int, unit);
    QFETCH(int, snapped);
    QCOMPARE(GridSnap::snap(value, unit), snapped);
}

void TestAppCore::statusTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("cursor outside")
        << StatusTexts::cursor(std::nullopt) << QStringLiteral("カーソルの現在座標");
    QTest::newRow("cursor below top")
        << StatusTexts::cursor(Point{1234, -567}) << QStringLiteral("X = 123.4mm, Y = 56.7mm");
    QTest::newRow("cursor at origin")
        << StatusTexts::cursor(Point{0, 0}) << QStringLiteral("X = 0.0mm, Y = 0.0mm");
    QTest::newRow("cursor above paper")
        << StatusTexts::cursor(Point{-5, 20}) << QStringLiteral("X = -0.5mm, Y = -2.0mm");
    QTest::newRow("nothing selected")
        << StatusTexts::selection(std::nullopt) << QStringLiteral("選択されている領域");
    QTest::newRow("region") << StatusTexts::selection(Rect{300, -200, 800, -300})
                            << QStringLiteral("X = 30.0mm, Y = 20.0mm, 縦 = 10.0mm, 横 = 50.0mm");
    QTest::newRow("page 1 of 1") << StatusTexts::pageIndicator(1, 1)
                                 << QStringLiteral("    1 /    1 ページ ");
    QTest::newRow("page 12 of 345")
        << StatusTexts::pageIndicator(12, 345) << QStringLiteral("   12 /  345 ページ ");
    QTest::newRow("page 12345") << StatusTexts::pageIndicator(12345, 12345)
                                << QStringLiteral("  12345 /  12345 ページ ");
}

void TestAppCore::statusTexts()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(text, expected);
}

void TestAppCore::selectedRectFollowsMode()
{
    Fixture f;
    makeTemplate(*f.doc, 2, 1);
    PageBuilder::buildPageOne(*f.doc);
    QVERIFY(!StatusTexts::selectedRect(*f.doc));
    f.doc->textRects().setRect(1, Rect{10, -20, 30, -40});
    f.doc->selection().textRect = 1;
    QCOMPARE(*StatusTexts::selectedRect(*f.doc), (Rect{10, -20, 30, -40}));
    // Template mode reads the template's region 1, which does not exist: the sheet then.
    f.doc->templateMode = 1;
    f.doc->selection().sheet = 1;
    QCOMPARE(*StatusTexts::selectedRect(*f.doc), f.doc->labelTemplate().sheets.rect(1));
}

void TestAppCore::screenExtent_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<double>("zoom");
    QTest::addColumn<double>("scale");

    // A client of 700 × 990 pixels: A4's 2100 × 2970 units fill it at 1/3 pixel a unit.
    QTest::newRow("A4 at 1.0") << 2100 << 2970 << 1.0 << 1.0 / 3;
    QTest::newRow("A4 at 2.0") << 2100 << 2970 << 2.0 << 2.0 / 3;
    QTest::newRow("210.1 mm wide uses A3") << 2101 << 2970 << 1.0 << 990.0 / 4200;
    QTest::newRow("297.1 mm high uses A3") << 2100 << 2971 << 1.0 << 990.0 / 4200;
    QTest::newRow("postcard at 0.5") << 1000 << 1480 << 0.5 << 1.0 / 6;
}

void TestAppCore::screenExtent()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(double, zoom);
    QFETCH(double, scale);
    const QTransform t =
        ViewGeometry::transform(Rect{0, 0, width, -height}, zoom, QSize(700, 990), QPoint());
    QVERIFY2(qAbs(t.m11() - scale) < 1e-3, QByteArray::number(t.m11()));
    QVERIFY2(qAbs(t.m22() + scale) < 1e-3, QByteArray::number(t.m22()));
}

void TestAppCore::pointerToPaper()
{
    const Rect a4{0, 0, 2100, -2970};
    // 1/3 pixel per unit, a margin of 20 mm (67 pixels) round the paper, scrolled by 30
    // pixels down.
    QCOMPARE(ViewGeometry::marginPixels(a4, 1.0, QSize(700, 990)), 67);
    const QTransform t = ViewGeometry::transform(a4, 1.0, QSize(700, 990), QPoint(0, 30));
    QCOMPARE(*ViewGeometry::toPaper(t, QPointF(167, 137)), (Point{300, -300}));
    QCOMPARE(StatusTexts::cursor(ViewGeometry::toPaper(t, QPointF(167, 137))),
             QStringLiteral("X = 30.0mm, Y = 30.0mm"));
    // What lies beyond the left and top edges is in view.
    QCOMPARE(*ViewGeometry::toPaper(t, QPointF(34, 4)), (Point{-99, 99}));
    QVERIFY(!ViewGeometry::toPaper(QTransform(0, 0, 0, 0, 0, 0), QPointF(1, 1)));
    QCOMPARE(ViewGeometry::scrollMaxima(a4, 2.0, QSize(700, 990)), QSize(700 + 266, 990 + 266));
    QCOMPARE(ViewGeometry::scrollMaxima(a4, 1.0, QSize(700, 990)), QSize(134, 134));
    QCOMPARE(ViewGeometry::scrollMaxima(a4, 0.5, QSize(700, 990)), QSize(0, 0));
}

void TestAppCore::zoomWheel_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<QList<int>>("deltas");
    QTest::addColumn<int>("end");
    QTest::addColumn<bool>("changed");

    QTest::newRow("one notch forward") << 1 << QList<int>{120} << 2 << true;
    QTest::newRow("one notch back") << 1 << QList<int>{-120} << 0 << true;
    QTest::newRow("forward at 5") << 5 << QList<int>{120} << 5 << false;
    QTest::newRow("back at 0") << 0 << QList<int>{-120} << 0 << false;
    QTest::newRow("half notches add up") << 2 << QList<int>{60, 60} << 3 << true;
    QTest::newRow("half notch only") << 2 << QList<int>{60} << 2 << false;
    QTest::newRow("reversal drops rest") << 2 << QList<int>{60, -60, 60} << 2 << false;
    QTest::newRow("three notches at once") << 0 << QList<int>{360} << 3 << true;
    QTest::newRow("runs into the end") << 4 << QList<int>{480} << 5 << true;
}

void TestAppCore::zoomWheel()
{
    QFETCH(int, start);
    QFETCH(QList<int>, deltas);
    QFETCH(int, end);
    QFETCH(bool, changed);
    MemoryProfile profile;
    CORINOTEDoc doc(&profile);
    doc.setZoomIndex(start);
    ZoomControl zoom;
    bool anyChange = false;
    for (const int d : deltas)
        anyChange = zoom.wheel(doc, d) || anyChange;
    QCOMPARE(doc.zoomIndex(), end);
    QCOMPARE(anyChange, changed);
}

void TestAppCore::displaySettingsDefaultsAndWrite()
{
    MemoryProfile empty;
    const DisplaySettings d = DisplaySettings::read(empty);
    QVERIFY(!d.grid && !d.regionNumbers && !d.sheetNumbers && !d.lineNumbers && !d.paperPicture);
    QCOMPARE(d.gridUnit, 0);
    QVERIFY(!d.preview);

    DisplaySettings changed = d;
    changed.grid = true;
    changed.gridUnit = 10;
    changed.lineNumbers = true;
    changed.preview = true;
    MemoryProfile out;
    changed.write(out);
    const QStringList keys{QStringLiteral("DISPGRID"), QStringLiteral("GRIDNUM"),
                           QStringLiteral("RNUM"),     QStringLiteral("LNUM"),
                           QStringLiteral("KNUM"),     QStringLiteral("DISPSPIC")};
    for (const QString& key : keys)
        QVERIFY2(out.readInt(key, -7) != -7, qPrintable(key));
    QCOMPARE(out.readInt(QStringLiteral("DISPGRID"), -1), 1);
    QCOMPARE(out.readInt(QStringLiteral("GRIDNUM"), -1), 10);
    QCOMPARE(out.readInt(QStringLiteral("KNUM"), -1), 1);
    QCOMPARE(out.readInt(QStringLiteral("LNUM"), -1), 0);
    // The preview flag is not kept.
    QVERIFY(!DisplaySettings::read(out).preview);
    QCOMPARE(DisplaySettings::read(out).rendererOptions().keisennNumbers, true);
}

void TestAppCore::recentFiles()
{
    RecentFiles r;
    for (const char* name : {"/d/a.ond", "/d/b.ond", "/d/c.ond", "/d/d.ond", "/d/e.ond"})
        r.add(QString::fromLatin1(name));
    QCOMPARE(r.files(), (QStringList{QStringLiteral("/d/e.ond"), QStringLiteral("/d/d.ond"),
                                     QStringLiteral("/d/c.ond"), QStringLiteral("/d/b.ond")}));
    r.add(QStringLiteral("/d/x/../c.ond"));
    QCOMPARE(r.files().first(), QStringLiteral("/d/c.ond"));
    QCOMPARE(r.count(), 4);

    MemoryProfile profile;
    r.save(profile);
    profile.writeString(QStringLiteral("File4"), QStringLiteral("/d/e.ond")); // a repeat
    RecentFiles back;
    back.load(profile);
    QCOMPARE(back.count(), 3);
    QCOMPARE(back.files().first(), QStringLiteral("/d/c.ond"));

    RecentFiles amp;
    amp.add(QStringLiteral("/d/A&B.ond"));
    QCOMPARE(amp.menuText(0), QStringLiteral("&1 /d/A&&B.ond"));
    amp.removeAt(5);
    amp.removeAt(0);
    QCOMPARE(amp.count(), 0);
}

void TestAppCore::progressPercent_data()
{
    QTest::addColumn<int>("total");
    QTest::addColumn<int>("done");
    QTest::addColumn<int>("percent");
    QTest::newRow("nothing done") << 200 << 0 << 0;
    QTest::newRow("half") << 200 << 100 << 50;
    QTest::newRow("all") << 7 << 7 << 100;
    QTest::newRow("no total") << 0 << 3 << 0;
    QTest::newRow("over") << 10 << 30 << 100;
    QTest::newRow("large") << 2000000000 << 1000000000 << 50;
}

void TestAppCore::progressPercent()
{
    QFETCH(int, total);
    QFETCH(int, done);
    QFETCH(int, percent);
    ProgressCounter c;
    c.start(total);
    c.setDone(done);
    QCOMPARE(c.percent(), percent);
}

void TestAppCore::templatePreview_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("loaded");
    QTest::newRow("template") << QStringLiteral("template") << true;
    QTest::newRow("not a template") << QStringLiteral("garbage") << false;
    QTest::newRow("truncated") << QStringLiteral("truncated") << false;
    QTest::newRow("empty file") << QStringLiteral("empty") << false;
    QTest::newRow("missing") << QStringLiteral("missing") << false;
    QTest::newRow("folder") << QStringLiteral("folder") << false;
}

void TestAppCore::templatePreview()
{
    QFETCH(QString, kind);
    QFETCH(bool, loaded);
    Fixture f;
    makeTemplate(*f.doc, 3, 2);
    f.doc->labelTemplate().paperRect = Rect{0, 0, 1000, -1480};
    const QString good = f.path(QStringLiteral("good.ont"));
    QVERIFY(TemplateFile::save(*f.doc, good).isEmpty());

    QString path = f.path(kind);
    if (kind == QLatin1String("template")) {
        path = good;
    } else if (kind == QLatin1String("folder")) {
        path = f.dir.path();
    } else if (kind != QLatin1String("missing")) {
        QFile in(good);
        QVERIFY(in.open(QIODevice::ReadOnly));
        QByteArray bytes = in.readAll();
        if (kind == QLatin1String("garbage"))
            bytes = QByteArray(64, '\xff');
        else if (kind == QLatin1String("truncated"))
            bytes.chop(9);
        else
            bytes.clear();
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }

    TemplatePreview preview;
    QCOMPARE(preview.load(path), loaded);
    QCOMPARE(preview.isLoaded(), loaded);
    const QString expected =
        loaded ? QStringLiteral("【用紙サイズ】　100.0 × 148.0 mm\r\n【シート数】　3\r\n"
                                "【文字列編集領域数】　2\r\n")
               : QStringLiteral("【用紙サイズ】\r\n【シート数】\r\n【文字列編集領域数】\r\n");
    QCOMPARE(preview.text(), expected);
}

void TestAppCore::templatePreviewMapping_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QPointF>("corner");

    // The paper's bottom-right corner in a 210 × 297 box.
    QTest::newRow("A4 fills the box") << 2100 << 2970 << QPointF(210, 297);
    QTest::newRow("postcard") << 1000 << 1480 << QPointF(100, 148);
    QTest::newRow("210.1 mm wide: A3 scale")
        << 2101 << 2970 << QPointF(2101 * 210.0 / 2970, 2970 * 297.0 / 4200);
    QTest::newRow("A3") << 2970 << 4200 << QPointF(210, 297);
}

void TestAppCore::templatePreviewMapping()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QPointF, corner);
    const Rect paper{0, 0, width, -height};
    const QTransform m = TemplatePreview::mapping(paper, QRectF(10, 20, 210, 297));
    const QPointF p = m.map(QPointF(width, -height));
    QVERIFY2(qAbs(p.x() - 10 - corner.x()) < 1e-6 && qAbs(p.y() - 20 - corner.y()) < 1e-6,
             qPrintable(QStringLiteral("%1, %2").arg(p.x()).arg(p.y())));
    QCOMPARE(m.map(QPointF(0, 0)), QPointF(10, 20));
}

void TestAppCore::templatePreviewPaints()
{
    Fixture f;
    makeTemplate(*f.doc, 1, 0);
    f.doc->labelTemplate().paperRect = Rect{0, 0, 1050, -1485}; // half of A4
    const QString path = f.path(QStringLiteral("small.ont"));
    QVERIFY(TemplateFile::save(*f.doc, path).isEmpty());

    QImage image(200, 300, QImage::Format_RGB32);
    TemplatePreview preview;
    for (const bool load : {false, true}) {
        image.fill(Qt::red);
        if (load)
            QVERIFY(preview.load(path));
        QPainter painter(&image);
        preview.paint(painter, image.rect());
        painter.end();
        QCOMPARE(image.pixelColor(199, 299), QColor(Qt::black));     // the border
        QCOMPARE(image.pixelColor(150, 250), QColor(128, 128, 128)); // outside the paper
        // Inside the paper (the upper-left quarter of the box) only when loaded.
        QCOMPARE(image.pixelColor(20, 20) == QColor(Qt::white), load);
    }
}

void TestAppCore::dataModeRefusedWithoutSheet()
{
    Fixture f;
    makeTemplate(*f.doc, 0, 0);
    f.doc->templateMode = 1;
    const int sheets = f.doc->sheets().size();
    bool merged = false;
    const QString message = ModeSwitch::enterDataMode(
        *f.doc, [&merged](CORINOTEDoc&, ProgressReporter*) { merged = true; });
    QCOMPARE(message, QStringLiteral("シートは必ず1つ以上設定してください。"));
    QCOMPARE(f.doc->templateMode, 1);
    QCOMPARE(f.doc->sheets().size(), sheets);
    QCOMPARE(f.doc->undoAvailable, 0);
    QVERIFY(!merged);
}

void TestAppCore::dataModeBuildsPages()
{
    Fixture f;
    makeTemplate(*f.doc, 3, 2);
    f.doc->templateMode = 1;
    f.doc->editTool = 3;
    f.doc->currentPage = 9;
    f.doc->selection().textRect = 1;
    f.doc->selection().keisenns = {0};
    f.doc->scalars().currentSheetNo = 3;
    int mergedWithMode = -1;
    const QString message =
        ModeSwitch::enterDataMode(*f.doc, [&mergedWithMode](CORINOTEDoc& d, ProgressReporter*) {
            mergedWithMode = d.templateMode;
        });
    QVERIFY(message.isEmpty());
    QCOMPARE(mergedWithMode, 0);
    QCOMPARE(f.doc->templateMode, 0);
    QCOMPARE(f.doc->editTool, -1);
    QCOMPARE(f.doc->sheets().size(), 3);
    QCOMPARE(f.doc->textRects().size(), 6); // the design repeated on every sheet
    QCOMPARE(f.doc->textRects().sheetNo(5), 3);
    QCOMPARE(f.doc->selection().textRect, -1);
    QVERIFY(f.doc->selection().keisenns.isEmpty());
    QCOMPARE(f.doc->scalars().currentSheetNo, 1);
    QCOMPARE(f.doc->currentPage, 1); // kept within the one page there is
    // The pages that were replaced can be brought back.
    QCOMPARE(f.doc->undoAvailable, 1);
}

void TestAppCore::templateModeResetsEditing()
{
    Fixture f;
    f.doc->selection().sheet = 0;
    f.doc->selection().group = {ObjectRef{ObjectRef::TextRectKind, 0}};
    f.doc->scalars().currentSheetNo = 4;
    ModeSwitch::enterTemplateMode(*f.doc);
    QCOMPARE(f.doc->templateMode, 1);
    QCOMPARE(f.doc->editTool, 1); // the sheet select tool: a first click adds nothing
    // Back with the select tool of the family last used.
    for (const auto& [used, back] : {std::pair{8, 3}, std::pair{5, 6}, std::pair{0, 1}}) {
        f.doc->editTool = used;
        QVERIFY(ModeSwitch::enterDataMode(*f.doc).isEmpty());
        ModeSwitch::enterTemplateMode(*f.doc);
        QCOMPARE(f.doc->editTool, back);
    }
    QCOMPARE(f.doc->selection().sheet, -1);
    QVERIFY(f.doc->selection().group.isEmpty());
    QCOMPARE(f.doc->scalars().currentSheetNo, 1);
}

void TestAppCore::dataFormApply_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("layer");
    QTest::addColumn<QString>("message");

    QTest::newRow("change") << 3 << 4 << QString();
    QTest::newRow("layer 11") << 3 << 11 << QStringLiteral("レイヤーの値が正しくありません。");
    QTest::newRow("layer 0") << 3 << 0 << QStringLiteral("レイヤーの値が正しくありません。");
    QTest::newRow("no row") << -1 << 2 << QStringLiteral("アイテムを選択してください。");
    QTest::newRow("row past the end") << 6 << 2 << QStringLiteral("アイテムを選択してください。");
    // The layer is checked first.
    QTest::newRow("no row, layer 11")
        << -1 << 11 << QStringLiteral("レイヤーの値が正しくありません。");
}

void TestAppCore::dataFormApply()
{
    QFETCH(int, row);
    QFETCH(int, layer);
    QFETCH(QString, message);
    Fixture f;
    makeTemplate(*f.doc, 3, 2);
    PageBuilder::buildPageOne(*f.doc);
    const TextRectFamily before = f.doc->textRects();
    QCOMPARE(DataFormEditor::apply(*f.doc, row, QStringLiteral("山田 太郎"), layer, nullptr),
             message);
    if (!message.isEmpty()) {
        QVERIFY(f.doc->textRects() == before);
        QVERIFY(!f.doc->isModified());
        QCOMPARE(f.doc->undoAvailable, 0);
        return;
    }
    QCOMPARE(f.doc->textRects().text(row), QStringLiteral("山田 太郎"));
    QCOMPARE(f.doc->textRects().layer(row), layer);
    QVERIFY(f.doc->isModified());
    QCOMPARE(f.doc->undoAvailable, 1);
    f.doc->undo();
    QCOMPARE(f.doc->textRects().text(row), QString());
}

void TestAppCore::dataFormClearAndSelect()
{
    Fixture f;
    makeTemplate(*f.doc, 2, 3);
    PageBuilder::buildPageOne(*f.doc);
    // A second page: sheets 3 and 4 with their regions.
    for (int s = 0; s < 2; ++s)
        f.doc->sheets().append(f.doc->sheets().at(s));
    for (int r = 0; r < 6; ++r)
        f.doc->textRects().append(f.doc->textRects().at(r));
    QCOMPARE(f.doc->pageCount(), 2);
    QCOMPARE(DataFormEditor::pageOfRegion(*f.doc, 5), 1);
    QCOMPARE(DataFormEditor::pageOfRegion(*f.doc, 6), 2);

    DataFormEditor::selectRegion(*f.doc, 7);
    QCOMPARE(f.doc->selection().textRect, 7);
    QCOMPARE(f.doc->currentPage, 2);

    f.doc->textRects().setText(7, QStringLiteral("x"));
    QCOMPARE(DataFormEditor::clear(*f.doc, -1), QStringLiteral("アイテムを選択してください。"));
    QVERIFY(DataFormEditor::clear(*f.doc, 7).isEmpty());
    QCOMPARE(f.doc->textRects().text(7), QString());
    QCOMPARE(f.doc->selection().textRect, -1);
    QVERIFY(f.doc->isModified());

    f.doc->selection().keisenns = {1};
    f.doc->selection().textRect = 2;
    f.doc->selection().group = {{ObjectRef::TextRectKind, 2}, {ObjectRef::TextRectKind, 5}};
    DataFormEditor::setDisplayedLayer(*f.doc, 3);
    QCOMPARE(f.doc->displayedLayer, 3);
    QCOMPARE(f.doc->selection().textRect, -1);
    QVERIFY(f.doc->selection().keisenns.isEmpty());
    QVERIFY(f.doc->selection().group.isEmpty());
}

void TestAppCore::regionList()
{
    Fixture f;
    makeTemplate(*f.doc, 2, 2);
    PageBuilder::buildPageOne(*f.doc);
    TextRectFamily& r = f.doc->textRects();
    r.setText(1, QStringLiteral("東京都"));
    r.setLayer(1, 7);
    r.setBackColorOff(1, 0);
    r.setBackColor(1, 0x0000FF);
    r.setBackPicture(2, QStringLiteral("/p.png"));
    r.setBackColorOff(3, 0); // drawn, but white: no colour of its own
    RegionListModel model(*f.doc);
    QCOMPARE(model.rowCount(), 4);
    QCOMPARE(model.columnCount(), 5);
    const auto cell = [&model](int row, int column) {
        return model.data(model.index(row, column)).toString();
    };
    QCOMPARE(cell(1, RegionListModel::NumberColumn), QStringLiteral("2"));
    QCOMPARE(cell(1, RegionListModel::TextColumn), QStringLiteral("東京都"));
    QCOMPARE(cell(1, RegionListModel::LayerColumn), QStringLiteral("7"));
    QCOMPARE(cell(3, RegionListModel::SheetColumn), QStringLiteral("2"));
    QCOMPARE(cell(3, RegionListModel::PageColumn), QStringLiteral("1"));
    const auto kind = [&model](int row) {
        return model.data(model.index(row, 0), RegionListModel::IconKindRole).toInt();
    };
    QCOMPARE(kind(0), int(RegionListModel::PlainIcon));
    QCOMPARE(kind(1), int(RegionListModel::ColorIcon));
    QCOMPARE(kind(2), int(RegionListModel::PictureIcon));
    QCOMPARE(kind(3), int(RegionListModel::PlainIcon));
    QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("文字列"));

    r.removeAt(0);
    model.refreshRows(); // a changed row count rebuilds
    QCOMPARE(model.rowCount(), 3);
}

void TestAppCore::regionPreviewPlacement_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QRect>("expected");
    // Box 200 × 100 at (10, 10).
    QTest::newRow("small, centred") << QSize(50, 20) << QRect(85, 50, 50, 20);
    QTest::newRow("wide, scaled down") << QSize(400, 100) << QRect(10, 35, 200, 50);
    QTest::newRow("tall, scaled down") << QSize(100, 400) << QRect(97, 10, 25, 100);
    QTest::newRow("exact") << QSize(200, 100) << QRect(10, 10, 200, 100);
    QTest::newRow("empty") << QSize() << QRect();
}

void TestAppCore::regionPreviewPlacement()
{
    QFETCH(QSize, picture);
    QFETCH(QRect, expected);
    QCOMPARE(RegionPreview::pictureRect(picture, QRect(10, 10, 200, 100)), expected);
}

void TestAppCore::savePrompt_data()
{
    QTest::addColumn<bool>("modified");
    QTest::addColumn<bool>("named");
    QTest::addColumn<SessionPrompts::Answer>("answer");
    QTest::addColumn<bool>("saveDialogGivesName");
    QTest::addColumn<bool>("proceeds");
    QTest::addColumn<bool>("saved");

    using A = SessionPrompts::Answer;
    QTest::newRow("unmodified: no question")
        << false << false << A::Cancel << false << true << false;
    QTest::newRow("cancel") << true << false << A::Cancel << true << false << false;
    QTest::newRow("discard") << true << false << A::Discard << true << true << false;
    QTest::newRow("save, untitled, named") << true << false << A::Save << true << true << true;
    QTest::newRow("save, untitled, dialog cancelled")
        << true << false << A::Save << false << false << false;
    QTest::newRow("save, named file") << true << true << A::Save << false << true << true;
}

void TestAppCore::savePrompt()
{
    QFETCH(bool, modified);
    QFETCH(bool, named);
    QFETCH(SessionPrompts::Answer, answer);
    QFETCH(bool, saveDialogGivesName);
    QFETCH(bool, proceeds);
    QFETCH(bool, saved);

    Fixture f;
    ScriptedPrompts prompts;
    DocumentSession session(*f.doc, f.profile, &prompts);
    const QString named1 = f.path(QStringLiteral("named.ond"));
    if (named) {
        prompts.savePath = named1;
        QVERIFY(session.saveAs());
        QFile::remove(named1);
    }
    f.doc->setModified(modified);
    prompts.answer = answer;
    const QString target = f.path(QStringLiteral("chosen"));
    prompts.savePath = saveDialogGivesName ? target : QString();

    // New document: the question first, then the new document when allowed.
    f.doc->scalars().templateName = QStringLiteral("marker");
    QCOMPARE(session.newDocument(), proceeds);
    QCOMPARE(prompts.questions.size(), modified ? 1 : 0);
    if (modified) {
        QCOMPARE(prompts.questions.first(),
                 named ? QStringLiteral("named.ond への変更を保存しますか?")
                       : QStringLiteral("無題 への変更を保存しますか?"));
    }
    QCOMPARE(f.doc->scalars().templateName == QStringLiteral("marker"), !proceeds);
    const QString savedFile = named ? named1 : target + QStringLiteral(".ond");
    QCOMPARE(QFile::exists(savedFile), saved);
    if (!proceeds)
        QVERIFY(f.doc->isModified());
    if (proceeds)
        QCOMPARE(session.title(), QStringLiteral("無題"));
}

void TestAppCore::failedOpenLeavesUsableDocument()
{
    Fixture f;
    ScriptedPrompts prompts;
    DocumentSession session(*f.doc, f.profile, &prompts);
    const QString bad = f.path(QStringLiteral("bad.ond"));
    QFile out(bad);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write("\x01\x02", 2);
    out.close();
    QSignalSpy replaced(&session, &DocumentSession::documentReplaced);

    QVERIFY(!session.openFile(bad));
    QCOMPARE(prompts.messages.size(), 1);
    QVERIFY(prompts.messages.first().startsWith(
        QStringLiteral("ドキュメントを開くことに失敗しました。")));
    // Not an empty shell without sheets: a new document, untitled.
    QCOMPARE(f.doc->labelTemplate().sheets.size(), 1);
    QCOMPARE(f.doc->sheets().size(), 1);
    QCOMPARE(session.title(), QStringLiteral("無題"));
    QCOMPARE(replaced.size(), 1);
    QCOMPARE(session.recentFiles().count(), 0);
}

void TestAppCore::unopenableFileKeepsDocument_data()
{
    QTest::addColumn<bool>("recent");
    QTest::addColumn<bool>("folder"); // else the file has gone

    QTest::newRow("recent file moved away") << true << false;
    QTest::newRow("dropped file gone") << false << false;
    QTest::newRow("a folder") << false << true;
}

// A file that cannot be opened at all costs nothing: the document, its name, its unsaved
// changes and its undo stay; only the recent entry that led nowhere goes.
void TestAppCore::unopenableFileKeepsDocument()
{
    QFETCH(bool, recent);
    QFETCH(bool, folder);
    Fixture f;
    ScriptedPrompts prompts;
    prompts.answer = SessionPrompts::Answer::Discard;
    DocumentSession session(*f.doc, f.profile, &prompts);
    const QString mine = f.path(QStringLiteral("mine.ond"));
    const QString other = f.path(QStringLiteral("other.ond"));
    makeTemplate(*f.doc, 2, 1);
    PageBuilder::buildPageOne(*f.doc);
    QVERIFY(DocumentFile::save(*f.doc, other).isEmpty());
    QVERIFY(session.openFile(other)); // the recent list: other.ond
    prompts.savePath = mine;
    QVERIFY(session.saveAs()); // then mine.ond, the open one
    f.doc->takeUndoSnapshot();
    f.doc->textRects().setText(0, QStringLiteral("まだ保存していない"));
    f.doc->setModified(true);
    QVERIFY(QFile::remove(other));
    if (folder)
        QVERIFY(QDir().mkdir(other));
    QSignalSpy replaced(&session, &DocumentSession::documentReplaced);

    QVERIFY(recent ? !session.openRecent(1) : !session.openFile(other));
    QCOMPARE(prompts.messages,
             QStringList{QStringLiteral("ドキュメントを開くことに失敗しました。")});
    QCOMPARE(replaced.size(), 0);
    QCOMPARE(session.title(), QStringLiteral("mine.ond"));
    QCOMPARE(f.doc->textRects().text(0), QStringLiteral("まだ保存していない"));
    QVERIFY(f.doc->isModified());
    QCOMPARE(f.doc->undoAvailable, 1);
    QCOMPARE(session.recentFiles().files().contains(other), !recent);
}

void TestAppCore::openWithdrawsUndo()
{
    Fixture f;
    ScriptedPrompts prompts;
    DocumentSession session(*f.doc, f.profile, &prompts);
    const QString path = f.path(QStringLiteral("doc.ond"));
    makeTemplate(*f.doc, 2, 1);
    PageBuilder::buildPageOne(*f.doc);
    QVERIFY(DocumentFile::save(*f.doc, path).isEmpty());

    f.doc->takeUndoSnapshot();
    f.doc->currentPage = 3;
    QCOMPARE(f.doc->undoAvailable, 1);
    prompts.openPath = path;
    QVERIFY(session.open());
    QCOMPARE(f.doc->undoAvailable, 0);
    QCOMPARE(f.doc->redoAvailable, 0);
    QCOMPARE(f.doc->currentPage, 1);
    QCOMPARE(session.title(), QStringLiteral("doc.ond"));
    QCOMPARE(session.windowTitle(), QStringLiteral("doc.ond - ORINOTE"));
    QCOMPARE(session.recentFiles().files().value(0), path);
    QCOMPARE(f.profile.readString(QStringLiteral("File1"), QString()), path);

    // A recent file that has gone away leaves the list.
    QVERIFY(QFile::remove(path));
    QVERIFY(!session.openRecent(0));
    QCOMPARE(session.recentFiles().count(), 0);
    QCOMPARE(f.profile.readString(QStringLiteral("File1"), QStringLiteral("?")), QString());
}

void TestAppCore::saveAsNamesAndRemembers()
{
    Fixture f;
    ScriptedPrompts prompts;
    DocumentSession session(*f.doc, f.profile, &prompts);
    f.doc->setModified(true);
    prompts.savePath = f.path(QStringLiteral("letters"));
    QVERIFY(session.save()); // before the first save: Save As
    QCOMPARE(prompts.saveSuggestions, QStringList{QStringLiteral("無題.ond")});
    QVERIFY(QFile::exists(f.path(QStringLiteral("letters.ond"))));
    QCOMPARE(session.title(), QStringLiteral("letters.ond"));
    QVERIFY(!f.doc->isModified());

    // Later saves go to the same file without asking.
    f.doc->setModified(true);
    prompts.savePath.clear();
    QVERIFY(session.save());
    QCOMPARE(prompts.saveSuggestions.size(), 1);
}

void TestAppCore::failedSaveKeepsState()
{
    Fixture f;
    ScriptedPrompts prompts;
    DocumentSession session(*f.doc, f.profile, &prompts);
    f.doc->setModified(true);
    prompts.savePath = f.path(QStringLiteral("no/such/folder/x.ond"));
    QVERIFY(!session.saveAs());
    QCOMPARE(prompts.messages.size(), 1);
    QVERIFY(prompts.messages.at(0).startsWith(QStringLiteral("ドキュメントの保存に失敗しました。\n")));
    QVERIFY(f.doc->isModified());
    QCOMPARE(session.title(), QStringLiteral("無題"));
    QCOMPARE(session.recentFiles().count(), 0);
    // Quitting with Save chosen and the save failing does not let the program end.
    prompts.answer = SessionPrompts::Answer::Save;
    QVERIFY(!session.saveModified());
}

void TestAppCore::softwareSettingsApply()
{
    Fixture f;
    SoftwareSettings s = SoftwareSettings::fromDocument(*f.doc);
    QCOMPARE(s.defaultTemplate, QString());
    QCOMPARE(s.environment.kanjiNumerals, 1);
    s.defaultTemplate = QStringLiteral("/t/往復はがき.ont");
    s.environment.fitData = 3;
    s.environment.sizeNewRegions = 0;
    s.apply(*f.doc);
    QCOMPARE(f.doc->environment().fitData, 3);
    QCOMPARE(f.profile.readString(QStringLiteral("STF"), QString()), s.defaultTemplate);
    QCOMPARE(f.profile.readInt(QStringLiteral("TROD"), -1), 3);
    QCOMPARE(f.profile.readInt(QStringLiteral("ARS"), -1), 0);
    QCOMPARE(f.profile.readInt(QStringLiteral("NTJ"), -1), 1);
}

QTEST_MAIN(TestAppCore)
#include "tst_appcore.moc"
