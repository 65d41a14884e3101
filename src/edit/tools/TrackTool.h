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
    virtual int objectAt(const EditLayout& layout, const QPointF& p) const = 0;
    // The selected object of the tool's kind (-1 for none), and selecting one.
    virtual int selected() const = 0;
    virtual void select(int index) = 0;

private:
    GridRectTracker mTracker;
    ObjectRef mTracked;
    QList<ObjectRef> mGroup; // the group members that move with the tracker
    QPointF mPressPixel;
    bool mTravelled = false; // the pointer went past the drag distance since the press
};

// Tool 1: sheets of the template; picking one makes it the current sheet.
class SheetTool : public TrackTool
{
public:
    using TrackTool::TrackTool;

protected:
    ObjectRef::Kind kind() const override { return ObjectRef::SheetKind; }
    int objectAt(const EditLayout& layout, const QPointF& p) const override;
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
    int objectAt(const EditLayout& layout, const QPointF& p) const override;
    int selected() const override;
    void select(int index) override;
};
