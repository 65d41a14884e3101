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

int TrackTool::pickAt(const EditLayout& layout, const ToolEvent& e) const
{
    const QPointF pixel = e.toPixels.map(e.paper);
    const int current = selected();
    const ObjectRef ref{kind(), current};
    if (current < 0 || !layout.contains(ref))
        return objectAt(layout, e.paper);
    const bool under = HitTest::inRect(layout.rectOf(ref), e.paper);
    if ((e.modifiers & Qt::AltModifier) && under)
        return objectAt(layout, e.paper, current);
    if (GridRectTracker::handleAt(pixelRect(layout.rectOf(ref), e.toPixels), pixel) !=
        GridRectTracker::NoHandle)
        return current;
    return objectAt(layout, e.paper);
}

void TrackTool::press(const ToolEvent& e)
{
    Selection& s = mDoc.selection();
    const EditLayout layout = EditLayout::of(mDoc);
    const int hit = pickAt(layout, e);
    s.textRect = -1;
    s.sheet = -1;
    s.keisenns.clear();
    if (hit < 0) {
        s.clearGroup();
        mDoc.updateAllViews();
        return;
    }
    select(hit);
    mTracked = ObjectRef{kind(), hit};
    // Ctrl+click adds to the group; Ctrl+Alt+click only picks the object beneath (window
    // managers that take Alt+drag for moving windows never pass an Alt+click on).
    if ((e.modifiers & Qt::ControlModifier) && !(e.modifiers & Qt::AltModifier))
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
    if (!mTravelled) {
        // A second click on the same spot takes the object beneath.
        const QPointF pixel = e.toPixels.map(e.paper);
        const bool again = mLastClick && mLastClicked == mTracked.index &&
                           (pixel - *mLastClick).manhattanLength() <= e.dragDistance;
        if (again && !(e.modifiers & (Qt::ControlModifier | Qt::AltModifier))) {
            const int next = objectAt(EditLayout::of(mDoc), e.paper, mTracked.index);
            if (next >= 0 && next != mTracked.index) {
                select(next);
                mTracked.index = next;
                mDoc.updateAllViews();
            }
        }
        mLastClick = pixel;
        mLastClicked = mTracked.index;
        return;
    }
    mLastClick.reset();
    if (!mTracker.changed())
        return;
    const bool moved = mTracker.handle() == GridRectTracker::Inside;
    mDoc.takeUndoSnapshot(moved ? QStringLiteral("移動") : QStringLiteral("サイズ変更"));
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

int SheetTool::objectAt(const EditLayout& layout, const QPointF& p, int after) const
{
    return HitTest::sheetAt(layout, p, after);
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

int RegionTool::objectAt(const EditLayout& layout, const QPointF& p, int after) const
{
    return HitTest::regionAt(layout, p, mDoc.displayedLayer, after);
}

int RegionTool::selected() const
{
    return mDoc.selection().textRect;
}

void RegionTool::select(int index)
{
    mDoc.selection().textRect = index;
}
