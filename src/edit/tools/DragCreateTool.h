#pragma once

#include "edit/MouseTool.h"

// The tools that add an object by dragging its rectangle: a dotted rubber band from the
// press to the snapped pointer; on release the normalised rectangle is added with one
// undo snapshot. A rectangle without area adds nothing.
class DragCreateTool : public MouseTool
{
public:
    using MouseTool::MouseTool;
    void press(const ToolEvent& e) override;
    void move(const ToolEvent& e) override;
    void release(const ToolEvent& e) override;
    void cancel() override { mDragging = false; }
    bool isDragging() const override { return mDragging; }
    ToolCursor cursor(const ToolEvent&) const override { return ToolCursor::Create; }
    ToolOverlay overlay() const override;
    std::optional<Rect> trackedRect() const override;

protected:
    virtual void add(const Rect& rect) = 0;
    virtual QColor bandColor() const = 0;
    virtual bool elliptic() const = 0;

private:
    Rect dragged() const;

    Point mStart;
    Point mEnd;
    bool mDragging = false;
};

// Tool 7: a sheet by dragging (a magenta band).
class DrawSheetTool : public DragCreateTool
{
public:
    using DragCreateTool::DragCreateTool;

protected:
    void add(const Rect& rect) override;
    QColor bandColor() const override { return Qt::magenta; }
    bool elliptic() const override;
};

// Tool 8: a text region by dragging (a yellow band).
class DrawRegionTool : public DragCreateTool
{
public:
    using DragCreateTool::DragCreateTool;

protected:
    void add(const Rect& rect) override;
    QColor bandColor() const override { return Qt::yellow; }
    bool elliptic() const override;
};
