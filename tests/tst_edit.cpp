// Layout editing without a window: hit testing, the grid tracker, the ruled-line table,
// the selection and its group references, deleting, and the mouse tools driven by
// synthetic pointer events.

#include "edit/ArrowKeys.h"
#include "edit/EditLayout.h"
#include "edit/GridSnap.h"
#include "edit/HeldKeys.h"
#include "edit/LayoutClipboard.h"
#include "model/UndoSnapshots.h"
#include "edit/SheetBackgrounds.h"
#include "edit/GridRectTracker.h"
#include "edit/HitTest.h"
#include "edit/KeisennTable.h"
#include "edit/LayoutEdits.h"
#include "edit/ToolOverlayPainter.h"
#include "edit/ValueCheck.h"
#include "edit/tools/MouseTools.h"
#include "model/CORINOTEDoc.h"
#include "model/SettingsProfile.h"
#include "support/ProfileDocument.h"

#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

struct Fixture : ProfileDocument
{
    std::optional<KeisennTableOptions> tableAnswer;
    int tableAsked = 0;

    // Template mode over an A4 paper with two sheets side by side.
    Fixture()
    {
        CLabelSheetTemplate& t = doc->labelTemplate();
        t.sheets.clear();
        doc->addTemplateSheet(Rect{100, -100, 1000, -1000});
        doc->addTemplateSheet(Rect{1100, -100, 2000, -1000});
        doc->templateMode = 1;
    }
    CLabelSheetTemplate& tpl() { return doc->labelTemplate(); }
    void addRegion(const Rect& r, int layer = 1)
    {
        doc->addTemplateTextRegion(r, nullptr);
        tpl().regions.setLayer(tpl().regions.size() - 1, layer);
    }
    void addLine(Point a, Point b) { LayoutEdits::appendTemplateLine(*doc, a, b); }

    std::unique_ptr<MouseTool> tool(int editTool)
    {
        doc->editTool = editTool;
        ToolServices services;
        services.askTable = [this](const KeisennTableOptions&) {
            ++tableAsked;
            return tableAnswer;
        };
        return MouseTools::create(*doc, services);
    }
};

// A pointer event at a paper point; the view maps 1 unit to 1 pixel, y down.
ToolEvent at(qreal x, qreal y, Qt::KeyboardModifiers modifiers = Qt::NoModifier, int grid = 0)
{
    ToolEvent e;
    e.paper = QPointF(x, y);
    e.toPixels = QTransform(1, 0, 0, -1, 0, 0);
    e.modifiers = modifiers;
    e.gridUnit = grid;
    return e;
}

void drag(MouseTool& tool, QPointF from, QPointF to, Qt::KeyboardModifiers m = Qt::NoModifier,
          int grid = 0)
{
    tool.press(at(from.x(), from.y(), m, grid));
    tool.move(at((from.x() + to.x()) / 2, (from.y() + to.y()) / 2, m, grid));
    tool.move(at(to.x(), to.y(), m, grid));
    tool.release(at(to.x(), to.y(), m, grid));
}

QList<QList<int>> linesOf(const KeisennFamily& lines)
{
    QList<QList<int>> out;
    for (int i = 0; i < lines.size(); ++i)
        out.append({lines.start(i).x, lines.start(i).y, lines.end(i).x, lines.end(i).y});
    return out;
}

QList<QList<int>> rectsOf(const QList<Rect>& rects)
{
    QList<QList<int>> out;
    for (const Rect& r : rects)
        out.append({r.left, r.top, r.right, r.bottom});
    return out;
}

} // namespace

Q_DECLARE_METATYPE(Rect)
Q_DECLARE_METATYPE(KeisennTableOptions)

class TestEdit : public QObject
{
    Q_OBJECT
private slots:
    void bringIntoPaper();
    void clipboard_data();
    void clipboard();
    void clipboardBetweenTemplates();
    void sheetBackgroundPicture_data();
    void sheetBackgroundPicture();
    void heldKeys_data();
    void heldKeys();
    void nudgeKeepsOnPaper_data();
    void nudgeKeepsOnPaper();
    void hitRules_data();
    void hitRules();
    void regionLayers();
    void tracker_data();
    void tracker();
    void handles_data();
    void handles();
    void table_data();
    void table();
    void valueRanges();
    void clickSelection();
    void referencesFollowRemovals();
    void deleteSelection_data();
    void deleteSelection();
    void createByDrag_data();
    void createByDrag();
    void clickAdds();
    void trackMovesGroupInOneStep();
    void escapeStoresNothing();
    void lineDrawConstrained();
    void lineEditEnds_data();
    void lineEditEnds();
    void tableTool();
    void dataModeClicks();
    void arrowMoves();
    void clickMovesNothing_data();
    void clickMovesNothing();
    void arrowKeys_data();
    void arrowKeys();
    void selectionThroughUndo();
    void rubberBandsShow_data();
    void rubberBandsShow();
    void objectBeneath_data();
    void objectBeneath();
};

void TestEdit::hitRules_data()
{
    QTest::addColumn<qreal>("x");
    QTest::addColumn<qreal>("y");
    QTest::addColumn<bool>("inRect"); // of (100, -100, 300, -200)
    QTest::addColumn<bool>("onLine"); // of (0, -500)-(1000, -500)

    QTest::newRow("left edge belongs") << 100.0 << -150.0 << true << false;
    QTest::newRow("right edge does not") << 300.0 << -150.0 << false << false;
    QTest::newRow("top edge belongs") << 150.0 << -100.0 << true << false;
    QTest::newRow("bottom edge does not") << 150.0 << -200.0 << false << false;
    QTest::newRow("10 off the middle (excess 0.2)") << 500.0 << -490.0 << false << true;
    QTest::newRow("20 off the middle (excess 0.8)") << 500.0 << -520.0 << false << false;
    QTest::newRow("0.2 past the end (excess 0.4)") << 1000.2 << -500.0 << false << true;
    QTest::newRow("0.3 past the end (excess 0.6)") << 1000.3 << -500.0 << false << false;
}

void TestEdit::hitRules()
{
    QFETCH(qreal, x);
    QFETCH(qreal, y);
    QFETCH(bool, inRect);
    QFETCH(bool, onLine);
    QCOMPARE(HitTest::inRect(Rect{100, -100, 300, -200}, QPointF(x, y)), inRect);
    QCOMPARE(HitTest::onLine(Point{0, -500}, Point{1000, -500}, QPointF(x, y)), onLine);
}

void TestEdit::regionLayers()
{
    Fixture f;
    f.addRegion(Rect{200, -200, 600, -300}, 2);
    f.addRegion(Rect{200, -200, 600, -300}, 1);
    const EditLayout layout = EditLayout::of(*f.doc);
    const QPointF p(300, -250);
    QCOMPARE(HitTest::regionAt(layout, p, 0), 0); // all layers: the first in index order
    QCOMPARE(HitTest::regionAt(layout, p, 1), 1);
    QCOMPARE(HitTest::regionAt(layout, p, 3), -1);
    QCOMPARE(HitTest::sheetAt(layout, QPointF(1500, -500)), 1);
    QCOMPARE(HitTest::sheetAt(layout, QPointF(1050, -500)), -1);
}

