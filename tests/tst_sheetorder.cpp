// The sheet order of the template: the miniature of the paper, picking sheets on it, the
// reordered sheet list with its per-sheet settings, the regions moved to the new sheet
// No. 1, undo, and the dialog driven by mouse clicks.

#include "model/CORINOTEDoc.h"
#include "model/MemoryProfile.h"
#include "render/SheetOrder.h"
#include "render/ui/CSheetOrderDialog.h"
#include "render/ui/SheetOrderPicture.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <climits>

Q_DECLARE_METATYPE(Rect)

namespace {

const Rect A4{0, 0, 2100, -2970};
const QRect Area(0, 0, SheetOrderPicture::PictureWidth, SheetOrderPicture::PictureHeight);

// Sheet i with every per-sheet value derived from i, so a value left behind by the
// reorder shows up as belonging to another sheet.
Sheet numberedSheet(int i, const Rect& rect)
{
    Sheet s;
    s.rect = rect;
    s.autoCols = 10 + i;
    s.autoRows = 20 + i;
    s.backColor = 0x010101 * (i + 1);
    s.backPicture = QStringLiteral("/pictures/%1.png").arg(i);
    s.spareSheetValue = 30 + i;
    s.bleedX = 40 + i;
    s.bleedY = 50 + i;
    s.keepPictureAspect = i % 2;
    s.backPictureRotation = 90 * (i % 4);
    s.elliptic = (i + 1) % 2;
    s.pictureTransparency = 60 + i;
    s.reservedText = QStringLiteral("予備%1").arg(i);
    s.reservedC = 70 + i;
    return s;
}

// A document whose template has the given paper, numbered sheets and regions.
void setUp(CORINOTEDoc& doc, const QTemporaryDir& folder, const Rect& paper,
           const QList<Rect>& sheets, const QList<Rect>& regions)
{
    doc.dataFolder = folder.path();
    doc.newDocument();
    doc.templateMode = 1;
    CLabelSheetTemplate& t = doc.labelTemplate();
    t.paperRect = paper;
    t.sheets.clear();
    for (int i = 0; i < sheets.size(); ++i)
        t.sheets.append(numberedSheet(i, sheets.at(i)));
    for (int i = 0; i < regions.size(); ++i) {
        TextRect r;
        r.rect = regions.at(i);
        r.attribute = QStringLiteral("領域%1").arg(i);
        t.regions.append(r);
    }
    doc.scalars().currentSheetNo = 2;
    doc.selection().sheet = 1;
    doc.selection().textRect = 0;
    doc.selection().keisenns = {0};
    doc.setModified(false);
}

// Three A4 sheets stacked from top to bottom, a third of the paper each.
QList<Rect> threeRows()
{
    return {Rect{0, 0, 2100, -990}, Rect{0, -990, 2100, -1980}, Rect{0, -1980, 2100, -2970}};
}

// The centre of sheet i's miniature in the picture area.
QPoint centreOf(const SheetOrder& order, int sheet)
{
    return order.sheetMiniature(sheet, Area).center();
}

// The dialog with its message boxes answered by the test.
class ScriptedDialog : public CSheetOrderDialog
{
public:
    using CSheetOrderDialog::CSheetOrderDialog;
    QStringList refusals;
    QStringList questions;
    bool answer = true;

protected:
    void showRefusal(const QString& text) override { refusals.append(text); }
    bool askMoveRegions(const QString& question) override
    {
        questions.append(question);
        return answer;
    }
};

} // namespace

class TestSheetOrder : public QObject
{
    Q_OBJECT
private slots:
    void mapping_data();
    void mapping();
    void miniature_data();
    void miniature();
    void choosing_data();
    void choosing();
    void reorderKeepsSheetSettings_data();
    void reorderKeepsSheetSettings();
    void moveRegions_data();
    void moveRegions();
    void undoRestores();
    void dialogOk_data();
    void dialogOk();
    void dialogDrawsTheOrder();
};

