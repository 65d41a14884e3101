// The arrange commands without a window: align and size to the last group member, centre
// on the paper, distribute, split, quarter turns, sheets alike, ruled lines into every
// sheet, fit to the background picture, the position lists, and when each is enabled.

#include "app/ArrangeCommands.h"
#include "app/CommandIds.h"
#include "edit/GroupArrange.h"
#include "edit/LineArrange.h"
#include "edit/PictureFit.h"
#include "edit/PositionEdit.h"
#include "edit/RectSplit.h"
#include "edit/RegionTurn.h"
#include "model/CORINOTEDoc.h"
#include "model/SettingsProfile.h"
#include "support/ProfileDocument.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace CommandIds;

namespace {

struct Fixture : ProfileDocument
{
    // Template mode, A4, one sheet over the paper, the regions given.
    explicit Fixture(const QList<Rect>& regions = {})
    {
        doc->templateMode = 1;
        doc->editTool = 3;
        for (const Rect& r : regions)
            doc->addTemplateTextRegion(r, nullptr);
    }
    CLabelSheetTemplate& tpl() { return doc->labelTemplate(); }
    void group(const QList<int>& regions)
    {
        for (const int i : regions)
            doc->selection().group.append({ObjectRef::TextRectKind, i});
    }
    void addLine(Point a, Point b)
    {
        Keisenn k;
        k.start = a;
        k.end = b;
        tpl().keisenns.append(k);
    }
};

QList<QList<int>> rectsOf(const QList<Rect>& rects)
{
    QList<QList<int>> out;
    for (const Rect& r : rects)
        out.append({r.left, r.top, r.right, r.bottom});
    return out;
}

} // namespace

Q_DECLARE_METATYPE(Rect)

class TestArrange : public QObject
{
    Q_OBJECT
private slots:
    void stepNames_data();
    void stepNames();
    void align_data();
    void align();
    void centre_data();
    void centre();
    void distributeLines_data();
    void distributeLines();
    void distributeGroup_data();
    void distributeGroup();
    void split_data();
    void split();
    void splitKeepsAttributesAndReferences();
    void splitRefusesTinyParts_data();
    void splitRefusesTinyParts();
    void turns_data();
    void turns();
    void turnRegion();
    void linesIntoEverySheet();
    void fitToPicture_data();
    void fitToPicture();
    void sheetsAlike();
    void enabled_data();
    void enabled();
    void runTakesOneStep();
    void positionEdit_data();
    void positionEdit();
};

void TestArrange::align_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QList<QList<int>>>("after"); // the two others; the last one stays

    // Reference (added last): (500, -500, 700, -600); the others (100, -100, 111, -150)
    // (11 wide) and (1000, -1000, 1300, -1040).
    QTest::newRow("left, to the last added, not the leftmost")
        << int(RegionAlignLeft)
        << QList<QList<int>>{{500, -100, 511, -150}, {500, -1000, 800, -1040}};
    QTest::newRow("horizontal centre: 11 / 2 = 5 against 200 / 2 = 100")
        << int(RegionAlignCentre)
        << QList<QList<int>>{{595, -100, 606, -150}, {450, -1000, 750, -1040}};
    QTest::newRow("bottom") << int(RegionAlignBottom)
                            << QList<QList<int>>{{100, -550, 111, -600}, {1000, -560, 1300, -600}};
    QTest::newRow("vertical centre") << int(RegionAlignMiddle)
                                     << QList<QList<int>>{{100, -525, 111, -575},
                                                          {1000, -530, 1300, -570}};
    QTest::newRow("same size") << int(SheetSameBoth)
                               << QList<QList<int>>{{100, -100, 300, -200},
                                                    {1000, -1000, 1200, -1100}};
}

void TestArrange::align()
{
    QFETCH(int, command);
    QFETCH(QList<QList<int>>, after);
    Fixture f({{100, -100, 111, -150}, {1000, -1000, 1300, -1040}, {500, -500, 700, -600}});
    f.group({0, 1, 2});
    if (command == SheetSameBoth) { // the sheet menu's twin, run on regions directly
        QVERIFY(GroupArrange::align(*f.doc, GroupArrange::Align::SameSize));
    } else {
        QVERIFY(ArrangeCommands::isEnabled(command, *f.doc));
        QVERIFY(ArrangeCommands::run(command, *f.doc).isEmpty());
        QCOMPARE(f.doc->undoAvailable, 1);
    }
    QCOMPARE(rectsOf(f.tpl().regions.rect().mid(0, 2)), after);
    QCOMPARE(f.tpl().regions.rect(2), (Rect{500, -500, 700, -600}));
    QVERIFY(f.doc->selection().group.isEmpty());
}

