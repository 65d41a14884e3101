// The print commands of the main window, offscreen: the print settings dialog's checks,
// PDFに出力, clearing and reloading the print reservation with their questions.

#include "app/CommandIds.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/CommandActions.h"
#include "app/ui/PrintCommands.h"
#include "model/CORINOTEDoc.h"
#include "model/SettingsProfile.h"
#include "render/ui/CPrintSettingDialog.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace CommandIds;

namespace {

// Answers the next message box with `button` and remembers its text.
void answerNextMessageBox(QMessageBox::StandardButton button, QString* text)
{
    QTimer::singleShot(0, [button, text] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                *text = box->text();
                box->button(button)->click();
                return;
            }
        }
    });
}

QCheckBox* checkBox(QWidget* dialog, const QString& text)
{
    for (QCheckBox* box : dialog->findChildren<QCheckBox*>()) {
        if (box->text() == text)
            return box;
    }
    return nullptr;
}

// Four sheets of one name region, five records of group 0, two of them reserved.
void setUp(CORINOTEDoc& doc)
{
    CLabelSheetTemplate& t = doc.labelTemplate();
    t.sheets.clear();
    for (int i = 0; i < 4; ++i) {
        Sheet s;
        s.rect = Rect{i * 500, 0, i * 500 + 400, -300};
        t.sheets.append(s);
    }
    TextRect r;
    r.rect = Rect{10, -10, 300, -100};
    r.attribute = QStringLiteral("氏名(R)");
    r.font = FontRecord::make(QStringLiteral("ＭＳ 明朝"), -80, 0);
    t.regions.append(r);
    CAddressData& group = doc.addressBook().group(0);
    for (int i = 0; i < 5; ++i) {
        QStringList values(CAddressData::TextColumnCount);
        values[CAddressData::EntryNumber] = QStringLiteral("A-%1").arg(i + 1);
        values[CAddressData::Name] = QStringLiteral("名前%1").arg(i + 1);
        group.appendRecord(values);
        group.setFlag(i, i < 2 ? 1 : 0);
    }
}

struct Window
{
    QTemporaryDir dir;
    std::unique_ptr<SettingsProfile> profile;
    std::unique_ptr<CORINOTEDoc> doc;
    std::unique_ptr<CMainFrame> frame;

    Window()
    {
        profile = std::make_unique<SettingsProfile>(dir.filePath(QStringLiteral("p.ini")));
        doc = std::make_unique<CORINOTEDoc>(profile.get());
        doc->dataFolder = dir.path();
        doc->newDocument();
        setUp(*doc);
        frame = std::make_unique<CMainFrame>(*doc, *profile);
    }
    QString reservedTexts() const
    {
        QStringList texts;
        for (int i = 0; i < doc->textRects().size(); ++i)
            texts.append(doc->textRects().text(i));
        return texts.join(QLatin1Char('|'));
    }
};

} // namespace

class TestPrintCommands : public QObject
{
    Q_OBJECT
private slots:
    void settingsDialogChecks_data();
    void settingsDialogChecks();
    void uncheckingFramesClearsRoundCorners();
    void exportsThePagesToPdf();
    void reloadAndClearTheReservation_data();
    void reloadAndClearTheReservation();
    void addressBookWindowSetsTheReservation_data();
    void addressBookWindowSetsTheReservation();
};

void TestPrintCommands::settingsDialogChecks_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("first sheet") << 1 << true;
    QTest::newRow("last sheet") << 12 << true;
    QTest::newRow("before the first") << 0 << false;
    QTest::newRow("beyond the last") << 13 << false;
}

void TestPrintCommands::settingsDialogChecks()
{
    QFETCH(int, start);
    QFETCH(bool, accepted);
    PrintSettings::Values values;
    values.startPosition = start;
    CPrintSettingDialog dialog(values, 12);
    QString message;
    if (!accepted)
        answerNextMessageBox(QMessageBox::Ok, &message);
    dialog.show();
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    QTRY_COMPARE(dialog.result() == QDialog::Accepted, accepted);
    QCOMPARE(dialog.isVisible(), !accepted);
    if (!accepted)
        QCOMPARE(message, QStringLiteral("印刷開始シート位置の数値が正しくありません。"));
    // The offset boxes keep their values within the printable shift.
    const QList<QSpinBox*> spins = dialog.findChildren<QSpinBox*>();
    QCOMPARE(spins[0]->minimum(), -1000);
    QCOMPARE(spins[0]->maximum(), 1000);
}