void TestSheetOrder::mapping_data()
{
    QTest::addColumn<Rect>("paper");
    QTest::addColumn<QRect>("area");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<QPoint>("expected");

    QTest::newRow("A4 corner fills the area") << A4 << Area << 2100 << -2970 << QPoint(280, 396);
    QTest::newRow("A4 centre") << A4 << Area << 1050 << -1485 << QPoint(140, 198);
    QTest::newRow("postcard on the A4 scale")
        << Rect{0, 0, 1000, -1480} << Area << 1000 << -1480 << QPoint(133, 197);
    QTest::newRow("A3 on the A3 scale")
        << Rect{0, 0, 2970, -4200} << Area << 2970 << -4200 << QPoint(280, 396);
    QTest::newRow("point of an A3 paper")
        << Rect{0, 0, 2970, -4200} << Area << 1000 << -1480 << QPoint(94, 139);
    QTest::newRow("wider than A4 only: A3 scale")
        << Rect{0, 0, 2200, -1000} << Area << 2200 << -1000 << QPoint(207, 94);
    QTest::newRow("taller than A4 only: A3 scale")
        << Rect{0, 0, 1000, -3000} << Area << 1000 << -3000 << QPoint(94, 282);
    QTest::newRow("exactly A4 stays on the A4 scale")
        << A4 << Area << 2099 << -2969 << QPoint(279, 395);
    QTest::newRow("area with an offset")
        << A4 << QRect(10, 20, 280, 396) << 2100 << -2970 << QPoint(290, 416);
    QTest::newRow("left of the paper truncates toward zero")
        << A4 << Area << -100 << 100 << QPoint(-13, -13);
    QTest::newRow("huge coordinates do not overflow")
        << A4 << Area << INT_MAX << INT_MIN << QPoint(286331152, 286331153);
}

void TestSheetOrder::mapping()
{
    QFETCH(Rect, paper);
    QFETCH(QRect, area);
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(QPoint, expected);
    QCOMPARE(SheetOrder::mapToPicture(x, y, paper, area), expected);
}

void TestSheetOrder::miniature_data()
{
    QTest::addColumn<Rect>("paper");
    QTest::addColumn<Rect>("sheet");
    QTest::addColumn<QRect>("expected");

    QTest::newRow("A4 label") << A4 << Rect{100, -200, 1000, -700} << QRect(13, 26, 120, 67);
    QTest::newRow("whole A4 paper") << A4 << A4 << QRect(0, 0, 280, 396);
    QTest::newRow("A3 label") << Rect{0, 0, 2970, -4200} << Rect{1485, -2100, 2970, -4200}
                              << QRect(140, 198, 140, 198);
    QTest::newRow("thinner than a pixel keeps one pixel")
        << A4 << Rect{700, -700, 702, -702} << QRect(93, 93, 1, 1);
    QTest::newRow("corners swapped") << A4 << Rect{1000, -700, 100, -200} << QRect(13, 26, 120, 67);
}

void TestSheetOrder::miniature()
{
    QFETCH(Rect, paper);
    QFETCH(Rect, sheet);
    QFETCH(QRect, expected);
    QCOMPARE(SheetOrder::miniature(sheet, paper, Area), expected);
    SheetOrder order(paper, {sheet});
    QCOMPARE(order.sheetMiniature(0, Area), expected);
}

void TestSheetOrder::choosing_data()
{
    QTest::addColumn<QList<Rect>>("sheets");
    QTest::addColumn<QList<QPoint>>("clicks");
    QTest::addColumn<QList<int>>("chosen");

    const QList<Rect> halves{Rect{0, 0, 1050, -2970}, Rect{1050, 0, 2100, -2970}};
    QTest::newRow("clicking twice on the same sheet chooses it once")
        << halves << QList<QPoint>{{50, 50}, {50, 50}} << QList<int>{0};
    QTest::newRow("sheets in the order clicked")
        << threeRows() << QList<QPoint>{{10, 300}, {10, 10}, {10, 150}} << QList<int>{2, 0, 1};
    QTest::newRow("a shared edge belongs to the sheet on its right")
        << halves << QList<QPoint>{{140, 10}} << QList<int>{1};
    QTest::newRow("left and top edges are inside")
        << halves << QList<QPoint>{{0, 0}} << QList<int>{0};
    QTest::newRow("the right and bottom edges of the paper are outside")
        << halves << QList<QPoint>{{280, 10}, {10, 396}} << QList<int>{};
    QTest::newRow("sheets on top of each other: first free in list order")
        << QList<Rect>{Rect{0, 0, 1000, -1000}, Rect{0, 0, 1000, -1000}, Rect{0, 0, 1000, -1000}}
        << QList<QPoint>{{20, 20}, {20, 20}, {20, 20}, {20, 20}} << QList<int>{0, 1, 2};
    QTest::newRow("click beside every sheet")
        << QList<Rect>{Rect{0, 0, 1000, -1000}} << QList<QPoint>{{200, 300}} << QList<int>{};
}

