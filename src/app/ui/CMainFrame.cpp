#include "CMainFrame.h"

#include "AppCommands.h"
#include "ArrangeActions.h"
#include "CKalvettaEditorView.h"
#include "CLabelDataEditView.h"
#include "CSplitterFrame.h"
#include "CTemplateEditorFormView.h"
#include "CommandActions.h"
#include "MainMenuBuilder.h"
#include "MainStatusBar.h"
#include "PrintCommands.h"
#include "TextActions.h"
#include "ToolBarBuilder.h"
#include "widgets/CWaitDialog.h"
#include "widgets/DialogPrompts.h"

#include "app/CommandIds.h"
#include "app/CommandState.h"
#include "app/DocumentSession.h"
#include "app/StatusTexts.h"
#include "datasource/ui/CsvFileActions.h"
#include "edit/LayoutClipboard.h"
#include "edit/ui/CLabelTemplatePropSheet.h"
#include "model/CAutoReplaceData.h"
#include "model/CORINOTEDoc.h"
#include "picprint/ui/PicturePrintActions.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QScopedValueRollback>
#include <QSplitter>
#include <QToolBar>

// Resources of a static library are registered by hand, outside any namespace.
static void initResources()
{
    Q_INIT_RESOURCE(orinote);
}

using namespace CommandIds;

