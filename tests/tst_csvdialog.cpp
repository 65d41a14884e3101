#include "app/CommandIds.h"
#include "app/CommandState.h"
#include "datasource/CsvDataModel.h"
#include "datasource/CsvDataTable.h"
#include "datasource/ui/CCSVDataDialog.h"
#include "datasource/ui/CsvFileActions.h"
#include "model/CORINOTEDoc.h"
#include "model/MemoryProfile.h"
#include "prompts/SessionPrompts.h"

#include <QCheckBox>
#include <QFile>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QFileDialog>
#include <QTimer>
#include <QDir>
#include <QFileInfo>
#include <QApplication>
#include <QTest>

#include <optional>

namespace {

// Rows "<n>,<name>" with names that sort otherwise than the numbers.
CsvDataTable table(int rows)
{
    QStringList lines;
    for (int r = 0; r < rows; ++r)
        lines.append(QStringLiteral("%1,n%2").arg(r + 1).arg((rows - r) % 7));
    return CsvDataTable(lines);
}

// The dialog with its warnings recorded instead of shown.
class Dialog : public CCSVDataDialog
{
public:
    using CCSVDataDialog::CCSVDataDialog;
    QStringList warnings;

    QString countText() const { return findChild<QLabel*>(QStringLiteral("count"))->text(); }
    void click(const char* name) { findChild<QPushButton*>(QLatin1String(name))->click(); }

protected:
    void showWarning(const QString& message) override { warnings.append(message); }
};

class Prompts : public SessionPrompts
{
public:
    bool yes = false;
    QStringList questions;
    QStringList messages;

    Answer askSaveChanges(const QString&) override { return Answer::Cancel; }
    QString chooseOpenPath() override { return QString(); }
    QString chooseSavePath(const QString&) override { return QString(); }
    void showMessage(const QString& text) override { messages.append(text); }
    bool askYesNo(const QString& question) override
    {
        questions.append(question);
        return yes;
    }
};

// Command 418 with the file and the dialog's answer given.
class Actions : public CsvFileActions
{
public:
    Actions(CORINOTEDoc& doc, Prompts& prompts) : CsvFileActions(doc, prompts, nullptr, nullptr) {}
    QString path;
    std::optional<QList<int>> rows;
    int dialogs = 0;
    int tableRows = -1;
    std::optional<bool> names; // "1行目は見出し" as the user leaves it
    bool namesGiven = false;   // as the dialog opened
    std::optional<bool> records; // "住所録の項目として使う" as the user leaves it
    bool recordsGiven = false;

    // The real file dialog, for the test of its folder and title.
    QString realChoice() { return CsvFileActions::choosePath(); }

protected:
    QString choosePath() override { return path; }
    std::optional<QList<int>> chooseRows(CsvDataTable& t, bool* asRecords) override
    {
        ++dialogs;
        recordsGiven = *asRecords;
        if (records)
            *asRecords = *records;
        namesGiven = t.firstLineNames();
        if (names)
            t.setFirstLineNames(*names);
        tableRows = t.rowCount();
        return rows;
    }
};

void setUpDocument(CORINOTEDoc& doc, bool reserved)
{
    doc.newDocument();
    CLabelSheetTemplate& t = doc.labelTemplate();
    t.sheets.clear();
    t.regions.clear();
    for (int s = 0; s < 2; ++s) {
        Sheet sheet;
        sheet.rect = Rect{s * 1000, -100, s * 1000 + 900, -1000};
        t.sheets.append(sheet);
    }
    TextRect region;
    region.rect = Rect{100, -200, 600, -280};
    region.attribute = QStringLiteral("@2(CSV)");
    t.regions.append(region);
    if (reserved) {
        QStringList values(CAddressData::TextColumnCount);
        values[CAddressData::EntryNumber] = QStringLiteral("A-1");
        doc.addressBook().group(0).appendRecord(values);
        doc.addressBook().group(0).setFlag(0, 1);
    }
}

} // namespace

