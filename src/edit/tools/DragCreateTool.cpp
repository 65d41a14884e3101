#include "DragCreateTool.h"

#include "edit/EditLayout.h"
#include "model/CORINOTEDoc.h"

void DragCreateTool::press(const ToolEvent& e)
{
    mStart = mEnd = e.snapped();
    mDragging = true;
}

void DragCreateTool::move(const ToolEvent& e)
{
    if (mDragging)
        mEnd = e.snapped();
}

void DragCreateTool::release(const ToolEvent& e)
{
    if (!mDragging)
        return;
    mEnd = e.snapped();
    mDragging = false;
    const Rect r = dragged();
    if (r.width() == 0 || r.height() == 0)
        return;
    mDoc.takeUndoSnapshot();
    add(r);
    changed();
}

Rect DragCreateTool::dragged() const
{
    return normalised(Rect{mStart.x, mStart.y, mEnd.x, mEnd.y});
}

ToolOverlay DragCreateTool::overlay() const
{
    ToolOverlay o;
    if (!mDragging)
        return o;
    o.shape = elliptic() ? ToolOverlay::Ellipse : ToolOverlay::Rectangle;
    o.color = bandColor();
    o.from = QPointF(mStart.x, mStart.y);
    o.to = QPointF(mEnd.x, mEnd.y);
    return o;
}

std::optional<Rect> DragCreateTool::trackedRect() const
{
    if (!mDragging)
        return std::nullopt;
    return dragged();
}

void DrawSheetTool::add(const Rect& rect)
{
    mDoc.addTemplateSheet(rect);
}

bool DrawSheetTool::elliptic() const
{
    return mDoc.newObjectDefaults().sheetElliptic != 0;
}

void DrawRegionTool::add(const Rect& rect)
{
    mDoc.addTemplateTextRegion(rect, mServices.measurer);
}

bool DrawRegionTool::elliptic() const
{
    return mDoc.newObjectDefaults().elliptic != 0;
}