void TestEdit::tracker_data()
{
    QTest::addColumn<int>("handle");
    QTest::addColumn<int>("grid");
    QTest::addColumn<QPointF>("travel");
    QTest::addColumn<Rect>("expected");   // from (113, -117, 513, -417)
    QTest::addColumn<Rect>("groupAfter"); // from (1000, -1000, 1200, -1100)

    QTest::newRow("top-left on 10 mm: right and bottom unsnapped")
        << 0 << 10 << QPointF(40, -40) << Rect{200, -200, 513, -417}
        << Rect{1087, -1083, 1200, -1100};
    QTest::newRow("bottom-right on 1 mm")
        << 2 << 1 << QPointF(14, -14) << Rect{113, -117, 530, -430}
        << Rect{1000, -1000, 1217, -1113};
    QTest::newRow("right edge only") << 5 << 5 << QPointF(20, 30) << Rect{113, -117, 550, -417}
                                     << Rect{1000, -1000, 1237, -1100};
    QTest::newRow("top edge only") << 4 << 0 << QPointF(20, 30) << Rect{113, -87, 513, -417}
                                   << Rect{1000, -970, 1200, -1100};
    QTest::newRow("inside keeps the size")
        << 8 << 5 << QPointF(30, -30) << Rect{150, -150, 550, -450}
        << Rect{1037, -1033, 1237, -1133};
    QTest::newRow("no grid follows the pointer")
        << 8 << 0 << QPointF(-13.4, 2.6) << Rect{100, -114, 500, -414}
        << Rect{987, -997, 1187, -1097};
    QTest::newRow("past the opposite edge")
        << 7 << 0 << QPointF(500, 0) << Rect{613, -117, 513, -417} << Rect{1500, -1000, 1200, -1100};
}

void TestEdit::tracker()
{
    QFETCH(int, handle);
    QFETCH(int, grid);
    QFETCH(QPointF, travel);
    QFETCH(Rect, expected);
    QFETCH(Rect, groupAfter);
    GridRectTracker t;
    const QPointF press(300, -300);
    t.begin(Rect{113, -117, 513, -417}, GridRectTracker::Handle(handle), press, grid,
            {Rect{1000, -1000, 1200, -1100}});
    t.moveTo(press + travel / 2);
    t.moveTo(press + travel);
    QCOMPARE(t.snapped(), expected);
    QCOMPARE(t.group().value(0), groupAfter);
    t.cancel();
    QCOMPARE(t.snapped(), (Rect{113, -117, 513, -417}));
    QCOMPARE(t.group().value(0), (Rect{1000, -1000, 1200, -1100}));
    QVERIFY(!t.isActive());
}

void TestEdit::handles_data()
{
    QTest::addColumn<QPointF>("pixel"); // over the pixel rectangle (10, 10)-(110, 60)
    QTest::addColumn<int>("handle");

    QTest::newRow("top-left") << QPointF(12, 13) << 0;
    QTest::newRow("top-right") << QPointF(108, 10) << 1;
    QTest::newRow("bottom-right") << QPointF(110, 60) << 2;
    QTest::newRow("bottom-left") << QPointF(8, 62) << 3;
    QTest::newRow("top") << QPointF(60, 11) << 4;
    QTest::newRow("right") << QPointF(113, 35) << 5;
    QTest::newRow("bottom") << QPointF(57, 60) << 6;
    QTest::newRow("left") << QPointF(10, 38) << 7;
    QTest::newRow("inside") << QPointF(40, 30) << 8;
    QTest::newRow("outside") << QPointF(200, 30) << -1;
}

void TestEdit::handles()
{
    QFETCH(QPointF, pixel);
    QFETCH(int, handle);
    QCOMPARE(int(GridRectTracker::handleAt(QRectF(10, 10, 100, 50), pixel)), handle);
}

void TestEdit::table_data()
{
    QTest::addColumn<KeisennTableOptions>("options");
    QTest::addColumn<QList<QList<int>>>("lines");
    QTest::addColumn<QList<QList<int>>>("sheets"); // added after the two of the fixture
    QTest::addColumn<QList<QList<int>>>("regions");

    // The table is dragged from (0, 0) to (200, -300): L 0, T 0, R 200, B -300.
    KeisennTableOptions o;
    o.rows = 3;
    o.columns = 2;
    QTest::newRow("3 x 2, frame and inner lines in order")
        << o
        << QList<QList<int>>{{0, 0, 200, 0},     {0, -300, 200, -300}, {0, 0, 0, -300},
                             {200, 0, 200, -300}, {0, -100, 200, -100}, {0, -200, 200, -200},
                             {100, 0, 100, -300}}
        << QList<QList<int>>{} << QList<QList<int>>{};

    KeisennTableOptions none;
    none.frameTop = none.frameBottom = none.frameLeft = none.frameRight = false;
    none.noInnerLines = true;
    QTest::newRow("1 x 1 without lines") << none << QList<QList<int>>{} << QList<QList<int>>{}
                                         << QList<QList<int>>{};

    KeisennTableOptions rows = none;
    rows.rows = 3;
    rows.sheetPerRow = true;
    QTest::newRow("a sheet per row")
        << rows << QList<QList<int>>{}
        << QList<QList<int>>{{0, 0, 200, -100}, {0, -100, 200, -200}, {0, -200, 200, -300}}
        << QList<QList<int>>{};

    KeisennTableOptions cells = none;
    cells.rows = 3;
    cells.columns = 3;
    cells.sheetPerRow = cells.sheetPerColumn = true;
    cells.frameLeft = true;
    QTest::newRow("a sheet per cell, truncated")
        << cells << QList<QList<int>>{{0, 0, 0, -300}}
        << QList<QList<int>>{{0, 0, 66, -100},      {66, 0, 133, -100},
                             {133, 0, 200, -100},   {0, -100, 66, -200},
                             {66, -100, 133, -200}, {133, -100, 200, -200},
                             {0, -200, 66, -300},   {66, -200, 133, -300},
                             {133, -200, 200, -300}}
        << QList<QList<int>>{};

    KeisennTableOptions gaps = none;
    gaps.columns = 2;
    gaps.regionPerCell = true;
    gaps.gapTop = 200; // with the bottom gap more than the row: both vertical gaps are 0
    gaps.gapBottom = 150;
    gaps.gapLeft = 10;
    gaps.gapRight = 20;
    QTest::newRow("gaps larger than the row ignored vertically only")
        << gaps << QList<QList<int>>{} << QList<QList<int>>{}
        << QList<QList<int>>{{10, 0, 80, -300}, {110, 0, 180, -300}};
}

void TestEdit::table()
{
    QFETCH(KeisennTableOptions, options);
    QFETCH(QList<QList<int>>, lines);
    QFETCH(QList<QList<int>>, sheets);
    QFETCH(QList<QList<int>>, regions);
    Fixture f;
    options.width = 7;
    options.color = 0x0000FF;
    KeisennTable::create(*f.doc, Rect{0, 0, 200, -300}, options);
    QCOMPARE(linesOf(f.tpl().keisenns), lines);
    QCOMPARE(rectsOf(f.tpl().sheets.rect().mid(2)), sheets);
    QCOMPARE(rectsOf(f.tpl().regions.rect()), regions);
    for (int i = 0; i < f.tpl().keisenns.size(); ++i) {
        QCOMPARE(f.tpl().keisenns.width(i), 7);
        QCOMPARE(f.tpl().keisenns.color(i), 0x0000FF);
    }
}

