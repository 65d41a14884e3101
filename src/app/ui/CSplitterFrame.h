#pragma once

#include <QMainWindow>

class CKalvettaEditorView;
class CORINOTEDoc;
class CPageToolBar;
class CommandActions;
class Profile;
class QToolBar;

// The right pane of the main window: the page tool bar at its top, the object tool bar
// docked at its left edge and the drawing view filling the rest. The object tool bar is
// shown in template mode only.
class CSplitterFrame : public QMainWindow
{
    Q_OBJECT
public:
    CSplitterFrame(CORINOTEDoc& doc, Profile& profile, const CommandActions& actions,
                   QWidget* parent = nullptr);

    CKalvettaEditorView* view() const { return mView; }
    CPageToolBar* pageToolBar() const { return mPageBar; }
    QToolBar* objectToolBar() const { return mObjectBar; }

    // Shows the object tool bar when the document is in template mode, hides it otherwise.
    void updateObjectToolBar();

private:
    CORINOTEDoc& mDoc;
    CPageToolBar* mPageBar;
    QToolBar* mObjectBar;
    CKalvettaEditorView* mView;
};
