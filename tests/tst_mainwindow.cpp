// The main window, offscreen: modes, zoom, the status panes and the page indicator, the
// display settings kept between runs, the template file dialog's preview, the save
// question on New, Open, quitting and dropping a file, and the data-mode form.

#include "address/AddressBook.h"
#include "address/CAddressData.h"
#include "addressbook/ui/AddressDialogMenus.h"
#include "addressbook/ui/CAddressDataDialog.h"
#include "app/CommandIds.h"
#include "app/DocumentSession.h"
#include "app/RegionListModel.h"
#include "app/ViewGeometry.h"
#include "app/ui/CKalvettaEditorView.h"
#include "app/ui/CLabelDataEditView.h"
#include "app/ui/CMainFrame.h"
#include "widgets/FolderMemory.h"
#include "app/ui/CPageToolBar.h"
#include "app/ui/CSoftwareSettingDialog.h"
#include "app/ui/CSplitterFrame.h"
#include "app/ui/CTemplateEditorFormView.h"
#include "app/ui/CTemplateFileDialog.h"
#include "app/ui/CommandActions.h"
#include "app/ui/MainStatusBar.h"
#include "app/ui/TemplatePreviewBox.h"
#include "datasource/DatabaseExchangeFile.h"
#include "model/CORINOTEDoc.h"
#include "model/DocumentFile.h"
#include "model/PageBuilder.h"
#include "model/MemoryProfile.h"
#include "model/SettingsProfile.h"
#include "model/TemplateFile.h"
#include "pages/Pagination.h"
#include "prompts/SessionPrompts.h"
#include "widgets/CWaitDialog.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QFileInfo>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QTreeView>
#include <QHeaderView>
#include <QComboBox>

#include <memory>

using namespace CommandIds;

namespace {

class ScriptedPrompts : public SessionPrompts
{
public:
    Answer answer = Answer::Cancel;
    QString openPath;
    QString savePath;
    QStringList questions;
    QStringList messages;

    Answer askSaveChanges(const QString& question) override
    {
        questions.append(question);
        return answer;
    }
    QString chooseOpenPath() override { return openPath; }
    QString chooseSavePath(const QString&) override { return savePath; }
    void showMessage(const QString& text) override { messages.append(text); }
};

// Two sheets side by side, `regions` text regions on the first.
void makeTemplate(CORINOTEDoc& doc, int sheets, int regions)
{
    CLabelSheetTemplate& t = doc.labelTemplate();
    t.sheets.clear();
    t.regions.clear();
    for (int s = 0; s < sheets; ++s) {
        Sheet sheet;
        sheet.rect = Rect{s * 1000, -100, s * 1000 + 900, -1000};
        t.sheets.append(sheet);
    }
    for (int r = 0; r < regions; ++r) {
        TextRect region;
        region.rect = Rect{100, -200 - r * 100, 600, -280 - r * 100};
        region.font = FontRecord::make(QStringLiteral("ＭＳ 明朝"), -80, 0);
        t.regions.append(region);
    }
}

// A window over a document whose settings live in an INI file of a temporary folder.
struct Window
{
    QTemporaryDir dir;
    QString ini;
    std::unique_ptr<SettingsProfile> profile;
    std::unique_ptr<CORINOTEDoc> doc;
    std::unique_ptr<CMainFrame> frame;
    ScriptedPrompts prompts;

    explicit Window(bool show = true)
    {
        ini = dir.filePath(QStringLiteral("profile.ini"));
        open(show);
    }
    void open(bool show = true)
    {
        profile = std::make_unique<SettingsProfile>(ini);
        doc = std::make_unique<CORINOTEDoc>(profile.get());
        doc->dataFolder = dir.path();
        doc->newDocument();
        frame = std::make_unique<CMainFrame>(*doc, *profile);
        frame->setPrompts(&prompts);
        frame->resize(1200, 900);
        if (show) {
            frame->show();
            QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
        }
    }
    // Ends the run as the program does: the window, then the document, then the profile.
    void close()
    {
        frame.reset();
        doc.reset();
        profile.reset();
    }
    QAction* action(int command) const { return frame->actions().action(command); }
    void trigger(int command) const { action(command)->trigger(); }
    CKalvettaEditorView* view() const { return frame->view(); }
    QString path(const QString& name) const { return dir.filePath(name); }
};

void sendMouseMove(QWidget* widget, const QPointF& pos)
{
    QMouseEvent move(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &move);
}

void sendWheel(QWidget* widget, int delta)
{
    const QPointF pos(widget->width() / 2.0, widget->height() - 5.0);
    QWheelEvent wheel(pos, widget->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(widget, &wheel);
}

} // namespace

Q_DECLARE_METATYPE(SessionPrompts::Answer)

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void menusHaveDistinctMnemonics();
    void pageKeysTurnPages();
    void regionListColumnsFitThePane();
    void startsInDataMode();
    void rulesReadAtStart();
    void modeSwitches();
    void saveFromTemplateMode();
    void fileCommandsKeepTemplateMode_data();
    void fileCommandsKeepTemplateMode();
    void dataModeRefusedWithoutSheet();
    void zoomLimitsByButtons();
    void zoomByWheelOverForm();
    void zoomByWheelWhileFormHasFocus_data();
    void zoomByWheelWhileFormHasFocus();
    void cursorPane();
    void selectionAndTemplatePanes();
    void pageIndicatorAndNavigation();
    void settingsWrittenAtExit_data();
    void settingsWrittenAtExit();
    void settingsReadAtStart();
    void templateFileDialogPreview();
    void savePrompt_data();
    void savePrompt();
    void dataFormEditing();
    void dataFormSender();
    void folderMemory_data();
    void folderMemory();
    void undoAfterFormChange();
    void databaseDataReceived_data();
    void databaseDataReceived();
    void focusMovesBetweenPanes();
    void contextMenuByMode();
    void waitDialogProgress();
    void softwareSettingsDialog();
};

