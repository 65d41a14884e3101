#pragma once

#include "TrackTool.h"

// Data mode's mouse, whatever tool was chosen: Shift+click makes the sheet of the page
// under the pointer the current sheet; with Home, Up, End or Down held a click picks a
// ruled line of the page; a plain click selects, moves and resizes a text region of the
// page as the region tool does. Shift+Alt+click, and a second Shift+click on the same
// spot, make the next sheet under the pointer current, as the region tool picks the
// region beneath.
class DataModeTool : public RegionTool
{
public:
    using RegionTool::RegionTool;
    void press(const ToolEvent& e) override;
    ToolCursor cursor(const ToolEvent& e) const override;

private:
    std::optional<QPointF> mLastSheetClick; // the pixel of the last Shift+click
};
