// The template property sheet in the template editor form, offscreen: the pages' fields,
// lists and messages, the copy surviving selection changes and following mouse edits,
// "更新" through the form, and the new-object defaults set by the fields.

#include "app/ui/CTemplateEditorFormView.h"
#include "edit/TemplateSetupApply.h"
#include "edit/ui/CETCPropPage.h"
#include "edit/ui/CKeisennPropPage.h"
#include "edit/ui/CLabelSheetPropPage.h"
#include "edit/ui/CLabelTemplatePropSheet.h"
#include "edit/ui/CTextRectPropPage.h"
#include "edit/ui/FieldSpinBox.h"
#include "edit/ui/TemplatePagePrompts.h"
#include "merge/MergeField.h"
#include "model/CORINOTEDoc.h"
#include "model/SettingsProfile.h"
#include "model/TextMeasurer.h"

#include <QCheckBox>
#include <QFile>
#include <QImage>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTabWidget>
#include <QKeyEvent>
#include <QApplication>
#include <QSpinBox>
#include <QLabel>
#include <QTest>

#include <memory>

namespace {

class Script : public TemplatePagePrompts
{
public:
    QStringList messages;
    QStringList questions;
    bool answer = true;
    std::optional<qint32> color;
    QString picture;

    void showMessage(const QString& text) override { messages.append(text); }
    bool confirm(const QString& q) override
    {
        questions.append(q);
        return answer;
    }
    bool askYesNo(const QString& q) override
    {
        questions.append(q);
        return answer;
    }
    std::optional<Answer> threeWay; // else as askYesNo
    Answer askYesNoCancel(const QString& q) override
    {
        if (!threeWay)
            return TemplatePagePrompts::askYesNoCancel(q);
        questions.append(q);
        return *threeWay;
    }
    std::optional<qint32> chooseColor(qint32) override { return color; }
    QString choosePicture() override { return picture; }
};

// Every character is a square of the cross size.
class SquareMeasurer : public TextMeasurer
{
public:
    int textExtent(const QString& text, const FontRecord&, int crossSize) const override
    {
        return int(text.size()) * crossSize;
    }
};

struct Form
{
    QTemporaryDir dir;
    std::unique_ptr<SettingsProfile> profile;
    std::unique_ptr<CORINOTEDoc> doc;
    std::unique_ptr<CTemplateEditorFormView> form;
    Script script;
    SquareMeasurer measurer;

    // Template mode on a new A4 document, with `sheets` sheets in a column and one ruled
    // line per sheet.
    explicit Form(int sheets = 1)
    {
        profile = std::make_unique<SettingsProfile>(dir.filePath(QStringLiteral("t.ini")));
        doc = std::make_unique<CORINOTEDoc>(profile.get());
        doc->dataFolder = dir.path();
        doc->newDocument();
        CLabelSheetTemplate& t = doc->labelTemplate();
        if (sheets > 1) {
            t.sheets.clear();
            for (int i = 0; i < sheets; ++i) {
                doc->addTemplateSheet(Rect{0, -i * 500, 1000, -i * 500 - 400});
                Keisenn line;
                line.start = Point{0, -i * 500 - 450};
                line.end = Point{1000, -i * 500 - 450};
                t.keisenns.append(line);
            }
        }
        doc->templateMode = 1;
        doc->setModified(false);
        form = std::make_unique<CTemplateEditorFormView>(*doc);
        sheet()->setPrompts(&script);
        sheet()->setMeasurer(&measurer);
        form->resize(420, 700);
    }
    CLabelTemplatePropSheet* sheet() const { return form->propertySheet(); }
    CLabelSheetPropPage* page1() const { return sheet()->sheetPage(); }
    CTextRectPropPage* page2() const { return sheet()->regionPage(); }
    CKeisennPropPage* page3() const { return sheet()->linePage(); }
    const CLabelSheetTemplate& tpl() const { return doc->labelTemplate(); }
};

void setSheetFields(CLabelSheetPropPage* p, int x, int y, int h, int w)
{
    p->xEdit()->setValue(x);
    p->yEdit()->setValue(y);
    p->heightEdit()->setValue(h);
    p->widthEdit()->setValue(w);
}

} // namespace

