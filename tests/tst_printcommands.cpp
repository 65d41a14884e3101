// The print commands of the main window, offscreen: the print settings dialog's checks,
// PDFに出力, clearing and reloading the print reservation with their questions.

#include "app/CommandChannel.h"
#include "app/CommandIds.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/CommandActions.h"
#include "app/ui/MainStatusBar.h"
#include "app/ui/PrintCommands.h"
#include "addressbook/SentHistory.h"
#include "addressbook/ui/CSendRecordDialog.h"
#include "model/CORINOTEDoc.h"
#include "model/DocumentFile.h"
#include "model/SettingsProfile.h"
#include "render/ui/CPrintSettingDialog.h"
#include "widgets/CWaitDialog.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QDir>
#include <QProcess>
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
    void recordsWhatWasSent_data();
    void recordsWhatWasSent();
    void reloadAndClearTheReservation_data();
    void reloadAndClearTheReservation();
    void addressBookWindowSetsTheReservation_data();
    void addressBookWindowSetsTheReservation();
    void longWorkShowsItsProgress_data();
    void longWorkShowsItsProgress();
    void printSwitches_data();
    void printSwitches();
    void switchesWithoutDisplay_data();
    void switchesWithoutDisplay();
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
    // The offset boxes take any typing; OK checks it against the printable shift.
    const QList<QSpinBox*> spins = dialog.findChildren<QSpinBox*>();
    QCOMPARE(spins[0]->property("low").toInt(), -1000);
    QCOMPARE(spins[0]->property("high").toInt(), 1000);
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
    QCOMPARE(w.frame->statusPanes()->currentMessage(), u"PDFファイルに出力しました: "_qs + pdf);
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5) == "%PDF-");
    // The document itself is unchanged by printing, apart from its current page.
    QCOMPARE(w.doc->currentPage, 1);
}

void TestPrintCommands::recordsWhatWasSent_data()
{
    QTest::addColumn<bool>("asks");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<int>("rows");
    QTest::newRow("はい") << true << true << 2;
    QTest::newRow("いいえ") << true << false << 0;
    QTest::newRow("turned off") << false << true << 0;
}

// After a print of the two reserved records the question offers 送信-年賀状 and today;
// はい gives each printed record one history row in one undo step.
void TestPrintCommands::recordsWhatWasSent()
{
    QFETCH(bool, asks);
    QFETCH(bool, yes);
    QFETCH(int, rows);
    Window w;
    QString question;
    answerNextMessageBox(QMessageBox::Ok, &question);
    w.frame->printCommands().reloadReservation();
    SentHistory::setAsks(w.profile.get(), asks);
    w.profile->writeString(SentHistory::subjectKey(), u"送信-暑中見舞い"_qs);
    bool shown = false;
    QString subject;
    QTimer::singleShot(0, [&] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<CSendRecordDialog*>(top);
            if (!dialog || !dialog->isVisible())
                continue;
            shown = true;
            question = dialog->questionLabel()->text();
            subject = dialog->subjectBox()->currentText();
            yes ? dialog->accept() : dialog->reject();
        }
    });
    w.frame->printCommands().offerHistory({});
    QTest::qWait(20);
    QCOMPARE(shown, asks);
    const CAddressData& group = w.doc->addressBook().group(0);
    QCOMPARE(group.historyCount(), rows);
    if (!asks)
        return;
    QVERIFY(question.startsWith(u"印刷した宛先に送受信履歴を追加しますか？"_qs));
    QVERIFY(question.contains(u"2件"_qs));
    const bool season = QDate::currentDate().month() == 12 || QDate::currentDate().month() == 1;
    QCOMPARE(subject, season ? u"送信-年賀状"_qs : u"送信-暑中見舞い"_qs);
    if (rows == 0)
        return;
    QCOMPARE(group.history(1, CAddressData::HistoryKey), u"A-2"_qs);
    QCOMPARE(group.history(1, CAddressData::HistoryDate),
             QDate::currentDate().toString(u"yyyy/MM/dd"_qs));
    w.doc->undo();
    QCOMPARE(w.doc->addressBook().group(0).historyCount(), 0);
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

// Building the pages shows the loading progress record by record; printing to PDF shows
// its own title; a command from outside waits until the work is done (it could run in
// the middle of the work, from the progress window's event processing).
void TestPrintCommands::longWorkShowsItsProgress_data()
{
    QTest::addColumn<bool>("pdf");
    QTest::addColumn<QString>("title");
    QTest::newRow("reloading the reservation")
        << false << QStringLiteral("データを読み込んでいます...");
    QTest::newRow("PDF") << true << QStringLiteral("PDFに出力しています...");
}

