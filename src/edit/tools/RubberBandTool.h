#pragma once

#include "edit/MouseTool.h"

// The tools that drag a rubber band from the press to the (snapped) pointer and act on
// it at the release: drawn sheets and regions, ruled lines, ruled-line tables.
class RubberBandTool : public MouseTool
{
public:
    using MouseTool::MouseTool;
    void press(const ToolEvent& e) override;
    void move(const ToolEvent& e) override;
    void release(const ToolEvent& e) override;
    void cancel() override { mDragging = false; }
    bool isDragging() const override { return mDragging; }
    ToolOverlay overlay() const override;
    // The band's rectangle, normalised, for the rectangle tools.
    std::optional<Rect> trackedRect() const override;

protected:
    // Where the band ends for a pointer event: the snapped pointer unless a tool
    // constrains it.
    virtual Point endFor(const ToolEvent& e) const { return e.snapped(); }
    // The button was released with the band from `start` to `end`.
    virtual void finish(const Point& start, const Point& end) = 0;
    virtual ToolOverlay::Shape bandShape() const = 0;
    virtual QColor bandColor() const = 0;

    const Point& start() const { return mStart; }

private:
    Point mStart;
    Point mEnd;
    bool mDragging = false;
};