void TestMainWindow::startsInDataMode()
{
    Window w;
    QVERIFY(qobject_cast<CLabelDataEditView*>(w.frame->leftPane()));
    QCOMPARE(w.doc->templateMode, 0);
    QVERIFY(w.action(DataMode)->isChecked());
    QVERIFY(!w.action(TemplateMode)->isChecked());
    QVERIFY(w.frame->splitterFrame()->objectToolBar()->isHidden());
    QCOMPARE(w.frame->windowTitle(), QStringLiteral("無題 - ORINOTE"));
    MainStatusBar* s = w.frame->statusPanes();
    QCOMPARE(s->readyText(), QStringLiteral("レディ"));
    QCOMPARE(s->cursorText(), QStringLiteral("カーソルの現在座標"));
    QCOMPARE(s->selectionText(), QStringLiteral("選択されている領域"));
    QCOMPARE(s->templateName(), QStringLiteral("A4無地"));
    // Features of other parts of the program are shown, but disabled.
    QVERIFY(w.action(FilePrint)->isEnabled());
    QVERIFY(!w.action(PrintSetup)->isEnabled());
    QVERIFY(w.action(FileNew)->isEnabled());
    QCOMPARE(w.action(FileNew)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    QCOMPARE(w.action(FileNew)->text(), QStringLiteral("新規作成(&N)"));
}

void TestMainWindow::rulesReadAtStart()
{
    Window w(false);
    AutoReplaceRule rule;
    rule.search = QStringLiteral("様");
    w.doc->autoReplaceData().append(rule);
    QVERIFY(w.doc->autoReplaceData().saveFile(CAutoReplaceData::filePath(w.dir.path())).isEmpty());
    w.close();

    w.open(false);
    QCOMPARE(w.doc->autoReplaceData().count(), 1);
    QCOMPARE(w.doc->autoReplaceData().rule(0).search, QStringLiteral("様"));
    QVERIFY(w.action(AutoReplaceSettings)->isEnabled());
}

void TestMainWindow::modeSwitches()
{
    Window w;
    makeTemplate(*w.doc, 2, 2);
    w.trigger(PreviewDisplay);

    w.trigger(TemplateMode);
    QVERIFY(qobject_cast<CTemplateEditorFormView*>(w.frame->leftPane()));
    QCOMPARE(w.doc->templateMode, 1);
    QCOMPARE(w.doc->editTool, 1);
    QVERIFY(w.action(TemplateMode)->isChecked());
    QVERIFY(!w.action(DataMode)->isChecked());
    QVERIFY(w.action(FileNew)->isEnabled());
    QVERIFY(w.action(FileOpen)->isEnabled());
    QVERIFY(w.action(ToolSheets)->isChecked());
    QVERIFY(w.frame->splitterFrame()->objectToolBar()->isVisible());
    QCOMPARE(w.frame->splitter()->widget(0), w.frame->leftPane());
    // The template form's own controls and its property sheet; entering wrote nothing.
    auto* form = static_cast<CTemplateEditorFormView*>(w.frame->leftPane());
    QCOMPARE(form->layerCombo()->count(), 11);
    QVERIFY(form->applyButton()->isEnabled());
    QVERIFY(form->propertySheet());
    QVERIFY(w.doc->newObjectDefaults().setByPages);
    w.doc->selection().group = {{ObjectRef::TextRectKind, 0}, {ObjectRef::TextRectKind, 1}};
    form->layerCombo()->setCurrentIndex(4);
    QCOMPARE(w.doc->displayedLayer, 4);
    QVERIFY(w.doc->selection().group.isEmpty()); // no hidden region stays in the group

    w.trigger(DataMode);
    QVERIFY(qobject_cast<CLabelDataEditView*>(w.frame->leftPane()));
    QCOMPARE(w.doc->templateMode, 0);
    QCOMPARE(w.doc->editTool, -1);
    QCOMPARE(w.doc->sheets().size(), 2);
    QCOMPARE(w.doc->textRects().size(), 4);
    QVERIFY(w.action(FileNew)->isEnabled());
    QVERIFY(w.frame->splitterFrame()->objectToolBar()->isHidden());
    // The data form shows the layer chosen in template mode and the rebuilt regions.
    auto* dataForm = static_cast<CLabelDataEditView*>(w.frame->leftPane());
    QCOMPARE(dataForm->layerCombo()->currentIndex(), 4);
    QCOMPARE(dataForm->regionModel()->rowCount(), 4);
    // The preview display survives both switches.
    QVERIFY(w.view()->display().preview);
    QVERIFY(w.action(PreviewDisplay)->isChecked());
}

// Saving works in template mode: the file holds the edited template with its pages built
// from it, and the window comes back to the template editor.
void TestMainWindow::saveFromTemplateMode()
{
    Window w;
    makeTemplate(*w.doc, 2, 1);
    w.trigger(TemplateMode);
    QVERIFY(w.action(FileSave)->isEnabled());
    w.doc->addTemplateTextRegion(Rect{100, -600, 500, -700}, nullptr);
    w.prompts.savePath = w.path(QStringLiteral("saved.ond"));
    w.trigger(FileSaveAs);
    QVERIFY(QFileInfo::exists(w.prompts.savePath));
    QCOMPARE(w.doc->templateMode, 1);
    QVERIFY(qobject_cast<CTemplateEditorFormView*>(w.frame->leftPane()));

    Window reopened;
    QVERIFY(reopened.frame->openDocument(w.prompts.savePath));
    QCOMPARE(reopened.doc->labelTemplate().regions.size(), 2);
    QCOMPARE(reopened.doc->textRects().size(), 4); // both regions on both sheets' pages
    QVERIFY(w.prompts.messages.isEmpty());
}

// File commands given in template mode leave the user there, with the tool and the
// selection, and take no undo step; one that is cancelled changes nothing at all.
void TestMainWindow::fileCommandsKeepTemplateMode_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("answer"); // to the save question
    QTest::addColumn<bool>("savePath");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("新規作成, キャンセル") << int(FileNew) << int(SessionPrompts::Answer::Cancel) << false << false;
    QTest::newRow("開く, キャンセル") << int(FileOpen) << int(SessionPrompts::Answer::Cancel) << false << false;
    QTest::newRow("名前を付けて保存, no name") << int(FileSaveAs) << int(SessionPrompts::Answer::Cancel) << false << false;
    QTest::newRow("上書き保存") << int(FileSave) << int(SessionPrompts::Answer::Cancel) << true << false;
    QTest::newRow("新規作成, 保存しない") << int(FileNew) << int(SessionPrompts::Answer::Discard) << false << true;
    QTest::newRow("新規作成, はい") << int(FileNew) << int(SessionPrompts::Answer::Save) << true << true;
}