void TestPrintCommands::longWorkShowsItsProgress()
{
    QFETCH(bool, pdf);
    QFETCH(QString, title);
    Window w;
    CommandChannel channel(w.dir.filePath(QStringLiteral("channel")));
    QVERIFY(channel.listen());
    CWaitDialog* wait = w.frame->waitDialog();
    connect(wait, &CWaitDialog::workStarted, &channel, &CommandChannel::hold);
    connect(wait, &CWaitDialog::workFinished, &channel, &CommandChannel::release);
    QStringList titles;
    QList<bool> workingWhenReceived;
    connect(wait, &CWaitDialog::workStarted, this, [&] {
        titles.append(wait->windowTitle());
        // A command arrives in the middle of the work.
        QCOMPARE(CommandChannel::send(CommandIds::ReceiveDatabaseData,
                                      w.dir.filePath(QStringLiteral("channel"))),
                 QString());
        QTest::qWait(50);
    });
    connect(&channel, &CommandChannel::commandReceived, this,
            [&] { workingWhenReceived.append(wait->isWorking()); });
    if (pdf) {
        QVERIFY(w.frame->printCommands().exportPdfTo(w.dir.filePath(QStringLiteral("p.pdf"))));
    } else {
        QString question;
        answerNextMessageBox(QMessageBox::Ok, &question);
        w.frame->printCommands().reloadReservation();
    }
    QCOMPARE(titles, QStringList{title});
    QVERIFY(!wait->isWorking());
    QVERIFY(!wait->isVisible());
    QTRY_COMPARE(workingWhenReceived, QList<bool>{false});
}

// "orinote --print FILE" and "--print-to QUEUE FILE" print without a window and end with
// a status: the document reaches the test queue; a missing queue or file is reported.
void TestPrintCommands::printSwitches_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    QTest::newRow("to the test queue") << QStringList{QStringLiteral("--print-to"), QStringLiteral("<queue>"), QStringLiteral("<doc>")} << 0 << QString();
    QTest::newRow("no such queue") << QStringList{QStringLiteral("--print-to"), QStringLiteral("ORINOTE-NO-SUCH-QUEUE"), QStringLiteral("<doc>")} << 1 << QStringLiteral("プリンター「ORINOTE-NO-SUCH-QUEUE」が見つかりません。");
    QTest::newRow("no such file") << QStringList{QStringLiteral("--print"), QStringLiteral("<missing>")} << 1 << QStringLiteral("missing.ond");
    QTest::newRow("no file") << QStringList{QStringLiteral("--print")} << 1 << QStringLiteral("印刷する文書を指定してください。");
}

void TestPrintCommands::printSwitches()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, message);
    const QString queue = qEnvironmentVariable("ORINOTE_TEST_PRINTER");
    const QString spool = qEnvironmentVariable("ORINOTE_SPOOL_DIR");
    if (arguments.contains(QStringLiteral("<queue>")) && (queue.isEmpty() || spool.isEmpty()))
        QSKIP("no test print queue (run scripts/spooler as root)");
    Window w;
    QString asked;
    answerNextMessageBox(QMessageBox::Ok, &asked);
    w.frame->printCommands().reloadReservation();
    const QString document = w.dir.filePath(QStringLiteral("two.ond"));
    QCOMPARE(DocumentFile::save(*w.doc, document), QString());
    for (QString& a : arguments) {
        if (a == QLatin1String("<queue>"))
            a = queue;
        else if (a == QLatin1String("<doc>"))
            a = document;
        else if (a == QLatin1String("<missing>"))
            a = w.dir.filePath(QStringLiteral("missing.ond"));
    }
    const QStringList before = QDir(spool).entryList({QStringLiteral("job-*.pdf")}, QDir::Files);
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("HOME"), w.dir.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), w.dir.path());
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(ORINOTE_APP),
                  QStringList{QStringLiteral("--data-folder"), w.dir.path()} + arguments);
    QVERIFY(process.waitForFinished(60000));
    const QString errors = QString::fromLocal8Bit(process.readAllStandardError());
    QVERIFY2(process.exitCode() == status, qPrintable(errors));
    QVERIFY2(errors.contains(message), qPrintable(errors));
    if (status != 0 || spool.isEmpty())
        return;
    QTRY_VERIFY_WITH_TIMEOUT(QDir(spool).entryList({QStringLiteral("job-*.pdf")}, QDir::Files).size() > before.size(), 30000);
}

void TestPrintCommands::switchesWithoutDisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("output"); // a piece of standard output and error
    QTest::newRow("help") << QStringList{u"--help"_qs} << 0 << u"--print-to"_qs;
    QTest::newRow("version") << QStringList{u"--version"_qs} << 0 << u"ORINOTE"_qs;
    QTest::newRow("command without a running copy") << QStringList{u"--command"_qs, u"184"_qs}
                                                    << 1 << QString();
    QTest::newRow("print of a missing file") << QStringList{u"--print"_qs, u"<missing>"_qs} << 1
                                             << QString();
}

// Without a display (no DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM) the switches that need
// no window still run and end with their own status, not an abort.
void TestPrintCommands::switchesWithoutDisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, output);
    QTemporaryDir dir;
    arguments.replaceInStrings(u"<missing>"_qs, dir.filePath(u"missing.ond"_qs));
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        env.remove(QString::fromLatin1(name));
    env.insert(u"HOME"_qs, dir.path());
    env.insert(u"XDG_RUNTIME_DIR"_qs, dir.path());
    env.insert(u"XDG_CONFIG_HOME"_qs, dir.path());
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(ORINOTE_APP),
                  QStringList{u"--data-folder"_qs, dir.path()} + arguments);
    QVERIFY(process.waitForFinished(60000));
    const QString all = QString::fromLocal8Bit(process.readAllStandardOutput() +
                                               process.readAllStandardError());
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QVERIFY2(process.exitCode() == status, qPrintable(all));
    QVERIFY2(all.contains(output), qPrintable(all));
}

QTEST_MAIN(TestPrintCommands)
#include "tst_printcommands.moc"
