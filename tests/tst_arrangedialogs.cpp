// The arrange dialogs offscreen: values out of range refused with the dialog open, OK
// written as one undo step, Cancel changing nothing, and the split dialog's grid.

#include "app/CommandIds.h"
#include "app/ui/ArrangeActions.h"
#include "app/ui/CommandActions.h"
#include "edit/PositionEdit.h"
#include "edit/ui/CLabelKeisennDialog.h"
#include "edit/ui/CLabelSheetDialog.h"
#include "model/CORINOTEDoc.h"
#include "model/SettingsProfile.h"
#include "prompts/SessionPrompts.h"
#include "support/ProfileDocument.h"

#include <QApplication>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using namespace CommandIds;

namespace {

struct Fixture : ProfileDocument
{
    Fixture()
    {
        doc->templateMode = 1;
        doc->editTool = 3;
        doc->addTemplateTextRegion(Rect{100, -100, 400, -200}, nullptr);
    }
    CLabelSheetTemplate& tpl() { return doc->labelTemplate(); }
};

// Answers the next modal dialog once it shows.
void whenModal(std::function<void(QDialog*)> answer)
{
    QTimer::singleShot(0, [answer] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        answer(dialog);
    });
}

void setSpin(QWidget* dialog, const char* name, int value)
{
    auto* spin = dialog->findChild<QSpinBox*>(QLatin1String(name));
    QVERIFY2(spin, name);
    spin->setValue(value);
}

} // namespace

class TestArrangeDialogs : public QObject
{
    Q_OBJECT
private slots:
    void sheetDialogChecks();
    void regionDialogOkAndCancel_data();
    void regionDialogOkAndCancel();
    void okRefusesPendingValue();
    void lineDialogSeveralRows();
    void splitDialog();
};

void TestArrangeDialogs::sheetDialogChecks()
{
    Fixture f;
    CLabelSheetDialog dialog(PositionEdit::load(*f.doc, PositionEdit::Sheets), 0);
    QStringList messages;
    dialog.showMessage = [&](const QString& m) { messages.append(m); };
    setSpin(&dialog, "height", 49);
    dialog.change();
    QCOMPARE(messages, QStringList{QStringLiteral("入力された数値は正しくありません。")});
    QCOMPARE(dialog.edit().rects().value(0), (Rect{0, 0, 2100, -2970}));
    setSpin(&dialog, "height", 50);
    dialog.change();
    QCOMPARE(dialog.edit().rects().value(0), (Rect{0, 0, 2100, -50}));

    setSpin(&dialog, "paperWidth", 2971);
    dialog.show();
    dialog.accept();
    QCOMPARE(messages.last(), QStringLiteral("用紙サイズの設定をやりなおしてください"));
    QVERIFY(dialog.isVisible()); // stays open
    setSpin(&dialog, "paperWidth", 1000);
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    dialog.edit().apply(*f.doc);
    QCOMPARE(f.tpl().paperRect, (Rect{0, 0, 1000, -2970}));
    QCOMPARE(f.doc->undoAvailable, 1);
}

void TestArrangeDialogs::regionDialogOkAndCancel_data()
{
    QTest::addColumn<bool>("ok");
    QTest::addColumn<bool>("changeFirst"); // 変更 pressed before OK or Cancel
    QTest::newRow("変更, OK") << true << true;
    QTest::newRow("OK alone stores what was typed") << true << false;
    QTest::newRow("変更, Cancel") << false << true;
    QTest::newRow("Cancel") << false << false;
}

void TestArrangeDialogs::regionDialogOkAndCancel()
{
    QFETCH(bool, ok);
    QFETCH(bool, changeFirst);
    Fixture f;
    QWidget window;
    CommandActions actions;
    ArrangeActions arrange(*f.doc, actions, &window);
    f.doc->selection().textRect = 0;
    whenModal([ok, changeFirst](QDialog* d) {
        setSpin(d, "x", 700);
        setSpin(d, "width", 200);
        auto* positions = qobject_cast<PositionDialog*>(d);
        QVERIFY(positions);
        if (changeFirst)
            positions->change();
        if (ok)
            d->accept();
        else
            d->reject();
    });
    arrange.run(RegionPosition);
    QCOMPARE(f.tpl().regions.rect(0), (ok ? Rect{700, -100, 900, -200} : Rect{100, -100, 400, -200}));
    QCOMPARE(f.doc->undoAvailable, ok ? 1 : 0);
    QCOMPARE(f.doc->isModified(), ok);
}

// OK with a pending value out of range refuses it with the range message and stays open;
// nothing is stored.
void TestArrangeDialogs::okRefusesPendingValue()
{
    Fixture f;
    CLabelSheetDialog dialog(PositionEdit::load(*f.doc, PositionEdit::Sheets), 0);
    QStringList messages;
    dialog.showMessage = [&](const QString& m) { messages.append(m); };
    dialog.show();
    setSpin(&dialog, "height", 49);
    dialog.accept();
    QCOMPARE(messages, QStringList{QStringLiteral("入力された数値は正しくありません。")});
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.edit().rects().value(0), (Rect{0, 0, 2100, -2970}));
    setSpin(&dialog, "height", 60);
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.edit().rects().value(0), (Rect{0, 0, 2100, -60}));
}

void TestArrangeDialogs::lineDialogSeveralRows()
{
    Fixture f;
    for (int i = 0; i < 3; ++i) {
        Keisenn k;
        k.start = Point{0, -100 * i};
        k.end = Point{500, -100 * i};
        f.tpl().keisenns.append(k);
    }
    CLabelKeisennDialog dialog(PositionEdit::load(*f.doc, PositionEdit::Lines), {});
    QStringList messages;
    QStringList questions;
    dialog.showMessage = [&](const QString& m) { messages.append(m); };
    dialog.ask = [&](const QString& q) {
        questions.append(q);
        return true;
    };
    dialog.change();
    QCOMPARE(messages, QStringList{QStringLiteral("変更するデータを選択してください。")});
    dialog.selectRows({0, 2});
    setSpin(&dialog, "width", 5);
    dialog.setColor(0x0000FF);
    dialog.change();
    QCOMPARE(questions.size(), 1);
    const QList<Keisenn>& lines = dialog.edit().lines();
    QCOMPARE(lines.at(0).width, 5);
    QCOMPARE(lines.at(2).color, 0x0000FF);
    QCOMPARE(lines.at(1).width, 1);
    QCOMPARE(lines.at(2).start, (Point{0, -200}));
}

void TestArrangeDialogs::splitDialog()
{
    Fixture f;
    QWidget window;
    CommandActions actions;
    ArrangeActions arrange(*f.doc, actions, &window);
    f.doc->selection().textRect = 0;
    whenModal([](QDialog* d) {
        setSpin(d, "rows", 2);
        setSpin(d, "columns", 3);
        d->accept();
    });
    arrange.run(RegionSplit);
    QCOMPARE(f.tpl().regions.size(), 6);
    QCOMPARE(f.tpl().regions.rect(5), (Rect{300, -150, 400, -200}));
    f.doc->undo();
    QCOMPARE(f.tpl().regions.size(), 1);
}

QTEST_MAIN(TestArrangeDialogs)
#include "tst_arrangedialogs.moc"
