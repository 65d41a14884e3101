#include "address/AddressBook.h"
#include "model/CORINOTEDoc.h"
#include "model/MemoryProfile.h"
#include "model/PageBuilder.h"
#include "pages/Pagination.h"
#include "picprint/ui/CLoadPicPlaceDialog.h"
#include "picprint/ui/CPrintPictureFileDialog.h"
#include "picprint/ui/PicturePrintActions.h"
#include "prompts/SessionPrompts.h"
#include "widgets/PicturePreview.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QImage>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using PicturePlacement::Picture;

namespace {

class ScriptedPrompts : public SessionPrompts
{
public:
    Answer askSaveChanges(const QString&) override { return Answer::Cancel; }
    QString chooseOpenPath() override { return QString(); }
    QString chooseSavePath(const QString&) override { return QString(); }
    void showMessage(const QString& text) override { messages.append(text); }
    bool askYesNo(const QString& question) override
    {
        questions.append(question);
        return answer;
    }

    bool answer = true;
    QStringList messages;
    QStringList questions;
};

// Two sheets, a region "氏名(R)", and three reserved records on the pages.
void setUp(CORINOTEDoc& doc, const QString& attribute)
{
    doc.newDocument();
    CLabelSheetTemplate& t = doc.labelTemplate();
    t.sheets.clear();
    for (int i = 0; i < 2; ++i) {
        Sheet s;
        s.rect = Rect{i * 500, 0, i * 500 + 400, -300};
        t.sheets.append(s);
    }
    TextRect r;
    r.rect = Rect{10, -10, 300, -100};
    r.attribute = attribute;
    t.regions.append(r);
    CAddressData& group = doc.addressBook().group(0);
    for (int i = 0; i < 3; ++i) {
        QStringList values(CAddressData::TextColumnCount);
        values[CAddressData::EntryNumber] = QStringLiteral("A-%1").arg(i + 1);
        group.appendRecord(values);
        group.setFlag(i, 1);
    }
    Pagination::buildFromReservation(doc, QDate(2027, 1, 1), nullptr);
    doc.setModified(false);
    doc.undoAvailable = 0; // to see whether the command takes a snapshot
}

void touch(const QString& path, bool picture = false)
{
    if (picture) {
        QImage image(30, 20, QImage::Format_RGB32);
        image.fill(Qt::blue);
        QVERIFY(image.save(path));
        return;
    }
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
}

} // namespace

class TestPicPrintDialogs : public QObject
{
    Q_OBJECT
private slots:
    void optionsDialog();
    void chooserButtons();
    void command_data();
    void command();
};

void TestPicPrintDialogs::optionsDialog()
{
    CLoadPicPlaceDialog dialog;
    QCOMPARE(dialog.windowTitle(), u"画像印刷オプション"_qs);
    QCOMPARE(dialog.options().target, PicturePlacement::Target::Sheets);
    QVERIFY(!dialog.options().keep);
    dialog.findChild<QRadioButton*>(u"regions"_qs)->setChecked(true);
    dialog.findChild<QCheckBox*>(u"keep"_qs)->setChecked(true);
    QCOMPARE(dialog.options().target, PicturePlacement::Target::Regions);
    QVERIFY(dialog.options().keep);
}

void TestPicPrintDialogs::chooserButtons()
{
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir(u"sub"_qs));
    touch(folder.filePath(u"a.jpg"_qs), true);
    touch(folder.filePath(u"b.png"_qs));
    CPrintPictureFileDialog dialog(folder.path());
    QStringList messages;
    dialog.setMessageHandler([&](const QString& text) { messages.append(text); });
    QCOMPARE(dialog.windowTitle(), u"画像印刷"_qs);
    QCOMPARE(dialog.chosenList()->columnWidth(0), 35);
    QCOMPARE(dialog.chosenList()->model()->headerData(1, Qt::Horizontal).toString(),
             u"ファイル"_qs);

    // すべて選択 selects the files only; ⇒ adds them in list order.
    dialog.selectAll();
    QCOMPARE(dialog.folderList()->selectionModel()->selectedRows().size(), 2);
    dialog.addSelected();
    QCOMPARE(dialog.pictures().size(), 2);
    QCOMPARE(dialog.pictures().at(0).name, u"a.jpg"_qs);
    QCOMPARE(dialog.chosenList()->model()->data(dialog.chosenList()->model()->index(1, 0)).toInt(),
             2);

    // One file selected: the preview shows it.
    dialog.folderList()->selectionModel()->select(dialog.folderList()->model()->index(2, 0),
                                                  QItemSelectionModel::ClearAndSelect);
    QVERIFY(dialog.preview()->hasPicture());
    dialog.selectNone();
    QVERIFY(!dialog.preview()->hasPicture());

    // Nothing selected in the chosen list: asked to select first.
    dialog.removeSelected();
    QCOMPARE(messages, QStringList{u"削除するデータを選択してください。"_qs});
    dialog.chosenList()->selectRow(0);
    dialog.removeSelected();
    QCOMPARE(dialog.pictures().size(), 1);
    QCOMPARE(dialog.pictures().at(0).name, u"b.png"_qs);
    dialog.clearChosen();
    QVERIFY(dialog.pictures().isEmpty());

    // A double click with one folder selected enters it.
    dialog.folderList()->selectionModel()->select(dialog.folderList()->model()->index(1, 0),
                                                  QItemSelectionModel::ClearAndSelect);
    dialog.enterSelected();
    QCOMPARE(dialog.folder(), QDir(folder.path()).filePath(u"sub"_qs));
}