void TestPrintCommands::uncheckingFramesClearsRoundCorners()
{
    PrintSettings::Values values;
    values.sheetFrames = true;
    values.roundCorners = true;
    CPrintSettingDialog dialog(values, 4);
    QCheckBox* frames = checkBox(&dialog, QStringLiteral("シートの枠線を印刷する"));
    QCheckBox* round = checkBox(&dialog, QStringLiteral("シートの角を丸くする"));
    QVERIFY(frames && round);
    QVERIFY(round->isChecked() && round->isEnabled());
    frames->click();
    QVERIFY(!round->isChecked());
    QVERIFY(!round->isEnabled());
    frames->click();
    QVERIFY(round->isEnabled());
    QVERIFY(!round->isChecked());
    QCOMPARE(dialog.values().roundCorners, false);
}

void TestPrintCommands::exportsThePagesToPdf()
{
    Window w;
    QString question;
    answerNextMessageBox(QMessageBox::Ok, &question);
    w.frame->printCommands().reloadReservation();
    QCOMPARE(w.doc->pageCount(), 1);
    const QString pdf = w.dir.filePath(QStringLiteral("out.pdf"));
    QVERIFY(w.frame->printCommands().exportPdfTo(pdf));
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5) == "%PDF-");
    // The document itself is unchanged by printing, apart from its current page.
    QCOMPARE(w.doc->currentPage, 1);
}

void TestPrintCommands::reloadAndClearTheReservation_data()
{
    QTest::addColumn<bool>("clear");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("texts");
    QTest::newRow("reload") << false << QMessageBox::Ok
                            << QStringLiteral("印刷予約データをリロードします。よろしいですか？")
                            << QStringLiteral("名前1|名前2||");
    QTest::newRow("reload cancelled") << false << QMessageBox::Cancel
                                      << QStringLiteral("印刷予約データをリロードします。よろしいですか？")
                                      << QString();
    QTest::newRow("clear") << true << QMessageBox::Ok
                           << QStringLiteral("すべての印刷予約データをクリアします。よろしいですか？")
                           << QStringLiteral("|||");
    QTest::newRow("clear cancelled") << true << QMessageBox::Cancel
                                     << QStringLiteral("すべての印刷予約データをクリアします。よろしいですか？")
                                     << QString();
}

void TestPrintCommands::reloadAndClearTheReservation()
{
    QFETCH(bool, clear);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(QString, question);
    QFETCH(QString, texts);
    Window w;
    const QString before = w.reservedTexts();
    QString asked;
    answerNextMessageBox(answer, &asked);
    w.frame->actions().action(clear ? ClearReservation : ReloadReservation)->trigger();
    QCOMPARE(asked, question);
    if (answer == QMessageBox::Cancel) {
        QCOMPARE(w.reservedTexts(), before);
        QVERIFY(w.doc->undoAvailable == 0);
        return;
    }
    QCOMPARE(w.reservedTexts(), texts);
    QVERIFY(w.doc->isModified());
    QVERIFY(w.doc->undoAvailable != 0);
    const CAddressData& group = w.doc->addressBook().group(0);
    QCOMPARE(group.flag(0), clear ? 0 : 1);
}

void TestPrintCommands::addressBookWindowSetsTheReservation_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("texts");
    // Closing with the reservation rebuilds the pages; plain closing leaves them.
    QTest::newRow("reserve") << QStringLiteral("印刷予約をセットして終了")
                             << QStringLiteral("名前1|名前2||");
    QTest::newRow("close") << QStringLiteral("終了") << QString();
}

void TestPrintCommands::addressBookWindowSetsTheReservation()
{
    QFETCH(QString, button);
    QFETCH(QString, texts);
    Window w;
    const QString before = w.reservedTexts();
    bool found = false;
    QTimer::singleShot(0, [&] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (!top->isVisible() || !top->inherits("CAddressDataDialog"))
                continue;
            for (QPushButton* b : top->findChildren<QPushButton*>()) {
                if (b->text() == button) {
                    found = true;
                    b->click();
                    return;
                }
            }
        }
    });
    w.frame->actions().action(AddressBookWindow)->trigger();
    QVERIFY(found);
    QCOMPARE(w.reservedTexts(), texts.isNull() ? before : texts);
}

QTEST_MAIN(TestPrintCommands)
#include "tst_printcommands.moc"