void TestEdit::valueRanges()
{
    using ValueCheck::Field;
    const QString bad = QStringLiteral("入力された数値は正しくありません。");
    const struct
    {
        Field field;
        qint64 low;
        qint64 high;
    } ranges[] = {{Field::X, 0, 2970},           {Field::Y, 0, 4200},
                  {Field::RegionWidth, 25, 2970}, {Field::RegionHeight, 25, 4200},
                  {Field::SheetWidth, 50, 2970},  {Field::SheetHeight, 50, 4200},
                  {Field::Layer, 1, 10},          {Field::LineWidth, 0, 30},
                  {Field::Bleed, 0, 100},         {Field::PrintOffset, -1000, 1000}};
    for (const auto& r : ranges) {
        QVERIFY(ValueCheck::check({{r.field, r.low}, {r.field, r.high}}).isEmpty());
        QCOMPARE(ValueCheck::check({{r.field, r.low}, {r.field, r.low - 1}}), bad);
        QCOMPARE(ValueCheck::check({{r.field, r.high + 1}}), bad);
    }
}

// A plain click replaces the selection, Ctrl+click adds to the group, a click beside
// everything empties it.
void TestEdit::clickSelection()
{
    Fixture f;
    auto sheets = f.tool(1);
    const Selection& s = f.doc->selection();
    sheets->press(at(500, -500));
    sheets->release(at(500, -500));
    QCOMPARE(s.sheet, 0);
    QVERIFY(s.group.isEmpty());
    sheets->press(at(1500, -500));
    sheets->release(at(1500, -500));
    QCOMPARE(s.sheet, 1);
    QCOMPARE(f.doc->scalars().currentSheetNo, 2);
    sheets->press(at(500, -500, Qt::ControlModifier));
    sheets->release(at(500, -500, Qt::ControlModifier));
    sheets->press(at(1500, -500, Qt::ControlModifier));
    sheets->release(at(1500, -500, Qt::ControlModifier));
    sheets->press(at(500, -500, Qt::ControlModifier));
    sheets->release(at(500, -500, Qt::ControlModifier));
    QCOMPARE(s.group, (QList<ObjectRef>{{ObjectRef::SheetKind, 0}, {ObjectRef::SheetKind, 1}}));
    sheets->press(at(1050, -500));
    QCOMPARE(s.sheet, -1);
    QVERIFY(s.group.isEmpty());
    QCOMPARE(f.doc->undoAvailable, 0); // clicks change nothing
}

void TestEdit::referencesFollowRemovals()
{
    Selection s;
    s.group = {{ObjectRef::TextRectKind, 4}, {ObjectRef::SheetKind, 2}, {ObjectRef::TextRectKind, 1},
               {ObjectRef::TextRectKind, 2}};
    s.textRect = 4;
    s.keisenns = {3, 1, 5};
    s.removed(ObjectRef::TextRectKind, 2);
    QCOMPARE(s.group, (QList<ObjectRef>{{ObjectRef::TextRectKind, 3},
                                        {ObjectRef::SheetKind, 2},
                                        {ObjectRef::TextRectKind, 1}}));
    QCOMPARE(s.textRect, 3);
    s.inserted(ObjectRef::SheetKind, 0);
    QCOMPARE(s.group.at(1), (ObjectRef{ObjectRef::SheetKind, 3}));
    s.keisennRemoved(3);
    QCOMPARE(s.keisenns, (QList<int>{1, 4}));
}

void TestEdit::deleteSelection_data()
{
    QTest::addColumn<int>("sheets");
    QTest::addColumn<int>("sheet");
    QTest::addColumn<QList<int>>("lines");
    QTest::addColumn<int>("region");
    QTest::addColumn<QString>("refusal");
    QTest::addColumn<QList<int>>("left"); // sheets, regions, lines

    QTest::newRow("the last sheet is refused")
        << 1 << 0 << QList<int>{} << -1 << QStringLiteral("これ以上シート枠を削除することはできません。")
        << QList<int>{1, 2, 3};
    QTest::newRow("a sheet before lines and regions")
        << 2 << 1 << QList<int>{0} << 0 << QString() << QList<int>{1, 2, 3};
    QTest::newRow("lines before a region")
        << 2 << -1 << QList<int>{2, 0} << 1 << QString() << QList<int>{2, 2, 1};
    QTest::newRow("a region") << 2 << -1 << QList<int>{} << 1 << QString() << QList<int>{2, 1, 3};
}

void TestEdit::deleteSelection()
{
    QFETCH(int, sheets);
    QFETCH(int, sheet);
    QFETCH(QList<int>, lines);
    QFETCH(int, region);
    QFETCH(QString, refusal);
    QFETCH(QList<int>, left);
    Fixture f;
    if (sheets == 1)
        f.tpl().sheets.removeAt(1);
    f.addRegion(Rect{200, -200, 400, -300});
    f.addRegion(Rect{200, -400, 400, -500});
    for (int i = 0; i < 3; ++i)
        f.addLine(Point{0, -100 * i}, Point{500, -100 * i});
    Selection& s = f.doc->selection();
    s.sheet = sheet;
    s.keisenns = lines;
    s.textRect = region;
    s.group = {{ObjectRef::TextRectKind, 0}, {ObjectRef::SheetKind, 0}};
    f.doc->setModified(false);

    QCOMPARE(LayoutEdits::deleteSelection(*f.doc), refusal);
    QCOMPARE((QList<int>{f.tpl().sheets.size(), f.tpl().regions.size(), f.tpl().keisenns.size()}),
             left);
    QCOMPARE(f.doc->isModified(), refusal.isEmpty());
    QCOMPARE(f.doc->undoAvailable, refusal.isEmpty() ? 1 : 0);
    if (refusal.isEmpty()) {
        QCOMPARE(s.sheet, -1);
        QVERIFY(s.group.isEmpty());
        f.doc->undo();
        QCOMPARE(f.tpl().sheets.size(), sheets);
        QCOMPARE(f.tpl().regions.size(), 2);
        QCOMPARE(f.tpl().keisenns.size(), 3);
    }
}

void TestEdit::createByDrag_data()
{
    QTest::addColumn<int>("tool");
    QTest::addColumn<QPointF>("to");
    QTest::addColumn<int>("sheets");
    QTest::addColumn<int>("regions");
    QTest::addColumn<Rect>("made");

    QTest::newRow("sheet dragged up-left, normalised")
        << 7 << QPointF(96, -94) << 3 << 0 << Rect{100, -100, 300, -300};
    QTest::newRow("region") << 8 << QPointF(504, -204) << 2 << 1 << Rect{300, -200, 500, -300};
    QTest::newRow("no area adds nothing") << 8 << QPointF(302, -260) << 2 << 0 << Rect{};
}