class TestTemplatePages : public QObject
{
    Q_OBJECT
private slots:
    void pagesAndLists();
    void buttonMessages_data();
    void buttonMessages();
    void twoLinesAskAndKeepTheirPoints();
    void regionAddedWithItsDirectionAndFitted();
    void emptiedFieldRefused_data();
    void emptiedFieldRefused();
    void typedTextStaysAsTyped_data();
    void typedTextStaysAsTyped();
    void applyIsOneUndoStep();
    void applyRefusesPaperWidth();
    void applyAsksToScale_data();
    void applyAsksToScale();
    void copySurvivesSelectionAndFollowsMouseEdits();
    void pendingEditsSurvive_data();
    void pendingEditsSurvive();
    void listSelectsInTheView();
    void defaultsFromFields_data();
    void defaultsFromFields();
    void directionBoxesExcludeEachOther();
    void fieldsStartFromDefaults();
    void printOptions();
    void fillWithPaperAndPicture();
};

void TestTemplatePages::pagesAndLists()
{
    Form f(2);
    QCOMPARE(f.sheet()->count(), 4);
    const QStringList titles{QStringLiteral("シート設定"), QStringLiteral("文字列編集領域"),
                             QStringLiteral("罫線"), QStringLiteral("印刷設定")};
    for (int i = 0; i < 4; ++i)
        QCOMPARE(f.sheet()->tabText(i), titles.at(i));
    QVERIFY(f.form->applyButton()->isEnabled());
    QVERIFY(f.doc->newObjectDefaults().setByPages);
    // Entering the form wrote nothing.
    QVERIFY(!f.doc->isModified());
    QCOMPARE(f.doc->undoAvailable, 0);

    QTableView* list = f.page1()->list();
    QCOMPARE(list->model()->rowCount(), 2);
    QCOMPARE(list->model()->columnCount(), 5);
    QCOMPARE(list->columnWidth(0), 50);
    QCOMPARE(list->columnWidth(1), 70);
    QCOMPARE(list->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Y座標"));
    // Row 2: "No." 2, X 0, Y 500 below the top, height 400, width 1000.
    const QStringList row2{QStringLiteral("2"), QStringLiteral("0"), QStringLiteral("500"),
                           QStringLiteral("400"), QStringLiteral("1000")};
    for (int c = 0; c < 5; ++c)
        QCOMPARE(list->model()->index(1, c).data().toString(), row2.at(c));
    QCOMPARE(list->model()->index(1, 1).data(Qt::TextAlignmentRole).toInt(),
             int(Qt::AlignRight | Qt::AlignVCenter));
    QCOMPARE(f.page2()->list()->model()->columnCount(), 6);
    QCOMPARE(f.page2()->list()->columnWidth(5), 60);
    QCOMPARE(f.page3()->list()->model()->rowCount(), 2);
    QCOMPARE(f.page1()->paperHeightEdit()->value(), 2970);
    QCOMPARE(f.page1()->paperWidthEdit()->value(), 2100);
    // The attribute combo: an empty first entry, the merge catalogue, the CSV markers.
    QComboBox* combo = f.page2()->attributeCombo();
    QCOMPARE(combo->count(), MergeField::CatalogueSize + 1 + MergeField::CsvChoiceCount);
    QCOMPARE(combo->itemText(0), QString());
    QCOMPARE(combo->itemText(1), MergeField::catalogue().first().name);
    QCOMPARE(combo->itemText(combo->count() - 1), QStringLiteral("@10(CSV)"));
    QCOMPARE(combo->currentIndex(), 0);
}

void TestTemplatePages::buttonMessages_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("height"); // typed into the height field
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("count"); // objects in the copy afterwards
    const QString bad = QStringLiteral("入力された数値は正しくありません。");
    const QString select = QStringLiteral("アイテムを選択してください。");
    const QString one = QStringLiteral("一つの項目のみを選択してください。");
    const QString del = QStringLiteral("削除するデータを選択してください。");
    QTest::newRow("sheet height 49") << 1 << QList<int>{} << "追加" << 49 << bad << 2;
    QTest::newRow("sheet height 50") << 1 << QList<int>{} << "追加" << 50 << QString() << 3;
    QTest::newRow("sheet change none") << 1 << QList<int>{} << "変更" << 50 << select << 2;
    QTest::newRow("sheet change two") << 1 << QList<int>{0, 1} << "変更" << 50 << one << 2;
    QTest::newRow("sheet delete none") << 1 << QList<int>{} << "削除" << 50 << del << 2;
    QTest::newRow("sheet delete two") << 1 << QList<int>{0, 1} << "削除" << 50 << QString() << 0;
    QTest::newRow("region height 24") << 2 << QList<int>{} << "追加" << 24 << bad << 0;
    QTest::newRow("region height 25") << 2 << QList<int>{} << "追加" << 25 << QString() << 1;
    QTest::newRow("region change none") << 2 << QList<int>{} << "変更" << 25 << select << 0;
    QTest::newRow("line change none")
        << 3 << QList<int>{} << "変更" << 0 << QStringLiteral("変更するデータを選択してください。")
        << 2;
    QTest::newRow("line delete one") << 3 << QList<int>{1} << "削除" << 0 << QString() << 1;
}

