#include "TrackTool.h"

#include "edit/HitTest.h"
#include "model/CORINOTEDoc.h"

QRectF TrackTool::pixelRect(const Rect& r, const QTransform& toPixels)
{
    return toPixels.mapRect(QRectF(QPointF(r.left, r.top), QPointF(r.right, r.bottom)))
        .normalized();
}

ToolCursor TrackTool::cursorOf(GridRectTracker::Handle handle)
{
    switch (handle) {
    case GridRectTracker::TopLeft:
    case GridRectTracker::BottomRight:
        return ToolCursor::SizeNWSE;
    case GridRectTracker::TopRight:
    case GridRectTracker::BottomLeft:
        return ToolCursor::SizeNESW;
    case GridRectTracker::Top:
    case GridRectTracker::Bottom:
        return ToolCursor::SizeVertical;
    case GridRectTracker::Left:
    case GridRectTracker::Right:
        return ToolCursor::SizeHorizontal;
    case GridRectTracker::Inside:
        return ToolCursor::SizeAll;
    case GridRectTracker::NoHandle:
        break;
    }
    return ToolCursor::Arrow;
}

void TrackTool::press(const ToolEvent& e)
{
    Selection& s = mDoc.selection();
    s.textRect = -1;
    s.sheet = -1;
    s.keisenns.clear();
    const EditLayout layout = EditLayout::of(mDoc);
    const int hit = objectAt(layout, e.paper);
    if (hit < 0) {
        s.clearGroup();
        mDoc.updateAllViews();
        return;
    }
    select(hit);
    mTracked = ObjectRef{kind(), hit};
    if (e.modifiers & Qt::ControlModifier)
        s.addToGroup(mTracked);
    else
        s.clearGroup();

    mGroup.clear();
    QList<Rect> groupRects;
    for (const ObjectRef& r : std::as_const(s.group)) {
        if (r != mTracked && layout.contains(r)) {
            mGroup.append(r);
            groupRects.append(layout.rectOf(r));
        }
    }
    const Rect rect = layout.rectOf(mTracked);
    const auto handle =
        GridRectTracker::handleAt(pixelRect(rect, e.toPixels), e.toPixels.map(e.paper));
    mTracker.begin(rect, handle, e.paper, e.gridUnit, groupRects);
    mPressPixel = e.toPixels.map(e.paper);
    mTravelled = false;
    mDoc.updateAllViews();
}

void TrackTool::move(const ToolEvent& e)
{
    // Until the pointer has really moved, the tracker stays where it is: snapping at no
    // travel would move an object whose edges are off the grid by a mere click.
    if (!mTravelled && mTracker.isActive())
        mTravelled = (e.toPixels.map(e.paper) - mPressPixel).manhattanLength() > e.dragDistance;
    if (mTravelled)
        mTracker.moveTo(e.paper);
}

void TrackTool::release(const ToolEvent& e)
{
    if (!mTracker.isActive())
        return;
    move(e);
    mTracker.end();
    if (!mTravelled || !mTracker.changed())
        return;
    mDoc.takeUndoSnapshot();
    EditLayout layout = EditLayout::of(mDoc);
    layout.setRect(mTracked, normalised(mTracker.snapped()));
    for (int i = 0; i < mGroup.size(); ++i)
        layout.setRect(mGroup.at(i), normalised(mTracker.group().at(i)));
    changed();
}

ToolCursor TrackTool::cursor(const ToolEvent& e) const
{
    if (mTracker.isActive())
        return cursorOf(mTracker.handle());
    const int index = selected();
    if (index < 0)
        return ToolCursor::Arrow;
    EditLayout layout = EditLayout::of(mDoc);
    const ObjectRef ref{kind(), index};
    if (!layout.contains(ref))
        return ToolCursor::Arrow;
    return cursorOf(GridRectTracker::handleAt(pixelRect(layout.rectOf(ref), e.toPixels),
                                              e.toPixels.map(e.paper)));
}

ToolOverlay TrackTool::overlay() const
{
    ToolOverlay o;
    if (mTracker.isActive() && mTracker.changed()) {
        o.tracker = mTracker.snapped();
        o.group = mTracker.group();
    }
    return o;
}

std::optional<Rect> TrackTool::trackedRect() const
{
    if (!mTracker.isActive())
        return std::nullopt;
    return mTracker.snapped();
}

int SheetTool::objectAt(const EditLayout& layout, const QPointF& p) const
{
    return HitTest::sheetAt(layout, p);
}

int SheetTool::selected() const
{
    return mDoc.selection().sheet;
}

void SheetTool::select(int index)
{
    mDoc.selection().sheet = index;
    if (index >= 0)
        mDoc.scalars().currentSheetNo = index + 1;
}

int RegionTool::objectAt(const EditLayout& layout, const QPointF& p) const
{
    return HitTest::regionAt(layout, p, mDoc.displayedLayer);
}

int RegionTool::selected() const
{
    return mDoc.selection().textRect;
}

void RegionTool::select(int index)
{
    mDoc.selection().textRect = index;
}