void TestMainWindow::fileCommandsKeepTemplateMode()
{
    QFETCH(int, command);
    QFETCH(int, answer);
    QFETCH(bool, savePath);
    QFETCH(bool, replaced);
    Window w;
    makeTemplate(*w.doc, 2, 1);
    w.trigger(TemplateMode);
    w.trigger(ToolRegions);
    w.doc->takeUndoSnapshot(QStringLiteral("移動"));
    w.doc->labelTemplate().regions.setRect(0, Rect{150, -200, 650, -280});
    w.doc->setModified();
    w.doc->selection().textRect = 0;
    w.doc->updateAllViews();
    const QString step = w.doc->undoStepName();
    const TextRectFamily pages = w.doc->textRects();
    w.prompts.answer = SessionPrompts::Answer(answer);
    if (savePath)
        w.prompts.savePath = w.path(QStringLiteral("kept.ond"));
    w.trigger(command);
    QCOMPARE(w.doc->templateMode, 1);
    QVERIFY(qobject_cast<CTemplateEditorFormView*>(w.frame->leftPane()));
    QVERIFY(w.action(TemplateMode)->isChecked());
    if (savePath) { // what was saved holds pages built from the edited template
        Window reopened;
        QVERIFY(reopened.frame->openDocument(w.prompts.savePath));
        QCOMPARE(reopened.doc->textRects().rect(0), (Rect{150, -200, 650, -280}));
    }
    if (replaced) {
        QCOMPARE(w.doc->undoAvailable, 0);
        QVERIFY(w.doc->editTool >= 0);
        return;
    }
    QCOMPARE(w.doc->editTool, 3);
    QCOMPARE(w.doc->undoStepName(), step);
    QVERIFY(w.doc->textRects() == pages); // the pages built for a save do not stay
    QCOMPARE(w.doc->selection().textRect, 0);
    QCOMPARE(w.doc->labelTemplate().regions.rect(0), (Rect{150, -200, 650, -280}));
    QCOMPARE(w.doc->isModified(), !savePath);
}

void TestMainWindow::dataModeRefusedWithoutSheet()
{
    Window w;
    w.trigger(TemplateMode);
    w.doc->labelTemplate().sheets.clear();
    w.trigger(DataMode);
    QCOMPARE(w.prompts.messages,
             QStringList{QStringLiteral("シートは必ず1つ以上設定してください。")});
    QVERIFY(qobject_cast<CTemplateEditorFormView*>(w.frame->leftPane()));
    QCOMPARE(w.doc->templateMode, 1);
    QVERIFY(w.action(TemplateMode)->isChecked());
    QVERIFY(!w.action(DataMode)->isChecked());
}

void TestMainWindow::zoomLimitsByButtons()
{
    Window w;
    QCOMPARE(w.doc->zoomIndex(), 1);
    // A4 fits the view at 1.0; only the margins round the paper scroll.
    const Rect paper = w.doc->scalars().paperRect;
    const auto margins = [&] {
        return 2 * ViewGeometry::marginPixels(paper, w.doc->zoomFactor(), w.view()->viewport()->size());
    };
    QCOMPARE(w.view()->verticalScrollBar()->maximum(), margins());
    for (int i = 0; i < 6; ++i)
        w.trigger(ZoomIn);
    QCOMPARE(w.doc->zoomIndex(), 5);
    QVERIFY(!w.action(ZoomIn)->isEnabled());
    QVERIFY(w.action(ZoomOut)->isEnabled());
    const QSize viewport = w.view()->viewport()->size();
    QCOMPARE(w.view()->verticalScrollBar()->maximum(),
             viewport.height() * 5 + margins() - viewport.height());

    for (int i = 0; i < 8; ++i)
        w.trigger(ZoomOut);
    QCOMPARE(w.doc->zoomIndex(), 0);
    QVERIFY(!w.action(ZoomOut)->isEnabled());
    QVERIFY(w.action(ZoomIn)->isEnabled());
    QCOMPARE(w.view()->verticalScrollBar()->maximum(), 0);
}

void TestMainWindow::zoomByWheelOverForm()
{
    Window w;
    QWidget* form = w.frame->leftPane();
    sendWheel(form, 120);
    QCOMPARE(w.doc->zoomIndex(), 2);
    QVERIFY(w.view()->verticalScrollBar()->maximum() > 0);
    for (int i = 0; i < 5; ++i)
        sendWheel(form, 120);
    QCOMPARE(w.doc->zoomIndex(), 5);
    QVERIFY(!w.action(ZoomIn)->isEnabled());
    for (int i = 0; i < 7; ++i)
        sendWheel(form, -120);
    QCOMPARE(w.doc->zoomIndex(), 0);
    QVERIFY(!w.action(ZoomOut)->isEnabled());

    // The template form zooms the same way; the drawing view scrolls instead.
    w.trigger(TemplateMode);
    sendWheel(w.frame->leftPane(), 120);
    QCOMPARE(w.doc->zoomIndex(), 1);
    sendWheel(w.view()->viewport(), 120);
    QCOMPARE(w.doc->zoomIndex(), 1);
}

// While the keyboard is in either form, the wheel zooms over its controls too (an
// unfocused combo box took the wheel to change its value); the focused control that
// scrolls keeps it.
void TestMainWindow::zoomByWheelWhileFormHasFocus_data()
{
    QTest::addColumn<bool>("templateForm");
    QTest::newRow("data form") << false;
    QTest::newRow("template form") << true;
}

void TestMainWindow::zoomByWheelWhileFormHasFocus()
{
    QFETCH(bool, templateForm);
    Window w;
    if (templateForm)
        w.trigger(TemplateMode);
    w.frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.frame.get()));
    QWidget* form = w.frame->leftPane();
    QComboBox* combo = nullptr;
    QWidget* other = nullptr;
    for (QWidget* child : form->findChildren<QWidget*>()) {
        if (!child->isVisible() || !child->isEnabled())
            continue;
        if (!combo && qobject_cast<QComboBox*>(child))
            combo = static_cast<QComboBox*>(child);
        else if (!other && (child->focusPolicy() & Qt::TabFocus) && !qobject_cast<QComboBox*>(child))
            other = child;
    }
    QVERIFY(combo && other);
    other->setFocus();
    QTRY_VERIFY(other->hasFocus());
    const int index = combo->currentIndex();
    const int zoom = w.doc->zoomIndex();
    sendWheel(combo, 120);
    QCOMPARE(w.doc->zoomIndex(), zoom + 1);
    QCOMPARE(combo->currentIndex(), index);
    // The focused combo box scrolls its own items.
    combo->setFocus();
    QTRY_VERIFY(combo->hasFocus());
    sendWheel(combo, 120);
    QCOMPARE(w.doc->zoomIndex(), zoom + 1);
    // Without the focus in the form only its background zooms.
    w.view()->setFocus();
    QTRY_VERIFY(w.view()->hasFocus());
    sendWheel(combo, -120);
    QCOMPARE(w.doc->zoomIndex(), zoom + 1);
    sendWheel(form, -120);
    QCOMPARE(w.doc->zoomIndex(), zoom);
}

