#include "RubberBandTool.h"

#include "edit/EditLayout.h"

void RubberBandTool::press(const ToolEvent& e)
{
    mStart = mEnd = e.snapped();
    mDragging = true;
}

void RubberBandTool::move(const ToolEvent& e)
{
    if (mDragging)
        mEnd = endFor(e);
}

void RubberBandTool::release(const ToolEvent& e)
{
    if (!mDragging)
        return;
    mEnd = endFor(e);
    mDragging = false;
    finish(mStart, mEnd);
}

ToolOverlay RubberBandTool::overlay() const
{
    ToolOverlay o;
    if (mDragging) {
        o.shape = bandShape();
        o.color = bandColor();
        o.from = QPointF(mStart.x, mStart.y);
        o.to = QPointF(mEnd.x, mEnd.y);
    }
    return o;
}

std::optional<Rect> RubberBandTool::trackedRect() const
{
    if (!mDragging || bandShape() == ToolOverlay::Line)
        return std::nullopt;
    return normalised(Rect{mStart.x, mStart.y, mEnd.x, mEnd.y});
}
