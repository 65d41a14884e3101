// The CSV import window driven as a user would: its controls, header-click sorting with
// the window's own direction, and the import button with its question, its group and
// its caption cycle.

#include "address/AddressBook.h"
#include "address/CAddressData.h"
#include "address/ContactCsvImport.h"
#include "addressbook/ui/CCSVListDialog.h"
#include "addressbook/ui/CsvRowsModel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

const QStringList kLines{u"氏名,フリガナ,郵便番号"_qs, u"山田,ヤマダ,100-0001"_qs,
                         u"鈴木,スズキ,\"200,0002\""_qs, u"佐藤,サトウ"_qs};

// Answers the next message box with `answer` and records its text and icon. The record
// is shared with the polling timer, so a box that never comes cannot outlive the test.
struct BoxAnswer
{
    struct Seen
    {
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        bool seen = false;
        bool finished = false; // found, or given up
    };
    std::shared_ptr<Seen> state = std::make_shared<Seen>();

    bool seen() const { return state->seen; }
    bool finished() const { return state->finished; }
    QString text() const { return state->text; }
    QMessageBox::Icon icon() const { return state->icon; }

    void arm(QMessageBox::StandardButton answer, int tries = 200) { poll(state, answer, tries); }
    static void poll(std::shared_ptr<Seen> state, QMessageBox::StandardButton answer, int tries)
    {
        QTimer::singleShot(10, [state, answer, tries] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) {
                if (tries > 0)
                    poll(state, answer, tries - 1);
                else
                    state->finished = true;
                return;
            }
            state->finished = true;
            state->seen = true;
            state->text = box->text();
            state->icon = box->icon();
            box->button(answer)->click();
        });
    }
};

