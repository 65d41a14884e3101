#include "CSplitterFrame.h"

#include "CKalvettaEditorView.h"
#include "CPageToolBar.h"
#include "ToolBarBuilder.h"

#include "model/CORINOTEDoc.h"

#include <QToolBar>

CSplitterFrame::CSplitterFrame(CORINOTEDoc& doc, Profile& profile, const CommandActions& actions,
                               QWidget* parent)
    : QMainWindow(parent), mDoc(doc)
{
    // A frame inside the main window, not a window of its own.
    setWindowFlags(Qt::Widget);
    // No menu for closing the page and object tool bars: nothing would bring them back.
    setContextMenuPolicy(Qt::PreventContextMenu);

    mPageBar = new CPageToolBar(actions, this);
    addToolBar(Qt::TopToolBarArea, mPageBar);

    mObjectBar = new QToolBar(tr("オブジェクト"), this);
    mObjectBar->setObjectName(QStringLiteral("ObjectToolBar"));
    mObjectBar->setIconSize(QSize(16, 16));
    mObjectBar->setOrientation(Qt::Vertical);
    ToolBarBuilder::fillObjectToolBar(mObjectBar, actions);
    addToolBar(Qt::LeftToolBarArea, mObjectBar);

    mView = new CKalvettaEditorView(doc, profile, actions, this);
    setCentralWidget(mView);
    connect(mView, &CKalvettaEditorView::pageShown, mPageBar, &CPageToolBar::setPage);
    connect(&mDoc, &CORINOTEDoc::changed, this, &CSplitterFrame::updateObjectToolBar);
    updateObjectToolBar();
}

void CSplitterFrame::updateObjectToolBar()
{
    mObjectBar->setVisible(mDoc.templateMode != 0);
}