void TestEdit::createByDrag()
{
    QFETCH(int, tool);
    QFETCH(QPointF, to);
    QFETCH(int, sheets);
    QFETCH(int, regions);
    QFETCH(Rect, made);
    Fixture f;
    auto t = f.tool(tool);
    drag(*t, QPointF(303, -297), to, Qt::NoModifier, 5);
    QCOMPARE(f.tpl().sheets.size(), sheets);
    QCOMPARE(f.tpl().regions.size(), regions);
    const bool added = sheets + regions > 2;
    QCOMPARE(f.doc->undoAvailable, added ? 1 : 0);
    QCOMPARE(f.doc->isModified(), added);
    if (regions)
        QCOMPARE(f.tpl().regions.rect(0), made);
    else if (added)
        QCOMPARE(f.tpl().sheets.rect(2), made);
}

void TestEdit::clickAdds()
{
    Fixture f;
    f.doc->newObjectDefaults().regionWidth = 300;
    f.doc->newObjectDefaults().regionHeight = 80;
    auto t = f.tool(2);
    t->press(at(123, -456, Qt::NoModifier, 1));
    t->release(at(123, -456, Qt::NoModifier, 1));
    QCOMPARE(f.tpl().regions.rect(0), (Rect{120, -460, 420, -540}));
    QCOMPARE(f.tpl().regions.font(0).height, -80);
    auto s = f.tool(0);
    s->press(at(20, -20));
    QCOMPARE(f.tpl().sheets.rect(2), (Rect{20, -20, 120, -120}));
}

// Moving a region moves the group with it; the whole drag is one undo step that
// restores every rectangle.
void TestEdit::trackMovesGroupInOneStep()
{
    Fixture f;
    f.addRegion(Rect{200, -200, 400, -300});
    f.addRegion(Rect{500, -200, 700, -300});
    auto t = f.tool(3);
    t->press(at(550, -250, Qt::ControlModifier));
    t->release(at(550, -250, Qt::ControlModifier));
    drag(*t, QPointF(300, -250), QPointF(350, -350), Qt::ControlModifier, 0);
    QCOMPARE(f.tpl().regions.rect(0), (Rect{250, -300, 450, -400}));
    QCOMPARE(f.tpl().regions.rect(1), (Rect{550, -300, 750, -400}));
    QCOMPARE(f.doc->selection().textRect, 0); // still selected for the next nudge
    QCOMPARE(f.doc->selection().group.size(), 2);
    f.doc->undo();
    QCOMPARE(f.tpl().regions.rect(0), (Rect{200, -200, 400, -300}));
    QCOMPARE(f.tpl().regions.rect(1), (Rect{500, -200, 700, -300}));
    QCOMPARE(f.doc->undoAvailable, 0);
}

void TestEdit::escapeStoresNothing()
{
    Fixture f;
    f.addRegion(Rect{200, -200, 400, -300});
    f.addLine(Point{0, -600}, Point{900, -600});
    for (const int tool : {3, 6, 8, 4}) {
        auto t = f.tool(tool);
        const QPointF from = tool == 6 ? QPointF(450, -600) : QPointF(300, -250);
        t->press(at(from.x(), from.y()));
        t->move(at(from.x() + 100, from.y() - 100));
        QVERIFY2(t->isDragging(), qPrintable(QString::number(tool)));
        t->cancel();
        QVERIFY(!t->isDragging());
        t->release(at(from.x() + 100, from.y() - 100));
    }
    QCOMPARE(f.tpl().regions.size(), 1);
    QCOMPARE(f.tpl().regions.rect(0), (Rect{200, -200, 400, -300}));
    QCOMPARE(f.tpl().keisenns.size(), 1);
    QCOMPARE(f.tpl().keisenns.start(0), (Point{0, -600}));
    QCOMPARE(f.doc->undoAvailable, 0);
}

// Ctrl draws a vertical line that stops on a horizontal one under the pointer; Shift a
// horizontal one; a click draws nothing.
void TestEdit::lineDrawConstrained()
{
    Fixture f;
    f.addLine(Point{0, -503}, Point{900, -503});
    auto t = f.tool(4);
    drag(*t, QPointF(212, -100), QPointF(260, -504), Qt::ControlModifier, 0);
    drag(*t, QPointF(100, -100), QPointF(330, -140), Qt::ShiftModifier, 0);
    drag(*t, QPointF(100, -700), QPointF(100, -700));
    QCOMPARE(linesOf(f.tpl().keisenns), (QList<QList<int>>{
                                            {0, -503, 900, -503},
                                            {212, -100, 212, -503},
                                            {100, -100, 330, -100},
                                        }));
    QCOMPARE(f.tpl().keisenns.width(1), 1);
}

void TestEdit::lineEditEnds_data()
{
    QTest::addColumn<int>("keys"); // 0 none, 1 Home/Up (end point), 2 End/Down (start point)
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QList<int>>("line"); // the line picked at (100, -100)-(300, -100)

    QTest::newRow("both points") << 0 << 0 << QList<int>{150, -150, 350, -150};
    QTest::newRow("end only") << 1 << 0 << QList<int>{100, -100, 350, -150};
    QTest::newRow("start only") << 2 << 0 << QList<int>{150, -150, 300, -100};
    QTest::newRow("vertically") << 0 << int(Qt::ControlModifier)
                                << QList<int>{100, -150, 300, -150};
    QTest::newRow("end stops on a horizontal line")
        << 1 << int(Qt::ControlModifier) << QList<int>{100, -100, 300, -153};
}

void TestEdit::lineEditEnds()
{
    QFETCH(int, keys);
    QFETCH(int, modifiers);
    QFETCH(QList<int>, line);
    Fixture f;
    f.addLine(Point{100, -100}, Point{300, -100});
    f.addLine(Point{0, -153}, Point{900, -153});
    auto t = f.tool(6);
    const auto event = [&](qreal x, qreal y) {
        ToolEvent e = at(x, y, Qt::KeyboardModifiers(modifiers), 5);
        e.endKeyHeld = keys == 1;
        e.startKeyHeld = keys == 2;
        return e;
    };
    t->press(event(200, -100));
    t->move(event(240, -130));
    t->move(event(250, -150));
    t->release(event(250, -150));
    QCOMPARE(linesOf(f.tpl().keisenns).value(0), line);
    QCOMPARE(f.doc->selection().keisenns, QList<int>{0});
    f.doc->undo();
    QCOMPARE(linesOf(f.tpl().keisenns).value(0), (QList<int>{100, -100, 300, -100}));
}

void TestEdit::tableTool()
{
    Fixture f;
    f.doc->newObjectDefaults().lineWidth = 4;
    auto t = f.tool(5);
    drag(*t, QPointF(0, 0), QPointF(200, -300)); // cancelled dialog
    QCOMPARE(f.tableAsked, 1);
    QCOMPARE(f.doc->undoAvailable, 0);
    KeisennTableOptions o;
    o.rows = 2;
    f.tableAnswer = o;
    drag(*t, QPointF(0, 0), QPointF(200, 0)); // no area: no question
    QCOMPARE(f.tableAsked, 1);
    drag(*t, QPointF(0, 0), QPointF(200, -300));
    QCOMPARE(f.tpl().keisenns.size(), 5);
    QCOMPARE(f.doc->undoAvailable, 1);
}