void TestTemplatePages::buttonMessages()
{
    QFETCH(int, page);
    QFETCH(QList<int>, rows);
    QFETCH(QString, button);
    QFETCH(int, height);
    QFETCH(QString, message);
    QFETCH(int, count);
    Form f(2);
    const CLabelSheetTemplate before = f.tpl();
    TemplatePropPage* p = page == 1   ? static_cast<TemplatePropPage*>(f.page1())
                          : page == 2 ? static_cast<TemplatePropPage*>(f.page2())
                                      : static_cast<TemplatePropPage*>(f.page3());
    f.sheet()->setCurrentWidget(p);
    if (page == 1)
        f.page1()->heightEdit()->setValue(height);
    if (page == 2)
        f.page2()->heightEdit()->setValue(height);
    p->selectRows(rows);
    QPushButton* target = nullptr;
    for (QPushButton* b : p->findChildren<QPushButton*>()) {
        if (b->text() == button)
            target = b;
    }
    QVERIFY(target);
    target->click();
    QCOMPARE(f.script.messages, message.isEmpty() ? QStringList() : QStringList{message});
    const TemplateSetup& s = f.sheet()->setup();
    QCOMPARE(page == 1 ? s.sheets.size() : page == 2 ? s.regions.size() : s.lines.size(), count);
    QCOMPARE(p->list()->model()->rowCount(), count);
    // The template waits for "更新".
    QVERIFY(f.tpl() == before);
}

void TestTemplatePages::twoLinesAskAndKeepTheirPoints()
{
    Form f(2);
    CKeisennPropPage* p = f.page3();
    p->selectRows({0, 1});
    QCOMPARE(p->x1Edit()->value(), 0);
    QCOMPARE(p->y1Edit()->value(), 450);
    p->x1Edit()->setValue(7);
    p->widthEdit()->setValue(9);
    f.script.color = 0x0000FF;
    p->chooseColor();
    QCOMPARE(p->color(), 0x0000FF);
    f.script.answer = false;
    p->changeLines();
    QCOMPARE(f.script.questions.size(), 1);
    QCOMPARE(f.sheet()->setup().lines.width(0), 1);
    f.script.answer = true;
    p->changeLines();
    const KeisennFamily& lines = f.sheet()->setup().lines;
    for (int i = 0; i < 2; ++i) {
        QCOMPARE(lines.width(i), 9);
        QCOMPARE(lines.color(i), 0x0000FF);
        QCOMPARE(lines.start(i), f.tpl().keisenns.start(i));
    }
    QCOMPARE(p->selectedRows(), (QList<int>{0, 1}));
}

