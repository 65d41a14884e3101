#include "GridRectTracker.h"

#include "GridSnap.h"

#include <QtMath>

#include <cmath>

GridRectTracker::Handle GridRectTracker::handleAt(const QRectF& pixelRect, const QPointF& pixel)
{
    const QRectF r = pixelRect.normalized();
    const QPointF points[] = {
        r.topLeft(),
        r.topRight(),
        r.bottomRight(),
        r.bottomLeft(),
        QPointF(r.center().x(), r.top()),
        QPointF(r.right(), r.center().y()),
        QPointF(r.center().x(), r.bottom()),
        QPointF(r.left(), r.center().y()),
    };
    for (int h = 0; h < 8; ++h) {
        if (std::abs(pixel.x() - points[h].x()) <= HandleReach &&
            std::abs(pixel.y() - points[h].y()) <= HandleReach)
            return Handle(h);
    }
    return r.contains(pixel) ? Inside : NoHandle;
}

void GridRectTracker::begin(const Rect& rect, Handle handle, const QPointF& press, int gridUnit,
                            const QList<Rect>& group)
{
    mOriginal = mSnapped = rect;
    mGroupOriginal = mGroup = group;
    mPress = press;
    mHandle = handle;
    mGridUnit = gridUnit;
    mActive = handle != NoHandle;
}

void GridRectTracker::moveTo(const QPointF& paper)
{
    if (!mActive)
        return;
    const qint64 dx = qRound64(paper.x() - mPress.x());
    const qint64 dy = qRound64(paper.y() - mPress.y());
    const auto snap = [this](qint32 v) { return GridSnap::snap(v, mGridUnit); };
    const Rect& o = mOriginal;
    Rect r = o;
    switch (mHandle) {
    case Inside:
        r.left = snap(offsetCoordinate(o.left, dx));
        r.top = snap(offsetCoordinate(o.top, dy));
        r.right = offsetCoordinate(o.right, qint64(r.left) - o.left);
        r.bottom = offsetCoordinate(o.bottom, qint64(r.top) - o.top);
        break;
    default:
        if (mHandle == TopLeft || mHandle == BottomLeft || mHandle == Left)
            r.left = snap(offsetCoordinate(o.left, dx));
        if (mHandle == TopLeft || mHandle == TopRight || mHandle == Top)
            r.top = snap(offsetCoordinate(o.top, dy));
        if (mHandle == TopRight || mHandle == BottomRight || mHandle == Right)
            r.right = snap(offsetCoordinate(o.right, dx));
        if (mHandle == BottomRight || mHandle == BottomLeft || mHandle == Bottom)
            r.bottom = snap(offsetCoordinate(o.bottom, dy));
        break;
    }
    mSnapped = r;
    for (int i = 0; i < mGroup.size(); ++i) {
        const Rect& g = mGroupOriginal.at(i);
        mGroup[i] = Rect{offsetCoordinate(g.left, qint64(r.left) - o.left),
                         offsetCoordinate(g.top, qint64(r.top) - o.top),
                         offsetCoordinate(g.right, qint64(r.right) - o.right),
                         offsetCoordinate(g.bottom, qint64(r.bottom) - o.bottom)};
    }
}

void GridRectTracker::cancel()
{
    mSnapped = mOriginal;
    mGroup = mGroupOriginal;
    mActive = false;
}