void TestMainWindow::cursorPane()
{
    Window w;
    QWidget* viewport = w.view()->viewport();
    MainStatusBar* s = w.frame->statusPanes();

    // Data mode: the pointer as it is; Y grows downwards from the paper's top edge.
    const QPointF pixel = w.view()->paperTransform().map(QPointF(1000, -500));
    sendMouseMove(viewport, pixel);
    const QString text = s->cursorText();
    QVERIFY2(text.startsWith(QStringLiteral("X = 10")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral(", Y = 5")) || text.contains(QStringLiteral(", Y = 49.")),
             qPrintable(text));

    // Template mode with the add-sheet tool snaps to the grid: exact millimetres.
    w.trigger(TemplateMode);
    w.trigger(ToolAddSheet);
    w.trigger(Grid10mm);
    sendMouseMove(viewport, w.view()->paperTransform().map(QPointF(1013, -488)));
    QCOMPARE(s->cursorText(), QStringLiteral("X = 100.0mm, Y = 50.0mm"));

    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(viewport, &leave);
    QCOMPARE(s->cursorText(), QStringLiteral("カーソルの現在座標"));
}

void TestMainWindow::selectionAndTemplatePanes()
{
    Window w;
    makeTemplate(*w.doc, 2, 2);
    w.trigger(DataMode);
    auto* form = static_cast<CLabelDataEditView*>(w.frame->leftPane());
    form->chooseRow(0);
    QCOMPARE(w.doc->selection().textRect, 0);
    QCOMPARE(w.frame->statusPanes()->selectionText(),
             QStringLiteral("X = 10.0mm, Y = 20.0mm, 縦 = 8.0mm, 横 = 50.0mm"));
    w.trigger(NextPage); // disabled on a single page: nothing changes
    QCOMPARE(w.doc->selection().textRect, 0);

    const QString file = w.path(QStringLiteral("往復はがき.ont"));
    QVERIFY(TemplateFile::save(*w.doc, file).isEmpty());
    w.doc->scalars().templateName = QStringLiteral("A4無地");
    QVERIFY(TemplateFile::apply(*w.doc, file).isEmpty());
    QCOMPARE(w.frame->statusPanes()->templateName(), QStringLiteral("往復はがき"));
    QCOMPARE(w.frame->statusPanes()->selectionText(), QStringLiteral("選択されている領域"));
}

void TestMainWindow::pageIndicatorAndNavigation()
{
    Window w;
    makeTemplate(*w.doc, 2, 1);
    PageBuilder::buildPageOne(*w.doc);
    // Three pages of two sheets.
    for (int page = 1; page < 3; ++page) {
        for (int s = 0; s < 2; ++s) {
            w.doc->sheets().append(w.doc->sheets().at(s));
            w.doc->textRects().append(w.doc->textRects().at(s));
        }
    }
    w.doc->updateAllViews();
    CPageToolBar* bar = w.frame->splitterFrame()->pageToolBar();
    w.view()->viewport()->repaint();
    QCOMPARE(bar->indicatorText(), QStringLiteral("    1 /    3 ページ "));
    QVERIFY(!w.action(FirstPage)->isEnabled());
    QVERIFY(w.action(NextPage)->isEnabled());
    QVERIFY(!w.action(ForwardTenPages)->isEnabled());

    w.doc->selection().textRect = 1;
    w.trigger(NextPage);
    QCOMPARE(w.doc->currentPage, 2);
    QCOMPARE(w.doc->selection().textRect, -1);
    w.trigger(LastPage);
    QCOMPARE(w.doc->currentPage, 3);
    QVERIFY(!w.action(NextPage)->isEnabled());
    QVERIFY(!w.action(LastPage)->isEnabled());
    w.view()->viewport()->repaint();
    QCOMPARE(bar->indicatorText(), QStringLiteral("    3 /    3 ページ "));
    w.trigger(FirstPage);
    QCOMPARE(w.doc->currentPage, 1);

    // Template mode shows the one page of the template.
    w.trigger(TemplateMode);
    w.view()->viewport()->repaint();
    QCOMPARE(bar->indicatorText(), QStringLiteral("    1 /    1 ページ "));
    QVERIFY(!w.action(NextPage)->isEnabled());
}

void TestMainWindow::settingsWrittenAtExit_data()
{
    QTest::addColumn<QList<int>>("commands");
    QTest::addColumn<QList<int>>("expected"); // DISPGRID GRIDNUM RNUM LNUM KNUM DISPSPIC BN

    QTest::newRow("defaults") << QList<int>{} << QList<int>{0, 0, 0, 0, 0, 0, 1};
    QTest::newRow("grid, 5 mm, zoom in")
        << QList<int>{int(ShowGrid), int(Grid5mm), int(ZoomIn)} << QList<int>{1, 5, 0, 0, 0, 0, 2};
    QTest::newRow("numbers, picture, zoom out")
        << QList<int>{int(ShowRegionNumbers), int(ShowSheetNumbers), int(ShowLineNumbers),
                      int(ShowPaperPicture), int(ZoomOut)}
        << QList<int>{0, 0, 1, 1, 1, 1, 0};
    QTest::newRow("switched twice, preview")
        << QList<int>{int(ShowGrid), int(ShowGrid), int(Grid10mm), int(PreviewDisplay)}
        << QList<int>{0, 10, 0, 0, 0, 0, 1};
}

void TestMainWindow::settingsWrittenAtExit()
{
    QFETCH(QList<int>, commands);
    QFETCH(QList<int>, expected);
    Window w(false);
    QVERIFY(!QFile::exists(w.ini)); // nothing read: every key took its default
    for (const int c : commands)
        w.trigger(c);
    w.close();

    QSettings ini(w.ini, QSettings::IniFormat);
    const QStringList keys{QStringLiteral("DISPGRID"), QStringLiteral("GRIDNUM"),
                           QStringLiteral("RNUM"),     QStringLiteral("LNUM"),
                           QStringLiteral("KNUM"),     QStringLiteral("DISPSPIC"),
                           QStringLiteral("BN")};
    for (int i = 0; i < keys.size(); ++i) {
        const QVariant v = ini.value(QStringLiteral("ON/") + keys[i]);
        QVERIFY2(v.isValid(), qPrintable(keys[i]));
        QCOMPARE(v.toString(), QString::number(expected[i]));
    }
    // The preview flag is not kept.
    QVERIFY(!ini.contains(QStringLiteral("ON/PREVIEW")));
}