void TestTemplatePages::regionAddedWithItsDirectionAndFitted()
{
    Form f;
    CTextRectPropPage* p = f.page2();
    p->attributeCombo()->setEditText(QStringLiteral("御中"));
    p->xEdit()->setValue(100);
    p->yEdit()->setValue(200);
    p->heightEdit()->setValue(300);
    p->widthEdit()->setValue(400);
    p->layerEdit()->setValue(2);
    p->verticalBox()->setChecked(true);
    p->addRegion();
    // Vertical: measured with the width, 2 × 400 plus 800 / 4 bytes, downwards.
    const TextRectFamily& r = f.sheet()->setup().regions;
    QCOMPARE(r.size(), 1);
    QCOMPARE(r.rect(0).top, -200);
    QCOMPARE(r.rect(0).bottom, -200 - 800 - 200);
    QCOMPARE(r.font(0).faceName(), QStringLiteral("@ＭＳ 明朝"));
    QCOMPARE(r.layer(0), 2);
    QCOMPARE(p->list()->model()->index(0, 5).data().toString(), QStringLiteral("2"));

    // A merge field keeps the typed size.
    p->attributeCombo()->setCurrentIndex(p->attributeCombo()->findText(QStringLiteral("氏名(R)")));
    p->verticalBox()->setChecked(false);
    p->addRegion();
    QCOMPARE(r.rect(1), (Rect{100, -200, 500, -500}));
    QCOMPARE(r.attribute(1), QStringLiteral("氏名(R)"));
    QVERIFY(!r.at(1).squeezesLongText());

    // "長い時は縮小" goes with 追加 and 変更 and shows with the row.
    QVERIFY(p->attributeCombo()->findText(QStringLiteral("宛名(R)")) > 0);
    p->squeezeBox()->setChecked(true);
    p->addRegion();
    QVERIFY(r.at(2).squeezesLongText());
    p->selectRows({1});
    QVERIFY(!p->squeezeBox()->isChecked());
    p->squeezeBox()->setChecked(true);
    p->changeRegion();
    QVERIFY(r.at(1).squeezesLongText());
    p->selectRows({0});
    QVERIFY(!p->squeezeBox()->isChecked());
    p->selectRows({2});
    QVERIFY(p->squeezeBox()->isChecked());

    // Choosing a row shows it; choosing none resets the attribute and the layer.
    p->selectRows({1});
    QCOMPARE(p->attributeCombo()->currentText(), QStringLiteral("氏名(R)"));
    p->selectRows({});
    QCOMPARE(p->attributeCombo()->currentIndex(), 0);
    QCOMPARE(p->layerEdit()->value(), 1);
}

// A number field emptied by the user is refused with the range message on 追加 and 変更;
// it does not quietly keep its old value.
void TestTemplatePages::emptiedFieldRefused_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("button");
    QTest::newRow("sheet, 追加") << 1 << QStringLiteral("追加");
    QTest::newRow("sheet, 変更") << 1 << QStringLiteral("変更");
    QTest::newRow("region, 追加") << 2 << QStringLiteral("追加");
}

void TestTemplatePages::emptiedFieldRefused()
{
    QFETCH(int, page);
    QFETCH(QString, button);
    Form f(2);
    f.form->show();
    TemplatePropPage* p = page == 1 ? static_cast<TemplatePropPage*>(f.page1())
                                    : static_cast<TemplatePropPage*>(f.page2());
    f.sheet()->setCurrentWidget(p);
    QSpinBox* x = page == 1 ? static_cast<QSpinBox*>(f.page1()->xEdit())
                            : static_cast<QSpinBox*>(f.page2()->xEdit());
    if (page == 1)
        p->selectRows({0});
    x->setValue(100);
    x->setFocus();
    x->selectAll();
    QTest::keyClick(x, Qt::Key_Backspace);
    x->clearFocus(); // the field is left empty
    QVERIFY(x->text().isEmpty());
    const TemplateSetup before = f.sheet()->setup();
    for (QPushButton* b : p->findChildren<QPushButton*>()) {
        if (b->text() == button)
            b->click();
    }
    QCOMPARE(f.script.messages, QStringList{QStringLiteral("入力された数値は正しくありません。")});
    const TemplateSetup& s = f.sheet()->setup();
    QCOMPARE(s.sheets.size(), before.sheets.size());
    QCOMPARE(s.regions.size(), before.regions.size());
    QCOMPARE(s.sheets.rect(0), before.sheets.rect(0));
}

// What is typed into 属性 is stored as typed: 住所 stays fixed text (and is fitted), it
// does not become 住所1(R); a placeholder typed in full is one.
void TestTemplatePages::typedTextStaysAsTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("fitted");
    QTest::newRow("住所") << QStringLiteral("住所") << true;
    QTest::newRow("氏名") << QStringLiteral("氏名") << true;
    QTest::newRow("氏名(R) in full") << QStringLiteral("氏名(R)") << false;
}