class TestCsvDialog : public QObject
{
    Q_OBJECT
private slots:
    void fileDialogRemembersItsFolder();
    void init() { CCSVDataDialog::resetSortDirection(); }
    void showsColumnsAndCountsSelectedRows();
    void refusesSelections_data();
    void refusesSelections();
    void sortDirectionFlipsOnEveryClick();
    void choosesRowsInTheOrderShown();
    void firstLineNamesTheColumns();
    void commandRemembersFirstLineNames_data();
    void commandRemembersFirstLineNames();
    void asRecordsNeedsNames();
    void commandPlacesRowsAsRecords_data();
    void commandPlacesRowsAsRecords();
    void commandFollowsTheAnswers_data();
    void commandFollowsTheAnswers();
    void commandIsForDataMode();
};

// The CSV file dialog says what it opens and opens where a CSV file was last chosen.
void TestCsvDialog::fileDialogRemembersItsFolder()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(u"csv"_qs));
    const QString file = dir.filePath(u"csv/list.csv"_qs);
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("a,b\n");
    f.close();
    MemoryProfile profile;
    CORINOTEDoc doc(&profile);
    Prompts prompts;
    Actions actions(doc, prompts);
    QString title;
    QString folder;
    const auto answer = [&](bool accept) {
        QTimer::singleShot(0, [&, accept] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            title = dialog->windowTitle();
            folder = dialog->directory().absolutePath();
            if (accept) {
                dialog->selectFile(file);
                QMetaObject::invokeMethod(dialog, "accept");
            } else {
                dialog->reject();
            }
        });
    };
    answer(true);
    QCOMPARE(actions.realChoice(), file);
    QCOMPARE(title, u"CSVファイルを開く"_qs);
    QCOMPARE(profile.readString(CsvFileActions::folderKey(), QString()),
             QFileInfo(file).absolutePath());
    answer(false);
    QCOMPARE(actions.realChoice(), QString());
    QCOMPARE(folder, QFileInfo(file).absolutePath());
}

void TestCsvDialog::showsColumnsAndCountsSelectedRows()
{
    Dialog dialog(
        CsvDataTable({QStringLiteral("a,b,c"), QStringLiteral("d,e,f,g"), QStringLiteral("h")}));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("CSV差込印刷"));
    QTableView* view = dialog.view();
    QCOMPARE(view->model()->columnCount(), 4); // the line numbers, then the file's columns
    QCOMPARE(view->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("3"));
    QCOMPARE(view->horizontalHeader()->sectionSize(1), 150);
    QCOMPARE(dialog.countText(), QStringLiteral("0"));
    dialog.click("selectAll");
    QCOMPARE(dialog.countText(), QStringLiteral("3"));
    view->selectionModel()->select(view->model()->index(1, 0),
                                   QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
    QCOMPARE(dialog.countText(), QStringLiteral("2"));
    QCOMPARE(dialog.selectedShownRows(), (QList<int>{0, 2}));
    dialog.click("selectNone");
    QCOMPARE(dialog.countText(), QStringLiteral("0"));
}

void TestCsvDialog::refusesSelections_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("warning");
    QTest::newRow("none") << 3 << 0 << QStringLiteral("アイテムが選択されていません。");
    QTest::newRow("500") << 600 << 500 << QString();
    QTest::newRow("501") << 600 << 501
                         << QStringLiteral("一度に読み込めるアイテム数は500までです。");
}

void TestCsvDialog::refusesSelections()
{
    QFETCH(int, rows);
    QFETCH(int, selected);
    QFETCH(QString, warning);
    Dialog dialog(table(rows));
    QTableView* view = dialog.view();
    if (selected > 0) {
        const QItemSelection range(view->model()->index(0, 0),
                                   view->model()->index(selected - 1, 1));
        view->selectionModel()->select(range, QItemSelectionModel::Select);
    }
    QCOMPARE(dialog.countText(), QString::number(selected));
    dialog.click("build");
    if (warning.isEmpty()) {
        QVERIFY(dialog.warnings.isEmpty());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.chosenRows().size(), selected);
    } else {
        QCOMPARE(dialog.warnings, QStringList{warning});
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(dialog.chosenRows().isEmpty());
    }
}

