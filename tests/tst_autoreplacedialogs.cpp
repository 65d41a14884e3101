// The rules list and the rule editor of 自動処理設定: columns, the check box, the buttons
// with their messages, the right-button menu, and what the editor hands back.

#include "merge/ui/AutoReplaceTableModel.h"
#include "merge/ui/CAutoReplaceListDialog.h"
#include "merge/ui/CAutoReplaceRuleDialog.h"
#include "model/CAutoReplaceData.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

Q_DECLARE_METATYPE(AutoReplaceRule)

namespace {

// The list with the editor and the message boxes replaced by scripted answers.
class ScriptedListDialog : public CAutoReplaceListDialog
{
public:
    using CAutoReplaceListDialog::CAutoReplaceListDialog;

    bool acceptEditor = true;
    AutoReplaceRule editorResult;
    QList<AutoReplaceRule> editorInputs;
    QStringList messages;

protected:
    bool editRule(AutoReplaceRule& rule) override
    {
        editorInputs.append(rule);
        if (acceptEditor)
            rule = editorResult;
        return acceptEditor;
    }
    void showMessage(const QString& text) override { messages.append(text); }
};

class ScriptedRuleDialog : public CAutoReplaceRuleDialog
{
public:
    using CAutoReplaceRuleDialog::CAutoReplaceRuleDialog;
    QColor answerColor;
    QList<QColor> askedFrom;
    QString answerPicture;

protected:
    QColor chooseColor(const QColor& current) override
    {
        askedFrom.append(current);
        return answerColor;
    }
    QString choosePicture(const QString&) override { return answerPicture; }
};

AutoReplaceRule rule(const QString& attribute)
{
    AutoReplaceRule r;
    r.attribute = attribute;
    return r;
}

CAutoReplaceData threeRules()
{
    CAutoReplaceData rules;
    rules.append(rule(u"敬称(R)"_qs));
    rules.append(rule(u"年齢(R)"_qs));
    rules.append(rule(u"氏名(R)"_qs));
    return rules;
}

void select(CAutoReplaceListDialog& dialog, const QList<int>& rows)
{
    QItemSelectionModel* selection = dialog.view()->selectionModel();
    selection->clearSelection();
    for (int row : rows)
        selection->select(dialog.model()->index(row, 1),
                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

QPushButton* button(QWidget& dialog, const char* name)
{
    return dialog.findChild<QPushButton*>(QString::fromLatin1(name));
}

} // namespace

class TestAutoReplaceDialogs : public QObject
{
    Q_OBJECT
private slots:
    void columns();
    void colorColumns_data();
    void colorColumns();
    void checkBoxSetsEnabled();
    void buttons_data();
    void buttons();
    void addAppendsEnabledRule();
    void changeEditsTheSelectedRule();
    void contextMenu_data();
    void contextMenu();
    void editorGathersValues();
    void runSavesWhenClosed();
};

void TestAutoReplaceDialogs::columns()
{
    CAutoReplaceData rules = threeRules();
    ScriptedListDialog dialog(rules);
    const QStringList titles{QString(),
                             u"属性"_qs,
                             u"検索文字列"_qs,
                             u"検索条件（以上）"_qs,
                             u"検索条件（以下）"_qs,
                             u"置換文字列"_qs,
                             u"文字列の色"_qs,
                             u"背景色"_qs,
                             u"背景画像"_qs,
                             u"一致しないときの文字列"_qs};
    const QList<int> widths{25, 100, 200, 100, 100, 200, 120, 120, 250, 200};
    QCOMPARE(dialog.model()->columnCount(), titles.size());
    for (int c = 0; c < titles.size(); ++c) {
        QCOMPARE(dialog.model()->headerData(c, Qt::Horizontal).toString(), titles.at(c));
        QCOMPARE(dialog.view()->columnWidth(c), widths.at(c));
    }
    QCOMPARE(dialog.view()->selectionBehavior(), QAbstractItemView::SelectRows);
    QVERIFY(dialog.view()->showGrid());
    QCOMPARE(dialog.model()->rowCount(), 3);
    QCOMPARE(dialog.model()->index(1, AutoReplaceTableModel::AttributeColumn).data().toString(),
             u"年齢(R)"_qs);
    QCOMPARE(dialog.model()->index(1, AutoReplaceTableModel::ReplacementColumn).data().toString(),
             u"そのまま"_qs);
    for (const char* name : {"add", "remove", "change", "close"})
        QVERIFY2(button(dialog, name), name);
    QCOMPARE(button(dialog, "add")->text(), u"追加"_qs);
    QCOMPARE(button(dialog, "remove")->text(), u"削除"_qs);
    QCOMPARE(button(dialog, "change")->text(), u"変更"_qs);
    QCOMPARE(button(dialog, "close")->text(), u"終了"_qs);
}

void TestAutoReplaceDialogs::colorColumns_data()
{
    QTest::addColumn<int>("color");
    QTest::addColumn<int>("keep");
    QTest::addColumn<QString>("text");
    QTest::newRow("kept") << 0x0000FF << 1 << u"そのまま"_qs;
    QTest::newRow("red is the low byte") << 0x0000FF << 0 << u"R:255, G:0, B:0"_qs;
    QTest::newRow("blue is the third byte") << 0xFF0000 << 0 << u"R:0, G:0, B:255"_qs;
    QTest::newRow("mixed") << 0x336699 << 0 << u"R:153, G:102, B:51"_qs;
}

void TestAutoReplaceDialogs::colorColumns()
{
    QFETCH(int, color);
    QFETCH(int, keep);
    QFETCH(QString, text);
    AutoReplaceRule r = rule(u"x"_qs);
    r.textColor = color;
    r.keepTextColor = keep;
    r.backColor = color;
    r.keepBackColor = keep;
    CAutoReplaceData rules;
    rules.append(r);
    AutoReplaceTableModel model(&rules);
    QCOMPARE(model.index(0, AutoReplaceTableModel::TextColorColumn).data().toString(), text);
    QCOMPARE(model.index(0, AutoReplaceTableModel::BackColorColumn).data().toString(), text);
}

void TestAutoReplaceDialogs::checkBoxSetsEnabled()
{
    CAutoReplaceData rules = threeRules();
    AutoReplaceTableModel model(&rules);
    const QModelIndex box = model.index(1, AutoReplaceTableModel::EnabledColumn);
    QVERIFY(model.flags(box) & Qt::ItemIsUserCheckable);
    QCOMPARE(box.data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
    QVERIFY(model.setData(box, Qt::Unchecked, Qt::CheckStateRole));
    QCOMPARE(rules.rule(1).enabled, 0);
    QCOMPARE(rules.rule(0).enabled, 1);
    QCOMPARE(box.data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
    QVERIFY(model.setData(box, Qt::Checked, Qt::CheckStateRole));
    QCOMPARE(rules.rule(1).enabled, 1);
    // Only the check box column is editable.
    QVERIFY(!model.setData(model.index(1, 1), u"y"_qs, Qt::EditRole));
}

void TestAutoReplaceDialogs::buttons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("remaining");

    const QStringList all{u"敬称(R)"_qs, u"年齢(R)"_qs, u"氏名(R)"_qs};
    QTest::newRow("delete without selection")
        << u"remove"_qs << QList<int>{} << u"削除するデータを選択してください。"_qs << all;
    QTest::newRow("delete removes every selected rule")
        << u"remove"_qs << QList<int>{0, 2} << QString() << QStringList{u"年齢(R)"_qs};
    QTest::newRow("change without selection")
        << u"change"_qs << QList<int>{} << u"アイテムを選択してください。"_qs << all;
    QTest::newRow("change with two selected")
        << u"change"_qs << QList<int>{0, 1} << u"一つの項目のみを選択してください。"_qs << all;
}

void TestAutoReplaceDialogs::buttons()
{
    QFETCH(QString, button);
    QFETCH(QList<int>, selected);
    QFETCH(QString, message);
    QFETCH(QStringList, remaining);

    CAutoReplaceData rules = threeRules();
    ScriptedListDialog dialog(rules);
    select(dialog, selected);
    QTest::mouseClick(::button(dialog, button.toLatin1().constData()), Qt::LeftButton);

    QCOMPARE(dialog.messages, message.isEmpty() ? QStringList() : QStringList{message});
    QStringList attributes;
    for (int i = 0; i < rules.count(); ++i)
        attributes.append(rules.rule(i).attribute);
    QCOMPARE(attributes, remaining);
    QCOMPARE(dialog.model()->rowCount(), remaining.size());
    QVERIFY(dialog.editorInputs.isEmpty());
}

void TestAutoReplaceDialogs::addAppendsEnabledRule()
{
    CAutoReplaceData rules = threeRules();
    ScriptedListDialog dialog(rules);
    dialog.editorResult = rule(u"会社(R)"_qs);
    dialog.editorResult.enabled = 0;
    QTest::mouseClick(button(dialog, "add"), Qt::LeftButton);
    QCOMPARE(rules.count(), 4);
    QCOMPARE(rules.rule(3).attribute, u"会社(R)"_qs);
    QCOMPARE(rules.rule(3).enabled, 1);
    // The editor starts from a new rule.
    QCOMPARE(dialog.editorInputs.size(), 1);
    QVERIFY(dialog.editorInputs.first() == AutoReplaceRule());
    QCOMPARE(dialog.editorInputs.first().replacement, u"そのまま"_qs);

    dialog.acceptEditor = false;
    QTest::mouseClick(button(dialog, "add"), Qt::LeftButton);
    QCOMPARE(rules.count(), 4);
}

void TestAutoReplaceDialogs::changeEditsTheSelectedRule()
{
    CAutoReplaceData rules = threeRules();
    rules.setEnabled(1, false);
    ScriptedListDialog dialog(rules);
    select(dialog, {1});
    dialog.acceptEditor = false;
    QTest::mouseClick(button(dialog, "change"), Qt::LeftButton);
    QCOMPARE(rules.rule(1).attribute, u"年齢(R)"_qs);

    AutoReplaceRule edited = rules.rule(1);
    edited.search = u"歳"_qs;
    dialog.acceptEditor = true;
    dialog.editorResult = edited;
    QTest::mouseClick(button(dialog, "change"), Qt::LeftButton);
    QCOMPARE(dialog.editorInputs.last().attribute, u"年齢(R)"_qs);
    QCOMPARE(rules.count(), 3);
    QCOMPARE(rules.rule(1).search, u"歳"_qs);
    QCOMPARE(rules.rule(1).enabled, 0);
    QCOMPARE(dialog.model()->index(1, AutoReplaceTableModel::SearchColumn).data().toString(),
             u"歳"_qs);
}

void TestAutoReplaceDialogs::contextMenu_data()
{
    QTest::addColumn<int>("action"); // 0 有効, 1 無効, 2 すべて選択
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<QList<int>>("enabled");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("selectedAfter");

    // Rules 0 and 2 start enabled, rule 1 disabled.
    QTest::newRow("disable the selected")
        << 1 << QList<int>{0, 1} << QList<int>{0, 0, 1} << QStringList() << 2;
    QTest::newRow("enable the selected")
        << 0 << QList<int>{1} << QList<int>{1, 1, 1} << QStringList() << 1;
    QTest::newRow("enable without selection")
        << 0 << QList<int>{} << QList<int>{1, 0, 1}
        << QStringList{u"アイテムを選択してください。"_qs} << 0;
    QTest::newRow("disable without selection")
        << 1 << QList<int>{} << QList<int>{1, 0, 1}
        << QStringList{u"アイテムを選択してください。"_qs} << 0;
    QTest::newRow("select all") << 2 << QList<int>{1} << QList<int>{1, 0, 1} << QStringList() << 3;
}

void TestAutoReplaceDialogs::contextMenu()
{
    QFETCH(int, action);
    QFETCH(QList<int>, selected);
    QFETCH(QList<int>, enabled);
    QFETCH(QStringList, messages);
    QFETCH(int, selectedAfter);

    CAutoReplaceData rules = threeRules();
    rules.setEnabled(1, false);
    ScriptedListDialog dialog(rules);
    select(dialog, selected);
    QMenu* menu = dialog.createContextMenu();
    const QList<QAction*> actions = menu->actions();
    QCOMPARE(actions.size(), 3);
    QCOMPARE(actions.at(0)->text(), u"有効"_qs);
    QCOMPARE(actions.at(1)->text(), u"無効"_qs);
    QCOMPARE(actions.at(2)->text(), u"すべて選択"_qs);
    actions.at(action)->trigger();

    QList<int> flags;
    for (int i = 0; i < rules.count(); ++i)
        flags.append(rules.rule(i).enabled);
    QCOMPARE(flags, enabled);
    QCOMPARE(dialog.messages, messages);
    QCOMPARE(dialog.view()->selectionModel()->selectedRows().size(), selectedAfter);
}

void TestAutoReplaceDialogs::editorGathersValues()
{
    AutoReplaceRule start = rule(u"敬称(R)"_qs);
    start.enabled = 0;
    start.textColor = 0x010203;
    ScriptedRuleDialog dialog(start);
    QCOMPARE(dialog.windowTitle(), u"自動処理設定"_qs);
    const auto edit = [&](const char* name) {
        return dialog.findChild<QLineEdit*>(QString::fromLatin1(name));
    };
    QCOMPARE(edit("attribute")->text(), u"敬称(R)"_qs);
    QCOMPARE(edit("replacement")->text(), u"そのまま"_qs);
    edit("search")->setText(u"様;殿"_qs);
    edit("atLeast")->setText(u"２０"_qs); // taken over without checks
    edit("atMost")->setText(u"29"_qs);
    edit("replacement")->setText(u"御中"_qs);
    edit("notFound")->setText(u"各位"_qs);

    dialog.answerColor = QColor(255, 0, 0);
    QTest::mouseClick(button(dialog, "textColorChange"), Qt::LeftButton);
    QCOMPARE(dialog.askedFrom.first(), QColor(3, 2, 1)); // starts from the current colour
    dialog.findChild<QCheckBox*>(u"textColorKeep"_qs)->setChecked(false);
    dialog.answerColor = QColor(0, 0, 255);
    QTest::mouseClick(button(dialog, "backColorChange"), Qt::LeftButton);
    dialog.findChild<QCheckBox*>(u"backColorKeep"_qs)->setChecked(false);
    dialog.answerPicture = u"/tmp/pictures/flower.png"_qs;
    QTest::mouseClick(button(dialog, "openPicture"), Qt::LeftButton);

    const AutoReplaceRule r = dialog.rule();
    QCOMPARE(r.enabled, 0);
    QCOMPARE(r.attribute, u"敬称(R)"_qs);
    QCOMPARE(r.search, u"様;殿"_qs);
    QCOMPARE(r.atLeast, u"２０"_qs);
    QCOMPARE(r.atMost, u"29"_qs);
    QCOMPARE(r.replacement, u"御中"_qs);
    QCOMPARE(r.notFound, u"各位"_qs);
    QCOMPARE(r.textColor, 0x0000FF);
    QCOMPARE(r.keepTextColor, 0);
    QCOMPARE(r.backColor, 0xFF0000);
    QCOMPARE(r.keepBackColor, 0);
    QCOMPARE(r.backPicture, u"/tmp/pictures/flower.png"_qs);
}

void TestAutoReplaceDialogs::runSavesWhenClosed()
{
    QTemporaryDir dir;
    const QString path = CAutoReplaceData::filePath(dir.path());
    CAutoReplaceData rules = threeRules();
    // Closed with Escape, not "終了": the rules are written all the same.
    QTimer::singleShot(0, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    QCOMPARE(CAutoReplaceListDialog::run(nullptr, rules, path), QString());
    CAutoReplaceData back;
    QCOMPARE(back.loadFile(path), QString());
    QVERIFY(back == rules);
}

QTEST_MAIN(TestAutoReplaceDialogs)
#include "tst_autoreplacedialogs.moc"