void TestTemplatePages::typedTextStaysAsTyped()
{
    QFETCH(QString, typed);
    QFETCH(bool, fitted);
    Form f;
    f.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
    CTextRectPropPage* p = f.page2();
    if (auto* tabs = qobject_cast<QTabWidget*>(f.sheet()))
        tabs->setCurrentWidget(p);
    else if (auto* inner = f.sheet()->findChild<QTabWidget*>())
        inner->setCurrentWidget(p);
    QComboBox* combo = p->attributeCombo();
    combo->setFocus();
    combo->lineEdit()->selectAll();
    for (const QChar c : typed) { // one key press per character, as a keyboard types them
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(combo->lineEdit(), &press);
    }
    QCOMPARE(combo->currentText(), typed);
    p->xEdit()->setValue(100);
    p->yEdit()->setValue(200);
    p->heightEdit()->setValue(100);
    p->widthEdit()->setValue(900);
    p->addRegion();
    const TextRectFamily& r = f.sheet()->setup().regions;
    QCOMPARE(r.attribute(0), typed);
    QCOMPARE(r.rect(0).right != 1000, fitted); // fixed text is sized to its length
}

void TestTemplatePages::applyIsOneUndoStep()
{
    Form f;
    const CLabelSheetTemplate before = f.tpl();
    setSheetFields(f.page1(), 0, 0, 1485, 2100);
    f.page1()->selectRows({0});
    f.page1()->heightEdit()->setValue(1485);
    f.page1()->changeSheet();
    setSheetFields(f.page1(), 0, 1485, 1485, 2100);
    f.page1()->addSheet();
    f.page3()->y1Edit()->setValue(1485);
    f.page3()->x2Edit()->setValue(2100);
    f.page3()->y2Edit()->setValue(1485);
    f.page3()->addLine();
    QVERIFY(f.script.messages.isEmpty());
    QCOMPARE(f.doc->undoAvailable, 0);

    QTest::mouseClick(f.form->applyButton(), Qt::LeftButton);
    QVERIFY(f.script.questions.isEmpty()); // the paper stayed
    QCOMPARE(f.tpl().sheets.size(), 2);
    QCOMPARE(f.tpl().sheets.rect(1), (Rect{0, -1485, 2100, -2970}));
    QCOMPARE(f.tpl().keisenns.size(), 1);
    QVERIFY(f.doc->isModified());
    QCOMPARE(f.doc->sheets().size(), 2); // the data-mode layout was rebuilt
    QCOMPARE(f.doc->undoAvailable, 1);
    QCOMPARE(f.page1()->list()->model()->rowCount(), 2);

    f.doc->undo();
    f.doc->updateAllViews();
    QVERIFY(f.tpl() == before);
    QCOMPARE(f.doc->undoAvailable, 0);
    // The pages follow the template the undo brought back.
    QCOMPARE(f.page1()->list()->model()->rowCount(), 1);
    QCOMPARE(f.page3()->list()->model()->rowCount(), 0);
}

void TestTemplatePages::applyRefusesPaperWidth()
{
    Form f;
    const CLabelSheetTemplate before = f.tpl();
    f.page1()->paperWidthEdit()->setValue(2971);
    f.page1()->addSheet();
    f.form->apply();
    QCOMPARE(f.script.messages,
             QStringList{QStringLiteral("用紙サイズの設定をやりなおしてください。")});
    QVERIFY(f.tpl() == before);
    QCOMPARE(f.doc->undoAvailable, 0);
    // The copy keeps what was typed, so the user can correct it.
    QCOMPARE(f.page1()->paperWidthEdit()->value(), 2971);
    QCOMPARE(f.sheet()->setup().sheets.size(), 2);
}

void TestTemplatePages::applyAsksToScale_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("yes") << true;
    QTest::newRow("no") << false;
}