void TestMainWindow::settingsReadAtStart()
{
    Window w(false);
    w.trigger(ShowGrid);
    w.trigger(Grid10mm);
    w.trigger(ShowLineNumbers);
    w.trigger(ZoomIn);
    w.trigger(ZoomIn);
    w.trigger(PreviewDisplay);
    w.close();

    w.open(false);
    QVERIFY(w.action(ShowGrid)->isChecked());
    QVERIFY(w.action(Grid10mm)->isChecked());
    QVERIFY(!w.action(GridNone)->isChecked());
    QVERIFY(w.action(ShowLineNumbers)->isChecked());
    QVERIFY(!w.action(ShowSheetNumbers)->isChecked());
    QCOMPARE(w.doc->zoomIndex(), 3);
    QVERIFY(w.action(EditDisplay)->isChecked()); // edit display at every start
}

void TestMainWindow::templateFileDialogPreview()
{
    QTemporaryDir dir;
    SettingsProfile profile(dir.filePath(QStringLiteral("p.ini")));
    CORINOTEDoc doc(&profile);
    doc.dataFolder = dir.path();
    doc.newDocument();
    makeTemplate(doc, 3, 2);
    doc.labelTemplate().paperRect = Rect{0, 0, 1000, -1480};
    const QString good = dir.filePath(QStringLiteral("card.ont"));
    QVERIFY(TemplateFile::save(doc, good).isEmpty());
    const QString bad = dir.filePath(QStringLiteral("notes.ont"));
    QFile out(bad);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write("not a template");
    out.close();

    CTemplateFileDialog dialog(nullptr, dir.path());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("テンプレートファイルを開く"));
    // On a 1366 × 768 laptop the folder's path, the longest name and every column show.
    dialog.fitTo(QSize(1366, 768));
    QVERIFY(dialog.width() <= 1366 && dialog.height() <= 768);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* lookIn = dialog.findChild<QComboBox*>(QStringLiteral("lookInCombo"));
    QVERIFY(lookIn);
    QVERIFY(lookIn->width() >=
            lookIn->fontMetrics().horizontalAdvance(u"/usr/share/orinote/templates"_qs) + 60);
    auto* tree = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    QVERIFY(tree);
    int columns = 0;
    for (int c = 0; c + 1 < tree->header()->count(); ++c)
        columns += tree->header()->sectionSize(c);
    QVERIFY(tree->header()->sectionSize(0) >=
            tree->fontMetrics().horizontalAdvance(u"A4ラベル12面（バーコード付き）.ont"_qs) + 30);
    QVERIFY2(columns + 100 <= tree->viewport()->width(), qPrintable(QString::number(columns)));
    dialog.hide();
    QCOMPARE(dialog.previewText(),
             QStringLiteral("【用紙サイズ】\r\n【シート数】\r\n【文字列編集領域数】\r\n"));
    auto* text = dialog.findChild<QPlainTextEdit*>();
    QVERIFY(text && text->isReadOnly());

    // Moving through the list previews the file under the cursor.
    emit dialog.currentChanged(good);
    QCOMPARE(dialog.previewText(),
             QStringLiteral("【用紙サイズ】　100.0 × 148.0 mm\r\n"
                            "【シート数】　3\r\n【文字列編集領域数】　2\r\n"));
    QCOMPARE(text->toPlainText(), QStringLiteral("【用紙サイズ】　100.0 × 148.0 mm\n"
                                                 "【シート数】　3\n【文字列編集領域数】　2"));
    QImage box = dialog.previewBox()->grab().toImage();
    QCOMPARE(box.pixelColor(10, 10), QColor(Qt::white)); // the paper
    QCOMPARE(box.pixelColor(box.width() - 10, box.height() - 10), QColor(128, 128, 128));

    emit dialog.currentChanged(bad);
    QCOMPARE(dialog.previewText(),
             QStringLiteral("【用紙サイズ】\r\n【シート数】\r\n【文字列編集領域数】\r\n"));
    QCOMPARE(text->toPlainText(),
             QStringLiteral("【用紙サイズ】\n【シート数】\n【文字列編集領域数】"));
    box = dialog.previewBox()->grab().toImage();
    QCOMPARE(box.pixelColor(10, 10), QColor(128, 128, 128));
}

void TestMainWindow::savePrompt_data()
{
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<SessionPrompts::Answer>("answer");
    QTest::addColumn<bool>("proceeds");

    using A = SessionPrompts::Answer;
    for (const char* trigger : {"new", "open", "quit", "drop"}) {
        QTest::addRow("%s, cancel", trigger) << QString::fromLatin1(trigger) << A::Cancel << false;
        QTest::addRow("%s, discard", trigger) << QString::fromLatin1(trigger) << A::Discard << true;
        QTest::addRow("%s, save", trigger) << QString::fromLatin1(trigger) << A::Save << true;
    }
}

void TestMainWindow::savePrompt()
{
    QFETCH(QString, trigger);
    QFETCH(SessionPrompts::Answer, answer);
    QFETCH(bool, proceeds);

    Window w;
    // A document to open or drop: one with two sheets.
    const QString other = w.path(QStringLiteral("other.ond"));
    {
        makeTemplate(*w.doc, 2, 0);
        PageBuilder::buildPageOne(*w.doc);
        QVERIFY(DocumentFile::save(*w.doc, other).isEmpty());
        w.doc->newDocument();
    }
    w.doc->setModified(true);
    w.prompts.answer = answer;
    w.prompts.openPath = other;
    const QString saved = w.path(QStringLiteral("saved.ond"));
    w.prompts.savePath = saved;

    bool closed = false;
    if (trigger == QLatin1String("new")) {
        w.doc->scalars().templateName = QStringLiteral("unsaved");
        w.trigger(FileNew);
    } else if (trigger == QLatin1String("open")) {
        w.trigger(FileOpen);
    } else if (trigger == QLatin1String("quit")) {
        closed = w.frame->close();
    } else {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(other)});
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(w.frame.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w.frame.get(), &drop);
    }

    QCOMPARE(w.prompts.questions, QStringList{QStringLiteral("無題 への変更を保存しますか?")});
    QCOMPARE(QFile::exists(saved), answer == SessionPrompts::Answer::Save);
    if (trigger == QLatin1String("quit")) {
        QCOMPARE(closed, proceeds);
        return;
    }
    if (!proceeds) {
        QVERIFY(w.doc->isModified());
        QCOMPARE(w.doc->sheets().size(), 1);
        return;
    }
    QVERIFY(!w.doc->isModified());
    if (trigger == QLatin1String("new")) {
        QCOMPARE(w.doc->scalars().templateName, QStringLiteral("A4無地"));
        QCOMPARE(w.frame->windowTitle(), QStringLiteral("無題 - ORINOTE"));
    } else {
        QCOMPARE(w.doc->sheets().size(), 2);
        QCOMPARE(w.frame->windowTitle(), QStringLiteral("other.ond - ORINOTE"));
        QCOMPARE(w.doc->templateMode, 0);
    }
}

