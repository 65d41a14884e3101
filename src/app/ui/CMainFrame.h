#pragma once

#include "app/ModeSwitch.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class AppCommands;
class CKalvettaEditorView;
class CORINOTEDoc;
class CSplitterFrame;
class CWaitDialog;
class ArrangeActions;
class CommandActions;
class DocumentSession;
class FormPane;
class MainStatusBar;
class Profile;
class QSplitter;
class QToolBar;
class SessionPrompts;

// The main window: the menu bar, the main tool bar, the status bar and a splitter of two
// columns, the form of the current mode on the left (420 pixels) and the drawing pane on
// the right (580 pixels). It starts in data mode.
//
// Every command is a window-wide action, so the drawing view receives its commands
// wherever the keyboard focus is; the enabled and checked states are brought up to date
// whenever the document, the view or the window changes. Files dropped on the window are
// opened as documents, after the save question.
class CMainFrame : public QMainWindow
{
    Q_OBJECT
public:
    // The document and the profile must outlive the window. The document's auto-replace
    // rules are read from its data folder, which must be set by then.
    CMainFrame(CORINOTEDoc& doc, Profile& profile, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Who answers the save question and shows messages: message boxes and file dialogs
    // unless replaced (the prompts must then outlive the window or be replaced again).
    void setPrompts(SessionPrompts* prompts);
    SessionPrompts& prompts() const { return *mPrompts; }

    CORINOTEDoc& document() const { return mDoc; }
    DocumentSession& session() const { return *mSession; }
    CommandActions& actions() const { return *mActions; }
    class PrintCommands& printCommands() const { return *mPrintCommands; }
    QSplitter* splitter() const { return mSplitter; }
    FormPane* leftPane() const { return mLeftPane; }
    CSplitterFrame* splitterFrame() const { return mRightPane; }
    CKalvettaEditorView* view() const;
    MainStatusBar* statusPanes() const { return mStatus; }
    QToolBar* mainToolBar() const { return mMainToolBar; }
    CWaitDialog* waitDialog() const { return mWait.get(); }

    // What merges the records into the pages after data mode or a template rebuilt
    // them (see ModeSwitch::RecordMerger); nothing until the merge is installed.
    void setRecordMerger(ModeSwitch::RecordMerger merger) { mMerger = std::move(merger); }
    const ModeSwitch::RecordMerger& recordMerger() const { return mMerger; }

    // Commands 133 and 32771. Data mode is refused (with the message shown) when the
    // template has no sheet; returns whether the mode was entered.
    void enterTemplateMode();
    bool enterDataMode();
    // Runs a file or print command from either mode, keeping the mode. In template mode
    // the pages' pending edits are settled first (キャンセル stops the command); with
    // `needsPages` (save, print, PDF) the pages are built from the template for the
    // command alone, without an undo step, so that what is saved or printed holds the
    // edited template (a template without a sheet refuses as data mode does).
    void onPages(const std::function<void()>& command, bool needsPages);

    // Brings every command's enabled and checked state up to date.
    void refreshCommands();

    // A command sent by another program: 184 goes to the data-mode form, which receives
    // the database program's strings; in template mode, and while an earlier 184 still asks
    // or receives, it is ignored.
    void receiveCommand(int command);
    // A document from outside the window (dropped on it, or handed over by the desktop
    // through another copy): the save question, then the file, shown in data mode.
    bool openDocument(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createActions();
    void attachLeftPane(FormPane* pane);
    void documentChanged();
    void documentReplaced();
    void updateTitle();
    void focusOtherPane();

    CORINOTEDoc& mDoc;
    Profile& mProfile;
    std::unique_ptr<SessionPrompts> mOwnPrompts;
    SessionPrompts* mPrompts;
    CommandActions* mActions;
    ArrangeActions* mArrange;
    class TextActions* mText;
    DocumentSession* mSession;
    AppCommands* mCommands;
    class PrintCommands* mPrintCommands;
    class PicturePrintActions* mPictures;
    QToolBar* mMainToolBar;
    MainStatusBar* mStatus;
    QSplitter* mSplitter;
    FormPane* mLeftPane = nullptr;
    bool mReceiving = false; // a database reception asks or runs
    CSplitterFrame* mRightPane;
    std::unique_ptr<CWaitDialog> mWait;
    ModeSwitch::RecordMerger mMerger;
};