void TestTemplatePages::applyAsksToScale()
{
    QFETCH(bool, yes);
    Form f(2);
    f.page1()->paperHeightEdit()->setValue(1485);
    f.page1()->paperWidthEdit()->setValue(1050);
    f.script.answer = yes;
    f.form->apply();
    QCOMPARE(f.script.questions, QStringList{TemplateSetupApply::scaleQuestion()});
    QCOMPARE(f.tpl().paperRect, (Rect{0, 0, 1050, -1485}));
    QCOMPARE(f.tpl().sheets.rect(1), yes ? (Rect{0, -250, 500, -450}) : (Rect{0, -500, 1000, -900}));
    QCOMPARE(f.tpl().keisenns.start(0), yes ? (Point{0, -225}) : (Point{0, -450}));
    QCOMPARE(f.page1()->list()->model()->index(1, 2).data().toString(),
             yes ? QStringLiteral("250") : QStringLiteral("500"));
}

void TestTemplatePages::copySurvivesSelectionAndFollowsMouseEdits()
{
    Form f(2);
    setSheetFields(f.page1(), 10, 20, 100, 100);
    f.page1()->addSheet();
    QCOMPARE(f.page1()->list()->model()->rowCount(), 3);
    // A click in the view selects a sheet: the pending sheet stays in the copy.
    f.doc->selection().sheet = 1;
    f.doc->updateAllViews();
    QCOMPARE(f.page1()->list()->model()->rowCount(), 3);
    QCOMPARE(f.page1()->selectedRows(), QList<int>{1});
    QCOMPARE(f.page1()->yEdit()->value(), 500);

    // A mouse edit changes the template under the pending sheet: asked, and answered いいえ
    // the copy follows the template.
    f.script.answer = false;
    f.doc->addTemplateSheet(Rect{1100, 0, 1300, -200});
    f.doc->updateAllViews();
    QCOMPARE(f.script.questions, QStringList{QStringLiteral("変更を反映しますか？")});
    QCOMPARE(f.page1()->list()->model()->rowCount(), 3);
    QCOMPARE(f.page1()->list()->model()->index(2, 1).data().toString(), QStringLiteral("1100"));
    QCOMPARE(f.page1()->selectedRows(), QList<int>{1});
}

// A sheet added on the pages and not yet written is pending: the form says so, and a
// change of the template from elsewhere (太字 from the menu) asks before anything is lost.
void TestTemplatePages::pendingEditsSurvive_data()
{
    QTest::addColumn<int>("answer"); // TemplatePagePrompts::Answer
    QTest::addColumn<int>("templateSheets");
    QTest::addColumn<int>("pageSheets");
    QTest::addColumn<bool>("stillPending");
    QTest::newRow("はい: both kept") << int(TemplatePagePrompts::Answer::Yes) << 3 << 3 << false;
    QTest::newRow("いいえ: the page edit dropped")
        << int(TemplatePagePrompts::Answer::No) << 2 << 2 << false;
    QTest::newRow("キャンセル: still pending, over the change")
        << int(TemplatePagePrompts::Answer::Cancel) << 2 << 3 << true;
}

void TestTemplatePages::pendingEditsSurvive()
{
    QFETCH(int, answer);
    QFETCH(int, templateSheets);
    QFETCH(int, pageSheets);
    QFETCH(bool, stillPending);
    Form f(2);
    f.doc->addTemplateTextRegion(Rect{100, -100, 500, -200}, nullptr);
    f.doc->updateAllViews();
    QVERIFY(!f.sheet()->hasPendingEdits());
    setSheetFields(f.page1(), 10, 20, 100, 100);
    f.page1()->addSheet();
    QVERIFY(f.sheet()->hasPendingEdits());
    QTRY_VERIFY(!f.form->pendingNote()->isHidden());

    f.script.threeWay = TemplatePagePrompts::Answer(answer);
    FontRecord bold = f.tpl().regions.font(0);
    bold.weight = 700;
    f.doc->labelTemplate().regions.setFont(0, bold); // 太字 from the menu
    f.doc->updateAllViews();
    QCOMPARE(f.script.questions, QStringList{QStringLiteral("変更を反映しますか？")});
    QCOMPARE(f.tpl().sheets.size(), templateSheets);
    QCOMPARE(f.tpl().regions.font(0).weight, 700); // the change from elsewhere stays
    QCOMPARE(f.sheet()->setup().sheets.size(), pageSheets);
    QCOMPARE(f.sheet()->setup().regions.font(0).weight, 700);
    QCOMPARE(f.sheet()->hasPendingEdits(), stillPending);
    QTRY_COMPARE(f.form->pendingNote()->isHidden(), !stillPending);
}