// Data mode: Shift+click sets the current sheet, a held Home picks a line of the page,
// a plain drag moves a region of the page only.
void TestEdit::dataModeClicks()
{
    Fixture f;
    f.addRegion(Rect{200, -200, 400, -300});
    f.addLine(Point{0, -600}, Point{900, -600});
    f.doc->templateMode = 0;
    CORINOTEDoc& d = *f.doc;
    d.sheets() = f.tpl().sheets;
    d.keisenns() = f.tpl().keisenns;
    for (int s = 0; s < 2; ++s) {
        TextRect r = f.tpl().regions.at(0);
        r.sheetNo = r.orderSheetNo = s + 1;
        d.textRects().append(r);
    }
    auto t = f.tool(3);
    t->press(at(1500, -500, Qt::ShiftModifier));
    QCOMPARE(d.scalars().currentSheetNo, 2);
    ToolEvent home = at(450, -600);
    home.endKeyHeld = true;
    t->press(home);
    QCOMPARE(d.selection().keisenns, QList<int>{0});
    drag(*t, QPointF(300, -250), QPointF(320, -250));
    QCOMPARE(d.textRects().rect(0), (Rect{220, -200, 420, -300}));
    QCOMPARE(f.tpl().regions.rect(0), (Rect{200, -200, 400, -300}));
}

// 用紙内に戻す moves what lies partly off the paper the least way back onto it, keeping its
// size, in one undo step; what lies on the paper stays.
void TestEdit::bringIntoPaper()
{
    Fixture f;
    f.tpl().paperRect = Rect{0, 0, 2100, -2970};
    f.addRegion(Rect{-300, -200, -100, -300}); // off the left edge
    f.addRegion(Rect{200, 100, 400, -50});      // over the top edge
    f.addRegion(Rect{500, -500, 700, -600});    // on the paper
    f.addLine(Point{1800, -3000}, Point{2300, -3000});
    QVERIFY(LayoutEdits::canBringIntoPaper(*f.doc));
    QCOMPARE(LayoutEdits::bringIntoPaper(*f.doc), 3);
    QCOMPARE(f.tpl().regions.rect(0), (Rect{0, -200, 200, -300}));
    QCOMPARE(f.tpl().regions.rect(1), (Rect{200, 0, 400, -150}));
    QCOMPARE(f.tpl().regions.rect(2), (Rect{500, -500, 700, -600}));
    QCOMPARE(f.tpl().keisenns.start(0), (Point{1600, -2970}));
    QCOMPARE(f.tpl().keisenns.end(0), (Point{2100, -2970}));
    QCOMPARE(f.doc->undoStepName(), QStringLiteral("用紙内に戻す"));
    QVERIFY(!LayoutEdits::canBringIntoPaper(*f.doc));
    QCOMPARE(LayoutEdits::bringIntoPaper(*f.doc), 0);
    f.doc->undo();
    QCOMPARE(f.tpl().regions.rect(0), (Rect{-300, -200, -100, -300}));
}

// Copy and paste, cut and duplicate within one template: the copy goes where the
// original is, and while that place is taken one grid step down and to the right; each
// is one undo step and selects what it added.
void TestEdit::clipboard_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("grid"); // paper units
    QTest::addColumn<int>("regions"); // afterwards
    QTest::addColumn<Rect>("last");   // the last region afterwards
    QTest::addColumn<QString>("step");
    QTest::newRow("paste, 5 mm grid") << "paste" << 50 << 3 << Rect{250, -250, 450, -350} << "貼り付け";
    QTest::newRow("paste twice, 1 mm grid") << "paste twice" << 10 << 4 << Rect{220, -220, 420, -320} << "貼り付け";
    QTest::newRow("duplicate, no grid") << "duplicate" << 0 << 3 << Rect{250, -250, 450, -350} << "複製";
    QTest::newRow("cut then paste") << "cut paste" << 50 << 2 << Rect{200, -200, 400, -300} << "貼り付け";
}

void TestEdit::clipboard()
{
    QFETCH(QString, how);
    QFETCH(int, grid);
    QFETCH(int, regions);
    QFETCH(Rect, last);
    QFETCH(QString, step);
    Fixture f;
    f.addRegion(Rect{200, -200, 400, -300});
    f.addRegion(Rect{600, -200, 800, -300});
    f.tpl().regions.setText(0, QStringLiteral("様"));
    f.doc->selection().textRect = 0;
    if (how == u"duplicate") {
        QCOMPARE(LayoutClipboard::duplicate(*f.doc, grid), 1);
    } else {
        std::unique_ptr<QMimeData> data = how.startsWith(u"cut") ? LayoutClipboard::cut(*f.doc)
                                                                  : LayoutClipboard::copy(*f.doc);
        QVERIFY(data);
        QVERIFY(data->text().contains(QStringLiteral("様")));
        QVERIFY(LayoutClipboard::canPaste(*f.doc, data.get()));
        QCOMPARE(LayoutClipboard::paste(*f.doc, *data, grid), 1);
        if (how == u"paste twice")
            QCOMPARE(LayoutClipboard::paste(*f.doc, *data, grid), 1);
    }
    QCOMPARE(f.tpl().regions.size(), regions);
    QCOMPARE(f.tpl().regions.rect(regions - 1), last);
    QCOMPARE(f.tpl().regions.text(regions - 1), QStringLiteral("様"));
    QCOMPARE(f.doc->selection().textRect, regions - 1);
    QCOMPARE(f.doc->undoStepName(), step);
    // One step each: undo takes the last paste back alone.
    f.doc->undo();
    QCOMPARE(f.tpl().regions.size(), how == u"paste twice" ? 3 : how == u"cut paste" ? 1 : 2);
}

// Between two templates opened one after the other: the pasted region keeps every
// attribute, lines and sheets come along; data that is not ours pastes nothing.
void TestEdit::clipboardBetweenTemplates()
{
    Fixture from;
    from.addRegion(Rect{200, -200, 400, -300}, 3);
    TextRectFamily& r = from.tpl().regions;
    FontRecord font = r.font(0);
    font.weight = 700;
    r.setFont(0, font);
    r.setTextColor(0, 0x0000FF);
    r.setBorderSides(0, BorderSides{1, 1, 0, 1});
    r.setBackPicture(0, QStringLiteral("/home/user/花.png"));
    r.setCharSpacing(0, 12);
    r.setText(0, QStringLiteral("御中"));
    from.addLine(Point{100, -900}, Point{900, -900});
    from.tpl().keisenns.setWidth(0, 7);
    from.doc->selection().textRect = 0;
    from.doc->selection().group = {{ObjectRef::SheetKind, 1}};
    from.doc->selection().keisenns = {0};
    std::unique_ptr<QMimeData> data = LayoutClipboard::copy(*from.doc);
    QVERIFY(data);
    QVERIFY(data->hasFormat(LayoutClipboard::mimeType()));

    Fixture into;
    into.tpl().sheets.clear();
    into.doc->addTemplateSheet(Rect{0, 0, 1000, -1480});
    QCOMPARE(LayoutClipboard::paste(*into.doc, *data, 50), 3);
    QCOMPARE(into.tpl().regions.size(), 1);
    TextRectFamily expected;
    expected.append(from.tpl().regions.at(0));
    TextRectFamily pasted;
    pasted.append(into.tpl().regions.at(0));
    QVERIFY(pasted == expected); // every attribute, the place too (it was free)
    QCOMPARE(into.tpl().sheets.size(), 2);
    QCOMPARE(into.tpl().sheets.rect(1), from.tpl().sheets.rect(1));
    QCOMPARE(into.tpl().keisenns.width(0), 7);
    QCOMPARE(into.doc->undoSnapshots().undoCount(), 1);

    QMimeData foreign;
    foreign.setData(LayoutClipboard::mimeType(), QByteArray("not ours at all"));
    QCOMPARE(LayoutClipboard::paste(*into.doc, foreign, 50), 0);
    QMimeData text;
    text.setText(QStringLiteral("御中"));
    QVERIFY(!LayoutClipboard::canPaste(*into.doc, &text));
    QCOMPARE(into.doc->undoSnapshots().undoCount(), 1);
}