void TestArrange::centre_data()
{
    QTest::addColumn<bool>("grouped");
    QTest::addColumn<bool>("horizontally");
    QTest::addColumn<QList<QList<int>>>("after");

    // A4: 2100 × 2970. Regions (100, -100, 301, -200) and (400, -300, 500, -401).
    QTest::newRow("group across") << true << true
                                  << QList<QList<int>>{{850, -100, 1051, -200}, {1150, -300, 1250, -401}};
    QTest::newRow("group down") << true << false
                                << QList<QList<int>>{{100, -1334, 301, -1434},
                                                     {400, -1534, 500, -1635}};
    QTest::newRow("the selected one across")
        << false << true << QList<QList<int>>{{949, -100, 1150, -200}, {400, -300, 500, -401}};
}

void TestArrange::centre()
{
    QFETCH(bool, grouped);
    QFETCH(bool, horizontally);
    QFETCH(QList<QList<int>>, after);
    Fixture f({{100, -100, 301, -200}, {400, -300, 500, -401}});
    if (grouped)
        f.group({0, 1});
    else
        f.doc->selection().textRect = 0;
    QVERIFY(GroupArrange::centreOnPaper(*f.doc, ObjectRef::TextRectKind, horizontally));
    QCOMPARE(rectsOf(f.tpl().regions.rect()), after);
}

void TestArrange::distributeLines_data()
{
    QTest::addColumn<QList<int>>("ys");     // horizontal lines at these y, selected in order
    QTest::addColumn<QList<int>>("after");  // their y afterwards, in selection order
    QTest::addColumn<QString>("message");

    QTest::newRow("selection order decides")
        << QList<int>{0, -100, -50, -300, -200} << QList<int>{0, -50, -100, -150, -200}
        << QString();
    QTest::newRow("truncated steps") << QList<int>{0, -7, -9, -10}
                                     << QList<int>{0, -3, -6, -10} << QString();
    QTest::newRow("not parallel") << QList<int>{0, -100, 999}
                                  << QList<int>{0, -100, 999}
                                  << QStringLiteral("平行な罫線のみを選択してください。");
}

void TestArrange::distributeLines()
{
    QFETCH(QList<int>, ys);
    QFETCH(QList<int>, after);
    QFETCH(QString, message);
    Fixture f;
    f.doc->editTool = 6;
    for (const int y : ys) {
        // 999 stands for a vertical line.
        if (y == 999)
            f.addLine(Point{50, 0}, Point{50, -500});
        else
            f.addLine(Point{0, y}, Point{1000, y});
        f.doc->selection().keisenns.append(f.tpl().keisenns.size() - 1);
    }
    QCOMPARE(ArrangeCommands::run(LineDistribute, *f.doc), message);
    QList<int> ysAfter;
    for (int i = 0; i < f.tpl().keisenns.size(); ++i)
        ysAfter.append(f.tpl().keisenns.start(i).y == 0 && ys.value(i) == 999
                           ? 999
                           : f.tpl().keisenns.start(i).y);
    QCOMPARE(ysAfter, after);
    QCOMPARE(f.doc->undoAvailable, message.isEmpty() ? 1 : 0);
}

void TestArrange::distributeGroup_data()
{
    QTest::addColumn<QList<Rect>>("members");
    QTest::addColumn<bool>("horizontally");
    QTest::addColumn<QList<QList<int>>>("after");

    QTest::newRow("left to right") << QList<Rect>{{0, 0, 100, -10}, {150, 0, 200, -10}, {900, 0, 1000, -10}}
                                   << true
                                   << QList<QList<int>>{{0, 0, 100, -10}, {475, 0, 525, -10},
                                                        {900, 0, 1000, -10}};
    QTest::newRow("right to left, the last stays")
        << QList<Rect>{{950, 0, 1050, -10}, {150, 0, 200, -10}, {0, 0, 100, -10}} << true
        << QList<QList<int>>{{950, 0, 1050, -10}, {500, 0, 550, -10}, {0, 0, 100, -10}};
    QTest::newRow("top to bottom") << QList<Rect>{{0, 0, 10, -100}, {0, -500, 10, -520}, {0, -900, 10, -1000}}
                                   << false
                                   << QList<QList<int>>{{0, 0, 10, -100}, {0, -490, 10, -510},
                                                        {0, -900, 10, -1000}};
}