void TestTemplatePages::listSelectsInTheView()
{
    Form f(3);
    int redraws = 0;
    QObject::connect(f.doc.get(), &CORINOTEDoc::changed, [&redraws] { ++redraws; });
    f.page1()->list()->selectRow(2);
    QCOMPARE(f.doc->selection().sheet, 2);
    QVERIFY(redraws > 0);
    f.page3()->list()->selectRow(1);
    QCOMPARE(f.doc->selection().keisenns, QList<int>{1});
    QCOMPARE(f.doc->selection().sheet, -1);
    QVERIFY(f.page1()->selectedRows().isEmpty());
    // Several rows chosen by the user stay chosen through a redraw.
    f.page1()->selectRows({0, 1});
    f.doc->updateAllViews();
    QCOMPARE(f.page1()->selectedRows(), (QList<int>{0, 1}));
    // Once the copy's sheets differ from the template's, rows no longer name the view's
    // objects and choosing one leaves the view alone.
    f.page1()->selectRows({0});
    f.page1()->removeSheets();
    f.doc->selection().clear();
    f.page1()->list()->selectRow(0);
    QCOMPARE(f.doc->selection().sheet, -1);
}

void TestTemplatePages::defaultsFromFields_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("flag");
    QTest::addColumn<int>("expected"); // the default afterwards
    QTest::newRow("sheet height") << "sheetHeight" << 250 << true << 250;
    QTest::newRow("sheet height refused") << "sheetHeight" << 40 << true << 100;
    QTest::newRow("sheet height flag off") << "sheetHeight" << 250 << false << 100;
    QTest::newRow("sheet width") << "sheetWidth" << 700 << true << 700;
    QTest::newRow("region height") << "regionHeight" << 60 << true << 60;
    QTest::newRow("region width") << "regionWidth" << 2970 << true << 2970;
    QTest::newRow("region width refused") << "regionWidth" << 2971 << true << 100;
    QTest::newRow("layer") << "layer" << 4 << true << 4;
    QTest::newRow("line width") << "lineWidth" << 12 << true << 12;
    QTest::newRow("line width refused") << "lineWidth" << 31 << true << 1;
}

void TestTemplatePages::defaultsFromFields()
{
    QFETCH(QString, field);
    QFETCH(int, value);
    QFETCH(bool, flag);
    QFETCH(int, expected);
    Form f;
    NewObjectDefaults& d = f.doc->newObjectDefaults();
    d.setByPages = flag;
    const QHash<QString, std::pair<QSpinBox*, qint32*>> fields{
        {QStringLiteral("sheetHeight"), {f.page1()->heightEdit(), &d.sheetHeight}},
        {QStringLiteral("sheetWidth"), {f.page1()->widthEdit(), &d.sheetWidth}},
        {QStringLiteral("regionHeight"), {f.page2()->heightEdit(), &d.regionHeight}},
        {QStringLiteral("regionWidth"), {f.page2()->widthEdit(), &d.regionWidth}},
        {QStringLiteral("layer"), {f.page2()->layerEdit(), &d.layer}},
        {QStringLiteral("lineWidth"), {f.page3()->widthEdit(), &d.lineWidth}},
    };
    const auto [edit, target] = fields.value(field);
    QVERIFY(edit);
    edit->setValue(value);
    QCOMPARE(*target, expected);
}

void TestTemplatePages::directionBoxesExcludeEachOther()
{
    Form f;
    NewObjectDefaults& d = f.doc->newObjectDefaults();
    CTextRectPropPage* p = f.page2();
    p->verticalBox()->setChecked(true);
    QCOMPARE(d.vertical, 1);
    p->westernBox()->setChecked(true);
    QVERIFY(!p->verticalBox()->isChecked());
    QCOMPARE(d.vertical, 0);
    QCOMPARE(d.westernHorizontal, 1);
    p->ellipticBox()->setChecked(true);
    QCOMPARE(d.elliptic, 1);
    p->attributeCombo()->setEditText(QStringLiteral("様"));
    QCOMPARE(d.text, QStringLiteral("様"));
    f.page1()->ellipticBox()->setChecked(true);
    QCOMPARE(d.sheetElliptic, 1);
    f.script.color = 0x00FF00;
    f.page3()->chooseColor();
    QCOMPARE(d.lineColor, 0x00FF00);
    // Loading the pages from the template sets no default.
    f.doc->addTemplateSheet(Rect{0, 0, 300, -300});
    f.doc->selection().sheet = 1;
    f.doc->updateAllViews();
    QCOMPARE(f.page1()->heightEdit()->value(), 300);
    QCOMPARE(d.sheetHeight, 100);
}