// A picture path typed into the sheet background dialog meets the same check as one
// picked in its file dialog: a file that is no picture is refused and nothing is kept.
void TestEdit::sheetBackgroundPicture_data()
{
    QTest::addColumn<QString>("file"); // "" for none
    QTest::addColumn<bool>("accepted");
    QTest::newRow("none") << QString() << true;
    QTest::newRow("a picture") << QStringLiteral("paper.png") << true;
    QTest::newRow("a text file named .png") << QStringLiteral("notes.png") << false;
    QTest::newRow("missing") << QStringLiteral("gone.jpg") << false;
}

void TestEdit::sheetBackgroundPicture()
{
    QFETCH(QString, file);
    QFETCH(bool, accepted);
    Fixture f;
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::white);
    QVERIFY(image.save(f.dir.filePath(QStringLiteral("paper.png"))));
    QFile notes(f.dir.filePath(QStringLiteral("notes.png")));
    QVERIFY(notes.open(QIODevice::WriteOnly));
    notes.write("not a picture\n");
    notes.close();
    SheetBackgrounds b = SheetBackgrounds::load(*f.doc);
    SheetBackgrounds::Values v = b.at(0);
    v.picture = file.isEmpty() ? QString() : f.dir.filePath(file);
    const QString refusal = b.store(0, v);
    QCOMPARE(refusal.isEmpty(), accepted);
    if (!accepted)
        QCOMPARE(refusal, QStringLiteral("画像ファイルを読み込めません。"));
    QCOMPARE(b.at(0).picture, accepted ? v.picture : QString());
}

// Key events as "P120" (a press at 120 ms), "p120" (a press marked auto-repeat) and
// "R120" (a release): how many presses act, and whether the last one counted as held.
// X11 sends a held key as release/press pairs with one time, few of them marked.
void TestEdit::heldKeys_data()
{
    QTest::addColumn<QString>("events");
    QTest::addColumn<int>("acting");
    QTest::addColumn<bool>("lastHeld");
    QString pairs = QStringLiteral("P0");
    for (int t = 500; t <= 1500; t += 33)
        pairs += QStringLiteral(" R%1 P%1").arg(t);
    QTest::newRow("X11 pairs for 1.5 s, none marked") << pairs << 9 << true;
    QTest::newRow("presses marked, no releases")
        << QStringLiteral("P0 p500 p530 p560 p600 p650 p700") << 3 << true;
    QTest::newRow("unmarked presses, no releases") << QStringLiteral("P0 P40 P80 P130") << 2 << true;
    QTest::newRow("taps") << QStringLiteral("P0 R80 P200 R280 P400") << 3 << false;
    QTest::newRow("a quick double tap") << QStringLiteral("P0 R40 P90") << 2 << false;
}

void TestEdit::heldKeys()
{
    QFETCH(QString, events);
    QFETCH(int, acting);
    QFETCH(bool, lastHeld);
    HeldKeys keys;
    int acted = 0;
    HeldKeys::Press last;
    for (const QString& e : events.split(u' ')) {
        const qint64 ms = e.mid(1).toLongLong();
        if (e.startsWith(u'R')) {
            keys.release(Qt::Key_Left, false, ms);
            continue;
        }
        last = keys.press(Qt::Key_Left, e.startsWith(u'p'), ms);
        acted += last.accepted ? 1 : 0;
    }
    QCOMPARE(acted, acting);
    QCOMPARE(last.held, lastHeld);
}

// However far a nudge asks, a region, a sheet or a ruled line keeps 1 mm on the paper (a
// line across the move keeps all its thickness of none), and one already further out is
// neither pulled in nor taken further.
void TestEdit::nudgeKeepsOnPaper_data()
{
    QTest::addColumn<QString>("object");
    QTest::addColumn<Rect>("from"); // a line: (start.x, start.y, end.x, end.y)
    QTest::addColumn<QPoint>("by");
    QTest::addColumn<Rect>("to");
    QTest::addColumn<bool>("heldBack");
    const auto row = [](const char* name, const char* object, Rect from, QPoint by, Rect to, bool held) {
        QTest::newRow(name) << QString::fromLatin1(object) << from << by << to << held;
    };
    const Rect r{200, -200, 400, -300}, out{-500, -200, -300, -300}, line{200, -600, 900, -600};
    row("region far left", "region", r, QPoint(-5000, 0), Rect{-190, -200, 10, -300}, true);
    row("region far up", "region", r, QPoint(0, 5000), Rect{200, 90, 400, -10}, true);
    row("region far right and down", "region", r, QPoint(5000, -5000), Rect{2090, -2960, 2290, -3060}, true);
    row("region within", "region", r, QPoint(-100, 100), Rect{100, -100, 300, -200}, false);
    row("region already out, further", "region", out, QPoint(-100, 0), out, true);
    row("region already out, back", "region", out, QPoint(100, 0), Rect{-400, -200, -200, -300}, false);
    row("sheet far left", "sheet", Rect{100, -100, 1000, -1000}, QPoint(-3000, 0), Rect{-890, -100, 10, -1000}, true);
    row("horizontal line far left", "line", line, QPoint(-1000, 0), Rect{-690, -600, 10, -600}, true);
    row("horizontal line far down", "line", line, QPoint(0, -5000), Rect{200, -2970, 900, -2970}, true);
}

void TestEdit::nudgeKeepsOnPaper()
{
    QFETCH(QString, object);
    QFETCH(Rect, from);
    QFETCH(QPoint, by);
    QFETCH(Rect, to);
    QFETCH(bool, heldBack);
    Fixture f;
    f.tpl().paperRect = Rect{0, 0, 2100, -2970};
    Selection& s = f.doc->selection();
    const auto now = [&]() -> Rect {
        if (object == u"line") {
            const Point a = f.tpl().keisenns.start(0);
            const Point b = f.tpl().keisenns.end(0);
            return Rect{a.x, a.y, b.x, b.y};
        }
        return object == u"sheet" ? f.tpl().sheets.rect(0) : f.tpl().regions.rect(0);
    };
    if (object == u"line") {
        f.addLine(Point{from.left, from.top}, Point{from.right, from.bottom});
        s.keisenns = {0};
    } else if (object == u"sheet") {
        f.tpl().sheets.setRect(0, from);
        s.sheet = 0;
    } else {
        f.addRegion(from);
        s.textRect = 0;
    }
    bool held = false;
    LayoutEdits::moveSelection(*f.doc, by.x(), by.y(), &held);
    QCOMPARE(now(), to);
    QCOMPARE(held, heldBack);
}

