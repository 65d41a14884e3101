#pragma once

#include "edit/MouseTool.h"

// Tool 4: draws a ruled line from the press to the snapped pointer. Ctrl makes it
// vertical and Shift horizontal; so constrained, the end stops on a crossing line
// (horizontal for Ctrl, vertical for Shift) under the pointer. The release appends the
// line with the new-object width and colour after one undo snapshot; a line of no
// length adds nothing.
class LineDrawTool : public MouseTool
{
public:
    using MouseTool::MouseTool;
    void press(const ToolEvent& e) override;
    void move(const ToolEvent& e) override;
    void release(const ToolEvent& e) override;
    void cancel() override { mDragging = false; }
    bool isDragging() const override { return mDragging; }
    ToolCursor cursor(const ToolEvent&) const override { return ToolCursor::DrawLine; }
    ToolOverlay overlay() const override;

    const Point& end() const { return mEnd; }

private:
    Point endFor(const ToolEvent& e) const;

    Point mStart;
    Point mEnd;
    bool mDragging = false;
};
