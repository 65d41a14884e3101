#pragma once

#include "RubberBandTool.h"

// Tool 5: drags the rectangle of a ruled-line table (a cyan band); the release asks for
// the table's layout and, on OK, adds it after one undo snapshot. A rectangle without
// area asks nothing.
class LineTableTool : public RubberBandTool
{
public:
    using RubberBandTool::RubberBandTool;
    ToolCursor cursor(const ToolEvent&) const override { return ToolCursor::Create; }

protected:
    void finish(const Point& start, const Point& end) override;
    ToolOverlay::Shape bandShape() const override { return ToolOverlay::Rectangle; }
    QColor bandColor() const override { return Qt::cyan; }
};