void select(CCSVListDialog& dialog, const QList<int>& rows)
{
    QItemSelectionModel* selection = dialog.view()->selectionModel();
    selection->clearSelection();
    for (int row : rows)
        selection->select(dialog.model()->index(row, 0),
                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

QPushButton* button(QWidget& dialog, const char* name)
{
    return dialog.findChild<QPushButton*>(QString::fromLatin1(name));
}

QStringList names(const CAddressData& group)
{
    return group.textColumn(CAddressData::Name);
}

QStringList column(const CsvRowsModel& model, int c)
{
    QStringList out;
    for (int r = 0; r < model.rowCount(); ++r)
        out.append(model.index(r, c).data().toString());
    return out;
}

} // namespace

class TestCsvListDialog : public QObject
{
    Q_OBJECT
private slots:
    void controls();
    void headerClickSortsAndFlips();
    void importAsks_data();
    void importAsks();
    void pressWithoutSelection_data();
    void pressWithoutSelection();
    void secondRoundReplacesFirst_data();
    void secondRoundReplacesFirst();
    void contactPreset();
};

void TestCsvListDialog::controls()
{
    AddressBook book;
    CCSVListDialog dialog(book, kLines);
    QCOMPARE(dialog.windowTitle(), u"CSVファイルからインポート"_qs);
    QCOMPARE(dialog.model()->columnCount(), 3);
    QCOMPARE(dialog.model()->rowCount(), 4);
    for (int c = 0; c < 3; ++c) {
        QCOMPARE(dialog.model()->headerData(c, Qt::Horizontal).toString(), QString::number(c + 1));
        QCOMPARE(dialog.view()->columnWidth(c), 150);
    }
    QCOMPARE(dialog.model()->index(2, 2).data().toString(), u"200,0002"_qs);
    QCOMPARE(dialog.model()->index(3, 2).data().toString(), QString());
    QCOMPARE(dialog.view()->selectionBehavior(), QAbstractItemView::SelectRows);
    QVERIFY(dialog.view()->showGrid());

    auto* append = dialog.findChild<QCheckBox*>(u"append"_qs);
    QVERIFY(append);
    QCOMPARE(append->text(), u"現在の住所録に追加する"_qs);
    QVERIFY(!append->isChecked());
    QCOMPARE(dialog.findChild<QLineEdit*>(u"definition"_qs)->text(), u"1= ,2= ,3= ,"_qs);
    QCOMPARE(dialog.findChild<QLabel*>(u"explanation1"_qs)->text(),
             u"氏名：N, 氏名（姓）：SN, 氏名（名）：FN, フリガナ：H, フリガナ（姓）：SH, "
             "フリガナ（名）：FH, 郵便番号：P, 住所：A, 電話番号：T, 携帯電話：K, "_qs);
    QCOMPARE(dialog.findChild<QLabel*>(u"explanation2"_qs)->text(),
             u"FAX：X, E-メール：E, 携帯メール：M, URL：U, 生年月日：B, 年齢：O, 会社：C, "
             "会社住所：J, 部署：D, 役職：Y, 会社電話：L, 備考1：R1, 備考2：R2"_qs);
    QCOMPARE(button(dialog, "import")->text(), u"あ行データをインポート"_qs);
    QCOMPARE(button(dialog, "close")->text(), u"インポートの終了"_qs);
}

void TestCsvListDialog::headerClickSortsAndFlips()
{
    AddressBook book;
    CCSVListDialog dialog(book, kLines);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    select(dialog, {1}); // 山田's row follows its line through the sorts
    QHeaderView* header = dialog.view()->horizontalHeader();
    const auto click = [&](int section) {
        QTest::mouseClick(
            header->viewport(), Qt::LeftButton, {},
            QPoint(header->sectionViewportPosition(section) + 20, header->height() / 2));
    };

    // Byte order of the CP932 readings: サトウ 0x83 0x54, スズキ 0x83 0x58, フリガナ
    // 0x83 0x74, ヤマダ 0x83 0x84.
    click(1);
    QCOMPARE(column(*dialog.model(), 1),
             (QStringList{u"サトウ"_qs, u"スズキ"_qs, u"フリガナ"_qs, u"ヤマダ"_qs}));
    QCOMPARE(dialog.view()->selectionModel()->selectedRows().value(0).row(), 3);
    // The direction belongs to the window, not to the column.
    click(0);
    QCOMPARE(column(*dialog.model(), 0).first(), u"鈴木"_qs);
    click(1);
    QCOMPARE(column(*dialog.model(), 1),
             (QStringList{u"サトウ"_qs, u"スズキ"_qs, u"フリガナ"_qs, u"ヤマダ"_qs}));
    QCOMPARE(dialog.view()->selectionModel()->selectedRows().size(), 1);
    QCOMPARE(dialog.model()
                 ->index(dialog.view()->selectionModel()->selectedRows().first().row(), 0)
                 .data()
                 .toString(),
             u"山田"_qs);
}

void TestCsvListDialog::importAsks_data()
{
    QTest::addColumn<bool>("append");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QStringList>("groupNames");
    QTest::addColumn<QString>("caption");
    const QString replacing =
        u"「あ行」の住所録データ1件と送受信履歴1件を削除してインポートします。よろしいですか？"_qs;
    const QString adding = u"データをインポートします。よろしいですか？"_qs;
    QTest::newRow("replacing, ok")
        << false << int(QMessageBox::Ok) << replacing << QStringList{u"山田"_qs, u"佐藤"_qs}
        << u"か行データをインポート"_qs;
    QTest::newRow("replacing, cancel") << false << int(QMessageBox::Cancel) << replacing
                                       << QStringList{u"旧"_qs} << u"あ行データをインポート"_qs;
    QTest::newRow("adding, ok") << true << int(QMessageBox::Ok) << adding
                                << QStringList{u"旧"_qs, u"山田"_qs, u"佐藤"_qs}
                                << u"か行データをインポート"_qs;
    QTest::newRow("adding, cancel") << true << int(QMessageBox::Cancel) << adding
                                    << QStringList{u"旧"_qs} << u"あ行データをインポート"_qs;
}

void TestCsvListDialog::importAsks()
{
    QFETCH(bool, append);
    QFETCH(int, answer);
    QFETCH(QString, question);
    QFETCH(QStringList, groupNames);
    QFETCH(QString, caption);
    AddressBook book;
    QStringList old(CAddressData::TextColumnCount);
    old[CAddressData::EntryNumber] = u"A-5"_qs;
    old[CAddressData::Name] = u"旧"_qs;
    book.group(0).appendRecord(old);
    book.group(0).appendHistory(u"A-5"_qs, u"送信-年賀状"_qs, u"2024/01/01"_qs, QString());
    const AddressBook before = book;
    CCSVListDialog dialog(book, kLines);
    dialog.findChild<QLineEdit*>(u"definition"_qs)->setText(u"1=N,2=H,3=P"_qs);
    dialog.findChild<QCheckBox*>(u"append"_qs)->setChecked(append);
    select(dialog, {3, 1}); // imported in list order whatever the selection order

    BoxAnswer box;
    box.arm(QMessageBox::StandardButton(answer));
    QTest::mouseClick(button(dialog, "import"), Qt::LeftButton);
    QVERIFY(box.seen());
    QCOMPARE(box.text(), question);
    QCOMPARE(box.icon(), QMessageBox::Question);
    QCOMPARE(names(book.group(0)), groupNames);
    QCOMPARE(button(dialog, "import")->text(), caption);
    QCOMPARE(dialog.bookChanged(), answer == QMessageBox::Ok);
    if (answer != QMessageBox::Ok) {
        QVERIFY(book == before); // Cancel changes nothing
        return;
    }
    const int first = append ? 1 : 0;
    QCOMPARE(book.group(0).textColumn(CAddressData::EntryNumber).mid(first),
             append ? (QStringList{u"A-6"_qs, u"A-7"_qs}) : (QStringList{u"A-1"_qs, u"A-2"_qs}));
    QCOMPARE(book.group(0).historyCount(), append ? 1 : 0);
    QCOMPARE(book.group(0).field(first, CAddressData::Reading), u"ヤマダ"_qs);
    // The file has no birth date: none is made up.
    QCOMPARE(book.group(0).field(first, CAddressData::BirthDate), QString());
}

void TestCsvListDialog::pressWithoutSelection_data()
{
    QTest::addColumn<bool>("append");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("question"); // empty: no question at all
    QTest::addColumn<int>("left");
    QTest::addColumn<QString>("caption");
    const QString emptying =
        u"「あ行」の住所録データ1件と送受信履歴1件を削除します。よろしいですか？"_qs;
    QTest::newRow("unchecked empties after asking")
        << false << int(QMessageBox::Ok) << emptying << 0 << u"か行データをインポート"_qs;
    QTest::newRow("unchecked, cancelled, keeps")
        << false << int(QMessageBox::Cancel) << emptying << 1 << u"あ行データをインポート"_qs;
    QTest::newRow("checked skips without asking")
        << true << int(QMessageBox::Ok) << QString() << 1 << u"か行データをインポート"_qs;
}

void TestCsvListDialog::pressWithoutSelection()
{
    QFETCH(bool, append);
    QFETCH(int, answer);
    QFETCH(QString, question);
    QFETCH(int, left);
    QFETCH(QString, caption);
    AddressBook book;
    book.group(0).appendRecord(QStringList{u"A-1"_qs});
    book.group(0).appendHistory(u"A-1"_qs, u"送信-年賀状"_qs, u"2024/01/01"_qs, QString());
    CCSVListDialog dialog(book, kLines);
    dialog.findChild<QCheckBox*>(u"append"_qs)->setChecked(append);
    BoxAnswer box;
    box.arm(QMessageBox::StandardButton(answer), question.isEmpty() ? 3 : 200);
    QTest::mouseClick(button(dialog, "import"), Qt::LeftButton);
    QTRY_VERIFY(box.finished());
    QCOMPARE(box.seen(), !question.isEmpty());
    QCOMPARE(box.text(), question);
    QCOMPARE(book.group(0).recordCount(), left);
    QCOMPARE(book.group(0).historyCount(), left);
    QCOMPARE(button(dialog, "import")->text(), caption);
    QCOMPARE(dialog.bookChanged(), caption != u"あ行データをインポート"_qs);
}

void TestCsvListDialog::secondRoundReplacesFirst_data()
{
    QTest::addColumn<bool>("append");
    QTest::addColumn<QStringList>("groupNames");
    QTest::newRow("unchecked") << false << QStringList{u"鈴木"_qs};
    QTest::newRow("checked") << true << QStringList{u"山田"_qs, u"鈴木"_qs};
}

void TestCsvListDialog::secondRoundReplacesFirst()
{
    QFETCH(bool, append);
    QFETCH(QStringList, groupNames);
    AddressBook book;
    CCSVListDialog dialog(book, kLines);
    dialog.findChild<QLineEdit*>(u"definition"_qs)->setText(u"1=N"_qs);
    dialog.findChild<QCheckBox*>(u"append"_qs)->setChecked(append);
    QPushButton* import = button(dialog, "import");

    select(dialog, {1});
    BoxAnswer first;
    first.arm(QMessageBox::Ok);
    QTest::mouseClick(import, Qt::LeftButton);
    QVERIFY(first.seen());
    select(dialog, {});
    for (int press = 1; press < 19; ++press)
        QTest::mouseClick(import, Qt::LeftButton);
    QCOMPARE(import->text(), u"あ行データをインポート"_qs);

    select(dialog, {2});
    BoxAnswer second;
    second.arm(QMessageBox::Ok);
    QTest::mouseClick(import, Qt::LeftButton);
    QVERIFY(second.seen());
    QCOMPARE(names(book.group(0)), groupNames);
    QCOMPARE(import->text(), u"か行データをインポート"_qs);
    QCOMPARE(book.group(AddressBook::SenderGroup).recordCount(), 0);
}

void TestCsvListDialog::contactPreset()
{
    // An Outlook file whose address runs over two lines, as the window receives it.
    const QStringList lines = ContactCsvImport::importLines(
        {u"First Name,Last Name,Home Street,Home City,Home State,Home Postal Code"_qs,
         u"Taro,Yamada,\"1-2-3"_qs, u"Nakano\",Nakano-ku,Tokyo,1640001"_qs,
         u"Hanako,Suzuki,,,,"_qs});
    AddressBook book;
    CCSVListDialog dialog(book, lines);
    QCOMPARE(dialog.format()->currentIndex(), 1 + int(ContactCsvImport::Outlook));
    QVERIFY(!dialog.findChild<QLineEdit*>(u"definition"_qs)->isEnabled());
    dialog.sortByColumn(1); // the header row moves; it is still never a record
    select(dialog, {0, 1, 2});
    BoxAnswer box;
    box.arm(QMessageBox::Ok);
    QTest::mouseClick(button(dialog, "import"), Qt::LeftButton);
    QVERIFY(box.seen());
    QCOMPARE(book.group(0).recordCount(), 2);
    QStringList found = names(book.group(0));
    std::sort(found.begin(), found.end());
    QCOMPARE(found, (QStringList{u"Suzuki Hanako"_qs, u"Yamada Taro"_qs}));
    const int yamada = names(book.group(0)).indexOf(u"Yamada Taro"_qs);
    // An address in Latin letters keeps its own order: street, then city and region.
    QCOMPARE(book.group(0).field(yamada, CAddressData::Address1), u"1-2-3 Nakano"_qs);
    QCOMPARE(book.group(0).field(yamada, CAddressData::Address2), u"Nakano-ku Tokyo"_qs);
    QCOMPARE(book.group(0).field(yamada, CAddressData::PostalCode), u"164-0001"_qs);
}

QTEST_MAIN(TestCsvListDialog)
#include "tst_csvlistdialog.moc"