void TestEdit::arrowMoves()
{
    Fixture f;
    f.addRegion(Rect{200, -200, 400, -300});
    QVERIFY(!LayoutEdits::moveSelection(*f.doc, 10, 0));
    f.doc->selection().textRect = 0;
    f.doc->selection().group = {{ObjectRef::SheetKind, 1}};
    QVERIFY(LayoutEdits::moveSelection(*f.doc, 10, -50));
    QCOMPARE(f.tpl().regions.rect(0), (Rect{210, -250, 410, -350}));
    QCOMPARE(f.tpl().sheets.rect(1), (Rect{1110, -150, 2010, -1050}));
    QCOMPARE(f.doc->undoAvailable, 1);
}

// A press and release that do not travel the drag distance select and change nothing,
// whatever the grid: objects whose edges are off the grid do not snap onto it, and the
// Ctrl+click group does not move with them.
void TestEdit::clickMovesNothing_data()
{
    QTest::addColumn<int>("grid");
    QTest::addColumn<int>("tool");
    QTest::addColumn<bool>("ctrl");
    QTest::addColumn<QPointF>("jitter");
    QTest::addColumn<qreal>("scale"); // view pixels per paper unit (zoom, pixel ratio)
    for (const int grid : {0, 1, 5, 10}) {
        for (const int tool : {1, 3}) {
            for (const bool ctrl : {false, true}) {
                for (const QPointF& jitter : {QPointF(0, 0), QPointF(1, -0.5)}) {
                    for (const qreal scale : {1.0, 2.0}) {
                        QTest::addRow("grid %d tool %d%s%s x%g", grid, tool, ctrl ? " ctrl" : "",
                                      jitter.isNull() ? "" : " jitter", scale)
                            << grid << tool << ctrl << jitter << scale;
                    }
                }
            }
        }
    }
}

void TestEdit::clickMovesNothing()
{
    QFETCH(int, grid);
    QFETCH(int, tool);
    QFETCH(bool, ctrl);
    QFETCH(QPointF, jitter);
    QFETCH(qreal, scale);
    Fixture f;
    f.tpl().sheets.setRect(0, Rect{13, -17, 987, -993});
    f.addRegion(Rect{203, -207, 407, -311});
    f.addRegion(Rect{503, -207, 707, -311});
    const QList<Rect> sheets{f.tpl().sheets.rect(0), f.tpl().sheets.rect(1)};
    const QList<Rect> regions{f.tpl().regions.rect(0), f.tpl().regions.rect(1)};
    auto t = f.tool(tool);
    const Qt::KeyboardModifiers m = ctrl ? Qt::ControlModifier : Qt::NoModifier;
    const QPointF other = tool == 1 ? QPointF(1500, -500) : QPointF(600, -250);
    const QPointF target = tool == 1 ? QPointF(500, -500) : QPointF(300, -250);
    for (const QPointF& p : {other, target}) {
        ToolEvent press = at(p.x(), p.y(), m, grid);
        ToolEvent release = at(p.x() + jitter.x(), p.y() + jitter.y(), m, grid);
        press.dragDistance = release.dragDistance = 4;
        press.toPixels = release.toPixels = QTransform(scale, 0, 0, -scale, 0, 0);
        t->press(press);
        t->move(release);
        t->release(release);
    }
    QCOMPARE(f.tpl().sheets.rect(0), sheets[0]);
    QCOMPARE(f.tpl().sheets.rect(1), sheets[1]);
    QCOMPARE(f.tpl().regions.rect(0), regions[0]);
    QCOMPARE(f.tpl().regions.rect(1), regions[1]);
    QCOMPARE(f.doc->undoAvailable, 0);
    QCOMPARE(tool == 1 ? f.doc->selection().sheet : f.doc->selection().textRect, 0);
    QCOMPARE(f.doc->selection().group.size(), ctrl ? 2 : 0);

    // Past the drag distance the same press drags, and the grid snaps what moved.
    ToolEvent from = at(target.x(), target.y(), Qt::NoModifier, grid);
    ToolEvent to = at(target.x() + 60, target.y() - 60, Qt::NoModifier, grid);
    from.dragDistance = to.dragDistance = 4;
    from.toPixels = to.toPixels = QTransform(scale, 0, 0, -scale, 0, 0);
    t->press(from);
    t->move(to);
    t->release(to);
    const Rect moved = tool == 1 ? f.tpl().sheets.rect(0) : f.tpl().regions.rect(0);
    const Rect before = tool == 1 ? sheets[0] : regions[0];
    QCOMPARE(moved.left, GridSnap::snap(before.left + 60, grid));
    QCOMPARE(f.doc->undoAvailable, 1);
    QCOMPARE(tool == 1 ? f.doc->selection().sheet : f.doc->selection().textRect, 0);
}

// Up and Down mark the ends of ruled lines in the line tool and in data mode: there they
// never move the selection, and a held key's repeats move nothing.
void TestEdit::arrowKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("repeat");
    QTest::addColumn<bool>("templateMode");
    QTest::addColumn<int>("tool");
    QTest::addColumn<int>("grid");
    QTest::addColumn<QPoint>("offset"); // (0, 0): the key moves nothing
    QTest::newRow("region tool, Up, no grid") << int(Qt::Key_Up) << false << true << 3 << 0 << QPoint(0, 1);
    QTest::newRow("region tool, Down, 5 mm") << int(Qt::Key_Down) << false << true << 3 << 5 << QPoint(0, -50);
    QTest::newRow("sheet tool, Left repeated, 1 mm") << int(Qt::Key_Left) << true << true << 1 << 1 << QPoint(-10, 0);
    QTest::newRow("line tool, Right, 10 mm") << int(Qt::Key_Right) << false << true << 6 << 10 << QPoint(100, 0);
    QTest::newRow("line tool, Up") << int(Qt::Key_Up) << false << true << 6 << 5 << QPoint();
    QTest::newRow("line tool, Down") << int(Qt::Key_Down) << false << true << 6 << 0 << QPoint();
    QTest::newRow("line tool, Left repeated") << int(Qt::Key_Left) << true << true << 6 << 5 << QPoint();
    QTest::newRow("data mode, Up") << int(Qt::Key_Up) << false << false << -1 << 5 << QPoint();
    QTest::newRow("data mode, Right") << int(Qt::Key_Right) << false << false << -1 << 0 << QPoint(1, 0);
    QTest::newRow("data mode, Right repeated") << int(Qt::Key_Right) << true << false << -1 << 0 << QPoint();
    QTest::newRow("Home") << int(Qt::Key_Home) << false << true << 3 << 0 << QPoint();
    QTest::newRow("a letter") << int(Qt::Key_A) << false << true << 3 << 0 << QPoint();
}