void TestArrange::distributeGroup()
{
    QFETCH(QList<Rect>, members);
    QFETCH(bool, horizontally);
    QFETCH(QList<QList<int>>, after);
    Fixture f(members);
    f.group({0, 1, 2});
    QVERIFY(GroupArrange::distribute(*f.doc, horizontally));
    QCOMPARE(rectsOf(f.tpl().regions.rect()), after);
    QCOMPARE(f.doc->selection().group.size(), 3);
}

void TestArrange::split_data()
{
    QTest::addColumn<Rect>("target");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("gapX");
    QTest::addColumn<int>("gapY");
    QTest::addColumn<QList<QList<int>>>("cells");

    QTest::newRow("1000 wide into 3, gap 10")
        << Rect{0, 0, 1000, -100} << 1 << 3 << 10 << 0
        << QList<QList<int>>{{0, 0, 326, -100}, {336, 0, 662, -100}, {672, 0, 998, -100}};
    QTest::newRow("2 x 2, a vertical gap too large is dropped")
        << Rect{100, -100, 300, -200} << 2 << 2 << 20 << 60
        << QList<QList<int>>{{100, -100, 190, -150},
                             {210, -100, 300, -150},
                             {100, -150, 190, -200},
                             {210, -150, 300, -200}};
}

void TestArrange::split()
{
    QFETCH(Rect, target);
    QFETCH(int, rows);
    QFETCH(int, columns);
    QFETCH(int, gapX);
    QFETCH(int, gapY);
    QFETCH(QList<QList<int>>, cells);
    QCOMPARE(rectsOf(RectSplit::cells(target, {rows, columns, gapX, gapY})), cells);
}

void TestArrange::splitKeepsAttributesAndReferences()
{
    Fixture f({{0, 0, 10, -10}, {0, 0, 1000, -100}, {5, 5, 6, 4}});
    f.tpl().regions.setLayer(1, 7);
    f.group({2, 0});
    QVERIFY(RectSplit::split(*f.doc, {ObjectRef::TextRectKind, 1}, {1, 3, 10, 0}));
    QCOMPARE(f.tpl().regions.size(), 5);
    for (int i = 1; i <= 3; ++i)
        QCOMPARE(f.tpl().regions.layer(i), 7);
    QCOMPARE(f.tpl().regions.rect(4), (Rect{5, 5, 6, 4}));
    QCOMPARE(f.doc->selection().group,
             (QList<ObjectRef>{{ObjectRef::TextRectKind, 4}, {ObjectRef::TextRectKind, 0}}));
}

void TestArrange::splitRefusesTinyParts_data()
{
    QTest::addColumn<Rect>("target");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("gapX");
    QTest::addColumn<bool>("refused");
    QTest::newRow("3 x 6 mm into 30 x 30") << Rect{0, 0, 30, -60} << 30 << 30 << 0 << true;
    QTest::newRow("parts of exactly 1 mm") << Rect{0, 0, 100, -100} << 10 << 10 << 0 << false;
    QTest::newRow("parts of 0.9 mm") << Rect{0, 0, 99, -100} << 10 << 10 << 0 << true;
    QTest::newRow("gaps leave 0.4 mm") << Rect{0, 0, 1000, -100} << 1 << 30 << 30 << true;
    QTest::newRow("an ordinary split") << Rect{0, 0, 1000, -100} << 1 << 3 << 10 << false;
}

// A split whose parts would be under 1 mm is refused before anything changes.
void TestArrange::splitRefusesTinyParts()
{
    QFETCH(Rect, target);
    QFETCH(int, rows);
    QFETCH(int, columns);
    QFETCH(int, gapX);
    QFETCH(bool, refused);
    Fixture f({target});
    const QString message =
        RectSplit::check(*f.doc, {ObjectRef::TextRectKind, 0}, {rows, columns, gapX, 0});
    QCOMPARE(message.isEmpty(), !refused);
    if (refused)
        QCOMPARE(message, QStringLiteral("分割後の大きさが1mm未満になるため、分割できません。"));
}

void TestArrange::turns_data()
{
    QTest::addColumn<int>("angle");
    QTest::addColumn<Rect>("clockwise"); // of (0, 0, 100, -50) at that angle

    QTest::newRow("0") << 0 << Rect{-50, 0, 0, -100};
    QTest::newRow("900") << 900 << Rect{50, 100, 100, 0};
    QTest::newRow("1800") << 1800 << Rect{100, 50, 150, -50};
    QTest::newRow("2700") << 2700 << Rect{0, -50, 50, -150};
}

