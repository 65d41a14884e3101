#pragma once

#include "edit/MouseTool.h"

#include <QList>

// Tool 6: picks ruled lines and moves them. A press on a line adds it to the selected
// lines (no key needed) and starts a drag of all of them; a press beside every line
// empties the list. Dragging moves both points by the pointer's snapped travel (Ctrl:
// vertically only, Shift: horizontally only); with Home or Up held only the end points
// move, with End or Down only the start points, and a moved point then stops on a
// crossing line under it (horizontal with Ctrl, vertical with Shift). The lines follow
// the pointer on screen; the release stores the drag as one undo step, Escape puts the
// lines back.
class LineEditTool : public MouseTool
{
public:
    using MouseTool::MouseTool;
    void press(const ToolEvent& e) override;
    void move(const ToolEvent& e) override;
    void release(const ToolEvent& e) override;
    void cancel() override;
    bool isDragging() const override { return mDragging; }
    ToolCursor cursor(const ToolEvent& e) const override;

private:
    struct Moved
    {
        int index;
        Point start;
        Point end;
    };
    QList<Moved> current() const;
    void put(const QList<Moved>& lines);

    QList<Moved> mOriginal;
    Point mFrom;
    bool mDragging = false;
};
