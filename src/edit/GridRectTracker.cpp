#include "GridRectTracker.h"

#include "GridSnap.h"

#include <QtMath>

#include <cmath>

namespace {

qint32 clamped(qint64 v)
{
    return qint32(qBound<qint64>(qint64(INT32_MIN), v, qint64(INT32_MAX)));
}

// Paper coordinates are 32-bit; a pointer far outside the paper must not overflow them.
qint32 shifted(qint32 v, qint64 by)
{
    return clamped(qint64(v) + by);
}

} // namespace

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
        r.left = snap(shifted(o.left, dx));
        r.top = snap(shifted(o.top, dy));
        r.right = shifted(o.right, qint64(r.left) - o.left);
        r.bottom = shifted(o.bottom, qint64(r.top) - o.top);
        break;
    default:
        if (mHandle == TopLeft || mHandle == BottomLeft || mHandle == Left)
            r.left = snap(shifted(o.left, dx));
        if (mHandle == TopLeft || mHandle == TopRight || mHandle == Top)
            r.top = snap(shifted(o.top, dy));
        if (mHandle == TopRight || mHandle == BottomRight || mHandle == Right)
            r.right = snap(shifted(o.right, dx));
        if (mHandle == BottomRight || mHandle == BottomLeft || mHandle == Bottom)
            r.bottom = snap(shifted(o.bottom, dy));
        break;
    }
    mSnapped = r;
    for (int i = 0; i < mGroup.size(); ++i) {
        const Rect& g = mGroupOriginal.at(i);
        mGroup[i] = Rect{shifted(g.left, qint64(r.left) - o.left),
                         shifted(g.top, qint64(r.top) - o.top),
                         shifted(g.right, qint64(r.right) - o.right),
                         shifted(g.bottom, qint64(r.bottom) - o.bottom)};
    }
}

void GridRectTracker::cancel()
{
    mSnapped = mOriginal;
    mGroup = mGroupOriginal;
    mActive = false;
}