// Each anticlockwise turn undoes the clockwise one.
void TestArrange::turns()
{
    QFETCH(int, angle);
    QFETCH(Rect, clockwise);
    const Rect r{0, 0, 100, -50};
    const Rect turned = RegionTurn::turned(r, angle, true);
    QCOMPARE(turned, clockwise);
    const int next = RegionTurn::nextAngle(angle, true);
    QCOMPARE(RegionTurn::turned(turned, next, false), r);
    QCOMPARE(RegionTurn::nextAngle(next, false), angle);
}

void TestArrange::turnRegion()
{
    Fixture f({{620, -580, 1120, -730}}); // away from the edges: four turns give it back
    f.doc->selection().textRect = 0;
    f.tpl().regions.setBackPictureRotation(0, 270);
    for (int i = 0; i < 4; ++i) {
        QVERIFY(RegionTurn::turnRegion(*f.doc, true));
        if (i == 0) {
            QCOMPARE(f.tpl().regions.font(0).escapement, 900);
            QCOMPARE(f.tpl().regions.font(0).orientation, 900);
            QCOMPARE(f.tpl().regions.backPictureRotation(0), 0);
        }
    }
    QCOMPARE(f.tpl().regions.rect(0), (Rect{620, -580, 1120, -730}));
    QCOMPARE(f.tpl().regions.font(0).escapement, 0);
    QCOMPARE(f.tpl().regions.backPictureRotation(0), 270);

    // Near an edge a turn that would push the region over it keeps it on the paper, every
    // turn of the cycle; one that lay off the paper already is left where the turn puts it.
    const Rect paper = f.tpl().paperRect;
    for (const bool clockwise : {true, false}) {
        for (const Rect& start : {Rect{120, -80, 620, -230}, Rect{1900, -2800, 2100, -2960}}) {
            f.tpl().regions.setRect(0, start);
            for (int i = 0; i < 4; ++i) {
                QVERIFY(RegionTurn::turnRegion(*f.doc, clockwise));
                QCOMPARE(RegionTurn::keptOn(f.tpl().regions.rect(0), paper),
                         f.tpl().regions.rect(0));
            }
        }
    }
    f.tpl().regions.setRect(0, Rect{-300, -80, -100, -230});
    QVERIFY(RegionTurn::turnRegion(*f.doc, true));
    QCOMPARE(f.tpl().regions.rect(0), RegionTurn::turned(Rect{-300, -80, -100, -230}, 0, true));
}

void TestArrange::linesIntoEverySheet()
{
    Fixture f;
    f.tpl().sheets.setRect(0, Rect{0, 0, 1000, -500});
    f.doc->addTemplateSheet(Rect{1000, -600, 1500, -1600}); // half as wide, twice as high
    f.addLine(Point{100, -100}, Point{900, -100});
    f.addLine(Point{0, -700}, Point{0, -750}); // outside the first sheet, mapped too
    QVERIFY(LineArrange::intoEverySheet(*f.doc));
    const KeisennFamily& k = f.tpl().keisenns;
    QCOMPARE(k.size(), 4);
    QCOMPARE(k.start(2), (Point{1050, -800}));
    QCOMPARE(k.end(2), (Point{1450, -800}));
    QCOMPARE(k.start(3), (Point{1000, -2000}));
    QCOMPARE(k.end(3), (Point{1000, -2100}));
}

void TestArrange::fitToPicture_data()
{
    QTest::addColumn<bool>("keepHeight");
    QTest::addColumn<int>("rotation");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<Rect>("after"); // from (100, -100, 1100, -600)
    QTest::addColumn<QString>("message");

    QTest::newRow("keep height") << true << 0 << QSize(200, 200) << Rect{100, -100, 600, -600}
                                 << QString();
    QTest::newRow("keep width") << false << 0 << QSize(300, 100) << Rect{100, -100, 1100, -433}
                                << QString();
    QTest::newRow("turned a quarter") << true << 90 << QSize(100, 300)
                                      << Rect{100, -100, 1600, -600} << QString();
    QTest::newRow("unreadable") << true << 0 << QSize() << Rect{100, -100, 1100, -600}
                                << QStringLiteral("画像ファイルを読み込めません。");
}

