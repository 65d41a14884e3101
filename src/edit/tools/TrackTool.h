#pragma once

#include "edit/EditLayout.h"
#include "edit/GridRectTracker.h"
#include "edit/MouseTool.h"

// The tools that select sheets or text regions and move and resize them with the
// tracker. A press clears the selection and picks the first object under the pointer;
// Ctrl adds it to the group (a plain click empties the group). Dragging moves the
// tracker and the group with it; the release stores the rectangles with one undo
// snapshot, and the moved object stays selected for the next nudge or command. A press
// and release without the pointer travelling the drag distance only selects: nothing
// snaps to the grid and nothing moves. Escape stores nothing.
//
// A press on the selected object's tracker (its inside or any part of a handle square,
// which reaches past the object's edge) acts on the selected object, even where another
// object lies above it in hit order. Alt+click, and a second click on the same spot
// without a drag, pick the next object under the pointer in hit order, so that an object
// beneath another can be taken.
class TrackTool : public MouseTool
{
public:
    using MouseTool::MouseTool;
    void press(const ToolEvent& e) override;
    void move(const ToolEvent& e) override;
    void release(const ToolEvent& e) override;
    void cancel() override { mTracker.cancel(); }
    bool isDragging() const override { return mTracker.isActive(); }
    ToolCursor cursor(const ToolEvent& e) const override;
    ToolOverlay overlay() const override;
    std::optional<Rect> trackedRect() const override;

    static ToolCursor cursorOf(GridRectTracker::Handle handle);
    // A paper rectangle in the view's pixels.
    static QRectF pixelRect(const Rect& r, const QTransform& toPixels);

protected:
    virtual ObjectRef::Kind kind() const = 0;
    // The first object under the point in hit order, or with `after` the next one after
    // that index (coming round to the first).
    virtual int objectAt(const EditLayout& layout, const QPointF& p, int after = -1) const = 0;
    // The selected object of the tool's kind (-1 for none), and selecting one.
    virtual int selected() const = 0;
    virtual void select(int index) = 0;

private:
    GridRectTracker mTracker;
    ObjectRef mTracked;
    QList<ObjectRef> mGroup; // the group members that move with the tracker
    int pickAt(const EditLayout& layout, const ToolEvent& e) const;

    QPointF mPressPixel;
    bool mTravelled = false; // the pointer went past the drag distance since the press
    // The spot of the last click that did not drag, and the object it left selected.
    std::optional<QPointF> mLastClick;
    int mLastClicked = -1;
};

// Tool 1: sheets of the template; picking one makes it the current sheet.
class SheetTool : public TrackTool
{
public:
    using TrackTool::TrackTool;

protected:
    ObjectRef::Kind kind() const override { return ObjectRef::SheetKind; }
    int objectAt(const EditLayout& layout, const QPointF& p, int after = -1) const override;
    int selected() const override;
    void select(int index) override;
};

// Tool 3 (and data mode's plain click): text regions of the page being edited, of the
// displayed layer.
class RegionTool : public TrackTool
{
public:
    using TrackTool::TrackTool;

protected:
    ObjectRef::Kind kind() const override { return ObjectRef::TextRectKind; }
    int objectAt(const EditLayout& layout, const QPointF& p, int after = -1) const override;
    int selected() const override;
    void select(int index) override;
};