void TestMainWindow::dataFormEditing()
{
    Window w;
    makeTemplate(*w.doc, 2, 2);
    w.trigger(DataMode);
    auto* form = static_cast<CLabelDataEditView*>(w.frame->leftPane());
    QStringList messages;
    form->setMessageHandler([&messages](const QString& m) { messages.append(m); });
    QVERIFY(form->applyButton()->isEnabled());

    QTest::mouseClick(form->clearButton(), Qt::LeftButton);
    QCOMPARE(messages, QStringList{QStringLiteral("アイテムを選択してください。")});

    form->chooseRow(2);
    QCOMPARE(w.doc->selection().textRect, 2);
    form->textEdit()->setPlainText(QStringLiteral("鈴木 花子"));
    form->layerEdit()->setValue(11);
    QTest::mouseClick(form->applyButton(), Qt::LeftButton);
    QCOMPARE(messages.last(), QStringLiteral("レイヤーの値が正しくありません。"));
    QCOMPARE(w.doc->textRects().text(2), QString());
    // 100 typed is refused too, not cut to 10.
    form->layerEdit()->selectAll();
    QTest::keyClicks(form->layerEdit(), QStringLiteral("100"));
    QTest::mouseClick(form->applyButton(), Qt::LeftButton);
    QCOMPARE(messages.size(), 3);
    QCOMPARE(w.doc->textRects().text(2), QString());

    form->layerEdit()->setValue(3);
    QTest::mouseClick(form->applyButton(), Qt::LeftButton);
    QCOMPARE(messages.size(), 3);
    QCOMPARE(w.doc->textRects().text(2), QStringLiteral("鈴木 花子"));
    QCOMPARE(w.doc->textRects().layer(2), 3);
    QVERIFY(w.doc->isModified());
    // The edits are emptied, the row stays chosen and shows the new text.
    QCOMPARE(form->textEdit()->toPlainText(), QString());
    QCOMPARE(form->layerEdit()->value(), 1);
    QCOMPARE(form->chosenRow(), 2);
    const QAbstractItemModel* model = form->regionList()->model();
    QCOMPARE(model->data(model->index(2, 1)).toString(), QStringLiteral("鈴木 花子"));
    QCOMPARE(model->data(model->index(2, 2)).toString(), QStringLiteral("3"));

    QTest::mouseClick(form->clearButton(), Qt::LeftButton);
    QCOMPARE(w.doc->textRects().text(2), QString());
    QCOMPARE(form->chosenRow(), -1);
}

// The form's sender box lists the 差出人 group and changes the sender of the pages in one
// undoable step; without senders it is disabled.
void TestMainWindow::dataFormSender()
{
    Window w;
    makeTemplate(*w.doc, 2, 2);
    w.doc->labelTemplate().regions.setAttribute(1, u"氏名(S)"_qs);
    w.trigger(DataMode);
    auto* form = static_cast<CLabelDataEditView*>(w.frame->leftPane());
    QVERIFY(!form->senderCombo()->isEnabled());

    CAddressData& senders = w.doc->addressBook().group(AddressBook::SenderGroup);
    for (const char* name : {"桜木 誠", "桜木 由美"}) {
        QStringList values(CAddressData::TextColumnCount);
        values[CAddressData::Name] = QString::fromUtf8(name);
        values[CAddressData::Address1] = u"さいたま市"_qs;
        senders.appendRecord(values);
    }
    w.doc->updateAllViews();
    QVERIFY(form->senderCombo()->isEnabled());
    QCOMPARE(form->senderCombo()->count(), 2);
    QCOMPARE(form->senderCombo()->itemText(1), u"桜木 由美（さいたま市）"_qs);
    QCOMPARE(form->senderCombo()->currentIndex(), 0);

    form->chooseSender(1);
    QCOMPARE(w.doc->senderIndex(), 1);
    QCOMPARE(form->senderCombo()->currentIndex(), 1);
    QCOMPARE(w.doc->textRects().text(1), u"桜木 由美"_qs);
    QVERIFY(w.doc->isModified());
    w.doc->undo();
    QCOMPARE(w.doc->senderIndex(), 0);
    QCOMPARE(form->senderCombo()->currentIndex(), 0);
}

void TestMainWindow::folderMemory_data()
{
    QTest::addColumn<QString>("kept");     // the remembered folder: "" none, "gone", "dir"
    QTest::addColumn<QString>("fileName"); // a name, "abs" for an absolute path, or none
    QTest::addColumn<QString>("expected"); // "home", "dir", "dir/name", "abs"
    QTest::newRow("first time") << QString() << QString() << u"home"_qs;
    QTest::newRow("remembered") << u"dir"_qs << QString() << u"dir"_qs;
    QTest::newRow("remembered, with a name") << u"dir"_qs << u"a.ond"_qs << u"dir/a.ond"_qs;
    QTest::newRow("folder gone") << u"gone"_qs << QString() << u"home"_qs;
    QTest::newRow("a path keeps its folder") << u"dir"_qs << u"abs"_qs << u"abs"_qs;
}

// Each kind of file dialog opens where that kind was last chosen.
void TestMainWindow::folderMemory()
{
    QFETCH(QString, kept);
    QFETCH(QString, fileName);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    MemoryProfile profile;
    const QString key = FolderMemory::documents();
    const QString folder = dir.filePath(u"docs"_qs);
    QVERIFY(QDir().mkpath(folder));
    if (kept == u"dir")
        profile.writeString(key, folder);
    else if (kept == u"gone")
        profile.writeString(key, dir.filePath(u"moved"_qs));
    const QString absolute = dir.filePath(u"elsewhere/b.ond"_qs);
    const QString name = fileName == u"abs" ? absolute : fileName;
    const QString start = FolderMemory::start(&profile, key, name);
    const QString want = expected == u"home"  ? QDir::homePath()
                         : expected == u"abs" ? absolute
                         : expected == u"dir" ? folder
                                              : QDir(folder).filePath(u"a.ond"_qs);
    QCOMPARE(start, want);

    // A cancelled dialog changes nothing; a choice remembers its folder for that kind only.
    const QString before = profile.readString(key, u"-"_qs);
    FolderMemory::remember(&profile, key, QString());
    QCOMPARE(profile.readString(key, u"-"_qs), before);
    FolderMemory::remember(&profile, key, dir.filePath(u"chosen/x.ond"_qs));
    QCOMPARE(profile.readString(key, QString()), dir.filePath(u"chosen"_qs));
    QCOMPARE(profile.readString(FolderMemory::pictures(), u"-"_qs), u"-"_qs);
}