CMainFrame::CMainFrame(CORINOTEDoc& doc, Profile& profile, QWidget* parent)
    : QMainWindow(parent), mDoc(doc), mProfile(profile)
{
    initResources();
    setObjectName(QStringLiteral("MainFrame"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/orinote.svg")));
    setAcceptDrops(true);
    resize(800, 600);

    mOwnPrompts = std::make_unique<DialogPrompts>(this, &mProfile);
    mPrompts = mOwnPrompts.get();
    mActions = new CommandActions(this);
    mArrange = new ArrangeActions(mDoc, *mActions, this);
    mArrange->setPrompts(mPrompts);
    mText = new TextActions(mDoc, *mActions, this);
    mText->setPrompts(mPrompts);
    mSession = new DocumentSession(mDoc, mProfile, mPrompts, this);
    mWait = std::make_unique<CWaitDialog>(this);
    // The save question's save, in template mode, saves pages built from the template, as
    // 上書き保存 does.
    mSession->runSave = [this](const std::function<bool()>& save) {
        if (mDoc.templateMode == 0 || !qobject_cast<CTemplateEditorFormView*>(mLeftPane))
            return save();
        bool saved = false;
        const QString refusal =
            ModeSwitch::withPagesBuilt(mDoc, mMerger, mWait.get(), [&saved, &save] { saved = save(); });
        if (!refusal.isEmpty())
            mPrompts->showMessage(refusal);
        return saved;
    };
    // A missing or unreadable rules file just means no rules.
    mDoc.autoReplaceData().loadFile(CAutoReplaceData::filePath(mDoc.dataFolder));

    MainMenuBuilder::build(menuBar(), *mActions);
    mMainToolBar = addToolBar(tr("ツール バー"));
    mMainToolBar->setObjectName(QStringLiteral("MainToolBar"));
    mMainToolBar->setIconSize(QSize(16, 16));
    ToolBarBuilder::fillMainToolBar(mMainToolBar, *mActions);
    mStatus = new MainStatusBar(this);
    setStatusBar(mStatus);
    for (const int command : mActions->commands()) {
        QAction* a = mActions->action(command);
        a->setStatusTip(a->toolTip());
    }

    mSplitter = new QSplitter(Qt::Horizontal, this);
    mSplitter->setChildrenCollapsible(false);
    mRightPane = new CSplitterFrame(mDoc, mProfile, *mActions, mSplitter);
    mDoc.templateMode = 0;
    attachLeftPane(new CLabelDataEditView(mDoc));
    mSplitter->addWidget(mRightPane);
    mSplitter->setSizes({420, 580});
    mSplitter->setStretchFactor(1, 1);
    setCentralWidget(mSplitter);

    mCommands = new AppCommands(*this);
    mPrintCommands = new PrintCommands(*this);
    mPictures = new PicturePrintActions(mDoc, mProfile, this);
    mPictures->setPrompts(mPrompts);
    mPictures->setProgress(mWait.get());
    createActions();

    connect(&mDoc, &CORINOTEDoc::changed, this, &CMainFrame::documentChanged);
    connect(&mDoc, &CORINOTEDoc::modifiedChanged, this, &CMainFrame::refreshCommands);
    connect(mSession, &DocumentSession::titleChanged, this, &CMainFrame::updateTitle);
    connect(mSession, &DocumentSession::documentReplaced, this, &CMainFrame::documentReplaced);
    connect(mSession, &DocumentSession::recentFilesChanged, this, [this] {
        MainMenuBuilder::showRecentFiles(*mActions, mSession->recentFiles());
        refreshCommands();
    });
    // The tool bar can also be closed from the tool bar area's own menu.
    connect(mMainToolBar, &QToolBar::visibilityChanged, this, &CMainFrame::refreshCommands);
    CKalvettaEditorView* v = view();
    connect(v, &CKalvettaEditorView::cursorTextChanged, mStatus, &MainStatusBar::setCursorText);
    connect(v, &CKalvettaEditorView::selectionTextChanged, mStatus,
            &MainStatusBar::setSelectionText);
    connect(v, &CKalvettaEditorView::message, this,
            [this](const QString& text) { mPrompts->showMessage(text); });
    connect(v, &CKalvettaEditorView::note, this,
            [this](const QString& text) { mStatus->showMessage(text, 5000); });
    connect(v, &CKalvettaEditorView::stateChanged, this, &CMainFrame::refreshCommands);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            &CMainFrame::refreshCommands);

    MainMenuBuilder::showRecentFiles(*mActions, mSession->recentFiles());
    updateTitle();
    documentChanged();
}

CMainFrame::~CMainFrame() = default;

CKalvettaEditorView* CMainFrame::view() const
{
    return mRightPane->view();
}

void CMainFrame::setPrompts(SessionPrompts* prompts)
{
    mPrompts = prompts ? prompts : mOwnPrompts.get();
    mArrange->setPrompts(mPrompts);
    mText->setPrompts(mPrompts);
    mSession->setPrompts(mPrompts);
    mPictures->setPrompts(mPrompts);
}

void CMainFrame::createActions()
{
    const auto on = [this](int command, auto handler) {
        connect(mActions->action(command), &QAction::triggered, this, handler);
    };
    on(TemplateMode, [this] { enterTemplateMode(); });
    on(DataMode, [this] { enterDataMode(); });
    on(PicturePrint, [this] { mPictures->run(); });
    on(CsvFile, [this] { CsvFileActions(mDoc, *mPrompts, this, mWait.get()).run(); });
    on(ViewToolBar, [this](bool shown) {
        mMainToolBar->setVisible(shown);
        refreshCommands();
    });
    on(ViewStatusBar, [this](bool shown) {
        mStatus->setVisible(shown);
        refreshCommands();
    });
    for (QAction* a : mActions->findChildren<QAction*>())
        addAction(a);

    // F6 and Shift+F6 move the keyboard between the form and the drawing view.
    for (const QKeySequence& keys :
         {QKeySequence(Qt::Key_F6), QKeySequence(Qt::SHIFT | Qt::Key_F6)}) {
        auto* a = new QAction(this);
        a->setShortcut(keys);
        connect(a, &QAction::triggered, this, &CMainFrame::focusOtherPane);
        addAction(a);
    }
}

void CMainFrame::attachLeftPane(FormPane* pane)
{
    FormPane* old = mLeftPane;
    const bool hadFocus = old && old->isAncestorOf(QApplication::focusWidget());
    mLeftPane = pane;
    if (old) {
        mSplitter->replaceWidget(0, pane);
        mDoc.disconnect(old);
        old->deleteLater();
    } else {
        mSplitter->insertWidget(0, pane);
    }
    connect(pane, &FormPane::zoomChanged, this, [this] { view()->zoomChanged(); });
    if (hadFocus)
        pane->setFocus();
}

void CMainFrame::enterTemplateMode()
{
    ModeSwitch::enterTemplateMode(mDoc);
    attachLeftPane(new CTemplateEditorFormView(mDoc));
    mDoc.updateAllViews();
}

bool CMainFrame::enterDataMode()
{
    // The template form goes: edits on its pages are written or dropped as the user says.
    if (auto* form = qobject_cast<CTemplateEditorFormView*>(mLeftPane);
        form && !form->propertySheet()->settlePendingEdits())
        return false;
    const QString refusal = ModeSwitch::enterDataMode(mDoc, mMerger, mWait.get());
    if (!refusal.isEmpty()) {
        mPrompts->showMessage(refusal);
        refreshCommands();
        return false;
    }
    attachLeftPane(new CLabelDataEditView(mDoc));
    mDoc.updateAllViews();
    return true;
}

void CMainFrame::onPages(const std::function<void()>& command, bool needsPages)
{
    auto* form = qobject_cast<CTemplateEditorFormView*>(mLeftPane);
    if (!form || mDoc.templateMode == 0) {
        command();
        return;
    }
    // File commands keep template mode: the pages' edits are settled first (キャンセル
    // stops here), and what needs the pages gets them built for the command alone.
    if (!form->propertySheet()->settlePendingEdits())
        return;
    if (!needsPages) {
        command();
        return;
    }
    const QString refusal = ModeSwitch::withPagesBuilt(mDoc, mMerger, mWait.get(), command);
    if (!refusal.isEmpty())
        mPrompts->showMessage(refusal);
    refreshCommands();
}

void CMainFrame::receiveCommand(int command)
{
    auto* form = qobject_cast<CLabelDataEditView*>(mLeftPane);
    // A command that comes while the last one still asks or receives is the same data
    // sent again: asking twice would stack the questions.
    if (command != CommandIds::ReceiveDatabaseData || !form || mDoc.templateMode != 0 || mReceiving)
        return;
    const QScopedValueRollback<bool> receiving(mReceiving, true);
    activateWindow();
    raise();
    form->receiveDatabaseData();
}

bool CMainFrame::openDocument(const QString& path)
{
    activateWindow();
    raise();
    if (!mSession->openFile(path))
        return false;
    // A document is opened to be printed: its pages, not the template editor.
    if (mDoc.templateMode != 0) {
        attachLeftPane(new CLabelDataEditView(mDoc));
        mDoc.templateMode = 0;
        mDoc.editTool = -1;
        mDoc.selection().clear();
        mDoc.updateAllViews();
    }
    return true;
}

void CMainFrame::refreshCommands()
{
    CommandContext c = CommandContext::fromDocument(mDoc);
    const DisplaySettings& d = view()->display();
    c.gridUnit = d.gridUnit;
    c.grid = d.grid;
    c.sheetNumbers = d.sheetNumbers;
    c.regionNumbers = d.regionNumbers;
    c.lineNumbers = d.lineNumbers;
    c.paperPicture = d.paperPicture;
    c.preview = d.preview;
    c.canPaste = LayoutClipboard::canPaste(mDoc, QGuiApplication::clipboard()->mimeData());
    c.toolBarVisible = !mMainToolBar->isHidden();
    c.statusBarVisible = !mStatus->isHidden();
    c.recentFileCount = mSession->recentFiles().count();
    c.autoReplaceAvailable = true;
    c.printingAvailable = true;
    mActions->applyStates(c);
}

void CMainFrame::documentChanged()
{
    mStatus->setSelectionText(StatusTexts::selection(StatusTexts::selectedRect(mDoc)));
    mStatus->setTemplateName(mDoc.scalars().templateName);
    // The title names the address book's own file, which the address book window changes.
    updateTitle();
    refreshCommands();
}

void CMainFrame::documentReplaced()
{
    // A new or opened document shows in the mode of the form that is attached.
    if (qobject_cast<CTemplateEditorFormView*>(mLeftPane))
        ModeSwitch::enterTemplateMode(mDoc);
    else
        mDoc.templateMode = 0;
    mDoc.updateAllViews();
}

void CMainFrame::updateTitle()
{
    setWindowTitle(mSession->windowTitle());
}

void CMainFrame::focusOtherPane()
{
    if (view()->hasFocus())
        mLeftPane->setFocus();
    else
        view()->setFocus();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (auto* form = qobject_cast<CTemplateEditorFormView*>(mLeftPane);
        form && !form->propertySheet()->settlePendingEdits()) {
        event->ignore();
        return;
    }
    if (mSession->saveModified())
        event->accept();
    else
        event->ignore();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            return;
        }
    }
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            activateWindow();
            // One document at a time: the first file is the one opened.
            openDocument(url.toLocalFile());
            return;
        }
    }
}
