#include "LineTableTool.h"

#include "edit/EditLayout.h"
#include "edit/KeisennTable.h"
#include "model/CORINOTEDoc.h"

void LineTableTool::press(const ToolEvent& e)
{
    mStart = mEnd = e.snapped();
    mDragging = true;
}

void LineTableTool::move(const ToolEvent& e)
{
    if (mDragging)
        mEnd = e.snapped();
}

void LineTableTool::release(const ToolEvent& e)
{
    if (!mDragging)
        return;
    mEnd = e.snapped();
    mDragging = false;
    if (mStart.x == mEnd.x || mStart.y == mEnd.y || !mServices.askTable)
        return;
    KeisennTableOptions defaults;
    defaults.width = mDoc.newObjectDefaults().lineWidth;
    defaults.color = mDoc.newObjectDefaults().lineColor;
    const std::optional<KeisennTableOptions> options = mServices.askTable(defaults);
    if (!options)
        return;
    mDoc.takeUndoSnapshot();
    KeisennTable::create(mDoc, Rect{mStart.x, mStart.y, mEnd.x, mEnd.y}, *options,
                         mServices.measurer);
    changed();
}

ToolOverlay LineTableTool::overlay() const
{
    ToolOverlay o;
    if (mDragging) {
        o.shape = ToolOverlay::Rectangle;
        o.color = Qt::cyan;
        o.from = QPointF(mStart.x, mStart.y);
        o.to = QPointF(mEnd.x, mEnd.y);
    }
    return o;
}

std::optional<Rect> LineTableTool::trackedRect() const
{
    if (!mDragging)
        return std::nullopt;
    return normalised(Rect{mStart.x, mStart.y, mEnd.x, mEnd.y});
}