void TestSheetOrder::choosing()
{
    QFETCH(QList<Rect>, sheets);
    QFETCH(QList<QPoint>, clicks);
    QFETCH(QList<int>, chosen);

    SheetOrder order(A4, sheets);
    for (const QPoint& click : clicks)
        order.chooseAt(click, Area);
    QCOMPARE(order.chosen(), chosen);
    QCOMPARE(order.remaining(), sheets.size() - chosen.size());
    QCOMPARE(order.isComplete(), chosen.size() == sheets.size());
    for (int k = 0; k < chosen.size(); ++k)
        QCOMPARE(order.orderNumber(chosen.at(k)), k + 1);
    order.reset();
    QVERIFY(order.chosen().isEmpty());
    QCOMPARE(order.remaining(), sheets.size());
}

void TestSheetOrder::reorderKeepsSheetSettings_data()
{
    QTest::addColumn<QList<int>>("order");
    QTest::addColumn<bool>("applied");

    QTest::newRow("reversed") << QList<int>{3, 2, 1, 0} << true;
    QTest::newRow("rotated") << QList<int>{1, 2, 3, 0} << true;
    QTest::newRow("unchanged") << QList<int>{0, 1, 2, 3} << true;
    QTest::newRow("a sheet twice is refused") << QList<int>{0, 1, 1, 3} << false;
    QTest::newRow("a sheet missing is refused") << QList<int>{0, 1, 2} << false;
    QTest::newRow("an index out of range is refused") << QList<int>{0, 1, 2, 4} << false;
    QTest::newRow("a negative index is refused") << QList<int>{0, 1, 2, -1} << false;
}

void TestSheetOrder::reorderKeepsSheetSettings()
{
    QFETCH(QList<int>, order);
    QFETCH(bool, applied);

    QTemporaryDir folder;
    MemoryProfile profile;
    CORINOTEDoc doc(&profile);
    const QList<Rect> sheets{Rect{0, 0, 1000, -1000}, Rect{1000, 0, 2000, -1000},
                             Rect{0, -1000, 1000, -2000}, Rect{1000, -1000, 2000, -2000}};
    setUp(doc, folder, A4, sheets, {Rect{100, -100, 500, -300}});
    const CLabelSheetTemplate before = doc.labelTemplate();
    int asked = 0;

    QCOMPARE(SheetOrder::apply(doc, order,
                               [&] {
                                   ++asked;
                                   return false;
                               }),
             applied);

    const CLabelSheetTemplate& t = doc.labelTemplate();
    if (!applied) {
        QVERIFY(t == before);
        QVERIFY(!doc.isModified());
        QCOMPARE(doc.undoAvailable, 0);
        QCOMPARE(doc.scalars().currentSheetNo, 2);
        return;
    }
    SheetFamily expected;
    for (int i : order)
        expected.append(before.sheets.at(i));
    QVERIFY(t.sheets == expected);
    QCOMPARE(t.sheets.backPicture(0), QStringLiteral("/pictures/%1.png").arg(order.first()));
    // Refused moves and unchanged first sheets leave the design where it was.
    QCOMPARE(asked, order.first() == 0 ? 0 : 1);
    QVERIFY(t.regions == before.regions);
    QVERIFY(doc.isModified());
    QCOMPARE(doc.undoAvailable, 1);
    QCOMPARE(doc.scalars().currentSheetNo, 1);
    QCOMPARE(doc.selection().sheet, -1);
    QCOMPARE(doc.selection().textRect, -1);
    QVERIFY(doc.selection().keisenns.isEmpty());
}

