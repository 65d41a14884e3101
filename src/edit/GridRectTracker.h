#pragma once

#include "base/Geometry.h"

#include <QList>
#include <QPointF>
#include <QRectF>

// The rubber-band tracker that moves and resizes a sheet or text region on the grid.
//
// Handles: 0 top-left, 1 top-right, 2 bottom-right, 3 bottom-left, 4 top, 5 right,
// 6 bottom, 7 left, 8 the inside (move). Dragging a handle moves the edges it holds by
// the pointer's travel and snaps only those edges; the inside snaps left and top and
// keeps the size. The rectangles of a group move with it edge by edge: each edge of each
// group rectangle changes by what the same edge of the tracked rectangle changed.
//
// The tracker changes no model: the caller reads the results when the drag ends.
class GridRectTracker
{
public:
    enum Handle
    {
        NoHandle = -1,
        TopLeft = 0,
        TopRight = 1,
        BottomRight = 2,
        BottomLeft = 3,
        Top = 4,
        Right = 5,
        Bottom = 6,
        Left = 7,
        Inside = 8,
    };

    // Half the side of a handle's square in pixels, as they are drawn.
    static constexpr qreal HandleReach = 4;

    // The handle under a pixel of the view, for a tracked rectangle in view pixels:
    // the eight handle squares first, then the inside; NoHandle outside.
    static Handle handleAt(const QRectF& pixelRect, const QPointF& pixel);

    // Starts a drag of `rect` by `handle` from the paper point `press`.
    void begin(const Rect& rect, Handle handle, const QPointF& press, int gridUnit,
               const QList<Rect>& group = {});
    // The pointer is at `paper` now.
    void moveTo(const QPointF& paper);
    // Ends the drag; the results stay readable until the next begin().
    void end() { mActive = false; }
    // Escape: back to the rectangles of begin(), inactive.
    void cancel();

    bool isActive() const { return mActive; }
    Handle handle() const { return mHandle; }
    const Rect& original() const { return mOriginal; }
    // The tracked rectangle as snapped (not normalised: a handle may be dragged past the
    // opposite edge).
    const Rect& snapped() const { return mSnapped; }
    const QList<Rect>& group() const { return mGroup; }
    bool changed() const { return mSnapped != mOriginal; }

private:
    Rect mOriginal;
    Rect mSnapped;
    QList<Rect> mGroupOriginal;
    QList<Rect> mGroup;
    QPointF mPress;
    Handle mHandle = NoHandle;
    int mGridUnit = 0;
    bool mActive = false;
};