void TestArrange::fitToPicture()
{
    QFETCH(bool, keepHeight);
    QFETCH(int, rotation);
    QFETCH(QSize, picture);
    QFETCH(Rect, after);
    QFETCH(QString, message);
    Fixture f({{100, -100, 1100, -600}});
    f.tpl().regions.setBackPicture(0, QStringLiteral("/pictures/p.jpg"));
    f.tpl().regions.setBackPictureRotation(0, rotation);
    f.doc->selection().textRect = 0;
    QVERIFY(PictureFit::hasTarget(*f.doc));
    const QString got = PictureFit::fit(*f.doc, keepHeight, [&](const QString& path) {
        return path == QStringLiteral("/pictures/p.jpg") ? picture : QSize();
    });
    QCOMPARE(got, message);
    QCOMPARE(f.tpl().regions.rect(0), after);
    QCOMPARE(f.doc->undoAvailable, message.isEmpty() ? 1 : 0);
}

void TestArrange::sheetsAlike()
{
    Fixture f;
    f.tpl().sheets.setBackColor(0, 0x123456);
    f.tpl().sheets.setBleedX(0, 30);
    f.doc->addTemplateSheet(Rect{10, -10, 20, -20});
    f.doc->selection().sheet = 1;
    f.doc->scalars().currentSheetNo = 2;
    f.doc->editTool = 1;
    QVERIFY(ArrangeCommands::run(SheetsAlike, *f.doc).isEmpty());
    QCOMPARE(f.tpl().sheets.backColor(1), 0x123456);
    QCOMPARE(f.tpl().sheets.bleedX(1), 30);
    QCOMPARE(f.tpl().sheets.rect(1), (Rect{10, -10, 20, -20}));
    QCOMPARE(f.doc->selection().sheet, -1);
    QCOMPARE(f.doc->scalars().currentSheetNo, 1);
}

void TestArrange::enabled_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("tool");
    QTest::addColumn<int>("group");   // regions 0 .. group-1 in the group
    QTest::addColumn<int>("region");  // selected region
    QTest::addColumn<int>("lines");   // lines selected (of three)
    QTest::addColumn<bool>("enabled");

    QTest::newRow("region align, 2 in group") << int(RegionAlignLeft) << 3 << 2 << -1 << 0 << true;
    QTest::newRow("region align, 1 in group") << int(RegionAlignLeft) << 3 << 1 << -1 << 0 << false;
    QTest::newRow("sheet align under the region tool") << int(SheetAlignLeft) << 3 << 2 << -1 << 0 << false;
    QTest::newRow("region centre, selected") << int(RegionCentreHorizontally) << 3 << 0 << 0 << 0 << true;
    QTest::newRow("region centre, other tool") << int(RegionCentreHorizontally) << 4 << 0 << 0 << 0 << false;
    QTest::newRow("distribute group of 3") << int(RegionDistributeVertically) << 8 << 3 << -1 << 0 << true;
    QTest::newRow("distribute lines, 3") << int(LineDistribute) << 6 << 0 << -1 << 3 << true;
    QTest::newRow("distribute lines, 2") << int(LineDistribute) << 6 << 0 << -1 << 2 << false;
    QTest::newRow("line centre, tool 6") << int(LineCentreVertically) << 6 << 0 << -1 << 1 << true;
    QTest::newRow("region split") << int(RegionSplit) << 3 << 0 << 0 << 0 << true;
    QTest::newRow("sheet split without a sheet") << int(SheetSplit) << 1 << 0 << -1 << 0 << false;
    QTest::newRow("rotate region") << int(RegionRotateLeft) << 8 << 0 << 0 << 0 << true;
    QTest::newRow("rotate nothing") << int(RegionRotateLeft) << 8 << 0 << -1 << 0 << false;
    QTest::newRow("picture turn without picture") << int(RegionPictureRotateRight) << 3 << 0 << 0 << 0 << false;
    QTest::newRow("fit without picture") << int(RegionFitPictureKeepWidth) << 3 << 0 << 0 << 0 << false;
    QTest::newRow("all sheets alike, one sheet") << int(SheetsAlike) << 1 << 0 << -1 << 0 << false;
    QTest::newRow("lines dialog") << int(LinePosition) << 0 << 0 << -1 << 0 << true;
}

