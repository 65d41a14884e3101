#include "CKalvettaEditorView.h"

#include "CommandActions.h"
#include "ToolCursors.h"

#include "app/CommandIds.h"
#include "app/PageNavigation.h"
#include "app/StatusTexts.h"
#include "app/ViewGeometry.h"
#include "app/ZoomControl.h"
#include "edit/ArrowKeys.h"
#include "edit/GridSnap.h"
#include "edit/LayoutClipboard.h"
#include "edit/LayoutEdits.h"
#include "edit/ToolOverlayPainter.h"
#include "edit/tools/MouseTools.h"
#include "edit/ui/CKeisennHyouDialog.h"
#include "model/CORINOTEDoc.h"
#include "model/Profile.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>

#include <iterator>

using namespace CommandIds;

CKalvettaEditorView::CKalvettaEditorView(CORINOTEDoc& doc, Profile& profile,
                                         const CommandActions& actions, QWidget* parent)
    : QAbstractScrollArea(parent), mDoc(doc), mProfile(profile), mActions(actions),
      mDisplay(DisplaySettings::read(profile)), mMeasurer(mRenderer.shaper())
{
    setObjectName(QStringLiteral("DrawingView"));
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::NoFrame);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(false);
    horizontalScrollBar()->setSingleStep(16);
    verticalScrollBar()->setSingleStep(16);
    mKeyClock.start();
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
    const int tools[] = {ToolAddSheet, ToolSheets,       ToolAddRegion, ToolRegions,   ToolAddLine,
                         ToolAddLineTable, ToolLines, ToolDrawSheet, ToolDrawRegion};
    for (int tool = 0; tool < int(std::size(tools)); ++tool)
        on(tools[tool], [this, tool] { selectTool(tool); });
    on(DeleteSelection, [this] { deleteSelection(); });
    on(EditCopy, [this] { copySelection(); });
    on(EditCut, [this] { cutSelection(); });
    on(EditPaste, [this] { paste(); });
    on(EditDuplicate, [this] { duplicateSelection(); });
    on(BringIntoPaper, [this] { bringIntoPaper(); });
}

int CKalvettaEditorView::gridStep() const
{
    return GridSnap::multipleOf(mDisplay.gridUnit);
}

void CKalvettaEditorView::copySelection()
{
    if (mTool && mTool->isDragging())
        return;
    if (std::unique_ptr<QMimeData> data = LayoutClipboard::copy(mDoc))
        QGuiApplication::clipboard()->setMimeData(data.release());
}

void CKalvettaEditorView::cutSelection()
{
    if (mTool && mTool->isDragging())
        return;
    if (std::unique_ptr<QMimeData> data = LayoutClipboard::cut(mDoc))
        QGuiApplication::clipboard()->setMimeData(data.release());
}

void CKalvettaEditorView::paste()
{
    if (mTool && mTool->isDragging())
        return;
    if (const QMimeData* data = QGuiApplication::clipboard()->mimeData())
        LayoutClipboard::paste(mDoc, *data, gridStep());
}

void CKalvettaEditorView::duplicateSelection()
{
    if (mTool && mTool->isDragging())
        return;
    LayoutClipboard::duplicate(mDoc, gridStep());
}

void CKalvettaEditorView::bringIntoPaper()
{
    if (mTool && mTool->isDragging())
        return;
    LayoutEdits::bringIntoPaper(mDoc);
}

void CKalvettaEditorView::selectTool(int tool)
{
    if (mTool && mTool->isDragging())
        mTool->cancel();
    mDoc.editTool = tool;
    mDoc.selection().clear();
    mDoc.updateAllViews();
}

void CKalvettaEditorView::deleteSelection()
{
    if (mTool && mTool->isDragging())
        return;
    const QString refusal = LayoutEdits::deleteSelection(mDoc);
    if (!refusal.isEmpty())
        emit message(refusal);
}