void TestCsvDialog::sortDirectionFlipsOnEveryClick()
{
    Dialog first(
        CsvDataTable({QStringLiteral("b,2"), QStringLiteral("a,3"), QStringLiteral("c,1")}));
    QVERIFY(CCSVDataDialog::nextSortAscending());
    first.sortByColumn(1); // ascending: a, b, c
    QCOMPARE(first.model()->tableRows({0, 1, 2}), (QList<int>{1, 0, 2}));
    first.sortByColumn(2); // another column, descending: 3, 2, 1
    QCOMPARE(first.model()->tableRows({0, 1, 2}), (QList<int>{1, 0, 2}));
    // The direction belongs to the run, not to one dialog.
    Dialog second(CsvDataTable({QStringLiteral("b"), QStringLiteral("a")}));
    QVERIFY(CCSVDataDialog::nextSortAscending());
    second.sortByColumn(1);
    QCOMPARE(second.model()->tableRows({0, 1}), (QList<int>{1, 0}));
    QVERIFY(!CCSVDataDialog::nextSortAscending());
}

void TestCsvDialog::choosesRowsInTheOrderShown()
{
    Dialog dialog(CsvDataTable({QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("a")}));
    QTableView* view = dialog.view();
    // Selected before the sort: the selection moves with its rows.
    view->selectionModel()->select(view->model()->index(2, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    dialog.sortByColumn(1); // a, b, c
    QCOMPARE(dialog.selectedShownRows(), QList<int>{0});
    dialog.sortByColumn(1); // descending: c, b, a
    QCOMPARE(dialog.selectedShownRows(), QList<int>{2});
    dialog.click("selectAll");
    dialog.click("build");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.chosenRows(), (QList<int>{1, 0, 2}));
}

void TestCsvDialog::firstLineNamesTheColumns()
{
    Dialog dialog(CsvDataTable(
        {QStringLiteral("番号,氏名"), QStringLiteral("10,b"), QStringLiteral("9,a")}));
    auto* box = dialog.findChild<QCheckBox*>(QStringLiteral("firstLineNames"));
    QVERIFY(box);
    QCOMPARE(box->text(), QStringLiteral("1行目は見出し"));
    QVERIFY(!box->isChecked()); // the file reads as before
    QTableView* view = dialog.view();
    QCOMPARE(view->model()->rowCount(), 3);
    dialog.click("selectAll");
    QCOMPARE(dialog.countText(), QStringLiteral("3"));

    box->setChecked(true);
    QVERIFY(dialog.firstLineNames());
    QCOMPARE(view->model()->rowCount(), 2);
    QCOMPARE(view->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("番号"));
    QCOMPARE(view->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("氏名"));
    // The rows changed: nothing stays selected.
    QCOMPARE(dialog.countText(), QStringLiteral("0"));
    QCOMPARE(view->horizontalHeader()->sectionSize(1), 150);

    dialog.sortByColumn(1); // by number: 9, 10
    QCOMPARE(view->model()->index(0, 0).data().toInt(), 3); // the file's third line
    dialog.click("selectAll");
    dialog.click("build");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.chosenRows(), (QList<int>{1, 0}));
    QCOMPARE(dialog.table().cell(dialog.chosenRows().constFirst(), 1), QStringLiteral("a"));
}

void TestCsvDialog::commandRemembersFirstLineNames_data()
{
    QTest::addColumn<int>("stored");   // "CSVHEAD" before, -1 for none
    QTest::addColumn<int>("left");     // as the user leaves the box, -1 untouched
    QTest::addColumn<bool>("choose");
    QTest::addColumn<bool>("given");   // ticked as the dialog opened
    QTest::addColumn<int>("remembered");
    QTest::addColumn<QString>("placed"); // @2(CSV) on sheet 1
    QTest::newRow("first run: unticked") << -1 << -1 << true << false << 0 << QStringLiteral("y");
    QTest::newRow("ticked last time") << 1 << -1 << true << true << 1 << QStringLiteral("w");
    QTest::newRow("ticked now") << 0 << 1 << true << false << 1 << QStringLiteral("w");
    QTest::newRow("unticked now") << 1 << 0 << true << true << 0 << QStringLiteral("y");
    // The choice holds even when no rows were placed.
    QTest::newRow("ticked, cancelled") << 0 << 1 << false << false << 1 << QString();
}

