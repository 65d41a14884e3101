#pragma once

#include "RubberBandTool.h"

// The tools that add an object by dragging its rectangle: on release the normalised
// rectangle is added with one undo snapshot. A rectangle without area adds nothing.
class DragCreateTool : public RubberBandTool
{
public:
    using RubberBandTool::RubberBandTool;
    ToolCursor cursor(const ToolEvent&) const override { return ToolCursor::Create; }

protected:
    void finish(const Point& start, const Point& end) override;
    ToolOverlay::Shape bandShape() const override;
    virtual void add(const Rect& rect) = 0;
    virtual bool elliptic() const = 0;
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