MouseTool* CKalvettaEditorView::tool()
{
    const int kind = MouseTools::kindOf(mDoc);
    if (!mTool || kind != mToolKind) {
        ToolServices services;
        services.measurer = &mMeasurer;
        services.askTable = [this](const KeisennTableOptions& defaults) {
            return CKeisennHyouDialog::ask(defaults, this);
        };
        mTool = MouseTools::create(mDoc, services);
        mToolKind = kind;
    }
    return mTool.get();
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
    const QSize maxima = ViewGeometry::scrollMaxima(shownPaper(), mDoc.zoomFactor(), viewport()->size());
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
    if (mTool && MouseTools::kindOf(mDoc) == mToolKind)
        ToolOverlayPainter::paint(painter, mTool->overlay());
    if (mSnapMark)
        ToolOverlayPainter::paintSnapMark(painter, *mSnapMark);
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
    std::optional<QPointF> mark;
    if (pixel) {
        p = ViewGeometry::toPaper(paperTransform(), *pixel);
        const bool lineDrag = mDoc.editTool == 6 && mTool && mTool->isDragging();
        const bool snaps = mDoc.templateMode && (GridSnap::toolSnaps(mDoc.editTool) || lineDrag);
        if (p && snaps) {
            p->x = GridSnap::snap(p->x, mDisplay.gridUnit);
            p->y = GridSnap::snap(p->y, mDisplay.gridUnit);
            if (mDisplay.gridUnit != 0)
                mark = QPointF(p->x, p->y);
        }
    }
    if (mark != mSnapMark) {
        // Only the mark's old and new places are repainted.
        if (mSnapMark)
            viewport()->update(
                ToolOverlayPainter::snapMarkArea(paperTransform(), *mSnapMark).toAlignedRect());
        if (mark)
            viewport()->update(
                ToolOverlayPainter::snapMarkArea(paperTransform(), *mark).toAlignedRect());
        mSnapMark = mark;
    }
    emit cursorTextChanged(StatusTexts::cursor(p));
}

ToolEvent CKalvettaEditorView::toolEvent(const QPointF& pixel,
                                         Qt::KeyboardModifiers modifiers) const
{
    ToolEvent e;
    e.toPixels = paperTransform();
    e.paper = e.toPixels.inverted().map(pixel);
    e.modifiers = modifiers;
    e.endKeyHeld = mEndKeyHeld;
    e.startKeyHeld = mStartKeyHeld;
    e.gridUnit = mDisplay.gridUnit;
    e.dragDistance = QApplication::startDragDistance();
    return e;
}

void CKalvettaEditorView::afterToolEvent(const ToolEvent& e)
{
    MouseTool* t = mTool.get();
    viewport()->setCursor(ToolCursors::cursor(t ? t->cursor(e) : ToolCursor::Arrow));
    const std::optional<Rect> tracked = t ? t->trackedRect() : std::nullopt;
    emit selectionTextChanged(
        StatusTexts::selection(tracked ? tracked : StatusTexts::selectedRect(mDoc)));
    // Hovering redraws nothing: the page is repainted while a tool draws over it and
    // once more when it stops (changes to the document redraw through the document).
    const bool drawing = t && t->isDragging();
    if (drawing || mOverlayShown)
        viewport()->update();
    mOverlayShown = drawing;
}

void CKalvettaEditorView::mouseMoveEvent(QMouseEvent* event)
{
    updateCursorText(event->position());
    if (MouseTool* t = tool()) {
        const ToolEvent e = toolEvent(event->position(), event->modifiers());
        t->move(e);
        afterToolEvent(e);
    }
    QAbstractScrollArea::mouseMoveEvent(event);
}

void CKalvettaEditorView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton)
        mLastPressed = ViewGeometry::toPaper(paperTransform(), event->position());
    if (event->button() == Qt::LeftButton) {
        setFocus(Qt::MouseFocusReason);
        if (MouseTool* t = tool()) {
            const ToolEvent e = toolEvent(event->position(), event->modifiers());
            t->press(e);
            afterToolEvent(e);
        }
    }
    QAbstractScrollArea::mousePressEvent(event);
}

