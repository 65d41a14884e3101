// The drawing view edited with the mouse and keys, offscreen: a region drawn by
// dragging, moved, a drag cancelled with Escape, the last sheet refused, and the tool
// buttons.

#include "app/CommandIds.h"
#include "app/ui/CKalvettaEditorView.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/CommandActions.h"
#include "app/ui/MainStatusBar.h"
#include "edit/LayoutEdits.h"
#include "model/CORINOTEDoc.h"
#include "model/SettingsProfile.h"
#include "prompts/SessionPrompts.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace CommandIds;

namespace {

class Prompts : public SessionPrompts
{
public:
    QStringList messages;
    Answer askSaveChanges(const QString&) override { return Answer::Cancel; }
    QString chooseOpenPath() override { return {}; }
    QString chooseSavePath(const QString&) override { return {}; }
    void showMessage(const QString& text) override { messages.append(text); }
};

struct Window
{
    QTemporaryDir dir;
    std::unique_ptr<SettingsProfile> profile;
    std::unique_ptr<CORINOTEDoc> doc;
    std::unique_ptr<CMainFrame> frame;
    Prompts prompts;

    Window()
    {
        profile = std::make_unique<SettingsProfile>(dir.filePath(QStringLiteral("p.ini")));
        doc = std::make_unique<CORINOTEDoc>(profile.get());
        doc->dataFolder = dir.path();
        doc->newDocument();
        frame = std::make_unique<CMainFrame>(*doc, *profile);
        frame->setPrompts(&prompts);
        frame->resize(1200, 900);
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
        trigger(TemplateMode);
    }
    void trigger(int command) const { frame->actions().action(command)->trigger(); }
    CKalvettaEditorView* view() const { return frame->view(); }
    QWidget* viewport() const { return view()->viewport(); }
    // The view's pixel of a paper point.
    QPoint pixel(int x, int y) const { return view()->paperTransform().map(QPoint(x, y)); }

    void press(int x, int y, Qt::KeyboardModifiers m = Qt::NoModifier) const
    {
        QTest::mousePress(viewport(), Qt::LeftButton, m, pixel(x, y));
    }
    void moveTo(int x, int y) const { QTest::mouseMove(viewport(), pixel(x, y)); }
    void release(int x, int y) const
    {
        QTest::mouseRelease(viewport(), Qt::LeftButton, Qt::NoModifier, pixel(x, y));
    }
    void drag(QPoint from, QPoint to) const
    {
        press(from.x(), from.y());
        moveTo((from.x() + to.x()) / 2, (from.y() + to.y()) / 2);
        moveTo(to.x(), to.y());
        release(to.x(), to.y());
    }
    const CLabelSheetTemplate& tpl() const { return doc->labelTemplate(); }
};

} // namespace

class TestEditView : public QObject
{
    Q_OBJECT
private slots:
    void toolButtons();
    void drawMoveAndCancel();
    void lastSheetRefused();
    void heldEndKeysMoveNoLine();
    void heldKeyAsX11Sends();
    void snapMark_data();
    void snapMark();
};

void TestEditView::toolButtons()
{
    Window w;
    QAction* draw = w.frame->actions().action(ToolDrawRegion);
    QVERIFY(draw->isEnabled());
    draw->trigger();
    QCOMPARE(w.doc->editTool, 8);
    QVERIFY(draw->isChecked());
    QVERIFY(!w.frame->actions().action(ToolAddSheet)->isChecked());
    w.trigger(DataMode);
    QVERIFY(!draw->isEnabled());

    // Every tool tells what it does, each in its own words.
    QStringList tips;
    for (const int tool : {ToolAddSheet, ToolDrawSheet, ToolSheets, ToolAddRegion, ToolDrawRegion,
                           ToolRegions, ToolAddLine, ToolAddLineTable, ToolLines}) {
        QAction* a = w.frame->actions().action(tool);
        QVERIFY(!tips.contains(a->toolTip()));
        QVERIFY(a->toolTip().startsWith(a->text()));
        QCOMPARE(a->statusTip(), a->toolTip());
        // The select tools say how to reach the object beneath.
        if (tool == ToolSheets || tool == ToolRegions)
            QVERIFY(a->statusTip().contains(QStringLiteral("Ctrl+Alt+クリック")));
        tips.append(a->toolTip());
    }
}

void TestEditView::drawMoveAndCancel()
{
    Window w;
    w.trigger(Grid1mm);
    w.trigger(ToolDrawRegion);
    w.drag(QPoint(300, -300), QPoint(800, -500));
    QCOMPARE(w.tpl().regions.size(), 1);
    QCOMPARE(w.tpl().regions.rect(0), (Rect{300, -300, 800, -500}));
    QVERIFY(w.doc->isModified());
    QCOMPARE(w.doc->undoAvailable, 1);

    w.trigger(ToolRegions);
    w.press(550, -400); // select, then drag the inside
    w.release(550, -400);
    QCOMPARE(w.doc->selection().textRect, 0);
    w.drag(QPoint(550, -400), QPoint(650, -450));
    QCOMPARE(w.tpl().regions.rect(0), (Rect{400, -350, 900, -550}));

    // Escape during a drag stores nothing and takes no snapshot.
    w.press(600, -450);
    w.moveTo(1200, -1000);
    QTest::keyClick(w.view(), Qt::Key_Escape);
    w.release(1200, -1000);
    QCOMPARE(w.tpl().regions.rect(0), (Rect{400, -350, 900, -550}));

    // An arrow key moves the selection one grid step; undo takes it back.
    w.press(600, -450);
    w.release(600, -450);
    QTest::keyClick(w.view(), Qt::Key_Right);
    QCOMPARE(w.tpl().regions.rect(0), (Rect{410, -350, 910, -550}));
    w.trigger(EditUndo);
    QCOMPARE(w.tpl().regions.rect(0), (Rect{400, -350, 900, -550}));
}