void TestArrange::enabled()
{
    QFETCH(int, command);
    QFETCH(int, tool);
    QFETCH(int, group);
    QFETCH(int, region);
    QFETCH(int, lines);
    QFETCH(bool, enabled);
    Fixture f({{0, 0, 10, -10}, {20, 0, 30, -10}, {40, 0, 50, -10}});
    for (int i = 0; i < 3; ++i)
        f.addLine(Point{0, -100 * i}, Point{100, -100 * i});
    f.doc->editTool = tool;
    for (int i = 0; i < group; ++i)
        f.group({i});
    f.doc->selection().textRect = region;
    for (int i = 0; i < lines; ++i)
        f.doc->selection().keisenns.append(i);
    QCOMPARE(ArrangeCommands::isEnabled(command, *f.doc), enabled);
}

// A command that changes the layout is one undo step and marks the document.
void TestArrange::stepNames_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("step");
    QTest::newRow("left edges") << int(RegionAlignLeft) << QStringLiteral("整列");
    QTest::newRow("quarter turn") << int(RegionRotateRight) << QStringLiteral("90度回転");
    QTest::newRow("centred") << int(RegionCentreHorizontally) << QStringLiteral("中央に配置");
    QTest::newRow("distributed") << int(RegionDistributeVertically) << QStringLiteral("均等に配置");
}

// Each command names the step it takes for what it did.
void TestArrange::stepNames()
{
    QFETCH(int, command);
    QFETCH(QString, step);
    Fixture f({{100, -100, 300, -200}, {400, -300, 600, -400}, {700, -700, 900, -800}});
    f.doc->selection().textRect = 0;
    f.group({0, 1, 2});
    QVERIFY(ArrangeCommands::run(command, *f.doc).isEmpty());
    QCOMPARE(f.doc->undoStepName(), step);
}

void TestArrange::runTakesOneStep()
{
    Fixture f({{100, -100, 300, -200}});
    f.doc->selection().textRect = 0;
    f.doc->setModified(false);
    QVERIFY(ArrangeCommands::run(RegionRotateRight, *f.doc).isEmpty());
    QVERIFY(f.doc->isModified());
    f.doc->undo();
    QCOMPARE(f.tpl().regions.rect(0), (Rect{100, -100, 300, -200}));
    QCOMPARE(f.tpl().regions.font(0).escapement, 0);
}

void TestArrange::positionEdit_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QList<int>>("values"); // x, y, height, width
    QTest::addColumn<bool>("accepted");

    QTest::newRow("sheet height 49") << int(PositionEdit::Sheets) << QList<int>{0, 0, 49, 100} << false;
    QTest::newRow("sheet height 50") << int(PositionEdit::Sheets) << QList<int>{0, 0, 50, 100} << true;
    QTest::newRow("sheet x 2970") << int(PositionEdit::Sheets) << QList<int>{2970, 0, 50, 50} << true;
    QTest::newRow("region height 24") << int(PositionEdit::Regions) << QList<int>{0, 0, 24, 100} << false;
    QTest::newRow("region height 25") << int(PositionEdit::Regions) << QList<int>{0, 0, 25, 100} << true;
    QTest::newRow("region x 2101") << int(PositionEdit::Regions) << QList<int>{2101, 0, 25, 100} << false;
}

void TestArrange::positionEdit()
{
    QFETCH(int, kind);
    QFETCH(QList<int>, values);
    QFETCH(bool, accepted);
    Fixture f({{100, -100, 300, -200}});
    const bool sheets = kind == PositionEdit::Sheets;
    (sheets ? f.doc->selection().sheet : f.doc->selection().textRect) = 0;
    PositionEdit e = PositionEdit::load(*f.doc, PositionEdit::Kind(kind));
    const QString message = e.changeRect(0, values[0], values[1], values[2], values[3]);
    QCOMPARE(message.isEmpty(), accepted);
    const Rect expected = accepted ? Rect{values[0], -values[1], values[0] + values[3],
                                          -values[1] - values[2]}
                                   : e.rects().value(0);
    QCOMPARE(e.rects().value(0), expected);
    QCOMPARE(e.setPaperSize(4200, 2971).isEmpty(), false);
    QVERIFY(e.setPaperSize(1480, 1000).isEmpty());
    e.apply(*f.doc);
    const Rect stored = kind == PositionEdit::Sheets ? f.tpl().sheets.rect(0) : f.tpl().regions.rect(0);
    QCOMPARE(stored, expected);
    QCOMPARE(f.doc->undoAvailable, 1);
    // OK keeps the selection on the object it was on.
    QCOMPARE(sheets ? f.doc->selection().sheet : f.doc->selection().textRect, 0);
    if (sheets)
        QCOMPARE(f.tpl().paperRect, (Rect{0, 0, 1000, -1480}));
}

QTEST_MAIN(TestArrange)
#include "tst_arrange.moc"
