#pragma once

#include "RubberBandTool.h"

// Tool 4: draws a ruled line from the press to the snapped pointer. Ctrl makes it
// vertical and Shift horizontal; so constrained, the end stops on a crossing line
// (horizontal for Ctrl, vertical for Shift) under the pointer. The release appends the
// line with the new-object width and colour after one undo snapshot; a line of no
// length adds nothing.
class LineDrawTool : public RubberBandTool
{
public:
    using RubberBandTool::RubberBandTool;
    ToolCursor cursor(const ToolEvent&) const override { return ToolCursor::DrawLine; }

protected:
    Point endFor(const ToolEvent& e) const override;
    void finish(const Point& start, const Point& end) override;
    ToolOverlay::Shape bandShape() const override { return ToolOverlay::Line; }
    QColor bandColor() const override { return Qt::cyan; }
};