void TestCsvDialog::commandRemembersFirstLineNames()
{
    QFETCH(int, stored);
    QFETCH(int, left);
    QFETCH(bool, choose);
    QFETCH(bool, given);
    QFETCH(int, remembered);
    QFETCH(QString, placed);
    QTemporaryDir dir;
    MemoryProfile profile;
    if (stored >= 0)
        profile.writeInt(CsvFileActions::firstLineNamesKey(), stored);
    CORINOTEDoc doc(&profile);
    doc.dataFolder = dir.path();
    setUpDocument(doc, false);
    Prompts prompts;
    Actions actions(doc, prompts);
    actions.path = dir.filePath(QStringLiteral("rows.csv"));
    QFile f(actions.path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("x,y\nz,w\n");
    f.close();
    if (left >= 0)
        actions.names = left == 1;
    if (choose)
        actions.rows = QList<int>{0};
    actions.run();
    QCOMPARE(actions.namesGiven, given);
    QCOMPARE(profile.readInt(QStringLiteral("CSVHEAD"), -1), remembered);
    QCOMPARE(doc.textRects().size() > 0 ? doc.textRects().text(0) : QString(), placed);
}

void TestCsvDialog::asRecordsNeedsNames()
{
    Dialog dialog(CsvDataTable({QStringLiteral("氏名"), QStringLiteral("山田")}));
    auto* names = dialog.findChild<QCheckBox*>(QStringLiteral("firstLineNames"));
    auto* records = dialog.findChild<QCheckBox*>(QStringLiteral("asRecords"));
    QVERIFY(records);
    QCOMPARE(records->text(), QStringLiteral("住所録の項目として使う"));
    QVERIFY(!records->isEnabled());
    dialog.setAsRecords(true); // as remembered: kept, greyed out
    QVERIFY(dialog.asRecords());
    names->setChecked(true);
    QVERIFY(records->isEnabled());
    names->setChecked(false);
    QVERIFY(!records->isEnabled());
}

void TestCsvDialog::commandPlacesRowsAsRecords_data()
{
    QTest::addColumn<int>("stored");  // "CSVREC" before, -1 for none
    QTest::addColumn<bool>("names");  // "1行目は見出し" as left
    QTest::addColumn<bool>("records"); // "住所録の項目として使う" as left
    QTest::addColumn<int>("listed");  // records in the record list afterwards
    QTest::addColumn<QString>("placed"); // the region 氏名(R) of sheet 1
    QTest::newRow("as records") << -1 << true << true << 1 << QStringLiteral("山田");
    QTest::newRow("rows only") << 1 << true << false << 0 << QString();
    // Without names there is nothing to map by: the rows go on as rows.
    QTest::newRow("as records, no names") << 0 << false << true << 0 << QString();
}

void TestCsvDialog::commandPlacesRowsAsRecords()
{
    QFETCH(int, stored);
    QFETCH(bool, names);
    QFETCH(bool, records);
    QFETCH(int, listed);
    QFETCH(QString, placed);
    QTemporaryDir dir;
    MemoryProfile profile;
    if (stored >= 0)
        profile.writeInt(CsvFileActions::asRecordsKey(), stored);
    CORINOTEDoc doc(&profile);
    doc.dataFolder = dir.path();
    setUpDocument(doc, false);
    doc.labelTemplate().regions.setAttribute(0, QStringLiteral("氏名(R)"));
    Prompts prompts;
    Actions actions(doc, prompts);
    actions.path = dir.filePath(QStringLiteral("rows.csv"));
    QFile f(actions.path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("氏名,住所1\n山田,東京\n");
    f.close();
    actions.names = names;
    actions.records = records;
    actions.rows = QList<int>{0};
    actions.run();
    QCOMPARE(actions.recordsGiven, stored == 1);
    QCOMPARE(profile.readInt(QStringLiteral("CSVREC"), -1), records ? 1 : 0);
    QCOMPARE(doc.recordList().recordCount(), listed);
    QCOMPARE(doc.textRects().text(0), placed);
    // Remembered as placed, for a rebuild of the pages to place again.
    QVERIFY(doc.placementMemory().csv());
    QCOMPARE(doc.placementMemory().csv()->asRecords, names && records);
    QCOMPARE(doc.placementMemory().csv()->firstLineNames, names);
}

void TestCsvDialog::commandFollowsTheAnswers_data()
{
    QTest::addColumn<bool>("reserved");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QByteArray>("file"); // "-": no file chosen, "missing": no such file
    QTest::addColumn<bool>("choose");
    QTest::addColumn<int>("dialogs");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("cleared");
    QTest::addColumn<bool>("placed");
    QTest::newRow("reservation kept")
        << true << false << QByteArray("x,y") << true << 0 << QString() << false << false;
    // The reservation goes only when rows are placed: a cancelled file choice or table
    // leaves it, the pages and the print as they were.
    QTest::newRow("reservation kept, no file")
        << true << true << QByteArray("-") << true << 0 << QString() << false << false;
    QTest::newRow("reservation kept, table cancelled")
        << true << true << QByteArray("x,y") << false << 1 << QString() << false << false;
    QTest::newRow("missing file") << false << false << QByteArray("missing") << true << 0
                                  << QStringLiteral("エラーが発生しました。") << false << false;
    QTest::newRow("empty file") << false << false << QByteArray() << true << 0
                                << QStringLiteral("データが見つかりませんでした。") << false
                                << false;
    QTest::newRow("dialog cancelled")
        << false << false << QByteArray("x,y") << false << 1 << QString() << false << false;
    QTest::newRow("rows placed") << true << true << QByteArray("x,y\nz,w") << true << 1 << QString()
                                 << true << true;
}

void TestCsvDialog::commandFollowsTheAnswers()
{
    QFETCH(bool, reserved);
    QFETCH(bool, yes);
    QFETCH(QByteArray, file);
    QFETCH(bool, choose);
    QFETCH(int, dialogs);
    QFETCH(QString, message);
    QFETCH(bool, cleared);
    QFETCH(bool, placed);

    QTemporaryDir dir;
    MemoryProfile profile;
    CORINOTEDoc doc(&profile);
    doc.dataFolder = dir.path();
    setUpDocument(doc, reserved);
    doc.setModified(false);
    const int undoBefore = doc.undoAvailable;

    Prompts prompts;
    prompts.yes = yes;
    Actions actions(doc, prompts);
    if (file == "missing") {
        actions.path = dir.filePath(QStringLiteral("missing.csv"));
    } else if (file != "-") {
        actions.path = dir.filePath(QStringLiteral("rows.csv"));
        QFile f(actions.path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(file);
    }
    if (choose)
        actions.rows = QList<int>{1, 0};
    actions.run();

    QCOMPARE(prompts.questions.size(), reserved ? 1 : 0);
    if (reserved)
        QCOMPARE(prompts.questions.constFirst(),
                 QStringLiteral("すべての印刷予約データをクリアします。よろしいですか？"));
    QCOMPARE(actions.dialogs, dialogs);
    QCOMPARE(prompts.messages, message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(doc.addressBook().group(0).recordCount(), reserved ? 1 : 0);
    if (reserved)
        QCOMPARE(doc.addressBook().group(0).flag(0), cleared ? 0 : 1);
    // One snapshot for everything the command changed, none when it changed nothing.
    QCOMPARE(doc.isModified(), cleared || placed);
    QCOMPARE(doc.undoAvailable != undoBefore, cleared || placed);
    if (placed) {
        QCOMPARE(doc.textRects().text(0), QStringLiteral("w"));
        QCOMPARE(doc.textRects().text(1), QStringLiteral("y"));
    }
    QCOMPARE(bool(doc.placementMemory().csv()), placed);
    if (placed) {
        QCOMPARE(doc.placementMemory().csv()->path, actions.path);
        QCOMPARE(doc.placementMemory().csv()->rows, (QList<int>{1, 0}));
    }
}

void TestCsvDialog::commandIsForDataMode()
{
    CommandContext c;
    c.printingAvailable = true;
    c.templateMode = false;
    QVERIFY(CommandStates::evaluate(CommandIds::CsvFile, c).enabled);
    c.templateMode = true;
    QVERIFY(!CommandStates::evaluate(CommandIds::CsvFile, c).enabled);
    // Without the main window there is no dialog to show.
    c.templateMode = false;
    c.printingAvailable = false;
    QVERIFY(!CommandStates::evaluate(CommandIds::CsvFile, c).enabled);
}

QTEST_MAIN(TestCsvDialog)
#include "tst_csvdialog.moc"