void TestMainWindow::databaseDataReceived_data()
{
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("templateMode");
    QTest::addColumn<bool>("received");
    QTest::newRow("OK") << true << false << true;
    QTest::newRow("Cancel") << false << false << false;
    QTest::newRow("template mode") << true << true << false;
}

void TestMainWindow::databaseDataReceived()
{
    QFETCH(bool, answer);
    QFETCH(bool, templateMode);
    QFETCH(bool, received);
    Window w;
    makeTemplate(*w.doc, 2, 2);
    w.trigger(DataMode);
    auto* form = static_cast<CLabelDataEditView*>(w.frame->leftPane());
    QStringList questions;
    form->setQuestionHandler([&](const QString& q) {
        questions.append(q);
        // The same command again while the question is open (its event loop passes it
        // on): ignored, not a second question.
        if (questions.size() == 1)
            w.frame->receiveCommand(ReceiveDatabaseData);
        return answer;
    });
    QStringList messages;
    form->setMessageHandler([&](const QString& m) { messages.append(m); });
    const QString exchange = DatabaseExchangeFile::filePath(w.doc->dataFolder);
    {
        QFile file(exchange);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("\x02\x00\x04\x8e\x52\x93\x63\x04\x91\xbe\x98\x59", 12)); // 山田, 太郎
    }
    w.doc->scalars().currentSheetNo = 2;
    if (templateMode)
        w.trigger(TemplateMode);
    const int before = w.doc->textRects().size();
    form = qobject_cast<CLabelDataEditView*>(w.frame->leftPane());
    if (form)
        form->layerEdit()->setValue(5);

    w.frame->receiveCommand(ReceiveDatabaseData);
    QCOMPARE(questions.size(), templateMode ? 0 : 1);
    QCOMPARE(messages, QStringList());
    QCOMPARE(QFile::exists(exchange), !received);
    if (!received) {
        QCOMPARE(w.doc->textRects().size(), before);
        return;
    }
    QCOMPARE(questions.first(), QStringLiteral("現在のシートの文字列は消去されますがよろしいですか？"));
    QCOMPARE(w.doc->textRects().text(2), QStringLiteral("山田"));
    QCOMPARE(w.doc->textRects().text(3), QStringLiteral("太郎"));
    QCOMPARE(form->layerEdit()->value(), 1);
    const QAbstractItemModel* model = form->regionList()->model();
    QCOMPARE(model->data(model->index(3, 1)).toString(), QStringLiteral("太郎"));
}

void TestMainWindow::undoAfterFormChange()
{
    Window w;
    makeTemplate(*w.doc, 1, 1);
    w.trigger(DataMode);
    QVERIFY(w.action(EditUndo)->isEnabled()); // entering data mode replaced the pages
    auto* form = static_cast<CLabelDataEditView*>(w.frame->leftPane());
    form->setMessageHandler([](const QString&) {});
    form->chooseRow(0);
    form->textEdit()->setPlainText(QStringLiteral("x"));
    form->applyText();
    QVERIFY(w.action(EditUndo)->isEnabled());
    QVERIFY(!w.action(EditRedo)->isEnabled());
    // The menu names the step each command takes back.
    QCOMPARE(w.action(EditUndo)->text(), u"元に戻す(&U) 文字列の変更"_qs);
    QCOMPARE(w.action(EditRedo)->text(), u"やり直し(&R)"_qs);
    w.trigger(EditUndo);
    QCOMPARE(w.doc->textRects().text(0), QString());
    // The step before it (entering data mode) is still there.
    QVERIFY(w.action(EditUndo)->isEnabled());
    QCOMPARE(w.action(EditUndo)->text(), u"元に戻す(&U) データモード"_qs);
    QVERIFY(w.action(EditRedo)->isEnabled());
    QCOMPARE(w.action(EditRedo)->text(), u"やり直し(&R) 文字列の変更"_qs);
    QCOMPARE(w.action(EditRedo)->toolTip(), u"やり直し 文字列の変更"_qs);
    QCOMPARE(form->regionModel()->data(form->regionModel()->index(0, 1)).toString(), QString());
    w.trigger(EditRedo);
    QCOMPARE(w.doc->textRects().text(0), QStringLiteral("x"));
    const QList<QKeySequence> redoKeys = w.action(EditRedo)->shortcuts();
    QVERIFY(redoKeys.contains(QKeySequence(Qt::CTRL | Qt::Key_Y)));
    QVERIFY(redoKeys.contains(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)));
}

void TestMainWindow::focusMovesBetweenPanes()
{
    Window w;
    w.frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.frame.get()));
    auto* form = static_cast<CLabelDataEditView*>(w.frame->leftPane());
    form->layerCombo()->setFocus();
    QTRY_VERIFY(form->layerCombo()->hasFocus());
    QTest::keyClick(form->layerCombo(), Qt::Key_F6);
    QTRY_VERIFY(w.view()->hasFocus());
    QTest::keyClick(w.view(), Qt::Key_F6, Qt::ShiftModifier);
    QTRY_VERIFY(form->isAncestorOf(QApplication::focusWidget()));
    // Commands reach the drawing view while the keyboard is in the form.
    w.trigger(ShowGrid);
    QVERIFY(w.view()->display().grid);
}

void TestMainWindow::contextMenuByMode()
{
    Window w;
    const auto commandsOf = [](QMenu* menu) {
        QList<int> ids;
        for (QAction* a : menu->actions())
            ids.append(a->isSeparator() ? 0 : a->data().toInt());
        return ids;
    };
    std::unique_ptr<QMenu> menu(w.view()->createContextMenu());
    QCOMPARE(commandsOf(menu.get()), (QList<int>{int(BringIntoPaper), int(ImportText)}));
    w.trigger(TemplateMode);
    menu.reset(w.view()->createContextMenu());
    QCOMPARE(commandsOf(menu.get()),
             (QList<int>{int(EditCut), int(EditCopy), int(EditPaste), int(EditDuplicate),
                         int(DeleteSelection), 0, int(BringIntoPaper), int(ImportText)}));
    QVERIFY(!w.action(DeleteSelection)->isEnabled());

    // A right-button press remembers its paper point.
    QWidget* viewport = w.view()->viewport();
    const QPointF pos = w.view()->paperTransform().map(QPointF(300, -600));
    QTest::mousePress(viewport, Qt::RightButton, Qt::NoModifier, pos.toPoint());
    QVERIFY(w.view()->lastPressedPoint());
    QVERIFY(qAbs(w.view()->lastPressedPoint()->x - 300) <= 5);
    QVERIFY(qAbs(w.view()->lastPressedPoint()->y + 600) <= 5);
    QTest::mouseRelease(viewport, Qt::RightButton, Qt::NoModifier, pos.toPoint());
}