void TestTemplatePages::fieldsStartFromDefaults()
{
    Form f;
    NewObjectDefaults& d = f.doc->newObjectDefaults();
    d.sheetHeight = 1485;
    d.sheetWidth = 2100;
    d.regionWidth = 640;
    d.westernHorizontal = 1;
    d.lineWidth = 5;
    d.lineColor = 0x123456;
    // A form made again (a mode switch) shows what a click or a drawn line would get.
    CTemplateEditorFormView again(*f.doc);
    CLabelTemplatePropSheet* s = again.propertySheet();
    QCOMPARE(s->sheetPage()->heightEdit()->value(), 1485);
    QCOMPARE(s->sheetPage()->widthEdit()->value(), 2100);
    QCOMPARE(s->regionPage()->widthEdit()->value(), 640);
    QVERIFY(s->regionPage()->westernBox()->isChecked());
    QCOMPARE(s->linePage()->widthEdit()->value(), 5);
    QCOMPARE(s->linePage()->color(), 0x123456);
    QCOMPARE(d.sheetHeight, 1485);
}

void TestTemplatePages::printOptions()
{
    Form f;
    CETCPropPage* p = f.sheet()->printPage();
    QVERIFY(!p->framesBox()->isChecked());
    QVERIFY(!p->roundBox()->isEnabled());
    QVERIFY(p->linesBox()->isChecked());
    p->framesBox()->setChecked(true);
    QVERIFY(p->roundBox()->isEnabled());
    p->roundBox()->setChecked(true);
    QCOMPARE(f.sheet()->setup().roundSheetCorners, 1);
    p->framesBox()->setChecked(false);
    QVERIFY(!p->roundBox()->isChecked());
    QCOMPARE(f.sheet()->setup().printSheetFrames, 0);
    QCOMPARE(f.sheet()->setup().roundSheetCorners, 0);
    p->framesBox()->setChecked(true);
    f.form->apply();
    QCOMPARE(f.tpl().printSheetFrames, 1);
    QCOMPARE(f.doc->scalars().printSheetFrames, 1);
}

void TestTemplatePages::fillWithPaperAndPicture()
{
    Form f;
    f.page1()->paperHeightEdit()->setValue(1480);
    f.page1()->paperWidthEdit()->setValue(1000);
    f.page1()->fillWithPaper();
    QCOMPARE(f.page1()->xEdit()->value(), 0);
    QCOMPARE(f.page1()->heightEdit()->value(), 1480);
    QCOMPARE(f.page1()->widthEdit()->value(), 1000);
    QCOMPARE(f.sheet()->setup().sheets.size(), 1); // nothing stored
    // A file that is no picture is refused when it is chosen, as the sheets' dialog does.
    QTemporaryDir dir;
    const QString notes = dir.filePath(QStringLiteral("notes.png"));
    QFile text(notes);
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("not a picture\n");
    text.close();
    f.script.picture = notes;
    f.page1()->choosePaperPicture();
    QCOMPARE(f.script.messages, QStringList{QStringLiteral("画像ファイルを読み込めません。")});
    QVERIFY(f.page1()->paperPictureEdit()->text().isEmpty());
    QVERIFY(f.sheet()->setup().paperPicture.isEmpty());
    const QString paper = dir.filePath(QStringLiteral("paper.png"));
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::white);
    QVERIFY(image.save(paper));
    f.script.picture = paper;
    f.page1()->choosePaperPicture();
    QCOMPARE(f.page1()->paperPictureEdit()->text(), paper);
    QCOMPARE(f.sheet()->setup().paperPicture, paper);
}

QTEST_MAIN(TestTemplatePages)
#include "tst_templatepages.moc"