void TestEditView::lastSheetRefused()
{
    Window w;
    w.trigger(ToolSheets);
    w.press(1000, -1000);
    w.release(1000, -1000);
    QVERIFY(w.frame->actions().action(DeleteSelection)->isEnabled());
    w.trigger(DeleteSelection);
    QCOMPARE(w.prompts.messages,
             QStringList{QStringLiteral("これ以上シート枠を削除することはできません。")});
    QCOMPARE(w.tpl().sheets.size(), 1);
    QCOMPARE(w.doc->undoAvailable, 0);
}

// In the ruled-line tool Up and Down only mark which end a drag moves: held for a second
// (the first press and its auto-repeats) they move nothing, with the grid on; Left and
// Right still nudge, but their auto-repeats do not.
void TestEditView::heldEndKeysMoveNoLine()
{
    Window w;
    w.trigger(Grid5mm);
    LayoutEdits::appendTemplateLine(*w.doc, Point{200, -600}, Point{900, -600});
    w.trigger(ToolLines);
    w.press(500, -600);
    w.release(500, -600);
    QCOMPARE(w.doc->selection().keisenns, QList<int>{0});
    for (const int key : {int(Qt::Key_Up), int(Qt::Key_Down), int(Qt::Key_Right)}) {
        for (int i = 0; i < 20; ++i) {
            QKeyEvent held(QEvent::KeyPress, key, Qt::NoModifier, QString(), i > 0);
            QApplication::sendEvent(w.view(), &held);
        }
        QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(w.view(), &up);
    }
    QCOMPARE(w.tpl().keisenns.start(0), (Point{250, -600})); // one Right, no repeats
    QCOMPARE(w.tpl().keisenns.end(0), (Point{950, -600}));
}

// Left held for 1.5 s as X11 sends it: release/press pairs with one time each, none
// marked as auto-repeat. The region moves at a bounded rate, stops with 1 mm on the
// paper at the 10 mm grid, and the status bar says why.
void TestEditView::heldKeyAsX11Sends()
{
    Window w;
    w.trigger(Grid10mm);
    w.doc->labelTemplate().paperRect = Rect{0, 0, 2100, -2970};
    w.doc->addTemplateTextRegion(Rect{370, -300, 570, -400}, nullptr);
    w.doc->updateAllViews();
    w.trigger(ToolRegions);
    w.press(450, -350);
    w.release(450, -350);
    QCOMPARE(w.doc->selection().textRect, 0);
    const auto send = [&](QEvent::Type type, ulong ms) {
        QKeyEvent e(type, Qt::Key_Right, Qt::NoModifier);
        e.setTimestamp(ms);
        QApplication::sendEvent(w.view(), &e);
    };
    send(QEvent::KeyPress, 1000);
    for (ulong t = 1500; t <= 2500; t += 33) {
        send(QEvent::KeyRelease, t);
        send(QEvent::KeyPress, t);
    }
    send(QEvent::KeyRelease, 2520);
    const Rect r = w.tpl().regions.rect(0);
    QCOMPARE(r.left, 370 + 9 * 100); // one press and eight repeats
    for (int i = 0; i < 30; ++i) {
        send(QEvent::KeyPress, 3000 + 200 * i);
        send(QEvent::KeyRelease, 3050 + 200 * i);
    }
    QCOMPARE(w.tpl().regions.rect(0).left, 2100 - 10);
    QCOMPARE(w.frame->statusPanes()->currentMessage(),
             QStringLiteral("これ以上用紙の外へは動かせません（1 mm は用紙に残ります）。"));
}

// While a tool that snaps is active on a grid, a mark shows where the pointer snaps.
void TestEditView::snapMark_data()
{
    QTest::addColumn<int>("grid");
    QTest::addColumn<int>("tool");
    QTest::addColumn<bool>("shown");
    QTest::newRow("add sheet, 5 mm") << int(Grid5mm) << int(ToolAddSheet) << true;
    QTest::newRow("draw region, 10 mm") << int(Grid10mm) << int(ToolDrawRegion) << true;
    QTest::newRow("add sheet, no grid") << int(GridNone) << int(ToolAddSheet) << false;
    QTest::newRow("select regions, 5 mm") << int(Grid5mm) << int(ToolRegions) << false;
}

void TestEditView::snapMark()
{
    QFETCH(int, grid);
    QFETCH(int, tool);
    QFETCH(bool, shown);
    Window w;
    w.trigger(grid);
    w.trigger(tool);
    w.moveTo(700, -700); // the pointer may still stand where the last window left it
    w.moveTo(1013, -488);
    const QPoint centre = w.pixel(1000, -500);
    const QImage image = w.viewport()->grab().toImage();
    QCOMPARE(image.pixelColor(centre) == QColor(0, 0, 0x80), shown);
    QCOMPARE(image.pixelColor(centre + QPoint(2, 0)) == QColor(0, 0xFF, 0xFF), shown);
}

QTEST_MAIN(TestEditView)
#include "tst_editview.moc"
