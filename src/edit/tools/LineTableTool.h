#pragma once

#include "edit/MouseTool.h"

// Tool 5: drags the rectangle of a ruled-line table (a cyan band); the release asks for
// the table's layout and, on OK, adds it after one undo snapshot. A rectangle without
// area asks nothing.
class LineTableTool : public MouseTool
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

private:
    Point mStart;
    Point mEnd;
    bool mDragging = false;
};