void TestMainWindow::waitDialogProgress()
{
    CWaitDialog dialog;
    QVERIFY(dialog.isHidden());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("データを読み込んでいます..."));
    dialog.start(10);
    QVERIFY(dialog.isVisible());
    QVERIFY(dialog.isTicking());
    QCOMPARE(dialog.barValue(), 0);
    dialog.advance(5);
    // The bar follows on the timer, not on every step.
    QTRY_COMPARE_WITH_TIMEOUT(dialog.barValue(), 50, 2000);
    dialog.finish();
    QVERIFY(dialog.isHidden());
    QVERIFY(!dialog.isTicking());
}

void TestMainWindow::softwareSettingsDialog()
{
    SoftwareSettings in;
    in.defaultTemplate = QStringLiteral("/t/a.ont");
    in.environment.fitTemplate = 2;
    in.environment.fitData = 3;
    in.environment.kanjiNumerals = 0;
    CSoftwareSettingDialog dialog(in);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("環境設定"));
    SoftwareSettings out = dialog.values();
    QCOMPARE(out.defaultTemplate, in.defaultTemplate);
    QCOMPARE(out.environment.fitTemplate, 2);
    QCOMPARE(out.environment.fitData, 3);
    QCOMPARE(out.environment.kanjiNumerals, 0);
    QCOMPARE(out.environment.sizeNewRegions, 1);
    // The numeral forms follow the kanji numerals box and come back as chosen.
    auto* style = dialog.findChild<QComboBox*>(QStringLiteral("numeralStyle"));
    auto* dashes = dialog.findChild<QCheckBox*>(QStringLiteral("numeralDashes"));
    QVERIFY(style && dashes);
    QVERIFY(!style->isEnabled() && !dashes->isEnabled());
    QCOMPARE(out.environment.numeralStyle, 0);
    QCOMPARE(out.environment.numeralDashes, 1);
    in.environment.kanjiNumerals = 1;
    in.environment.numeralStyle = 1;
    in.environment.numeralDashes = 0;
    CSoftwareSettingDialog counting(in);
    QVERIFY(counting.findChild<QComboBox*>(QStringLiteral("numeralStyle"))->isEnabled());
    QCOMPARE(counting.values().environment.numeralStyle, 1);
    QCOMPARE(counting.values().environment.numeralDashes, 0);
    dialog.templateEdit()->setText(QStringLiteral("/t/b.ont"));
    QCOMPARE(dialog.values().defaultTemplate, QStringLiteral("/t/b.ont"));
}

namespace {

// Every item of the menu (and of its submenus) with a mnemonic has one no other item of
// that menu has, and no text carries its own shortcut column.
void checkMnemonics(const QList<QAction*>& actions, const QString& where, QStringList* faults)
{
    QHash<QChar, QString> taken;
    for (QAction* a : actions) {
        if (a->isSeparator())
            continue;
        const QString text = a->text();
        if (text.contains(u'\t'))
            faults->append(where + u" › "_qs + text);
        const qsizetype amp = text.indexOf(u'&');
        if (amp >= 0 && amp + 1 < text.size()) {
            const QChar key = text.at(amp + 1).toUpper();
            if (taken.contains(key))
                faults->append(where + u": "_qs + taken.value(key) + u" / "_qs + text);
            taken.insert(key, text);
        }
        if (QMenu* sub = a->menu())
            checkMnemonics(sub->actions(), where + u" › "_qs + text, faults);
    }
}

} // namespace

// Alt and a letter reach one item in every menu of the main window and of the address
// book window; shortcuts show in the shortcut column.
void TestMainWindow::menusHaveDistinctMnemonics()
{
    Window w;
    QStringList faults;
    checkMnemonics(w.frame->menuBar()->actions(), u"ORINOTE"_qs, &faults);
    QCOMPARE(w.action(FileNew)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    QCOMPARE(w.action(FileNew)->text(), u"新規作成(&N)"_qs);
    CAddressDataDialog book(*w.doc, w.frame.get());
    checkMnemonics(book.menus()->menuBar()->actions(), u"住所録"_qs, &faults);
    checkMnemonics(book.menus()->listMenu()->actions(), u"住所録 右クリック"_qs, &faults);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

// Page Up and Page Down on the pages, Ctrl+Page Up/Down and Ctrl+Home/End anywhere in
// the window (here from the region list), in data mode.
void TestMainWindow::pageKeysTurnPages()
{
    Window w;
    makeTemplate(*w.doc, 1, 1);
    w.trigger(DataMode);
    Pagination::addPages(*w.doc, 5);
    w.doc->updateAllViews();
    w.frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.frame.get()));
    w.view()->setFocus();
    QTRY_VERIFY(w.view()->hasFocus());
    QTest::keyClick(w.view(), Qt::Key_PageDown);
    QCOMPARE(w.doc->currentPage, 2);
    QTest::keyClick(w.view(), Qt::Key_PageUp);
    QCOMPARE(w.doc->currentPage, 1);
    auto* form = static_cast<CLabelDataEditView*>(w.frame->leftPane());
    form->regionList()->setFocus();
    QTRY_VERIFY(form->regionList()->hasFocus());
    QTest::keyClick(form->regionList(), Qt::Key_PageDown, Qt::ControlModifier);
    QCOMPARE(w.doc->currentPage, 2);
    QTest::keyClick(form->regionList(), Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(w.doc->currentPage, 5);
    QTest::keyClick(form->regionList(), Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(w.doc->currentPage, 1);
}

// The data-mode region list shows every column, ページ included, in the pane's width.
void TestMainWindow::regionListColumnsFitThePane()
{
    Window w;
    auto* form = static_cast<CLabelDataEditView*>(w.frame->leftPane());
    QTableView* list = form->regionList();
    QTRY_VERIFY(list->isVisible());
    QHeaderView* header = list->horizontalHeader();
    const int last = list->model()->columnCount() - 1;
    QVERIFY(header->sectionViewportPosition(last) + header->sectionSize(last) <=
            list->viewport()->width());
    QVERIFY(!list->horizontalScrollBar()->isVisible());
    for (int c = 0; c <= last; ++c) {
        const QString caption = list->model()->headerData(c, Qt::Horizontal).toString();
        QVERIFY2(header->sectionSize(c) >= header->fontMetrics().horizontalAdvance(caption),
                 qPrintable(caption));
    }
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