void TestSheetOrder::moveRegions_data()
{
    QTest::addColumn<QList<Rect>>("sheets");
    QTest::addColumn<QList<Rect>>("regions");
    QTest::addColumn<QList<int>>("order");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<QList<Rect>>("moved");

    const QList<Rect> sideBySide{Rect{0, 0, 1000, -1000}, Rect{1000, 0, 2000, -1000}};
    const QList<Rect> design{Rect{100, -100, 500, -300}, Rect{0, 0, 1000, -1000}};
    QTest::newRow("same size: moved along")
        << sideBySide << design << QList<int>{1, 0} << true << true
        << QList<Rect>{Rect{1100, -100, 1500, -300}, Rect{1000, 0, 2000, -1000}};
    QTest::newRow("answer No keeps the design")
        << sideBySide << design << QList<int>{1, 0} << false << true << design;
    // sx = 0.5, sy = 0.3; every coordinate truncated toward zero as it is computed.
    QTest::newRow("smaller sheet: scaled and truncated")
        << QList<Rect>{Rect{0, 0, 1000, -1000}, Rect{1000, -1000, 1500, -1300}}
        << QList<Rect>{Rect{100, -100, 500, -300}, Rect{101, -101, 333, -333}} << QList<int>{1, 0}
        << true << true
        << QList<Rect>{Rect{1050, -1030, 1250, -1090}, Rect{1050, -1030, 1166, -1099}};
    QTest::newRow("larger sheet: scaled up")
        << QList<Rect>{Rect{0, 0, 500, -500}, Rect{500, 0, 1500, -1000}}
        << QList<Rect>{Rect{50, -50, 250, -150}} << QList<int>{1, 0} << true << true
        << QList<Rect>{Rect{600, -100, 1000, -300}};
    QTest::newRow("first sheet kept: not asked")
        << threeRows() << design << QList<int>{0, 2, 1} << true << false << design;
    QTest::newRow("another sheet of the same rectangle first: not asked")
        << QList<Rect>{Rect{0, 0, 1000, -1000}, Rect{0, 0, 1000, -1000}} << design
        << QList<int>{1, 0} << true << false << design;
    QTest::newRow("no regions: not asked")
        << sideBySide << QList<Rect>{} << QList<int>{1, 0} << true << false << QList<Rect>{};
}

void TestSheetOrder::moveRegions()
{
    QFETCH(QList<Rect>, sheets);
    QFETCH(QList<Rect>, regions);
    QFETCH(QList<int>, order);
    QFETCH(bool, answer);
    QFETCH(bool, asked);
    QFETCH(QList<Rect>, moved);

    QTemporaryDir folder;
    MemoryProfile profile;
    CORINOTEDoc doc(&profile);
    setUp(doc, folder, A4, sheets, regions);
    bool wasAsked = false;
    const bool applied = SheetOrder::apply(doc, order, [&] {
        wasAsked = true;
        // The question comes after the snapshot and the reorder.
        [&] {
            QCOMPARE(doc.undoAvailable, 1);
            QCOMPARE(doc.labelTemplate().sheets.rect(0), sheets.at(order.first()));
        }();
        return answer;
    });
    QVERIFY(applied);
    QCOMPARE(wasAsked, asked);
    QCOMPARE(doc.labelTemplate().regions.rect(), moved);
    for (int i = 0; i < regions.size(); ++i)
        QCOMPARE(doc.labelTemplate().regions.attribute(i), QStringLiteral("領域%1").arg(i));
}

void TestSheetOrder::undoRestores()
{
    QTemporaryDir folder;
    MemoryProfile profile;
    CORINOTEDoc doc(&profile);
    setUp(doc, folder, A4, threeRows(), {Rect{100, -100, 500, -300}});
    const CLabelSheetTemplate before = doc.labelTemplate();

    QVERIFY(SheetOrder::apply(doc, {2, 0, 1}, [] { return true; }));
    QVERIFY(!(doc.labelTemplate().sheets == before.sheets));
    QCOMPARE(doc.labelTemplate().regions.rect(0), (Rect{100, -2080, 500, -2280}));

    doc.undo();
    // autoCols and autoRows of the template are not stored, so compare what files hold.
    const CLabelSheetTemplate& t = doc.labelTemplate();
    QCOMPARE(t.sheets.rect(), before.sheets.rect());
    QCOMPARE(t.sheets.backColor(), before.sheets.backColor());
    QCOMPARE(t.sheets.backPicture(), before.sheets.backPicture());
    QCOMPARE(t.sheets.reservedText(), before.sheets.reservedText());
    QCOMPARE(t.regions.rect(), before.regions.rect());
    QCOMPARE(doc.redoAvailable, 1);
}

