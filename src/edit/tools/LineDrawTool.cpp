#include "LineDrawTool.h"

#include "edit/EditLayout.h"
#include "edit/HitTest.h"
#include "edit/LayoutEdits.h"
#include "model/CORINOTEDoc.h"

void LineDrawTool::press(const ToolEvent& e)
{
    mStart = mEnd = e.snapped();
    mDragging = true;
}

Point LineDrawTool::endFor(const ToolEvent& e) const
{
    const Point p = e.snapped();
    const EditLayout layout = EditLayout::of(mDoc);
    const QPointF at(p.x, p.y);
    if (e.modifiers & Qt::ControlModifier) {
        Point end{mStart.x, p.y};
        if (const int line = HitTest::horizontalLineAt(layout, at); line >= 0)
            end.y = layout.lines->start(line).y;
        return end;
    }
    if (e.modifiers & Qt::ShiftModifier) {
        Point end{p.x, mStart.y};
        if (const int line = HitTest::verticalLineAt(layout, at); line >= 0)
            end.x = layout.lines->start(line).x;
        return end;
    }
    return p;
}

void LineDrawTool::move(const ToolEvent& e)
{
    if (mDragging)
        mEnd = endFor(e);
}

void LineDrawTool::release(const ToolEvent& e)
{
    if (!mDragging)
        return;
    mEnd = endFor(e);
    mDragging = false;
    if (mEnd == mStart)
        return;
    mDoc.takeUndoSnapshot();
    LayoutEdits::appendTemplateLine(mDoc, mStart, mEnd);
    changed();
}

ToolOverlay LineDrawTool::overlay() const
{
    ToolOverlay o;
    if (mDragging) {
        o.shape = ToolOverlay::Line;
        o.color = Qt::cyan;
        o.from = QPointF(mStart.x, mStart.y);
        o.to = QPointF(mEnd.x, mEnd.y);
    }
    return o;
}