void TestEdit::arrowKeys()
{
    QFETCH(int, key);
    QFETCH(bool, repeat);
    QFETCH(bool, templateMode);
    QFETCH(int, tool);
    QFETCH(int, grid);
    QFETCH(QPoint, offset);
    QCOMPARE(ArrowKeys::nudge(key, repeat, templateMode, tool, grid).value_or(QPoint()), offset);
}

// A sheet drawn inside the full-page sheet can be taken: selected elsewhere, a drag on it
// moves it; a second click on the same spot or Alt+click picks it from beneath. A press on
// the outer half of a handle square sizes the selected region instead of deselecting it.
void TestEdit::objectBeneath_data()
{
    QTest::addColumn<int>("grid");
    QTest::addColumn<QString>("how");
    for (const int grid : {0, 5}) {
        for (const char* how : {"selected", "second click", "alt", "ctrl alt", "outer handle"})
            QTest::addRow("grid %d, %s", grid, how) << grid << QString::fromLatin1(how);
    }
}

void TestEdit::objectBeneath()
{
    QFETCH(int, grid);
    QFETCH(QString, how);
    Fixture f;
    f.tpl().sheets.setRect(0, Rect{0, 0, 2100, -2970});
    f.tpl().sheets.setRect(1, Rect{500, -500, 1000, -1000});
    f.addRegion(Rect{1200, -1200, 1600, -1400});
    const auto click = [&](MouseTool& t, QPointF p, Qt::KeyboardModifiers m = Qt::NoModifier) {
        ToolEvent e = at(p.x(), p.y(), m, grid);
        e.dragDistance = 4;
        t.press(e);
        t.release(e);
    };
    const auto dragBy = [&](MouseTool& t, QPointF from, QPointF by) {
        ToolEvent a = at(from.x(), from.y(), Qt::NoModifier, grid);
        ToolEvent b = at(from.x() + by.x(), from.y() + by.y(), Qt::NoModifier, grid);
        a.dragDistance = b.dragDistance = 4;
        t.press(a);
        t.move(b);
        t.release(b);
    };
    if (how == QLatin1String("outer handle")) {
        auto t = f.tool(3);
        click(*t, QPointF(1400, -1300));
        QCOMPARE(f.doc->selection().textRect, 0);
        dragBy(*t, QPointF(1197, -1197), QPointF(-100, 100)); // 3 px outside the corner
        QCOMPARE(f.tpl().regions.rect(0), (Rect{1100, -1100, 1600, -1400}));
        QCOMPARE(f.doc->selection().textRect, 0);
        QCOMPARE(f.doc->undoStepName(), QStringLiteral("サイズ変更"));
        return;
    }
    auto t = f.tool(1);
    if (how == QLatin1String("selected")) {
        f.doc->selection().sheet = 1; // as the left pane selects it
    } else {
        click(*t, QPointF(700, -700));
        QCOMPARE(f.doc->selection().sheet, 0);
        if (how == QLatin1String("alt"))
            click(*t, QPointF(800, -800), Qt::AltModifier);
        else if (how == QLatin1String("ctrl alt"))
            click(*t, QPointF(800, -800), Qt::ControlModifier | Qt::AltModifier);
        else
            click(*t, QPointF(701, -700));
    }
    QCOMPARE(f.doc->selection().sheet, 1);
    QVERIFY(f.doc->selection().group.isEmpty()); // picked, not gathered
    dragBy(*t, QPointF(700, -700), QPointF(100, -100));
    QCOMPARE(f.tpl().sheets.rect(0), (Rect{0, 0, 2100, -2970}));
    QCOMPARE(f.tpl().sheets.rect(1), (Rect{600, -600, 1100, -1100}));
    QCOMPARE(f.doc->selection().sheet, 1);
    QCOMPARE(f.doc->undoStepName(), QStringLiteral("移動"));
}

// Undo and redo keep the selection on the objects that are still there, so that the next
// nudge acts on them; a reference to an object the undo took away is dropped.
void TestEdit::selectionThroughUndo()
{
    Fixture f;
    f.addRegion(Rect{200, -200, 400, -300});
    f.addRegion(Rect{500, -200, 700, -300});
    f.addLine(Point{0, -600}, Point{900, -600});
    Selection& s = f.doc->selection();
    s.textRect = 1;
    s.group = {{ObjectRef::TextRectKind, 0}, {ObjectRef::TextRectKind, 1}};
    QVERIFY(LayoutEdits::moveSelection(*f.doc, 10, 0));
    f.doc->undo();
    QCOMPARE(s.textRect, 1);
    QCOMPARE(s.group.size(), 2);
    f.doc->redo();
    QCOMPARE(s.textRect, 1);
    QVERIFY(LayoutEdits::moveSelection(*f.doc, 10, 0)); // the next nudge still moves them
    QCOMPARE(f.tpl().regions.rect(0), (Rect{220, -200, 420, -300}));

    f.doc->takeUndoSnapshot();
    f.addRegion(Rect{800, -200, 900, -300});
    s.textRect = 2;
    s.group = {{ObjectRef::TextRectKind, 0}, {ObjectRef::TextRectKind, 2}};
    s.keisenns = {0};
    f.doc->undo();
    QCOMPARE(s.textRect, -1);
    QCOMPARE(s.group, (QList<ObjectRef>{{ObjectRef::TextRectKind, 0}}));
    QCOMPARE(s.keisenns, QList<int>{0});
}

// Every rubber band stands out from white paper and from a dark background: along its
// edge there are pixels far lighter or darker than the ground.
void TestEdit::rubberBandsShow_data()
{
    QTest::addColumn<QColor>("band");
    QTest::addColumn<QColor>("ground");
    for (const QColor& band : {QColor(Qt::magenta), QColor(Qt::yellow), QColor(Qt::cyan)}) {
        for (const QColor& ground : {QColor(Qt::white), QColor(0, 0, 0x80), QColor(Qt::yellow)})
            QTest::addRow("%s on %s", qPrintable(band.name()), qPrintable(ground.name()))
                << band << ground;
    }
}

void TestEdit::rubberBandsShow()
{
    QFETCH(QColor, band);
    QFETCH(QColor, ground);
    QImage image(200, 200, QImage::Format_RGB32);
    image.fill(ground);
    QPainter painter(&image);
    ToolOverlay o;
    o.shape = ToolOverlay::Rectangle;
    o.color = band;
    o.from = QPointF(50, 50);
    o.to = QPointF(150, 150);
    ToolOverlayPainter::paint(painter, o);
    painter.end();
    const auto lightness = [](const QColor& c) { return qGray(c.rgb()); };
    int seen = 0;
    for (int x = 50; x <= 150; ++x) {
        for (int y = 48; y <= 52; ++y) {
            if (std::abs(lightness(image.pixelColor(x, y)) - lightness(ground)) > 90) {
                ++seen;
                break;
            }
        }
    }
    QVERIFY2(seen > 25, qPrintable(QString::number(seen))); // a dotted line: one pixel in three
}

QTEST_MAIN(TestEdit)
#include "tst_edit.moc"
