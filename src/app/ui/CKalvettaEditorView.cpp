#include "CKalvettaEditorView.h"

#include "CommandActions.h"

#include "app/CommandIds.h"
#include "app/GridSnap.h"
#include "app/PageNavigation.h"
#include "app/StatusTexts.h"
#include "app/ViewGeometry.h"
#include "app/ZoomControl.h"
#include "model/CORINOTEDoc.h"
#include "model/Profile.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>

using namespace CommandIds;

CKalvettaEditorView::CKalvettaEditorView(CORINOTEDoc& doc, Profile& profile,
                                         const CommandActions& actions, QWidget* parent)
    : QAbstractScrollArea(parent), mDoc(doc), mProfile(profile), mActions(actions),
      mDisplay(DisplaySettings::read(profile))
{
    setObjectName(QStringLiteral("DrawingView"));
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::NoFrame);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(false);
    horizontalScrollBar()->setSingleStep(16);
    verticalScrollBar()->setSingleStep(16);
    connectCommands(actions);
    connect(&mDoc, &CORINOTEDoc::changed, this, &CKalvettaEditorView::documentChanged);
}

CKalvettaEditorView::~CKalvettaEditorView()
{
    mDisplay.write(mProfile);
}

void CKalvettaEditorView::connectCommands(const CommandActions& a)
{
    const auto on = [this, &a](int command, auto handler) {
        connect(a.action(command), &QAction::triggered, this, handler);
    };
    on(ShowGrid, [this] { toggleGrid(); });
    on(ShowSheetNumbers, [this] { toggleSheetNumbers(); });
    on(ShowRegionNumbers, [this] { toggleRegionNumbers(); });
    on(ShowLineNumbers, [this] { toggleLineNumbers(); });
    on(ShowPaperPicture, [this] { togglePaperPicture(); });
    on(GridNone, [this] { setGridUnit(0); });
    on(Grid1mm, [this] { setGridUnit(1); });
    on(Grid5mm, [this] { setGridUnit(5); });
    on(Grid10mm, [this] { setGridUnit(10); });
    on(EditDisplay, [this] { setPreview(false); });
    on(PreviewDisplay, [this] { setPreview(true); });
    on(ZoomIn, [this] { zoomIn(); });
    on(ZoomOut, [this] { zoomOut(); });
    for (const int command :
         {FirstPage, BackTenPages, PreviousPage, NextPage, ForwardTenPages, LastPage})
        on(command, [this, command] { navigate(command); });
}

void CKalvettaEditorView::displayChanged()
{
    viewport()->update();
    emit stateChanged();
}

void CKalvettaEditorView::toggleGrid()
{
    mDisplay.grid = !mDisplay.grid;
    displayChanged();
}

void CKalvettaEditorView::toggleSheetNumbers()
{
    mDisplay.sheetNumbers = !mDisplay.sheetNumbers;
    displayChanged();
}

void CKalvettaEditorView::toggleRegionNumbers()
{
    mDisplay.regionNumbers = !mDisplay.regionNumbers;
    displayChanged();
}

void CKalvettaEditorView::toggleLineNumbers()
{
    mDisplay.lineNumbers = !mDisplay.lineNumbers;
    displayChanged();
}

void CKalvettaEditorView::togglePaperPicture()
{
    mDisplay.paperPicture = !mDisplay.paperPicture;
    displayChanged();
}

void CKalvettaEditorView::setGridUnit(int unit)
{
    mDisplay.gridUnit = unit;
    displayChanged();
}

void CKalvettaEditorView::setPreview(bool preview)
{
    mDisplay.preview = preview;
    displayChanged();
}

void CKalvettaEditorView::zoomIn()
{
    if (ZoomControl::zoomIn(mDoc))
        zoomChanged();
}

void CKalvettaEditorView::zoomOut()
{
    if (ZoomControl::zoomOut(mDoc))
        zoomChanged();
}

void CKalvettaEditorView::zoomChanged()
{
    updateScrollBars();
    displayChanged();
}

void CKalvettaEditorView::navigate(int command)
{
    if (mDoc.templateMode)
        return;
    mDoc.currentPage = PageNavigation::target(command, mDoc.currentPage, mDoc.pageCount());
    mDoc.selection().clear();
    mDoc.updateAllViews();
    emit stateChanged();
}

int CKalvettaEditorView::shownPage() const
{
    return mDoc.templateMode ? 1 : mDoc.currentPage;
}

Rect CKalvettaEditorView::shownPaper() const
{
    return PageRenderer::paperRect(mDoc);
}

QTransform CKalvettaEditorView::paperTransform() const
{
    return ViewGeometry::transform(
        shownPaper(), mDoc.zoomFactor(), viewport()->size(),
        QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value()));
}

void CKalvettaEditorView::documentChanged()
{
    if (!mDoc.templateMode)
        mDoc.currentPage = std::clamp(mDoc.currentPage, 1, mDoc.pageCount());
    updateScrollBars();
    viewport()->update();
    emit stateChanged();
}

void CKalvettaEditorView::updateScrollBars()
{
    const QSize maxima = ViewGeometry::scrollMaxima(mDoc.zoomFactor(), viewport()->size());
    horizontalScrollBar()->setRange(0, maxima.width());
    verticalScrollBar()->setRange(0, maxima.height());
    horizontalScrollBar()->setPageStep(viewport()->width());
    verticalScrollBar()->setPageStep(viewport()->height());
}

void CKalvettaEditorView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), palette().color(QPalette::Mid));
    painter.setTransform(paperTransform());
    mRenderer.draw(painter, mDoc, shownPage(), mDisplay.rendererOptions());
    painter.end();
    emit pageShown(shownPage(), mDoc.pageCount());
}

void CKalvettaEditorView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void CKalvettaEditorView::scrollContentsBy(int, int)
{
    viewport()->update();
}

void CKalvettaEditorView::updateCursorText(const std::optional<QPointF>& pixel)
{
    std::optional<Point> p;
    if (pixel) {
        p = ViewGeometry::toPaper(paperTransform(), *pixel);
        if (p && GridSnap::toolSnaps(mDoc.editTool)) {
            p->x = GridSnap::snap(p->x, mDisplay.gridUnit);
            p->y = GridSnap::snap(p->y, mDisplay.gridUnit);
        }
    }
    emit cursorTextChanged(StatusTexts::cursor(p));
}

void CKalvettaEditorView::mouseMoveEvent(QMouseEvent* event)
{
    updateCursorText(event->position());
    QAbstractScrollArea::mouseMoveEvent(event);
}

void CKalvettaEditorView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton)
        mLastPressed = ViewGeometry::toPaper(paperTransform(), event->position());
    QAbstractScrollArea::mousePressEvent(event);
}

bool CKalvettaEditorView::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::Leave)
        updateCursorText(std::nullopt);
    return QAbstractScrollArea::viewportEvent(event);
}

QMenu* CKalvettaEditorView::createContextMenu()
{
    auto* menu = new QMenu(this);
    if (mDoc.templateMode) {
        menu->addAction(mActions.action(DeleteSelection));
        menu->addSeparator();
    }
    menu->addAction(mActions.action(ImportText));
    return menu;
}

void CKalvettaEditorView::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}