void TestSheetOrder::dialogOk_data()
{
    // Sheets to click, -1 for "リセット"; then OK.
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("remaining");

    QTest::newRow("no click: refused") << QList<int>{} << false << 3;
    QTest::newRow("two clicks: refused") << QList<int>{2, 0} << false << 1;
    QTest::newRow("the same sheet three times: refused") << QList<int>{1, 1, 1} << false << 2;
    QTest::newRow("three clicks: accepted") << QList<int>{2, 0, 1} << true << 0;
    QTest::newRow("reset after three, then two: refused")
        << QList<int>{2, 0, 1, -1, 1, 2} << false << 1;
    QTest::newRow("reset, then three: accepted") << QList<int>{2, -1, 1, 2, 0} << true << 0;
}

void TestSheetOrder::dialogOk()
{
    QFETCH(QList<int>, clicks);
    QFETCH(bool, accepted);
    QFETCH(int, remaining);

    QTemporaryDir folder;
    MemoryProfile profile;
    CORINOTEDoc doc(&profile);
    setUp(doc, folder, A4, threeRows(), {Rect{100, -100, 500, -300}});
    const CLabelSheetTemplate before = doc.labelTemplate();

    ScriptedDialog dialog(doc);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QList<int> expectedOrder;
    for (int sheet : clicks) {
        if (sheet < 0) {
            QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("reset")),
                              Qt::LeftButton);
            expectedOrder.clear();
            continue;
        }
        QTest::mouseClick(dialog.picture(), Qt::LeftButton, {}, centreOf(dialog.order(), sheet));
        if (!expectedOrder.contains(sheet))
            expectedOrder.append(sheet);
    }
    QCOMPARE(dialog.order().chosen(), expectedOrder);
    QCOMPARE(dialog.remainingLabel()->text(), QStringLiteral("残りシート数：%1").arg(remaining));

    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);

    if (!accepted) {
        QCOMPARE(dialog.refusals,
                 QStringList{QStringLiteral("シートオーダーが終了していません。\r\n"
                                            "すべてのシートを選択してください。")});
        QVERIFY(dialog.isVisible());
        QVERIFY(doc.labelTemplate() == before);
        QVERIFY(!doc.isModified());
        return;
    }
    QVERIFY(dialog.refusals.isEmpty());
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.questions, QStringList{QStringLiteral(
                                   "新しいシートNo.1のシートに文字列編集領域を移動させますか？")});
    for (int k = 0; k < 3; ++k)
        QCOMPARE(doc.labelTemplate().sheets.rect(k), threeRows().at(expectedOrder.at(k)));
    QVERIFY(doc.isModified());
}

void TestSheetOrder::dialogDrawsTheOrder()
{
    QTemporaryDir folder;
    MemoryProfile profile;
    CORINOTEDoc doc(&profile);
    // A postcard: the paper covers part of the area only.
    setUp(doc, folder, Rect{0, 0, 1000, -1480},
          {Rect{100, -100, 900, -700}, Rect{100, -800, 900, -1400}}, {});
    ScriptedDialog dialog(doc);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QRect second = dialog.order().sheetMiniature(1, Area);
    QTest::mouseClick(dialog.picture(), Qt::LeftButton, {}, second.center());

    const QImage image = dialog.picture()->grab().toImage();
    QCOMPARE(image.size(), Area.size());
    QCOMPARE(image.pixelColor(270, 10), QColor(128, 128, 128));  // beside the paper
    QCOMPARE(image.pixelColor(130, 190), QColor(255, 255, 255)); // the paper's bottom right
    const QRect first = dialog.order().sheetMiniature(0, Area);
    QCOMPARE(image.pixelColor(first.left(), first.center().y()), QColor(0, 160, 0));
    QCOMPARE(image.pixelColor(second.right(), second.center().y()), QColor(160, 160, 160));
    QCOMPARE(image.pixelColor(second.left() + 1, second.top() + 1), QColor(0, 0, 255));
    QCOMPARE(dialog.remainingLabel()->text(), QStringLiteral("残りシート数：1"));
}

QTEST_MAIN(TestSheetOrder)
#include "tst_sheetorder.moc"