void CKalvettaEditorView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && mTool && mTool->isDragging()) {
        const ToolEvent e = toolEvent(event->position(), event->modifiers());
        mTool->release(e);
        afterToolEvent(e);
    }
    QAbstractScrollArea::mouseReleaseEvent(event);
}

qint64 CKalvettaEditorView::keyTime(const QKeyEvent& event) const
{
    // The window system's time where there is one (X11 gives a pair the same time).
    return event.timestamp() != 0 ? qint64(event.timestamp()) : mKeyClock.elapsed();
}

bool CKalvettaEditorView::nudge(const QKeyEvent& event)
{
    const int key = event.key();
    if (key != Qt::Key_Left && key != Qt::Key_Right && key != Qt::Key_Up && key != Qt::Key_Down)
        return false;
    const HeldKeys::Press press = mHeldKeys.press(key, event.isAutoRepeat(), keyTime(event));
    const std::optional<QPoint> offset = ArrowKeys::nudge(
        key, press.held, mDoc.templateMode != 0, mDoc.editTool, mDisplay.gridUnit);
    if (!offset)
        return false;
    // A held key's presses beyond the bounded rate are taken and do nothing.
    if (!press.accepted)
        return true;
    bool heldBack = false;
    const bool moved = LayoutEdits::moveSelection(mDoc, offset->x(), offset->y(), &heldBack);
    if (heldBack)
        emit note(LayoutEdits::heldBackMessage());
    return moved || heldBack;
}

void CKalvettaEditorView::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Home || key == Qt::Key_Up)
        mEndKeyHeld = true;
    if (key == Qt::Key_End || key == Qt::Key_Down)
        mStartKeyHeld = true;
    const bool dragging = mTool && mTool->isDragging();
    if (key == Qt::Key_Escape && dragging) {
        mTool->cancel();
        afterToolEvent(toolEvent(viewport()->mapFromGlobal(QCursor::pos()), event->modifiers()));
        return;
    }
    if (key == Qt::Key_Delete && !dragging) {
        if (QAction* a = mActions.action(DeleteSelection); a && a->isEnabled())
            a->trigger();
        return;
    }
    if (!dragging && event->modifiers() == Qt::NoModifier && nudge(*event))
        return;
    // Page Up and Page Down turn the pages of data mode (Ctrl+Page Up/Down do so anywhere).
    if (!mDoc.templateMode && event->modifiers() == Qt::NoModifier &&
        (key == Qt::Key_PageUp || key == Qt::Key_PageDown)) {
        const int command = key == Qt::Key_PageUp ? PreviousPage : NextPage;
        if (QAction* a = mActions.action(command); a && a->isEnabled())
            a->trigger();
        return;
    }
    // Where they pick the ends of ruled lines, holding an end-point key scrolls nothing either.
    const bool endKey =
        key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Home || key == Qt::Key_End;
    if (endKey && (!mDoc.templateMode || mDoc.editTool == ArrowKeys::LineEditTool))
        return;
    QAbstractScrollArea::keyPressEvent(event);
}

void CKalvettaEditorView::keyReleaseEvent(QKeyEvent* event)
{
    mHeldKeys.release(event->key(), event->isAutoRepeat(), keyTime(*event));
    if (!event->isAutoRepeat()) {
        const int key = event->key();
        if (key == Qt::Key_Home || key == Qt::Key_Up)
            mEndKeyHeld = false;
        if (key == Qt::Key_End || key == Qt::Key_Down)
            mStartKeyHeld = false;
    }
    QAbstractScrollArea::keyReleaseEvent(event);
}

void CKalvettaEditorView::focusOutEvent(QFocusEvent* event)
{
    // A key released elsewhere is never seen here.
    mEndKeyHeld = mStartKeyHeld = false;
    mHeldKeys.clear();
    QAbstractScrollArea::focusOutEvent(event);
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
        for (const int command : {EditCut, EditCopy, EditPaste, EditDuplicate, DeleteSelection})
            menu->addAction(mActions.action(command));
        menu->addSeparator();
    }
    menu->addAction(mActions.action(BringIntoPaper));
    menu->addAction(mActions.action(ImportText));
    return menu;
}

void CKalvettaEditorView::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}