void TestPicPrintDialogs::command_data()
{
    QTest::addColumn<QString>("attribute");
    QTest::addColumn<bool>("regions");
    QTest::addColumn<bool>("keep");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("chooserAccepts");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("chooserRuns");
    QTest::addColumn<bool>("placed");

    QTest::newRow("sheets, question answered yes")
        << u"氏名(R)"_qs << false << false << true << true << true << true << true;
    QTest::newRow("question answered no: nothing chosen, nothing cleared")
        << u"氏名(R)"_qs << false << false << false << true << true << false << false;
    QTest::newRow("keep: no question")
        << u"氏名(R)"_qs << false << true << true << true << false << true << true;
    QTest::newRow("chooser cancelled: the reservation stays")
        << u"氏名(R)"_qs << false << false << true << false << true << true << false;
    QTest::newRow("no picture region: refused before anything")
        << u"氏名(R)"_qs << true << false << true << true << false << false << false;
    QTest::newRow("picture region")
        << u"画像(A)"_qs << true << false << true << true << true << true << true;
}

void TestPicPrintDialogs::command()
{
    QFETCH(QString, attribute);
    QFETCH(bool, regions);
    QFETCH(bool, keep);
    QFETCH(bool, answer);
    QFETCH(bool, chooserAccepts);
    QFETCH(bool, asked);
    QFETCH(bool, chooserRuns);
    QFETCH(bool, placed);

    QTemporaryDir folder;
    MemoryProfile profile;
    CORINOTEDoc doc(&profile);
    doc.dataFolder = folder.path();
    setUp(doc, attribute);
    const int undo = doc.undoAvailable;
    profile.writeString(PicturePrintActions::folderKey(), folder.path());

    ScriptedPrompts prompts;
    prompts.answer = answer;
    PicturePrintActions actions(doc, profile, nullptr);
    actions.setPrompts(&prompts);
    actions.setOptionsAsker([&] {
        return PicturePlacement::Options{
            regions ? PicturePlacement::Target::Regions : PicturePlacement::Target::Sheets, keep};
    });
    bool ran = false;
    QString startedIn;
    const QString sub = QDir(folder.path()).filePath(u"sub"_qs);
    actions.setPictureAsker([&](QString* start) -> std::optional<QList<Picture>> {
        ran = true;
        startedIn = *start;
        *start = sub; // the user moved on in the chooser
        if (!chooserAccepts)
            return std::nullopt;
        return QList<Picture>{{u"x.jpg"_qs, u"/x.jpg"_qs}};
    });
    actions.run();

    QCOMPARE(prompts.questions.size(), asked ? 1 : 0);
    if (asked)
        QCOMPARE(prompts.questions.first(),
                 u"すべての印刷予約データをクリアします。よろしいですか？"_qs);
    QCOMPARE(ran, chooserRuns);
    if (ran)
        QCOMPARE(startedIn, folder.path());
    if (chooserRuns)
        QCOMPARE(profile.readString(PicturePrintActions::folderKey(), QString()), sub);
    QCOMPARE(doc.isModified(), placed);
    QCOMPARE(doc.undoAvailable != undo, placed);
    const bool cleared = placed && !keep;
    QCOMPARE(doc.recordList().recordCount(), cleared ? 0 : 3);
    QCOMPARE(doc.addressBook().group(0).flag(0), cleared ? 0 : 1);
    if (regions && !placed && !chooserRuns) {
        QCOMPARE(prompts.messages,
                 QStringList{u"シートに「画像(A)」属性の文字列編集領域がありません。"_qs});
    }
    if (placed) {
        // Kept pages keep their records: the picture follows them.
        const int sheet = keep ? doc.recordList().recordCount() : 0;
        const QString where = regions ? doc.textRects().backPicture(sheet * doc.regionsPerSheet())
                                      : doc.sheets().backPicture(sheet);
        QCOMPARE(where, u"/x.jpg"_qs);
    }
}

QTEST_MAIN(TestPicPrintDialogs)
#include "tst_picprintdialogs.moc"
